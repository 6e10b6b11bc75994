#pragma once
// The native window the engine's own X11 output draws an MpvPlayer's video into, on the
// engine's thread: a slow frame (a flood of subtitles, say) never holds up the GUI thread.
//
// The engine draws into a window of its own inside a plain X window of ours inside this one,
// both sized to it; this window lets
// mouse input through to the widget around it, and the engine is told to leave the pointer,
// the keys and the screen saver alone. Where there is no picture of the file asked for (opening,
// sound only, closed), the widget hides the window and shows black, or the file's title, itself.

#include <QWindow>
#include <cstdint>
#include <functional>
#include <string>

#include "media/player/mpv_player.h"
#include "media/player/mpv_video_window.h"
#include "platform/event.h"

struct xcb_connection_t;

namespace kv::media {

class MpvNativeWindow final : public QWindow, public MpvVideoWindow, private MpvRenderTarget {
  Q_OBJECT

 public:
  explicit MpvNativeWindow(MpvPlayer& player);
  ~MpvNativeWindow() override;

  QWindow& window() override { return *this; }
  MpvPlayer* player() const override { return player_; }
  bool rendering() const override { return player_ && handedOver_; }
  int framesDrawn() const override;
  QImage picture() override;
  bool showsPicture() const override { return picture_; }
  std::string titleWithoutPicture() const override { return title_; }
  // Called whenever the picture comes or goes, or the title shown without one changes.
  void onShownChange(std::function<void()> changed) { changed_ = std::move(changed); }

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  static xcb_connection_t* connection();
  QSize nativeSize() const;
  void handOver();
  void takeBack();
  void lookAgain();
  void playerDestroyed() override;
  void mediaCleared() override { lookAgain(); }

  MpvPlayer* player_;
  bool handedOver_ = false;
  std::uint32_t inner_ = 0;  // the X window the engine draws into, inside this one
  bool picture_ = false;
  std::string title_;
  std::function<void()> changed_;
  ScopedConnection stateLink_;
};

}  // namespace kv::media
