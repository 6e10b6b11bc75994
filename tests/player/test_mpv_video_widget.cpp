// The video on screen, under a private X server: frames of a generated clip reach the widget's
// native window and the screen, pictures of the window show them, widgets stacked above the video
// stay visible, and mouse input becomes the component's events.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QOpenGLWidget>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "media/player/mpv_video_widget.h"
#include "test_media.h"

namespace kv::test {
namespace {

using media::MpvOptions;
using media::MpvPlayer;
using media::MpvVideoWidget;

// Each build variant (see CMakeLists.txt) registers its tests under suite names of its own.
#ifndef KV_TEST_VARIANT
#define KV_TEST_VARIANT Shared
#endif
#define KV_JOIN2(a, b) a##b
#define KV_JOIN(a, b) KV_JOIN2(a, b)
#define VIDEO_SUITE KV_JOIN(VideoWidget, KV_TEST_VARIANT)
#define MOUSE_SUITE KV_JOIN(VideoWidgetMouse, KV_TEST_VARIANT)
#define PICTURE_SUITE KV_JOIN(VideoWindow, KV_TEST_VARIANT)

#ifdef KV_TEST_NATIVE_OUTPUT
constexpr bool kNativeOutput = true;
#else
constexpr bool kNativeOutput = false;
#endif

bool isRed(QRgb c) {
  return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool isBlack(QRgb c) {
  return qRed(c) < 20 && qGreen(c) < 20 && qBlue(c) < 20;
}

class VideoWidgetTest : public ::testing::Test {
 public:
  void SetUp() override {
    MpvOptions options;
#ifdef KV_TEST_NATIVE_OUTPUT
    options.video = MpvOptions::Video::Native;
#else
    options.video = MpvOptions::Video::Render;
#endif
    player = std::make_unique<MpvPlayer>(options);
    widget = std::make_unique<MpvVideoWidget>(*player);
    widget->resize(160, 120);
  }
  void TearDown() override {
    widget.reset();
    player.reset();
  }

  // Waits until every sampled point of the picture (near the corners and the centre) passes the
  // test, both in the widget's own picture (in device pixels) and on the screen.
  bool waitForPicture(bool (*test)(QRgb), int timeoutMs = 10000) {
    return pumpUntil(
        [&] { return allPass(widget->grabFramebuffer(), test) && allPass(onScreen(), test); },
        timeoutMs);
  }

  static bool allPass(const QImage& image, bool (*test)(QRgb)) {
    if (image.isNull() || image.width() < 4 || image.height() < 4) return false;
    const int w = image.width(), h = image.height();
    for (auto [x, y] : {std::pair{w / 10, h / 10},
                        {w / 2, h / 2},
                        {w * 9 / 10, h * 9 / 10},
                        {w * 9 / 10, h / 10},
                        {w / 10, h * 9 / 10}})
      if (!test(image.pixel(x, y))) return false;
    return true;
  }

  // What the X server shows where the widget is, in the widget's coordinates.
  QImage onScreen() const {
    return screenAt(*widget);
  }
  static QImage screenAt(const QWidget& w) {
    const QPoint at = w.mapToGlobal(QPoint(0, 0));
    const QImage image = w.screen()->grabWindow(0, at.x(), at.y(), w.width(), w.height()).toImage();
    return image.scaled(w.size());
  }

  // A frame may be drawn before the player has handled the engine's report that the file is
  // open, and a replaced OpenGL context reopens a picture-only file: wait for the state too.
  bool waitForPlaying(int timeoutMs = 5000) {
    return pumpUntil([&] { return player && player->playState() == media::kPlaying; }, timeoutMs);
  }

  // Waits until the open file has played to at least seconds.
  bool waitForPosition(double seconds, int timeoutMs = 10000) {
    return pumpUntil([&] { return player->hasMedia() && player->currentPosition() >= seconds; },
                     timeoutMs);
  }

  std::unique_ptr<MpvPlayer> player;
  std::unique_ptr<MpvVideoWidget> widget;
  TestMedia media;
};

using VIDEO_SUITE = VideoWidgetTest;

TEST_F(VIDEO_SUITE, ShowsTheFramesOfTheClip) {
  widget->show();
  player->setURL(media.red(10));
  ASSERT_TRUE(waitForPicture(isRed))
      << "state " << player->playState() << " " << player->errorText();
  EXPECT_TRUE(widget->rendering());
  EXPECT_GT(widget->framesDrawn(), 0);
  EXPECT_TRUE(waitForPlaying());
  // The framebuffer covers the widget in device pixels (all of it is red, see waitForPicture).
#ifdef KV_TEST_SCALE_FACTOR
  EXPECT_DOUBLE_EQ(widget->devicePixelRatioF(), 2.0);
#endif
  const QImage image = widget->grabFramebuffer();
  EXPECT_EQ(image.width(), qRound(160 * widget->devicePixelRatioF()));
}

TEST_F(VIDEO_SUITE, CloseClearsThePicture) {
  widget->show();
  player->setURL(media.red(10));
  ASSERT_TRUE(waitForPicture(isRed));
  player->close();
  EXPECT_TRUE(waitForPicture(isBlack, 5000));
}

TEST_F(VIDEO_SUITE, AnotherFileNeverShowsThePreviousPicture) {
  widget->show();
  player->setURL(media.red(10));
  ASSERT_TRUE(waitForPicture(isRed));
  // Sound only: the clip's last frame goes at once, and the file's name takes its place.
  player->setURL(media.tone());
  EXPECT_TRUE(allPass(widget->grabFramebuffer(), isBlack));
  const auto titleShown = [&] {
    const QImage image = onScreen();
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, image.height() / 2)) > 128) return true;
    return false;
  };
  EXPECT_TRUE(pumpUntil(titleShown, 5000));
}

TEST_F(VIDEO_SUITE, AFileSetBeforeTheWidgetIsShownStartsWhenShown) {
  player->setURL(media.red(10));
  pumpFor(500);
  EXPECT_EQ(player->playState(), media::kTransitioning);  // waits for the picture to have a place
  widget->show();
  ASSERT_TRUE(waitForPicture(isRed));
  EXPECT_TRUE(waitForPlaying());
}

TEST_F(VIDEO_SUITE, PlaybackRunsOnWhileTheWidgetIsHidden) {
  widget->show();
  player->setURL(media.red(10));
  ASSERT_TRUE(waitForPicture(isRed));
  ASSERT_TRUE(waitForPlaying());
  widget->hide();
  const double from = player->currentPosition();
  // Frames nobody sees are still taken: playback does not stall.
  EXPECT_TRUE(waitForPosition(from + 0.8)) << "at " << player->currentPosition();
  EXPECT_EQ(player->playState(), media::kPlaying);
  widget->show();
  EXPECT_TRUE(waitForPicture(isRed));
}

// The widget in one top-level window, moved to another one on request; given back to the test
// however the test ends, as the test owns it.
class TwoWindows {
 public:
  explicit TwoWindows(MpvVideoWidget& widget) : widget_(widget) {
    first_.resize(200, 150);
    second_.resize(200, 150);
    place(first_);
  }
  ~TwoWindows() { widget_.setParent(nullptr); }
  TwoWindows(const TwoWindows&) = delete;
  TwoWindows& operator=(const TwoWindows&) = delete;
  void moveToSecond() { place(second_); }

 private:
  void place(QWidget& window) {
    widget_.setParent(&window);
    widget_.setGeometry(0, 0, 160, 120);
    window.show();
    widget_.show();
  }
  MpvVideoWidget& widget_;
  QWidget first_, second_;
};

// Moving to another window may cost the widget its OpenGL context (always so when contexts
// are not shared); the picture must come back, for files with and without sound.
void moveBetweenWindows(VideoWidgetTest& t, MpvVideoWidget& widget, const std::string& file) {
  TwoWindows windows(widget);
  t.player->setURL(file);
  ASSERT_TRUE(t.waitForPicture(isRed));
  ASSERT_TRUE(t.waitForPlaying());
  // Well into the file, so that starting it again could not pass for going on.
  t.player->setCurrentPosition(5.0);
  ASSERT_TRUE(t.waitForPosition(5.0));
  const double before = t.player->currentPosition();
  windows.moveToSecond();
  EXPECT_TRUE(t.waitForPicture(isRed)) << "state " << t.player->playState();
  // Went on from where it was (a picture-only file is reopened there): every position seen until
  // it has played on is past that point. Started again, it would take seconds to get there.
  double lowest = before;
  ASSERT_TRUE(pumpUntil(
      [&] {
        if (t.player->playState() != media::kPlaying) return false;
        const double at = t.player->currentPosition();
        if (at > 0) lowest = std::min(lowest, at);  // 0 until the engine has positioned it
        return at >= before + 0.5;
      },
      10000))
      << "state " << t.player->playState() << " " << t.player->errorText();
  EXPECT_GE(lowest, before - 0.1);
  EXPECT_TRUE(t.waitForPicture(isRed));
}

TEST_F(VIDEO_SUITE, VideoComesBackAfterMovingToAnotherWindow) {
  moveBetweenWindows(*this, *widget, media.red(20));
}

TEST_F(VIDEO_SUITE, VideoWithSoundComesBackAfterMovingToAnotherWindow) {
  moveBetweenWindows(*this, *widget, media.redWithSound());
}

// The engine opens a file, and shows it, before the player has handled its report that the file
// is open. A move in that moment must not cost the file either.
void moveWhileOpening(VideoWidgetTest& t, MpvVideoWidget& widget, const std::string& file) {
  TwoWindows windows(widget);
  ASSERT_TRUE(pumpUntil([&] { return widget.rendering(); }, 10000));
  t.player->setURL(file);
  // Without the event loop the player hears nothing from the engine; frames are drawn anyway.
  const auto red = [&] {
    const QImage image = widget.grabFramebuffer();
    return !image.isNull() && isRed(image.pixel(image.width() / 2, image.height() / 2));
  };
  QElapsedTimer waited;
  waited.start();
  // (The engine's own output draws as well, but into a window shown once the report is in.)
  while (!kNativeOutput && !red() && waited.elapsed() < 10000) QThread::msleep(10);
  ASSERT_TRUE(kNativeOutput || red());
  ASSERT_FALSE(t.player->hasMedia());
  windows.moveToSecond();
  EXPECT_TRUE(t.waitForPicture(isRed)) << "state " << t.player->playState();
  ASSERT_TRUE(t.waitForPlaying()) << "state " << t.player->playState() << " "
                                  << t.player->errorText();
  EXPECT_TRUE(t.waitForPosition(1.0));
  EXPECT_EQ(t.player->playState(), media::kPlaying);
  EXPECT_TRUE(t.waitForPicture(isRed));
}

TEST_F(VIDEO_SUITE, MovingWhileTheFileOpensKeepsIt) {
  moveWhileOpening(*this, *widget, media.red(20));
}

TEST_F(VIDEO_SUITE, MovingWhileAFileWithSoundOpensKeepsIt) {
  moveWhileOpening(*this, *widget, media.redWithSound());
}

TEST_F(VIDEO_SUITE, ThePlayerMayGoFirst) {
  widget->show();
  player->setURL(media.red(10));
  ASSERT_TRUE(waitForPicture(isRed));
  player.reset();
  EXPECT_EQ(widget->player(), nullptr);
  EXPECT_FALSE(widget->rendering());
  EXPECT_TRUE(waitForPicture(isBlack, 5000));
}

TEST_F(VIDEO_SUITE, TheWidgetMayGoFirstAndSoundPlaysOn) {
  widget->show();
  player->setURL(media.redWithSound());
  ASSERT_TRUE(waitForPicture(isRed));
  ASSERT_TRUE(waitForPlaying());
  widget.reset();
  const double from = player->currentPosition();
  EXPECT_TRUE(waitForPosition(from + 0.3));
  EXPECT_EQ(player->playState(), media::kPlaying);
}

TEST_F(VIDEO_SUITE, ANewWidgetTakesOverAPictureOnlyFile) {
  widget->show();
  player->setURL(media.red(20));
  ASSERT_TRUE(waitForPicture(isRed));
  ASSERT_TRUE(waitForPlaying());
  ASSERT_TRUE(waitForPosition(0.5));
  const double before = player->currentPosition();
  widget.reset();
  // Nothing to show it on: the render API lets the file go, and it waits for a place rather
  // than failing or ending; the engine's own output plays on into nothing.
#ifdef KV_TEST_NATIVE_OUTPUT
  pumpFor(300);
  EXPECT_EQ(player->playState(), media::kPlaying) << player->errorText();
#else
  ASSERT_TRUE(pumpUntil([&] { return !player->hasMedia(); }, 5000));
  EXPECT_EQ(player->playState(), media::kTransitioning) << player->errorText();
#endif
  widget = std::make_unique<MpvVideoWidget>(*player);
  widget->resize(160, 120);
  widget->show();
  ASSERT_TRUE(waitForPicture(isRed));
  ASSERT_TRUE(waitForPlaying());
  EXPECT_GE(player->currentPosition(), before - 0.1);
}

// The native window may be destroyed and made again (as when the window system takes it away):
// the picture comes back and the file goes on from where it was.
TEST_F(VIDEO_SUITE, VideoComesBackWhenItsWindowIsMadeAgain) {
  widget->show();
  player->setURL(media.red(20));
  ASSERT_TRUE(waitForPicture(isRed));
  ASSERT_TRUE(waitForPlaying());
  ASSERT_TRUE(waitForPosition(1.0));
  const double before = player->currentPosition();
  widget->videoWindow().destroy();
  widget->videoWindow().show();
  ASSERT_TRUE(waitForPicture(isRed)) << "state " << player->playState();
  ASSERT_TRUE(waitForPlaying());
  EXPECT_TRUE(widget->rendering());
  EXPECT_GE(player->currentPosition(), before - 0.1);
}

// A window holding the video at (0, 0, 160, 120), as the main window holds the player.
class VideoInAWindow : public VideoWidgetTest {
 protected:
  void SetUp() override {
    VideoWidgetTest::SetUp();
    window.resize(200, 150);
    widget->setParent(&window);
    widget->setGeometry(0, 0, 160, 120);
    window.show();
    widget->show();
  }
  void TearDown() override {
    widget->setParent(nullptr);
    VideoWidgetTest::TearDown();
  }
  // A green panel over the left half of the video, stacked above it.
  QWidget* addPanel() {
    auto* panel = new QWidget(&window);
    panel->setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::green);
    panel->setPalette(palette);
    panel->setGeometry(0, 0, 80, 120);
    panel->show();
    return panel;
  }
  QWidget window;
};
using PICTURE_SUITE = VideoInAWindow;

bool isGreen(QRgb c) {
  return qGreen(c) > 200 && qRed(c) < 60 && qBlue(c) < 60;
}

TEST_F(PICTURE_SUITE, APictureOfTheWindowShowsTheFrame) {
  player->setURL(media.red(10));
  ASSERT_TRUE(waitForPicture(isRed));
  // What a screenshot of the player takes: the widgets' own painting, not the screen.
  const QImage picture = window.grab().toImage().scaled(window.size());
  EXPECT_TRUE(isRed(picture.pixel(80, 60))) << std::hex << picture.pixel(80, 60);
  EXPECT_TRUE(isRed(picture.pixel(10, 110)));
  EXPECT_FALSE(isRed(picture.pixel(180, 140)));  // the window around the video
}

TEST_F(PICTURE_SUITE, WidgetsAboveTheVideoStayVisible) {
  player->setURL(media.red(10));
  ASSERT_TRUE(waitForPicture(isRed));
  QWidget* panel = addPanel();
  const auto shows = [&](bool (*left)(QRgb)) {
    return pumpUntil(
        [&] {
          const QImage screen = onScreen();
          return !screen.isNull() && left(screen.pixel(40, 60)) && isRed(screen.pixel(120, 60));
        },
        3000);
  };
  EXPECT_TRUE(shows(isGreen));
  const QImage picture = window.grab().toImage().scaled(window.size());
  EXPECT_TRUE(isGreen(picture.pixel(40, 60)));
  EXPECT_TRUE(isRed(picture.pixel(120, 60)));
  // Moved away, hidden, or put under the video, the panel gives the picture back.
  panel->move(0, 120);
  EXPECT_TRUE(shows(isRed));
  panel->move(0, 0);
  EXPECT_TRUE(shows(isGreen));
  panel->hide();
  EXPECT_TRUE(shows(isRed));
  panel->show();
  EXPECT_TRUE(shows(isGreen));
  panel->lower();
  EXPECT_TRUE(shows(isRed));
  // All of the video covered: nothing of it is left on top.
  panel->raise();
  panel->setGeometry(window.rect());
  EXPECT_TRUE(pumpUntil([&] { return allPass(onScreen(), isGreen); }, 3000));
  panel->hide();
  EXPECT_TRUE(waitForPicture(isRed));
}

// A widget that draws through OpenGL (as the web engine's view does) joining the window makes
// Qt re-create the window's native window: the video goes on in it, and raising the widgets
// around it (which reaches into the embedded window) keeps working.
TEST_F(PICTURE_SUITE, VideoOutlivesTheWindowTurningToOpenGL) {
  player->setURL(media.red(20));
  ASSERT_TRUE(waitForPicture(isRed));
  ASSERT_TRUE(waitForPosition(0.5));
  const WId before = window.winId();
  auto* gl = new QOpenGLWidget(&window);
  gl->setGeometry(160, 0, 40, 40);
  gl->show();
  pumpFor(200);
  ASSERT_NE(window.winId(), before) << "the window was not made again; nothing was tested";
  widget->raise();
  gl->raise();
  EXPECT_EQ(widget->videoWindow().parent(), window.windowHandle());
  const double at = player->currentPosition();
  EXPECT_TRUE(waitForPicture(isRed));
  EXPECT_TRUE(waitForPosition(at + 0.5));
  // The panel logic follows the new container.
  QWidget* panel = addPanel();
  EXPECT_TRUE(pumpUntil(
      [&] {
        const QImage screen = onScreen();
        return !screen.isNull() && isGreen(screen.pixel(40, 60)) && isRed(screen.pixel(120, 60));
      },
      3000));
  delete panel;
}

using Call = std::tuple<std::string, int, int, int, int>;

class MouseTest : public VideoWidgetTest {
 protected:
  void SetUp() override {
    VideoWidgetTest::SetUp();
    auto record = [this](const char* name) {
      return [this, name](int b, int s, int x, int y) { calls.emplace_back(name, b, s, x, y); };
    };
    player->MouseDown.connect(record("MouseDown"));
    player->MouseMove.connect(record("MouseMove"));
    player->Click.connect(record("Click"));
    player->DoubleClick.connect(record("DoubleClick"));
    widget->show();
    pumpFor(100);
  }
  // Input reaches the widget through the native window's container, which covers all of it.
  void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
            Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* receiver = widget->childAt(at);
    if (!receiver) receiver = widget.get();  // outside the widget
    QMouseEvent event(type, QPointF(receiver->mapFrom(widget.get(), at)),
                      QPointF(widget->mapToGlobal(at)), button, buttons, mods);
    QApplication::sendEvent(receiver, &event);
  }
  std::vector<Call> calls;
};
using MOUSE_SUITE = MouseTest;

TEST_F(MOUSE_SUITE, PressAndReleaseIsMouseDownAndClick) {
  // (The engine's own output has its window shown only while there is a picture.)
  if (!kNativeOutput) {
    ASSERT_NE(widget->childAt(10, 20), nullptr);
  }
  send(QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  send(QEvent::MouseButtonRelease, {10, 20}, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
  EXPECT_EQ(calls, (std::vector<Call>{{"MouseDown", 1, 1, 10, 20}, {"Click", 1, 1, 10, 20}}));
}

// The pointer of the X server itself (XTest, a library the web engine brings along): input on
// the native video window must reach the widget around it, where the component's events come from.
class FakePointer {
 public:
  FakePointer() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    display_ = x11 ? x11->display() : nullptr;
    // Kept loaded: the extension leaves a hook in the display that runs when it is closed.
    xtst_ = dlopen("libXtst.so.6", RTLD_NOW | RTLD_NODELETE);
    x11lib_ = dlopen("libX11.so.6", RTLD_NOW | RTLD_NODELETE);
    if (xtst_ && x11lib_) {
      motion_ = reinterpret_cast<Motion>(dlsym(xtst_, "XTestFakeMotionEvent"));
      button_ = reinterpret_cast<Button>(dlsym(xtst_, "XTestFakeButtonEvent"));
      flush_ = reinterpret_cast<Flush>(dlsym(x11lib_, "XFlush"));
    }
  }
  FakePointer(const FakePointer&) = delete;
  FakePointer& operator=(const FakePointer&) = delete;
  bool ok() const { return display_ && motion_ && button_ && flush_; }
  void moveTo(QPoint native) {
    motion_(display_, -1, native.x(), native.y(), 0);
    flush_(display_);
  }
  void click(unsigned button) {
    button_(display_, button, 1, 0);
    button_(display_, button, 0, 0);
    flush_(display_);
  }

 private:
  using Motion = int (*)(void*, int, int, int, unsigned long);
  using Button = int (*)(void*, unsigned, int, unsigned long);
  using Flush = int (*)(void*);
  void* display_ = nullptr;
  void* xtst_ = nullptr;
  void* x11lib_ = nullptr;
  Motion motion_ = nullptr;
  Button button_ = nullptr;
  Flush flush_ = nullptr;
};

TEST_F(MOUSE_SUITE, ThePointerOverTheVideoReachesThePlayer) {
  FakePointer pointer;
  ASSERT_TRUE(pointer.ok());
  const qreal ratio = widget->devicePixelRatioF();
  const auto native = [&](QPoint at) { return widget->mapToGlobal(at) * ratio; };
  pointer.moveTo(native({30, 40}));
  ASSERT_TRUE(pumpUntil([&] { return !calls.empty(); }, 3000));
  EXPECT_EQ(calls.back(), (Call{"MouseMove", 0, 0, 30, 40}));
  calls.clear();
  pointer.click(3);  // the right button
  ASSERT_TRUE(pumpUntil([&] { return calls.size() >= 2; }, 3000));
  EXPECT_EQ(calls, (std::vector<Call>{{"MouseDown", 2, 0, 30, 40}, {"Click", 2, 0, 30, 40}}));
}

TEST_F(MOUSE_SUITE, RightButtonAndModifiers) {
  send(QEvent::MouseButtonPress, {50, 60}, Qt::RightButton, Qt::RightButton,
       Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(calls, (std::vector<Call>{{"MouseDown", 2, 6, 50, 60}}));
}

TEST_F(MOUSE_SUITE, MovesWithAndWithoutButtons) {
  send(QEvent::MouseMove, {30, 40}, Qt::NoButton, Qt::NoButton);
  send(QEvent::MouseMove, {31, 42}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(calls, (std::vector<Call>{{"MouseMove", 0, 0, 30, 40}, {"MouseMove", 1, 0, 31, 42}}));
}

TEST_F(MOUSE_SUITE, DoubleClickIsNotASecondClick) {
  send(QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {5, 6}, Qt::LeftButton, Qt::NoButton);
  send(QEvent::MouseButtonDblClick, {5, 6}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {5, 6}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(calls,
            (std::vector<Call>{
                {"MouseDown", 1, 0, 5, 6}, {"Click", 1, 0, 5, 6}, {"DoubleClick", 1, 0, 5, 6}}));
}

TEST_F(MOUSE_SUITE, ReleaseOutsideIsNoClick) {
  send(QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {500, 6}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(calls, (std::vector<Call>{{"MouseDown", 1, 0, 5, 6}}));
}

TEST_F(MOUSE_SUITE, ADisabledPlayerRaisesNoMouseEvents) {
  player->setEnabled(false);
  send(QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {5, 6}, Qt::LeftButton, Qt::NoButton);
  send(QEvent::MouseMove, {7, 8}, Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(calls.empty());
  player->setEnabled(true);
  send(QEvent::MouseMove, {7, 8}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(calls.size(), 1u);
}

}  // namespace
}  // namespace kv::test
