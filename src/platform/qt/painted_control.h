#pragma once
// The widget of every control that the view draws itself: labels, images, picture boxes,
// frames, option buttons, check boxes, command buttons, lines and the slider's raster
// surface. It keeps no state of its own: each paint reads the control (the last caption
// layout is kept only for as long as what it was made from stays the same).

#include <QRectF>
#include <QWidget>
#include <optional>

#include "platform/qt/caption_text.h"
#include "platform/qt/view_widget.h"

namespace kv::view {

class PaintedControl final : public QWidget, public ViewWidget {
 public:
  PaintedControl(FormWindow& owner, forms::Control& control, QWidget* parent);
  void apply(unsigned changes) override;
  // The caption as this widget draws it (no lines when it shows none), and the rectangle its
  // glyphs must stay inside.
  CaptionLayout captionLayout() const;
  // The caption as it would be laid out alone, before option buttons side by side agree on one
  // size.
  CaptionLayout ownCaptionLayout() const;
  QRect captionRoom() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void paintCaption(class QPainter& p);
  void paintIndicator(class QPainter& p);
  void paintSmallIndicator(class QPainter& p, QRectF box, bool on);
  QColor captionColour() const;
  int indicatorSize() const;
  int indicatorGap() const;

  // What a caption layout was made from.
  struct CaptionInput {
    QString text;
    QFont font;
    QRect room;
    Qt::Alignment align;
    CaptionFlow flow;
    bool operator==(const CaptionInput&) const = default;
  };
  mutable std::optional<std::pair<CaptionInput, CaptionLayout>> laidOut_;
};

// Draws a picture at its own size from the top left, or scaled to the rectangle.
void drawPicture(class QPainter& p, const class QImage& image, const QRect& area, bool stretch);

}  // namespace kv::view
