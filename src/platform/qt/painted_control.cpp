#include "platform/qt/painted_control.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <array>

#include "platform/forms/control.h"
#include "platform/qt/convert.h"
#include "platform/qt/form_window.h"
#include "platform/qt/shown_text.h"

namespace kv::view {

using forms::Kind;

void drawPicture(QPainter& p, const QImage& image, const QRect& area, bool stretch) {
  if (image.isNull()) return;
  if (stretch) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(area, image);
  } else {
    p.drawImage(area.topLeft(), image);
  }
}

PaintedControl::PaintedControl(FormWindow& owner, forms::Control& control, QWidget* parent)
    : QWidget(parent), ViewWidget(owner, control) {
  // Whatever is not painted shows the container (transparent labels, images).
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
}

void PaintedControl::apply(unsigned) {
  update();
}

QColor PaintedControl::captionColour() const {
  return isEnabled() ? shownForeColour(control())
                     : palette().color(QPalette::Disabled, QPalette::WindowText);
}

int PaintedControl::indicatorSize() const {
  // The platform's 13 pixels, smaller in a narrow box so that its caption keeps a readable
  // size (the list panel's filters are 33 pixels wide).
  return std::min({13, height(), std::max(8, width() / 4)});
}

int PaintedControl::indicatorGap() const {
  return indicatorSize() < 13 ? 2 : 4;
}

QRect PaintedControl::captionRoom() const {
  switch (control().kind()) {
    case Kind::OptionButton:
    case Kind::CheckBox:
      return rect().adjusted(indicatorSize() + indicatorGap(), 0, 0, 0);
    case Kind::CommandButton:
      return rect().adjusted(3, 2, -3, -2);
    case Kind::Frame:
      return rect().adjusted(8, 0, -8, 0);
    default:
      return rect();
  }
}

namespace {
// Captions of one group read as one row of choices or one set of items: controls of the same
// kind and design font in the same container.
bool sameGroup(const forms::Control& a, const forms::Control& b) {
  return a.kind() == b.kind() && a.parent() == b.parent() && a.FontSize() == b.FontSize() &&
         a.FontBold() == b.FontBold() && a.FontName() == b.FontName();
}
}  // namespace

CaptionLayout PaintedControl::captionLayout() const {
  CaptionLayout own = ownCaptionLayout();
  const forms::Control& c = control();
  if (own.lines.empty() || !c.parent()) return own;
  // A caption that had to shrink takes its group down with it, so that no one of them stands
  // out in another size.
  int smallest = own.font.pixelSize();
  for (const forms::Control* sibling : c.parent()->children()) {
    if (sibling == &c || !sameGroup(*sibling, c) || !sibling->Visible()) continue;
    const auto* widget = dynamic_cast<const PaintedControl*>(owner().widgetOf(*sibling));
    if (!widget || !widget->attached()) continue;
    const CaptionLayout theirs = widget->ownCaptionLayout();
    if (!theirs.lines.empty()) smallest = std::min(smallest, theirs.font.pixelSize());
  }
  if (smallest >= own.font.pixelSize()) return own;
  QFont font = own.font;
  font.setPixelSize(smallest);
  return layoutCaption(font, laidOut_->first.text, laidOut_->first.room, laidOut_->first.align,
                       laidOut_->first.flow);
}

CaptionLayout PaintedControl::ownCaptionLayout() const {
  const forms::Control& c = control();
  const Kind k = c.kind();
  const bool captioned = k == Kind::Label || k == Kind::OptionButton || k == Kind::CheckBox ||
                         k == Kind::CommandButton || k == Kind::Frame;
  if (!captioned || c.Caption().empty()) return {};
  Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
  CaptionFlow flow = CaptionFlow::SingleLine;
  if (k == Kind::Label) flow = CaptionFlow::Wrapped;
  if (k == Kind::OptionButton || k == Kind::CheckBox) align = Qt::AlignLeft | Qt::AlignVCenter;
  if (k == Kind::CommandButton) align = Qt::AlignCenter;
  CaptionInput input{shownText(c.Caption(), c.LiteralText(), TextPlace::Caption),
                     scaledCaptionFont(c), captionRoom(), align, flow};
  // Shaping the text is the dearest part of a paint, and most paints show the same caption.
  if (!laidOut_ || !(laidOut_->first == input)) {
    CaptionLayout layout = layoutCaption(input.font, input.text, input.room, align, flow);
    laidOut_.emplace(std::move(input), std::move(layout));
  }
  return laidOut_->second;
}

void PaintedControl::paintCaption(QPainter& p) {
  const CaptionLayout layout = captionLayout();
  if (!layout.lines.empty()) drawCaption(p, layout, captionColour());
}

void PaintedControl::paintIndicator(QPainter& p) {
  const forms::Control& c = control();
  // Drawn in the caption's colour rather than the style's: the style outlines an indicator a
  // shade darker than the face, which vanishes on the skin's dark panels, and blurs it into a
  // dot below 13 pixels (the narrow filter buttons).
  const int size = indicatorSize();
  paintSmallIndicator(p, QRectF(0, (height() - size) / 2, size, size), c.Value() != 0);
  paintCaption(p);
}

void PaintedControl::paintSmallIndicator(QPainter& p, QRectF box, bool on) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink = captionColour();
  box.adjust(0.5, 0.5, -0.5, -0.5);
  p.setPen(QPen(ink, 1));
  p.setBrush(shownBackColour(control()).darker(130));
  const bool radio = control().kind() == Kind::OptionButton;
  if (radio)
    p.drawEllipse(box);
  else
    p.drawRect(box);
  if (on && !radio && box.width() >= 10) {
    // A tick, as check boxes show.
    p.setPen(QPen(ink, std::max(1.5, box.width() / 7), Qt::SolidLine, Qt::RoundCap));
    const QPointF a(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
    const QPointF b(box.left() + box.width() * 0.42, box.top() + box.height() * 0.72);
    const QPointF d(box.left() + box.width() * 0.78, box.top() + box.height() * 0.28);
    p.drawPolyline(std::array{a, b, d}.data(), 3);
  } else if (on) {
    const QRectF mark = box.adjusted(2, 2, -2, -2);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    if (radio)
      p.drawEllipse(mark);
    else
      p.drawRect(mark);
  }
  p.restore();
}

void PaintedControl::paintEvent(QPaintEvent*) {
  if (!attached()) return;
  const forms::Control& c = control();
  QPainter p(this);
  const QRect all = rect();
  const auto picture = [&]() -> const QImage* {
    const forms::PictureRef& ref = c.Picture();
    return ref ? &ref->image() : nullptr;
  };
  switch (c.kind()) {
    case Kind::Label:
      if (c.BackStyle() == 1) p.fillRect(all, shownBackColour(c));
      paintCaption(p);
      break;
    case Kind::Image:
      if (const QImage* image = picture()) drawPicture(p, *image, all, c.Stretch());
      break;
    case Kind::PictureBox:
      p.fillRect(all, shownBackColour(c));
      if (const QImage* image = picture()) drawPicture(p, *image, all, c.Stretch());
      break;
    case Kind::Frame: {
      p.fillRect(all, shownBackColour(c));
      const CaptionLayout layout = captionLayout();
      const QRectF ink = layout.ink;
      const int top = ink.isEmpty() ? 0 : static_cast<int>(ink.center().y());
      p.setPen(shownForeColour(c).darker(160));
      p.drawRect(all.adjusted(0, top, -1, -1));
      if (!layout.lines.empty()) {
        p.fillRect(ink.adjusted(-3, -1, 3, 1), shownBackColour(c));
        drawCaption(p, layout, captionColour());
      }
      break;
    }
    case Kind::OptionButton:
    case Kind::CheckBox:
      if (c.BackStyle() == 1) p.fillRect(all, shownBackColour(c));
      paintIndicator(p);
      break;
    case Kind::CommandButton: {
      QStyleOptionButton option;
      option.initFrom(this);
      option.palette.setColor(QPalette::Button, shownBackColour(c));
      option.palette.setColor(QPalette::ButtonText, shownForeColour(c));
      // The bevel is the style's, the caption ours (access key underlined, font fitted).
      style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p, this);
      paintCaption(p);
      break;
    }
    case Kind::Line:
      p.setPen(QPen(shownForeColour(c), 1));
      p.drawLine(0, 0, std::max(0, width() - 1), std::max(0, height() - 1));
      break;
    case Kind::Slider:
      if (const QImage* surface = c.surfaceImage(); surface && !surface->isNull())
        p.drawImage(all, *surface);
      else
        p.fillRect(all, shownBackColour(c));
      break;
    default:
      break;
  }
}

}  // namespace kv::view
