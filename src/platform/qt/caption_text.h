#pragma once
// Captions as the forms platform draws them: "&X" underlines X (the access key), "&&" is a
// plain "&". The font is the control's own at 15 twips per pixel (9 points are 12 pixels),
// made smaller step by step until every glyph of the text lies inside the control: a caption
// never grows its control and never loses the bottom of its glyphs or a line.

#include <QFont>
#include <QRect>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;
class QColor;

namespace kv::forms {
class Control;
}

namespace kv::view {

// The text drawn for a caption and the position of its access key (-1 for none).
struct CaptionText {
  QString text;
  int accessKey = -1;
};
CaptionText parseCaption(const QString& caption);

// The caption font of a control at the view's scale (pixel size, not points).
QFont scaledCaptionFont(const forms::Control& control);

struct CaptionLine {
  QString text;
  QPointF baseline;
  int accessKey = -1;  // index inside this line
};

struct CaptionLayout {
  QFont font;
  std::vector<CaptionLine> lines;
  // Where the glyphs and the access key's underline are drawn (union of their outlines).
  QRectF ink;
  bool fits = false;
};

enum class CaptionFlow { SingleLine, Wrapped };

// Lays out a caption inside the area with the given alignment (Qt::AlignLeft/HCenter and
// Qt::AlignTop/VCenter), shrinking the font until it fits.
CaptionLayout layoutCaption(const QFont& font, const QString& caption, const QRect& area,
                            Qt::Alignment align, CaptionFlow flow);

void drawCaption(QPainter& p, const CaptionLayout& layout, const QColor& colour);

// Where the glyphs of a laid-out caption land, measured again from the font alone: what the
// view's tests compare with the control's rectangle.
QRectF measuredInk(const CaptionLayout& layout);

}  // namespace kv::view
