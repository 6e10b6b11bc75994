#pragma once
// Shows an MpvPlayer's video and turns real mouse input into the player's mouse events.
//
// The player must be created with MpvOptions::Video::Render. A file set while the widget has not
// been shown yet starts as soon as the widget is first shown (the engine can only open video once
// the widget's OpenGL context exists). The widget may be destroyed before or after its player.

#include <QOpenGLWidget>
#include <atomic>

#include "media/player/mpv_player.h"

struct mpv_render_context;

namespace kv::media {

class MpvVideoWidget final : public QOpenGLWidget, private MpvRenderTarget {
  Q_OBJECT

 public:
  explicit MpvVideoWidget(MpvPlayer& player, QWidget* parent = nullptr);
  ~MpvVideoWidget() override;

  MpvPlayer* player() const { return player_; }
  // The engine is connected and can show video.
  bool rendering() const { return render_ != nullptr; }
  // Frames drawn into the widget so far.
  int framesDrawn() const { return framesDrawn_; }

 protected:
  void initializeGL() override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  static void onEngineUpdate(void* self);
  void frameReady();
  void freeRenderContext();
  void playerDestroyed() override;
  void mediaCleared() override { update(); }
  bool raisesEvents() const { return player_ && player_->enabled(); }

  MpvPlayer* player_;
  mpv_render_context* render_ = nullptr;
  QMetaObject::Connection contextGone_;
  std::atomic<bool> updateQueued_{false};
  bool pressedHere_ = false;
  bool inDoubleClick_ = false;
  int framesDrawn_ = 0;
};

// Mouse buttons and modifier keys as the component's events carry them.
int eventButton(Qt::MouseButton button);  // 1 left, 2 right, 4 middle, 0 other
int eventButtons(Qt::MouseButtons buttons);
int eventShift(Qt::KeyboardModifiers modifiers);  // 1 shift, 2 control, 4 alt

}  // namespace kv::media
