#include "media/flash/ruffle/flash_surface.h"

#include <QPainter>
#include <QQuickItem>
#include <QQuickWindow>

#include "media/player/covered_region.h"
#include "media/player/embedded_window_keeper.h"

namespace kv::media::ruffle {

FlashSurface::FlashSurface(QWidget* parent)
    : QWidget(parent),
      window_(new QQuickWindow()),
      keeper_(new EmbeddedWindowKeeper(*window_, *this, [this](QWidget& container) {
        container.setFocusPolicy(Qt::StrongFocus);
        container.setGeometry(rect());
      })) {
  window_->setColor(Qt::black);
  // Panels may be moved over the movie at any time; a look ten times a second is cheap.
  coverTimer_.setInterval(100);
  connect(&coverTimer_, &QTimer::timeout, this, &FlashSurface::updateCover);
}

// The window (and the item in it) goes with the container the keeper made.
FlashSurface::~FlashSurface() = default;

void FlashSurface::setItem(QQuickItem* item) {
  item_ = item;
  if (!item) return;
  item->setParentItem(window_->contentItem());
  fitItem();
}

void FlashSurface::fitItem() {
  if (item_) item_->setSize(size());
}

void FlashSurface::resizeEvent(QResizeEvent*) {
  keeper_->container().setGeometry(rect());
  fitItem();
  updateCover();
}

void FlashSurface::showEvent(QShowEvent*) {
  keeper_->follow();
  updateCover();
  coverTimer_.start();
}

void FlashSurface::hideEvent(QHideEvent*) {
  coverTimer_.stop();
}

void FlashSurface::updateCover() {
  keeper_->follow();
  const QRegion covered = coveredByWidgetsAbove(*this);
  if (covered == covered_ && &keeper_->container() == coveredContainer_) return;
  coveredContainer_ = &keeper_->container();
  covered_ = covered;
  // An empty mask would be no mask at all: a movie covered all over is hidden instead.
  const QRegion shown = QRegion(rect()) - covered;
  keeper_->container().setVisible(!shown.isEmpty());
  window_->setMask(covered.isEmpty() ? QRegion() : shown);
}

void FlashSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // On screen the native window covers this widget. A picture of the window (grab()) is drawn
  // into a pixmap and gets the page's frame from here.
  const QPaintDevice* target = redirected(nullptr);
  const QImage picture = target && target->devType() == QInternal::Pixmap && window_->isExposed()
                             ? window_->grabWindow()
                             : QImage();
  if (picture.isNull())
    painter.fillRect(rect(), Qt::black);
  else
    painter.drawImage(rect(), picture);
}

}  // namespace kv::media::ruffle
