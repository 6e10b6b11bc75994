#pragma once
// The native window the engine draws an MpvPlayer's video into.
//
// The video has an OpenGL window of its own, so that the rest of the main window keeps painting
// on the raster backing store: a frame costs the engine's drawing and one buffer swap of the
// video's area, not a composition of the whole window. The window lets mouse input through to
// the widget it is embedded in (MpvVideoWidget), which raises the player's mouse events.

#include <QImage>
#include <QOpenGLWindow>
#include <atomic>

#include "media/player/mpv_player.h"
#include "media/player/mpv_video_window.h"
#include "platform/event.h"

struct mpv_render_context;

namespace kv::media {

class MpvVideoSurface final : public QOpenGLWindow, public MpvVideoWindow, private MpvRenderTarget {
  Q_OBJECT

 public:
  explicit MpvVideoSurface(MpvPlayer& player);
  ~MpvVideoSurface() override;

  QWindow& window() override { return *this; }
  MpvPlayer* player() const override { return player_; }
  bool rendering() const override { return render_ != nullptr; }
  int framesDrawn() const override { return framesDrawn_; }
  // The current frame drawn once more into an image (null before the window has its OpenGL
  // context).
  QImage picture() override;

 protected:
  void initializeGL() override;
  void paintGL() override;

 private:
  static void onEngineUpdate(void* self);
  void frameReady();
  void freeRenderContext();
  bool drawsFrames() const;
  void draw(int framebuffer, int w, int h, bool wait);
  void playerDestroyed() override;
  void mediaCleared() override;
  // Black, with the title of a file that has no picture of its own (an audio file).
  void paintWithoutPicture();

  MpvPlayer* player_;
  mpv_render_context* render_ = nullptr;
  QMetaObject::Connection contextGone_;
  std::atomic<bool> updateQueued_{false};
  int framesDrawn_ = 0;
  bool drewFrames_ = false;  // the last picture was a frame of the file
  ScopedConnection stateLink_;
};

}  // namespace kv::media
