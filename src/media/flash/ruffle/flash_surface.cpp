#include "media/flash/ruffle/flash_surface.h"

#include <QPainter>
#include <QQuickItem>
#include <QQuickWindow>

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
  keeper_->hostResized();
  fitItem();
}

void FlashSurface::showEvent(QShowEvent*) {
  keeper_->hostShown();
}

void FlashSurface::hideEvent(QHideEvent*) {
  keeper_->hostHidden();
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
