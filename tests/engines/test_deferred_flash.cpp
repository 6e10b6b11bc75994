// The Flash component before and after Ruffle is there: which movies load the browser engine,
// what the Ruffle component is handed, and the native runtime keeping the movies when Ruffle
// cannot run.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "doubles/fake_components.h"
#include "engines/deferred_flash.h"
#include "media/flash/resource_movies.h"
#include "media/flash/swf_writer.h"
#include "platform/clock.h"

using namespace kv;
using namespace kv::engines;
namespace fs = std::filesystem;
namespace swf = kv::media::swf;

namespace {

class FakeFlashEngine final : public FlashMovieEngine {
 public:
  explicit FakeFlashEngine(media::FlashRuntime& native) : nativeMovieAtStart(native.Movie()) {}
  media::FlashPlayer& player() override { return fake; }
  QWidget* widget() override { return nullptr; }
  void setNativePage(QWidget*) override {}
  test::FakeFlashPlayer fake{"ruffle"};
  std::string nativeMovieAtStart;
};

class FlashModule final : public WebModule {
 public:
  int flashMade = 0;
  FakeFlashEngine* last = nullptr;
  std::string ruffleDir;
  std::unique_ptr<WebEngine> createWebPage() override { return nullptr; }
  std::unique_ptr<FlashMovieEngine> createFlash(Clock&, media::FlashRuntime& native,
                                                const std::string& dir) override {
    ++flashMade;
    ruffleDir = dir;
    auto e = std::make_unique<FakeFlashEngine>(native);
    last = e.get();
    return e;
  }
};

class DeferredFlashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("kv_deferred_flash_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "ruffle");
    for (const char* f : {"ruffle.js", "ruffle.wasm"})  // what the presence check looks for
      std::ofstream(dir_ / "ruffle" / f) << "x";
    write("cartoon.swf", swf::Writer(8, 320, 240, 12).showFrame().showFrame().end().build());
    write("0.swf", media::idleMovieBytes());
    write("broken.swf", {'F', 'W', 'S', 8, 1, 2});
  }
  void TearDown() override { fs::remove_all(dir_); }
  void write(const std::string& name, const swf::Bytes& bytes) {
    std::ofstream(dir_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  std::string ruffleDir() const { return path("ruffle"); }

  fs::path dir_;
  VirtualClock clock_;
  media::FlashRuntime native_{clock_};
};

TEST_F(DeferredFlashTest, OurOwnAndUnreadableMoviesNeverLoadTheBrowserEngine) {
  FlashModule module;
  Engines engines(nullptr, &module);
  engines.allowLoading();
  DeferredFlash flash(engines, clock_, native_, ruffleDir());
  for (const char* movie : {"0.swf", "broken.swf", "missing.swf"}) {
    SCOPED_TRACE(movie);
    flash.setMovie(path(movie));
    EXPECT_FALSE(engines.webTried());
    EXPECT_EQ(flash.Movie(), native_.Movie());
  }
  EXPECT_EQ(module.flashMade, 0);
}

TEST_F(DeferredFlashTest, AUsersMovieMovesToRuffleWithTheScaleModeOnceTheEngineIsLoaded) {
  FlashModule module;
  Engines engines(nullptr, &module);
  DeferredFlash flash(engines, clock_, native_, ruffleDir());
  std::vector<std::string> commands;
  flash.FSCommand.connect(
      [&](const std::string& c, const std::string& a) { commands.push_back(c + ":" + a); });
  flash.setScaleMode(2);
  flash.setMovie(path("cartoon.swf"));
  // Before the window is painted nothing is loaded: the native runtime stands in.
  EXPECT_FALSE(engines.webTried());
  EXPECT_EQ(native_.Movie(), path("cartoon.swf"));
  EXPECT_EQ(flash.TotalFrames(), 2);
  native_.FSCommand.raise("early", "1");

  std::vector<std::string> ready;
  flash.whenReady([&](FlashMovieEngine&) { ready.push_back("ready"); });
  engines.allowLoading();
  ASSERT_EQ(module.flashMade, 1);
  EXPECT_EQ(module.ruffleDir, ruffleDir());
  EXPECT_EQ(ready.size(), 1u);
  test::FakeFlashPlayer& ruffle = module.last->fake;
  EXPECT_EQ(ruffle.scale, 2);
  EXPECT_EQ(ruffle.movie, path("cartoon.swf"));

  // From now on every call and event is the Ruffle component's; the native runtime's own
  // commands reach the program through it, not twice.
  flash.setMovie(path("0.swf"));
  EXPECT_EQ(ruffle.movie, path("0.swf"));
  flash.GotoFrame(1);
  EXPECT_EQ(flash.FrameNum(), ruffle.FrameNum());
  ruffle.FSCommand.raise("oknext", "");
  native_.FSCommand.raise("late", "2");
  EXPECT_EQ(commands, (std::vector<std::string>{"early:1", "oknext:"}));
  EXPECT_EQ(module.flashMade, 1);
}

TEST_F(DeferredFlashTest, WithoutRuffleTheNativeRuntimeKeepsEveryMovie) {
  struct Case {
    const char* name;
    bool ruffleFiles;
    bool moduleLoads;
  };
  for (const Case c : {Case{"module fails", true, false}, Case{"files missing", false, true}}) {
    SCOPED_TRACE(c.name);
    if (!c.ruffleFiles) fs::remove_all(dir_ / "ruffle");
    FlashModule module;
    Engines engines(nullptr, c.moduleLoads ? &module : nullptr);
    engines.allowLoading();
    DeferredFlash flash(engines, clock_, native_, ruffleDir());
    bool ready = false;
    flash.whenReady([&](FlashMovieEngine&) { ready = true; });
    testing::internal::CaptureStderr();
    flash.setMovie(path("cartoon.swf"));
    flash.setMovie(path("cartoon.swf"));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find("native runtime"), said.rfind("native runtime")) << "said once: " << said;
    EXPECT_NE(said.find("native runtime"), std::string::npos);
    EXPECT_EQ(c.ruffleFiles, engines.webTried());
    EXPECT_FALSE(ready);
    EXPECT_EQ(flash.Movie(), path("cartoon.swf"));
    EXPECT_EQ(flash.TotalFrames(), 2);
    EXPECT_EQ(module.flashMade, 0);
  }
}

}  // namespace
