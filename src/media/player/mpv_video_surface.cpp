#include "media/player/mpv_video_surface.h"

#include <mpv/render_gl.h>

#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QPainter>

#include "media/player/video_title.h"

namespace kv::media {

namespace {

void* procAddress(void*, const char* name) {
  QOpenGLContext* ctx = QOpenGLContext::currentContext();
  return ctx ? reinterpret_cast<void*>(ctx->getProcAddress(name)) : nullptr;
}

}  // namespace

MpvVideoSurface::MpvVideoSurface(MpvPlayer& player)
    : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), player_(&player) {
  // Clicks and moves belong to the widget around the window; no focus of its own either, so
  // keys keep going to the main window.
  setFlags(flags() | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
  // A file that opens or ends may change what is shown (its frame, its title); a pause or a
  // resume of a file whose frames are shown changes nothing: the engine asks for its frames.
  stateLink_ = player.PlayStateChange.connect([this](int) {
    if (!drawsFrames() || !drewFrames_) update();
  });
}

MpvVideoSurface::~MpvVideoSurface() {
  // The base class destroys the context after this body; our slot must not run then.
  disconnect(contextGone_);
  if (render_) {
    makeCurrent();
    freeRenderContext();
    doneCurrent();
  }
  if (player_) player_->detachRenderTarget(this);
}

void MpvVideoSurface::initializeGL() {
  // Called again with a new context when the native window was re-created; the old context was
  // freed on its way out.
  disconnect(contextGone_);
  QOpenGLContext* ctx = context();
  contextGone_ = connect(
      ctx, &QOpenGLContext::aboutToBeDestroyed, this,
      [this, ctx] {
        ctx->makeCurrent(this);
        freeRenderContext();
        ctx->doneCurrent();
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
  mpv_render_context_set_update_callback(render_, &MpvVideoSurface::onEngineUpdate, this);
  player_->attachRenderTarget(this);
}

void MpvVideoSurface::onEngineUpdate(void* self) {
  // An engine thread: only queue the work for the GUI thread.
  auto* surface = static_cast<MpvVideoSurface*>(self);
  if (surface->updateQueued_.exchange(true)) return;
  QMetaObject::invokeMethod(surface, &MpvVideoSurface::frameReady, Qt::QueuedConnection);
}

void MpvVideoSurface::frameReady() {
  updateQueued_ = false;
  if (!render_ || !context()) return;
  makeCurrent();
  const std::uint64_t flags = mpv_render_context_update(render_);
  if ((flags & MPV_RENDER_UPDATE_FRAME) && (!isExposed() || width() <= 0 || height() <= 0)) {
    // Hidden or minimised: take the frame without drawing it, so the engine keeps its pace.
    int skip = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(render_, params);
  }
  doneCurrent();
  if (!(flags & MPV_RENDER_UPDATE_FRAME)) return;
  update();
}

void MpvVideoSurface::mediaCleared() {
  update();
}

bool MpvVideoSurface::drawsFrames() const {
  // The engine may still hold the previous file's last frame while it opens the next one, and
  // a file of sound alone has no frame: only the asked-for file's own picture is drawn.
  return render_ && player_ && player_->playState() != kUndefined && player_->showsPicture();
}

void MpvVideoSurface::draw(int framebuffer, int w, int h, bool wait) {
  mpv_opengl_fbo fbo{framebuffer, w, h, 0};
  int flipY = 1;
  int block = wait ? 1 : 0;
  mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                               {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                               {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                               {MPV_RENDER_PARAM_INVALID, nullptr}};
  mpv_render_context_render(render_, params);
}

void MpvVideoSurface::paintGL() {
  const qreal ratio = devicePixelRatio();
  const int w = qRound(width() * ratio), h = qRound(height() * ratio);
  drewFrames_ = drawsFrames() && w > 0 && h > 0;
  if (!drewFrames_) {
    paintWithoutPicture();
    return;
  }
  draw(static_cast<int>(defaultFramebufferObject()), w, h, true);
  ++framesDrawn_;
}

void MpvVideoSurface::paintWithoutPicture() {
  QOpenGLFunctions* gl = context()->functions();
  gl->glClearColor(0, 0, 0, 1);
  gl->glClear(GL_COLOR_BUFFER_BIT);
  // Beyond the player's duties, for a person: an audio file without a cover shows its title.
  const std::string title = player_ ? player_->textWithoutPicture() : "";
  if (title.empty()) return;
  QPainter p(this);
  drawVideoTitle(p, QRect(QPoint(0, 0), size()), title);
}

QImage MpvVideoSurface::picture() {
  const qreal ratio = devicePixelRatio();
  const QSize size(qRound(width() * ratio), qRound(height() * ratio));
  if (!context() || size.isEmpty()) return {};
  makeCurrent();
  QImage image;
  if (drawsFrames()) {
    QOpenGLFramebufferObject fbo(size);
    draw(static_cast<int>(fbo.handle()), size.width(), size.height(), false);
    image = fbo.toImage();
  } else {
    image = QImage(size, QImage::Format_RGB32);
    image.fill(Qt::black);
  }
  doneCurrent();
  return image;
}

void MpvVideoSurface::freeRenderContext() {
  if (!render_) return;
  if (player_) player_->detachRenderTarget(this);  // while the file still knows its position
  mpv_render_context_free(render_);  // switches the engine's video off if a file plays
  render_ = nullptr;
}

void MpvVideoSurface::playerDestroyed() {
  stateLink_.disconnect();
  if (render_) {
    makeCurrent();
    freeRenderContext();
    doneCurrent();
  }
  player_ = nullptr;
  update();
}

}  // namespace kv::media
