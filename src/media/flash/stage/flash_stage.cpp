#include "media/flash/stage/flash_stage.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "media/flash/flash_runtime.h"

namespace kv::media {

QRect fitStage(const QSize& widget, const QSize& movie, int scaleMode) {
  const QRect all(QPoint(0, 0), widget);
  if (movie.width() <= 0 || movie.height() <= 0 || widget.isEmpty()) return all;
  const double sx = double(widget.width()) / movie.width();
  const double sy = double(widget.height()) / movie.height();
  double scale = 1;
  switch (scaleMode) {
    case 1:  // no border: covers the widget, the overflow is cut
      scale = std::max(sx, sy);
      break;
    case 2:  // exact fit: stretched both ways
      return all;
    case 3:  // no scale
      scale = 1;
      break;
    default:  // show all: the whole stage, bars where the shapes differ
      scale = std::min(sx, sy);
      break;
  }
  const int w = static_cast<int>(std::lround(movie.width() * scale));
  const int h = static_cast<int>(std::lround(movie.height() * scale));
  return {(widget.width() - w) / 2, (widget.height() - h) / 2, w, h};
}

FlashStage::FlashStage(FlashRuntime& flash, QWidget* parent) : QWidget(parent), flash_(flash) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  display_ = flash_.DisplayChanged.connect([this] { refresh(); });
}

void FlashStage::setVideo(QWidget* picture) {
  if (video_ == picture) return;
  delete video_.data();
  video_ = picture;
  if (video_) video_->setParent(this);
  refresh();
}

QRect FlashStage::stageRect() const {
  return fitStage(size(), QSize(flash_.movieWidth(), flash_.movieHeight()), flash_.ScaleMode());
}

void FlashStage::refresh() {
  scaleMode_ = flash_.ScaleMode();
  if (video_) {
    video_->setGeometry(stageRect());
    video_->setVisible(flash_.showsVideo());
  }
  update();
}

void FlashStage::resizeEvent(QResizeEvent*) {
  refresh();
}

void FlashStage::paintEvent(QPaintEvent* event) {
  // The scale mode has no notice of its own: a change shows at the next paint.
  if (scaleMode_ != flash_.ScaleMode()) QMetaObject::invokeMethod(this, [this] { refresh(); });
  const swf::Rgb bg = flash_.backgroundColor();
  QPainter(this).fillRect(event->rect(), QColor(bg.r, bg.g, bg.b));
}

}  // namespace kv::media
