#include "media/player/mpv_native_window.h"

#include <dlfcn.h>
#include <mpv/client.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QScreen>
#include <algorithm>

namespace kv::media {

namespace {

// The engine's output resets Xlib's error handler to the default one (which ends the process on
// any error) each time it closes: the toolkit's own handler is put back after anything that may
// have closed one.
class ToolkitErrorHandler {
 public:
  ToolkitErrorHandler() {
    void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (x11) set_ = reinterpret_cast<Set>(dlsym(x11, "XSetErrorHandler"));
    if (set_) {
      toolkit_ = set_(nullptr);
      set_(toolkit_);
    }
  }
  void restore() const {
    if (set_ && toolkit_) set_(toolkit_);
  }

 private:
  using Handler = int (*)(void*, void*);
  using Set = Handler (*)(Handler);
  Set set_ = nullptr;
  Handler toolkit_ = nullptr;
};

const ToolkitErrorHandler& toolkitErrorHandler() {
  static const ToolkitErrorHandler handler;
  return handler;
}

}  // namespace

MpvNativeWindow::MpvNativeWindow(MpvPlayer& player) : player_(&player) {
  // Clicks and moves belong to the widget around the window (and so do those on the engine's
  // window inside it); no focus of its own either, so keys keep going to the main window.
  setFlags(flags() | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
  toolkitErrorHandler();
  stateLink_ = player.PlayStateChange.connect([this](int) { lookAgain(); });
}

MpvNativeWindow::~MpvNativeWindow() {
  takeBack();
}

bool MpvNativeWindow::event(QEvent* event) {
  if (event->type() == QEvent::PlatformSurface) {
    // The native window is made again when the top-level around it is: the engine moves over.
    if (static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
        QPlatformSurfaceEvent::SurfaceCreated)
      handOver();
    else
      takeBack();
  }
  return QWindow::event(event);
}

xcb_connection_t* MpvNativeWindow::connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

QSize MpvNativeWindow::nativeSize() const {
  return QSize(std::max(1, qRound(width() * devicePixelRatio())),
               std::max(1, qRound(height() * devicePixelRatio())));
}

void MpvNativeWindow::handOver() {
  xcb_connection_t* x = connection();
  if (!player_ || !x) return;
  // The engine draws into a plain window of ours inside this one, not into the toolkit's: the
  // toolkit redirects the mapping of windows inside its own to itself and never maps a
  // stranger's, so the engine's window would stay unmapped and its output wait for ever. Black,
  // not whatever was on the screen, until the engine's window is there; no input of its own.
  inner_ = xcb_generate_id(x);
  const QSize size = nativeSize();
  const std::uint32_t black = 0;
  xcb_create_window(x, XCB_COPY_FROM_PARENT, inner_, static_cast<xcb_window_t>(winId()), 0, 0,
                    static_cast<std::uint16_t>(size.width()),
                    static_cast<std::uint16_t>(size.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                    XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL, &black);
  xcb_map_window(x, inner_);
  xcb_flush(x);
  handedOver_ = true;
  player_->showVideoIn(this, inner_);
  toolkitErrorHandler().restore();
  lookAgain();
}

void MpvNativeWindow::takeBack() {
  if (!handedOver_) return;
  handedOver_ = false;
  // Before the window goes: the engine's output must have let go of it.
  if (player_) player_->showVideoIn(this, 0);
  toolkitErrorHandler().restore();
  if (xcb_connection_t* x = connection()) {
    xcb_destroy_window(x, inner_);
    xcb_flush(x);
  }
  inner_ = 0;
}

void MpvNativeWindow::resizeEvent(QResizeEvent* event) {
  QWindow::resizeEvent(event);
  xcb_connection_t* x = connection();
  if (!handedOver_ || !x) return;
  // The engine follows the size of the window it was given.
  const QSize size = nativeSize();
  const std::uint32_t values[] = {static_cast<std::uint32_t>(size.width()),
                                  static_cast<std::uint32_t>(size.height())};
  xcb_configure_window(x, inner_, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
  xcb_flush(x);
}

void MpvNativeWindow::lookAgain() {
  // The engine may still hold the previous file's last frame while it opens the next one, and
  // a file of sound alone has no frame: only the asked-for file's own picture is shown.
  toolkitErrorHandler().restore();
  const bool picture = player_ && player_->playState() != kUndefined && player_->showsPicture();
  // Beyond the player's duties, for a person: an audio file without a cover shows its title.
  const std::string title = player_ && !picture ? player_->textWithoutPicture() : std::string();
  if (picture == picture_ && title == title_) return;
  picture_ = picture;
  title_ = title;
  if (changed_) changed_();
}

void MpvNativeWindow::playerDestroyed() {
  stateLink_.disconnect();
  takeBack();
  player_ = nullptr;
  lookAgain();
}

int MpvNativeWindow::framesDrawn() const {
  // The engine's output counts no frames of its own: the frames of the file it has shown.
  std::int64_t frame = -1;
  if (!player_ || !picture_ ||
      mpv_get_property(player_->core(), "estimated-frame-number", MPV_FORMAT_INT64, &frame) < 0)
    return 0;
  return static_cast<int>(frame + 1);
}

QImage MpvNativeWindow::picture() {
  const qreal ratio = devicePixelRatio();
  const QSize size(qRound(width() * ratio), qRound(height() * ratio));
  if (!handle() || size.isEmpty()) return {};
  if (picture_ && isExposed() && screen()) {
    // What the X server shows of the window, the engine's window inside it included.
    const QImage shown = screen()->grabWindow(winId()).toImage();
    if (shown.size() == size) return shown.convertToFormat(QImage::Format_RGB32);
  }
  QImage black(size, QImage::Format_RGB32);
  black.fill(Qt::black);
  return black;
}

}  // namespace kv::media
