#include "media/player/embedded_window_keeper.h"

#include <QEvent>
#include <QPlatformSurfaceEvent>

#include "media/player/covered_region.h"

namespace kv::media {

EmbeddedWindowKeeper::EmbeddedWindowKeeper(QWindow& window, QWidget& host,
                                           std::function<void(QWidget&)> prepare)
    : QObject(&host),
      window_(&window),
      host_(host),
      prepare_(std::move(prepare)),
      container_(QWidget::createWindowContainer(&window, &host)) {
  prepare_(*container_);
  follow();
  coverTimer_.setInterval(100);
  connect(&coverTimer_, &QTimer::timeout, this, &EmbeddedWindowKeeper::updateCover);
}

void EmbeddedWindowKeeper::hostResized() {
  container_->setGeometry(host_.rect());
  updateCover();
}

void EmbeddedWindowKeeper::hostShown() {
  updateCover();
  coverTimer_.start();
}

void EmbeddedWindowKeeper::hostHidden() {
  coverTimer_.stop();
}

void EmbeddedWindowKeeper::setWindowWanted(bool wanted) {
  if (wanted == wanted_) return;
  wanted_ = wanted;
  coveredContainer_ = nullptr;  // applied again below
  updateCover();
}

void EmbeddedWindowKeeper::updateCover() {
  follow();
  if (!window_) return;
  const QRegion covered = coveredByWidgetsAbove(host_);
  if (covered == covered_ && container_ == coveredContainer_) return;
  coveredContainer_ = container_;
  covered_ = covered;
  // An empty mask would be no mask at all: a window covered all over is hidden instead (a
  // video then takes its frames without drawing them).
  const QRegion shown = QRegion(host_.rect()) - covered;
  container_->setVisible(wanted_ && !shown.isEmpty());
  window_->setMask(covered.isEmpty() ? QRegion() : shown);
}

void EmbeddedWindowKeeper::follow() {
  QWidget* topLevel = host_.window();
  if (topLevel != topLevel_) watchTopLevel(topLevel);
  if (topLevel_ && topLevel_->windowHandle() != native_) watchNativeWindow();
}

void EmbeddedWindowKeeper::watchTopLevel(QWidget* topLevel) {
  if (topLevel_) topLevel_->removeEventFilter(this);
  // The host as its own top-level has no native window around the embedded one.
  topLevel_ = topLevel == &host_ ? nullptr : topLevel;
  if (topLevel_) topLevel_->installEventFilter(this);
}

void EmbeddedWindowKeeper::watchNativeWindow() {
  if (native_) native_->removeEventFilter(this);
  native_ = topLevel_ ? topLevel_->windowHandle() : nullptr;
  if (native_) native_->installEventFilter(this);
}

bool EmbeddedWindowKeeper::eventFilter(QObject* watched, QEvent* event) {
  if (watched == native_ && event->type() == QEvent::PlatformSurface &&
      static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
          QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed) {
    // The children of the native window have lost their own native windows already; taking the
    // window out now saves it from being deleted with its parent object.
    if (window_ && window_->parent() == native_) {
      window_->setParent(nullptr);
      waiting_ = true;
    }
    native_->removeEventFilter(this);
    native_ = nullptr;
  } else if (watched == topLevel_ && event->type() == QEvent::WinIdChange &&
             topLevel_->internalWinId() && topLevel_->windowHandle()) {
    watchNativeWindow();
    if (waiting_) embedAgain();
  }
  return false;
}

void EmbeddedWindowKeeper::embedAgain() {
  waiting_ = false;
  if (!window_) return;
  QWidget* old = container_;
  container_ = QWidget::createWindowContainer(window_, &host_);
  prepare_(*container_);
  if (old) {
    container_->stackUnder(old);
    container_->setVisible(old->isVisible() && wanted_);
    // Now, not later: it holds no window any more, and Qt would reach for one when a widget
    // around it is raised. This runs in an event of the top-level, not of the old container.
    delete old;
  }
}

}  // namespace kv::media
