#include "media/player/mpv_video_widget.h"

#include <mpv/render_gl.h>

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace kv::media {

namespace {

void* procAddress(void*, const char* name) {
  QOpenGLContext* ctx = QOpenGLContext::currentContext();
  return ctx ? reinterpret_cast<void*>(ctx->getProcAddress(name)) : nullptr;
}

}  // namespace

int eventButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int eventButtons(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

int eventShift(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

MpvVideoWidget::MpvVideoWidget(MpvPlayer& player, QWidget* parent)
    : QOpenGLWidget(parent), player_(&player) {
  // Moves without a button matter too: they bring back the cursor and the bars in full screen.
  setMouseTracking(true);
}

MpvVideoWidget::~MpvVideoWidget() {
  // The base class destroys the context after this body; our slot must not run then.
  disconnect(contextGone_);
  if (render_) {
    makeCurrent();
    freeRenderContext();
    doneCurrent();
  }
  if (player_) player_->detachRenderTarget(this);
}

void MpvVideoWidget::initializeGL() {
  // Called again with a new context after reparenting; the old one was freed on its way out.
  disconnect(contextGone_);
  contextGone_ = connect(
      context(), &QOpenGLContext::aboutToBeDestroyed, this,
      [this] {
        makeCurrent();
        freeRenderContext();
        doneCurrent();
      },
      Qt::DirectConnection);
  if (!player_ || render_) return;

  mpv_opengl_init_params gl{&procAddress, nullptr};
  char apiType[] = MPV_RENDER_API_TYPE_OPENGL;
  mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, apiType},
                               {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
                               {MPV_RENDER_PARAM_INVALID, nullptr}};
  if (mpv_render_context_create(&render_, player_->core(), params) < 0) {
    render_ = nullptr;
    return;
  }
  mpv_render_context_set_update_callback(render_, &MpvVideoWidget::onEngineUpdate, this);
  player_->attachRenderTarget(this);
}

void MpvVideoWidget::onEngineUpdate(void* self) {
  // An engine thread: only queue the work for the GUI thread.
  auto* widget = static_cast<MpvVideoWidget*>(self);
  if (widget->updateQueued_.exchange(true)) return;
  QMetaObject::invokeMethod(widget, &MpvVideoWidget::frameReady, Qt::QueuedConnection);
}

void MpvVideoWidget::frameReady() {
  updateQueued_ = false;
  if (!render_) return;
  makeCurrent();
  const std::uint64_t flags = mpv_render_context_update(render_);
  if ((flags & MPV_RENDER_UPDATE_FRAME) && (!isVisible() || width() <= 0 || height() <= 0)) {
    // Hidden or minimised: take the frame without drawing it, so the engine keeps its pace.
    int skip = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(render_, params);
  }
  doneCurrent();
  if (flags & MPV_RENDER_UPDATE_FRAME) update();
}

void MpvVideoWidget::paintGL() {
  const qreal ratio = devicePixelRatioF();
  const int w = static_cast<int>(width() * ratio), h = static_cast<int>(height() * ratio);
  if (!render_ || !player_ || player_->playState() == kUndefined || w <= 0 || h <= 0) {
    // Nothing open: an empty, black picture.
    QOpenGLFunctions* gl = context()->functions();
    gl->glClearColor(0, 0, 0, 1);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    return;
  }
  mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), w, h, 0};
  int flipY = 1;
  mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                               {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                               {MPV_RENDER_PARAM_INVALID, nullptr}};
  mpv_render_context_render(render_, params);
  ++framesDrawn_;
}

void MpvVideoWidget::freeRenderContext() {
  if (!render_) return;
  if (player_) player_->detachRenderTarget(this);  // while the file still knows its position
  mpv_render_context_free(render_);  // switches the engine's video off if a file plays
  render_ = nullptr;
}

void MpvVideoWidget::playerDestroyed() {
  if (render_) {
    makeCurrent();
    freeRenderContext();
    doneCurrent();
  }
  player_ = nullptr;
  update();
}

void MpvVideoWidget::mousePressEvent(QMouseEvent* event) {
  pressedHere_ = true;
  if (raisesEvents()) {
    const QPoint p = event->position().toPoint();
    player_->MouseDown.raise(eventButton(event->button()), eventShift(event->modifiers()), p.x(),
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
    player_->Click.raise(eventButton(event->button()), eventShift(event->modifiers()), p.x(),
                         p.y());
  }
  event->accept();
}

void MpvVideoWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  pressedHere_ = true;
  inDoubleClick_ = true;
  if (raisesEvents()) {
    const QPoint p = event->position().toPoint();
    player_->DoubleClick.raise(eventButton(event->button()), eventShift(event->modifiers()), p.x(),
                               p.y());
  }
  event->accept();
}

void MpvVideoWidget::mouseMoveEvent(QMouseEvent* event) {
  if (raisesEvents()) {
    const QPoint p = event->position().toPoint();
    player_->MouseMove.raise(eventButtons(event->buttons()), eventShift(event->modifiers()), p.x(),
                             p.y());
  }
  event->accept();
}

}  // namespace kv::media
