#include "platform/qt/painted_control.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/forms/control.h"
#include "platform/qt/convert.h"

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

void PaintedControl::paintCaption(QPainter& p, const QRect& area, int flags) {
  const forms::Control& c = control();
  if (c.Caption().empty()) return;
  p.setFont(captionFont(c));
  p.setPen(isEnabled() ? colour(c.ForeColor())
                       : palette().color(QPalette::Disabled, QPalette::WindowText));
  p.drawText(area, flags, QString::fromStdString(c.Caption()));
}

void PaintedControl::paintIndicator(QPainter& p) {
  const forms::Control& c = control();
  QStyleOptionButton option;
  option.initFrom(this);
  const int size = std::min(13, height());
  option.rect = QRect(0, (height() - size) / 2, size, size);
  option.state |= c.Value() != 0 ? QStyle::State_On : QStyle::State_Off;
  QPalette palette = option.palette;
  palette.setColor(QPalette::Base, colour(c.BackColor()).lighter(130));
  palette.setColor(QPalette::Text, colour(c.ForeColor()));
  palette.setColor(QPalette::WindowText, colour(c.ForeColor()));
  option.palette = palette;
  const auto element = c.kind() == Kind::OptionButton ? QStyle::PE_IndicatorRadioButton
                                                      : QStyle::PE_IndicatorCheckBox;
  style()->drawPrimitive(element, &option, &p, this);
  paintCaption(p, rect().adjusted(size + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter);
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
      if (c.BackStyle() == 1) p.fillRect(all, colour(c.BackColor()));
      paintCaption(p, all, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
      break;
    case Kind::Image:
      if (const QImage* image = picture()) drawPicture(p, *image, all, c.Stretch());
      break;
    case Kind::PictureBox:
      p.fillRect(all, colour(c.BackColor()));
      if (const QImage* image = picture()) drawPicture(p, *image, all, c.Stretch());
      break;
    case Kind::Frame:
      p.fillRect(all, colour(c.BackColor()));
      if (!c.Caption().empty()) {
        const QFontMetrics metrics(captionFont(c));
        const int top = metrics.height() / 2;
        p.setPen(colour(c.ForeColor()).darker(160));
        p.drawRect(all.adjusted(0, top, -1, -1));
        const QRect text(8, 0, metrics.horizontalAdvance(QString::fromStdString(c.Caption())) + 6,
                         metrics.height());
        p.fillRect(text, colour(c.BackColor()));
        paintCaption(p, text, Qt::AlignCenter);
      }
      break;
    case Kind::OptionButton:
    case Kind::CheckBox:
      if (c.BackStyle() == 1) p.fillRect(all, colour(c.BackColor()));
      paintIndicator(p);
      break;
    case Kind::CommandButton: {
      QStyleOptionButton option;
      option.initFrom(this);
      option.text = QString::fromStdString(c.Caption());
      option.palette.setColor(QPalette::Button, colour(c.BackColor()));
      option.palette.setColor(QPalette::ButtonText, colour(c.ForeColor()));
      p.setFont(captionFont(c));
      style()->drawControl(QStyle::CE_PushButton, &option, &p, this);
      break;
    }
    case Kind::Line:
      p.setPen(QPen(colour(c.ForeColor()), 1));
      p.drawLine(0, 0, std::max(0, width() - 1), std::max(0, height() - 1));
      break;
    case Kind::Slider:
      if (const QImage* surface = c.surfaceImage(); surface && !surface->isNull())
        p.drawImage(all, *surface);
      else
        p.fillRect(all, colour(c.BackColor()));
      break;
    default:
      break;
  }
}

}  // namespace kv::view
