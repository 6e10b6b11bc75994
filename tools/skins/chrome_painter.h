#pragma once
// The window's frame: title bar and control bar pieces, side edges and the corner grip. Every
// piece has the same colour in a given row, so the end pieces, the stretched middle pieces and
// the buttons drawn on them meet without a seam at any window width.

#include <QColor>
#include <QImage>

namespace kv::skins {

// Colour of row y (pixels from the top) of the title bar and of the control bar.
QColor titleRow(int y);
QColor barRow(int y);

// An opaque picture filled row by row: row y gets rowColour(top + y). Buttons drawn on a bar
// start from this, so their pictures carry the bar behind them.
QImage rowsImage(int width, int height, QColor (*rowColour)(int), int top);

QImage paintTitlePiece(int width, int height);
QImage paintBarPiece(int width, int height);
QImage paintEdge(int width, int height);
QImage paintGrip(int size);

}  // namespace kv::skins
