#include "media/player/mpv_video_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "media/player/embedded_window_keeper.h"
#include "media/player/mpv_native_window.h"
#include "media/player/mpv_video_surface.h"
#include "media/player/video_title.h"
#include "platform/qt/input_codes.h"

namespace kv::media {

using view::buttonCode;
using view::buttonsCode;
using view::shiftCode;

namespace {

MpvVideoWindow* videoWindowFor(MpvPlayer& player) {
  if (player.options().video == MpvOptions::Video::Native) return new MpvNativeWindow(player);
  return new MpvVideoSurface(player);
}

}  // namespace

MpvVideoWidget::MpvVideoWidget(MpvPlayer& player, QWidget* parent)
    : QWidget(parent),
      surface_(videoWindowFor(player)),
      keeper_(new EmbeddedWindowKeeper(surface_->window(), *this, [this](QWidget& container) {
        container.setMouseTracking(true);
        container.setFocusPolicy(Qt::NoFocus);
        container.setGeometry(rect());
      })) {
  // Moves without a button matter too: they bring back the cursor and the bars in full screen.
  setMouseTracking(true);
  if (auto* native = dynamic_cast<MpvNativeWindow*>(surface_)) {
    native->onShownChange([this] { pictureChanged(); });
    pictureChanged();
  }
}

void MpvVideoWidget::pictureChanged() {
  // The engine's own output has no picture to draw while the file has none: its window steps
  // aside, and this widget shows black (and a title) in its place.
  keeper_->setWindowWanted(surface_->showsPicture());
  update();
}

QWindow& MpvVideoWidget::videoWindow() const {
  return surface_->window();
}

MpvVideoWidget::~MpvVideoWidget() = default;

MpvPlayer* MpvVideoWidget::player() const {
  return surface_->player();
}

bool MpvVideoWidget::rendering() const {
  return surface_->rendering();
}

int MpvVideoWidget::framesDrawn() const {
  return surface_->framesDrawn();
}

QImage MpvVideoWidget::grabFramebuffer() {
  return surface_->picture();
}

bool MpvVideoWidget::raisesEvents() const {
  MpvPlayer* p = player();
  return p && p->enabled();
}

void MpvVideoWidget::resizeEvent(QResizeEvent*) {
  keeper_->hostResized();
}

void MpvVideoWidget::showEvent(QShowEvent*) {
  // The engine's own output needs the window before there is a picture to show in it (the
  // window is shown only once there is one).
  if (dynamic_cast<MpvNativeWindow*>(surface_) && !videoWindow().handle()) videoWindow().create();
  keeper_->hostShown();
}

void MpvVideoWidget::hideEvent(QHideEvent*) {
  keeper_->hostHidden();
}

void MpvVideoWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // On screen the native window covers this widget, which only needs to be black under it. A
  // picture of the window (grab()) is drawn into a pixmap rather than the backing store's image:
  // that one gets the frame from here.
  const QPaintDevice* target = redirected(nullptr);
  const QImage picture =
      target && target->devType() == QInternal::Pixmap && surface_->showsPicture()
          ? grabFramebuffer()
          : QImage();
  if (!picture.isNull()) {
    painter.drawImage(rect(), picture);
    return;
  }
  painter.fillRect(rect(), Qt::black);
  drawVideoTitle(painter, rect(), surface_->titleWithoutPicture());
}

void MpvVideoWidget::mousePressEvent(QMouseEvent* event) {
  pressedHere_ = true;
  if (raisesEvents()) {
    const QPoint p = event->position().toPoint();
    player()->MouseDown.raise(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(),
                              p.y());
  }
  event->accept();
}

void MpvVideoWidget::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release inside the component; the release that ends a double
  // click is not a further click.
  const bool click =
      pressedHere_ && !inDoubleClick_ && rect().contains(event->position().toPoint());
  pressedHere_ = false;
  inDoubleClick_ = false;
  if (click && raisesEvents()) {
    const QPoint p = event->position().toPoint();
    player()->Click.raise(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(), p.y());
  }
  event->accept();
}

void MpvVideoWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  pressedHere_ = true;
  inDoubleClick_ = true;
  if (raisesEvents()) {
    const QPoint p = event->position().toPoint();
    player()->DoubleClick.raise(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(),
                                p.y());
  }
  event->accept();
}

void MpvVideoWidget::mouseMoveEvent(QMouseEvent* event) {
  if (raisesEvents()) {
    const QPoint p = event->position().toPoint();
    player()->MouseMove.raise(buttonsCode(event->buttons()), shiftCode(event->modifiers()), p.x(),
                              p.y());
  }
  event->accept();
}

}  // namespace kv::media
