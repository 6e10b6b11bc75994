#include "window_mock.h"

#include <QFont>
#include <QPainter>
#include <cmath>

#include "slider/tvate.h"

namespace kv::test {
namespace {

QColor fromBgr(std::uint32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int px(float twips) {
  return static_cast<int>(std::lround(twips / forms::kTwipsPerPixel));
}

// The control's rectangle in pixels of its container, edges rounded on their own.
QRect rectOf(const forms::Control& c) {
  const int left = px(c.Left()), top = px(c.Top());
  return QRect(left, top, px(c.Left() + c.Width()) - left, px(c.Top() + c.Height()) - top);
}

void paintControl(QPainter& p, const forms::Control& c, const QImage& video);

void paintChildren(QPainter& p, const forms::Control& c, const QImage& video) {
  for (const forms::Control* child : c.children()) {
    if (!child->Visible()) continue;
    p.save();
    const QRect r = rectOf(*child);
    p.translate(r.topLeft());
    p.setClipRect(QRect(QPoint(0, 0), r.size()), Qt::IntersectClip);
    paintControl(p, *child, video);
    p.restore();
  }
}

void paintControl(QPainter& p, const forms::Control& c, const QImage& video) {
  const QRect r(QPoint(0, 0), rectOf(c).size());
  const auto& picture = c.Picture();
  switch (c.kind()) {
    case forms::Kind::Form:
    case forms::Kind::PictureBox:
    case forms::Kind::Frame:
      p.fillRect(r, fromBgr(c.BackColor()));
      if (picture) p.drawImage(0, 0, picture->image());
      break;
    case forms::Kind::Image:
      // An image without a picture shows its container; a picture fills it (stretched where
      // the control is wider or taller than the picture, as the bars' middle pieces are).
      if (picture) p.drawImage(r, picture->image());
      break;
    case forms::Kind::Label: {
      QFont font(QStringLiteral("Noto Sans CJK SC"));
      font.setPixelSize(12);
      p.setFont(font);
      p.setPen(fromBgr(c.ForeColor()));
      p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(c.Caption()));
      break;
    }
    case forms::Kind::Slider:
      p.drawImage(0, 0, static_cast<const slider::tVate&>(c).surface());
      break;
    case forms::Kind::Component:
      p.fillRect(r, Qt::black);
      if (!video.isNull()) {
        const QSize fitted = video.size().scaled(r.size(), Qt::KeepAspectRatio);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(
            QRect(QPoint((r.width() - fitted.width()) / 2, (r.height() - fitted.height()) / 2),
                  fitted),
            video);
      }
      break;
    default:
      p.fillRect(r, fromBgr(c.BackColor()));
      break;
  }
  paintChildren(p, c, video);
}

}  // namespace

QImage renderWindowMock(const forms::Control& window, const QImage& video) {
  const QRect r = rectOf(window);
  QImage image(r.size(), QImage::Format_RGB32);
  QPainter p(&image);
  paintControl(p, window, video);
  return image;
}

}  // namespace kv::test
