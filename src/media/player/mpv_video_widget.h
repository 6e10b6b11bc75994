#pragma once
// Shows an MpvPlayer's video and turns real mouse input into the player's mouse events.
//
// The player must be created with MpvOptions::Video::Render or ::Native. The engine draws into a
// native window embedded in this widget: through the render API into an OpenGL window
// (MpvVideoSurface), or with its own X11 output (MpvNativeWindow). A file set while the widget
// has not been shown yet starts as soon as the widget is first shown (the engine can only open
// video once the window exists). The widget may be destroyed before or after its player.

#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include "media/player/mpv_player.h"

namespace kv::media {

class EmbeddedWindowKeeper;
class MpvVideoWindow;

class MpvVideoWidget final : public QWidget {
  Q_OBJECT

 public:
  explicit MpvVideoWidget(MpvPlayer& player, QWidget* parent = nullptr);
  ~MpvVideoWidget() override;

  MpvPlayer* player() const;
  // The engine is connected and can show video.
  bool rendering() const;
  // Frames drawn into the window so far.
  int framesDrawn() const;
  // The picture shown, in device pixels (null until the window has been shown).
  QImage grabFramebuffer();
  // The native window the video is drawn into.
  QWindow& videoWindow() const;

 protected:
  // Draws the current picture: what QWidget::grab() and render() see of the native window.
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool raisesEvents() const;
  void pictureChanged();

  MpvVideoWindow* surface_;       // owned by the keeper's container
  EmbeddedWindowKeeper* keeper_;  // a child; owns the container, which owns surface_
  bool pressedHere_ = false;
  bool inDoubleClick_ = false;
};

}  // namespace kv::media
