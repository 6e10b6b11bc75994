#pragma once
// Where a secondary window opens when its own position is not given: centred over the main
// window, or over the screen while the main window is not on it; always kept on the screen.

#include <QPoint>
#include <QSize>

class QWidget;

namespace kv::view {

// The top-left corner of a window of the given size (frame included) centred over the owner.
QPoint centredOver(QSize size, const QWidget* owner);

}  // namespace kv::view
