// The component that picks the engine per movie: our own movies on the native runtime, users'
// movies on Ruffle, the native runtime when Ruffle cannot run.

#include <gtest/gtest.h>

#include <QLabel>
#include <QQuickWindow>
#include <QStackedWidget>
#include <QWindow>
#include <memory>

#include "media/flash/resource_movies.h"
#include "media/flash/ruffle/flash_component.h"
#include "media/flash/ruffle/flash_surface.h"
#include "platform/errors.h"
#include "platform/host/host_services.h"
#include "ruffle_test_util.h"

namespace kv::media::test {
namespace {

using ruffle::FlashComponent;
using ruffle::FlashEngine;

class FlashComponentTest : public ::testing::Test {
 protected:
  void make(const std::string& dirOfRuffle) {
    component = std::make_unique<FlashComponent>(clock, native,
                                                 ruffle::RuffleFlashPlayer::Options{dirOfRuffle});
    component->FSCommand.connect(
        [this](const std::string& c, const std::string& a) { commands.emplace_back(c, a); });
    component->setNativePage(nativePage);  // the stack owns it from here
    component->widget()->resize(320, 240);
    component->widget()->show();
  }
  QWidget* shown() const {
    return static_cast<QStackedWidget*>(component->widget())->currentWidget();
  }

  host::HostClock clock;
  FlashRuntime native{clock};
  TempDir dir;
  QWidget* nativePage = new QWidget;
  std::unique_ptr<FlashComponent> component;
  std::vector<std::pair<std::string, std::string>> commands;
};

TEST_F(FlashComponentTest, OurMoviesStayNativeAndUsersMoviesGoToRuffle) {
  make(ruffleDir());
  // The idle movie under another name: recognised by its marker.
  const std::string idle = dir.write("anything.swf", idleMovieBytes());
  component->setMovie(idle);
  EXPECT_EQ(component->engine(), FlashEngine::Native);
  EXPECT_EQ(component->Movie(), idle);
  EXPECT_TRUE(component->IsPlaying());             // the idle movie keeps playing
  EXPECT_EQ(component->ruffle().view(), nullptr);  // no page for our own movies
  EXPECT_EQ(shown(), nativePage);

  const std::string users = dir.write("cartoon.swf", buildMovie({}));
  component->setMovie(users);
  EXPECT_EQ(component->engine(), FlashEngine::Ruffle);
  EXPECT_EQ(component->Movie(), users);
  EXPECT_FALSE(native.hasMovie());
  ASSERT_NE(component->ruffle().view(), nullptr);
  EXPECT_EQ(shown(), component->ruffle().view());
  EXPECT_EQ(component->TotalFrames(), 20);
  ASSERT_TRUE(pumpUntil([&] { return !commands.empty(); }));
  EXPECT_EQ(commands.front(), std::make_pair(std::string("hello"), std::string("world")));
  EXPECT_TRUE(waitForColour(component->widget(), 90, 80, kRed));

  const std::string player = dir.write("p.swf", playerMovieBytes());
  component->setMovie(player);
  EXPECT_EQ(component->engine(), FlashEngine::Native);
  EXPECT_TRUE(native.isPlayerMovie());
  EXPECT_FALSE(component->ruffle().hasMovie());
  EXPECT_EQ(shown(), nativePage);
  component->SetVariable("testVar2", "vbpause");  // reaches the native player movie
  EXPECT_EQ(component->GetVariable("curent1"), "0");
}

TEST_F(FlashComponentTest, TheNativeRuntimeOutlivesTheComponentSafely) {
  make(ruffleDir());
  component.reset();
  nativePage = nullptr;  // went with the component's widget
  // The native runtime reaches frame 3's fscommand with nobody left to tell.
  native.setMovie(dir.write("a.swf", buildMovie({})));
  ASSERT_TRUE(pumpUntil([&] { return native.FrameNum() >= 3; }));
  EXPECT_TRUE(commands.empty());
}

TEST_F(FlashComponentTest, UnreadableFilesLeaveTheComponentEmpty) {
  make(ruffleDir());
  const std::string bad = dir.write("bad.swf", {'x'});
  component->setMovie(bad);
  EXPECT_EQ(component->engine(), FlashEngine::Native);
  EXPECT_EQ(component->Movie(), bad);
  EXPECT_EQ(component->TotalFrames(), 0);
  EXPECT_FALSE(component->IsPlaying());
}

TEST_F(FlashComponentTest, WithoutRuffleTheNativeRuntimeTakesUsersMoviesAndSaysSoOnce) {
  TempDir empty;
  make(empty.path());
  testing::internal::CaptureStderr();
  component->setMovie(dir.write("a.swf", buildMovie({})));
  component->setMovie(dir.write("b.swf", buildMovie({})));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(component->engine(), FlashEngine::Native);
  EXPECT_TRUE(native.hasMovie());
  EXPECT_EQ(component->TotalFrames(), 20);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("native runtime"), std::string::npos) << err;
  EXPECT_NE(err.find("missing"), std::string::npos) << err;
  EXPECT_EQ(component->ruffle().view(), nullptr);
}

TEST_F(FlashComponentTest, WhenTheEngineFailsToStartTheMovieMovesToTheNativeRuntime) {
  TempDir broken;  // files present, but the script cannot start the engine
  broken.write("ruffle.js", {'t', 'h', 'r', 'o', 'w', ' ', '1', ';'});
  broken.write("x.wasm", {0});
  make(broken.path());
  testing::internal::CaptureStderr();
  const std::string path = dir.write("a.swf", buildMovie({}));
  component->setMovie(path);
  EXPECT_EQ(component->engine(), FlashEngine::Ruffle);
  const bool moved = pumpUntil([&] { return component->engine() == FlashEngine::Native; });
  const std::string err = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(moved);
  EXPECT_EQ(native.Movie(), path);
  EXPECT_EQ(component->TotalFrames(), 20);
  EXPECT_EQ(shown(), nativePage);
  EXPECT_NE(err.find("native runtime"), std::string::npos) << err;
  EXPECT_FALSE(component->ruffle().available());
  // The next user movie goes straight to the native runtime.
  component->setMovie(dir.write("b.swf", buildMovie({})));
  EXPECT_EQ(component->engine(), FlashEngine::Native);
}

TEST_F(FlashComponentTest, ScaleModeIsCheckedAndKeptAcrossEngines) {
  make(ruffleDir());
  component->setScaleMode(2);
  EXPECT_THROW(component->setScaleMode(7), kv::ComponentError);
  EXPECT_EQ(component->ScaleMode(), 2);
  EXPECT_EQ(native.ScaleMode(), 2);
  EXPECT_EQ(component->ruffle().ScaleMode(), 2);
}

}  // namespace
}  // namespace kv::media::test

namespace kv::media::test {
namespace {

// Real movies of the test data drawn in the component's widget: more than the background.
// With KORVELIN_TEST_SCREENSHOTS=<folder> the pictures are saved there to look at.
TEST_F(FlashComponentTest, TheWidgetShowsRealMoviesDrawn) {
  if (!haveTestData()) GTEST_SKIP() << "no shared SWF test data";
  make(ruffleDir());
  component->widget()->resize(550, 400);
  const char* names[] = {"DefineShape4.swf", "DefineMorphShape2-GradientFlags.swf",
                         "DefineButton2-CS6.swf"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    component->setMovie((testDataDir() / "parser" / name).string());
    ASSERT_EQ(component->engine(), FlashEngine::Ruffle);
    ASSERT_TRUE(pumpUntil([&] { return component->ruffle().painted(); }));
    // Drawn: the picture holds more than one colour.
    ASSERT_TRUE(pumpUntil([&] {
      const QImage image = picture(component->widget());
      for (int y = 0; y < image.height(); y += 10)
        for (int x = 0; x < image.width(); x += 10)
          if (image.pixel(x, y) != image.pixel(0, 0)) return true;
      return false;
    }));
    if (const char* folder = std::getenv("KORVELIN_TEST_SCREENSHOTS"))
      picture(component->widget()).save(QString("%1/%2.png").arg(folder, name));
  }
}

// The page draws in a native window of its own: the window around it stays on the raster
// backing store (repainting a label does not compose the whole window through OpenGL), and a
// widget stacked above the movie is cut out of the page's window.
TEST_F(FlashComponentTest, TheMovieLeavesTheWindowRasterAndWidgetsAboveItVisible) {
  make(ruffleDir());
  QWidget window;
  window.resize(320, 240);
  component->widget()->setParent(&window);
  component->widget()->setGeometry(0, 0, 320, 240);
  QLabel above("above the movie", &window);
  above.setGeometry(0, 0, 100, 50);
  above.setAutoFillBackground(true);
  window.show();
  component->setMovie(dir.write("cartoon.swf", buildMovie({})));
  ASSERT_EQ(component->engine(), FlashEngine::Ruffle);
  ASSERT_TRUE(pumpUntil([&] { return component->ruffle().painted(); }));
  above.raise();
  above.setText("repainted");

  ASSERT_NE(window.windowHandle(), nullptr);
  EXPECT_EQ(window.windowHandle()->surfaceType(), QSurface::RasterSurface);
  auto* surface = qobject_cast<ruffle::FlashSurface*>(component->ruffle().view());
  ASSERT_NE(surface, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return !surface->window().mask().isEmpty(); }));
  EXPECT_FALSE(surface->window().mask().contains(QPoint(50, 25)));  // the label
  EXPECT_TRUE(surface->window().mask().contains(QPoint(200, 150)));
  component->widget()->setParent(nullptr);
}

}  // namespace
}  // namespace kv::media::test
