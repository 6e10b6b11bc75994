#include "media/player/mpv_video_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "media/player/embedded_window_keeper.h"
#include "media/player/mpv_video_surface.h"
#include "platform/qt/input_codes.h"

namespace kv::media {

using view::buttonCode;
using view::buttonsCode;
using view::shiftCode;

MpvVideoWidget::MpvVideoWidget(MpvPlayer& player, QWidget* parent)
    : QWidget(parent),
      surface_(new MpvVideoSurface(player)),
      keeper_(new EmbeddedWindowKeeper(*surface_, *this, [this](QWidget& container) {
        container.setMouseTracking(true);
        container.setFocusPolicy(Qt::NoFocus);
        container.setGeometry(rect());
      })) {
  // Moves without a button matter too: they bring back the cursor and the bars in full screen.
  setMouseTracking(true);
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
      target && target->devType() == QInternal::Pixmap ? grabFramebuffer() : QImage();
  if (picture.isNull())
    painter.fillRect(rect(), Qt::black);
  else
    painter.drawImage(rect(), picture);
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
