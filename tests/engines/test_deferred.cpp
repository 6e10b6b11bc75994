// The components the main window holds before their engines are loaded: what they report
// meanwhile, what reaches the engine once it is there, and a module that cannot be loaded.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "doubles/fake_components.h"
#include "engines/deferred_player.h"
#include "engines/deferred_web_page.h"
#include "media/player/frame_preview.h"
#include "platform/errors.h"

using namespace kv;
using namespace kv::engines;

namespace {

class FakePlayerEngine final : public PlayerEngine {
 public:
  explicit FakePlayerEngine(std::shared_ptr<test::CallLog> log) : fake_("engine", log) {}
  media::MediaPlayer& player() override { return fake_; }
  QWidget* createPicture(QWidget*) override { return nullptr; }
  test::FakeMediaPlayer& fake() { return fake_; }

 private:
  test::FakeMediaPlayer fake_;
};

class FakeMediaModule final : public MediaModule {
 public:
  std::shared_ptr<test::CallLog> log = std::make_shared<test::CallLog>();
  std::vector<FakePlayerEngine*> made;
  std::unique_ptr<PlayerEngine> createPlayer(bool withPicture) override {
    log->push_back(withPicture ? "made with picture" : "made without picture");
    auto engine = std::make_unique<FakePlayerEngine>(log);
    made.push_back(engine.get());
    return engine;
  }
  std::unique_ptr<media::FramePreview> createPreview() override { return nullptr; }
  int probe(const std::vector<std::string>&, std::ostream&) override { return 0; }
};

class FakeWebEngine final : public WebEngine {
 public:
  test::FakeWebPage fake{"web"};
  media::WebPage& page() override { return fake; }
  void setHost(QWidget*) override {}
};

class FakeWebModule final : public WebModule {
 public:
  std::unique_ptr<FlashMovieEngine> createFlash(Clock&, media::FlashRuntime&,
                                                const std::string&) override {
    return nullptr;
  }
  int made = 0;
  FakeWebEngine* last = nullptr;
  std::unique_ptr<WebEngine> createWebPage() override {
    ++made;
    auto e = std::make_unique<FakeWebEngine>();
    last = e.get();
    return e;
  }
};

}  // namespace

TEST(DeferredPlayer, ActsAsAPlayerOpeningItsFileUntilTheEngineComes) {
  FakeMediaModule module;
  Engines engines(&module, nullptr);
  DeferredPlayer player(engines, true);
  std::vector<int> states;
  player.PlayStateChange.connect([&](int s) { states.push_back(s); });

  EXPECT_EQ(player.playState(), media::kUndefined);
  player.setVolume(140);
  player.setBalance(-30);
  player.setMute(true);
  player.setURL("/media/clip.mp4");
  player.pause();
  EXPECT_EQ(player.playState(), media::kTransitioning);
  EXPECT_EQ(player.URL(), "/media/clip.mp4");
  EXPECT_EQ(player.volume(), 100);
  EXPECT_EQ(player.currentPositionString(), "00:00");
  EXPECT_THROW(player.currentPosition(), ComponentError);
  EXPECT_THROW(player.setCurrentPosition(3), ComponentError);
  EXPECT_TRUE(module.log->empty()) << "nothing is made before loading is allowed";

  engines.allowLoading();
  ASSERT_EQ(module.made.size(), 1u);
  EXPECT_EQ(*module.log, (test::CallLog{"made with picture", "engine.settings.volume=100",
                                        "engine.settings.mute=true", "engine.settings.balance=-30",
                                        "engine.enabled=true", "engine.URL=/media/clip.mp4",
                                        "engine.controls.pause"}));
  // From now on the engine answers, and its events are the component's.
  module.made[0]->fake().report(media::kPaused);
  EXPECT_EQ(player.playState(), media::kPaused);
  int clicks = 0;
  player.Click.connect([&](int, int, int x, int) { clicks += x; });
  module.made[0]->fake().Click.raise(1, 0, 7, 9);
  EXPECT_EQ(clicks, 7);
  EXPECT_EQ(states, (std::vector<int>{media::kTransitioning, media::kPaused}));
}

TEST(DeferredPlayer, ClosedOrStoppedBeforeTheEngineCame) {
  FakeMediaModule module;
  Engines engines(&module, nullptr);
  DeferredPlayer closed(engines, false), stopped(engines, false);
  closed.setURL("/a.mp3");
  closed.close();
  stopped.setURL("/b.mp3");
  stopped.stop();
  EXPECT_EQ(closed.playState(), media::kUndefined);
  EXPECT_EQ(stopped.playState(), media::kStopped);
  engines.allowLoading();
  EXPECT_EQ(
      module.made[0]->fake().calls,
      (std::vector<std::string>{"settings.volume=100", "settings.mute=false", "enabled=true"}))
      << "settings only, no file";
  EXPECT_EQ(module.made[1]->fake().lastCall(), "controls.stop");
}

TEST(DeferredPlayer, WithoutAnEngineAFileCannotBePlayed) {
  Engines engines(nullptr, nullptr);  // the module cannot be loaded
  DeferredPlayer player(engines, true);
  bool ranReady = false;
  player.whenReady([&](PlayerEngine&) { ranReady = true; });
  player.setURL("/clip.mp4");
  engines.allowLoading();
  EXPECT_EQ(player.playState(), media::kReady);
  player.play();  // nothing to do, no failure
  EXPECT_FALSE(ranReady);
  EXPECT_EQ(player.engine(), nullptr);
}

// An idle player costs nothing: neither the module nor an engine is made until a player is
// given a file; then at once, with what it was told meanwhile.
TEST(DeferredPlayer, OnlyAPlayerGivenAFileMakesItsEngine) {
  FakeMediaModule module;
  Engines engines(&module, nullptr);
  int prepared = 0;
  engines.setBeforeFirstLoad([&] { ++prepared; });
  engines.allowLoading();
  DeferredPlayer idle(engines, false), player(engines, false);
  player.setVolume(30);
  idle.setURL("");  // no file
  EXPECT_FALSE(engines.mediaTried());
  EXPECT_EQ(prepared, 0);
  EXPECT_EQ(player.playState(), media::kUndefined);

  player.setURL("/x.wav");
  EXPECT_EQ(prepared, 1);
  ASSERT_EQ(module.made.size(), 1u) << "the idle player made none";
  EXPECT_EQ(module.made[0]->fake().calls,
            (std::vector<std::string>{"settings.volume=30", "settings.mute=false", "enabled=true",
                                      "URL=/x.wav"}));
  EXPECT_EQ(idle.engine(), nullptr);
  idle.setURL("/y.wav");
  EXPECT_EQ(module.made.size(), 2u);
  EXPECT_EQ(prepared, 1) << "prepared once, before the first module";
}

TEST(DeferredWebPage, TheBrowserStartsOnlyForAPageOnScreen) {
  FakeWebModule module;
  Engines engines(nullptr, &module);
  DeferredWebPage page(engines);

  page.setShown(true);
  page.Navigate("https://example.org/a");
  page.setShown(false);  // hidden again before the window was painted
  engines.allowLoading();
  EXPECT_EQ(module.made, 0);

  page.setShown(true);
  ASSERT_EQ(module.made, 1);
  EXPECT_EQ(module.last->fake.calls, (std::vector<std::string>{"Navigate(https://example.org/a)"}));
}

TEST(DeferredWebPage, StopOrQuitBeforeTheEngineForgetThePage) {
  FakeWebModule module;
  Engines engines(nullptr, &module);
  DeferredWebPage page(engines);
  page.Navigate("https://example.org/a");
  page.Quit();
  engines.allowLoading();
  EXPECT_EQ(module.made, 0);
}

TEST(Engines, AMissingModuleIsReportedAndLeavesTheComponentsEmpty) {
  Engines engines("/nonexistent-folder");
  std::vector<bool> loaded;
  engines.MediaLoaded.connect([&](MediaModule* m) { loaded.push_back(m != nullptr); });
  EXPECT_EQ(engines.media(), nullptr);
  engines.allowLoading();
  EXPECT_TRUE(loaded.empty()) << "nothing is loaded before it is wanted";
  engines.wantMedia();
  EXPECT_EQ(loaded, (std::vector<bool>{false}));
  EXPECT_NE(engines.error().find("korvelin-media.so"), std::string::npos) << engines.error();
}

TEST(Engines, ARefusedWebModuleIsNeverLoadedAndItsPageStaysEmpty) {
  FakeWebModule module;
  Engines engines(nullptr, &module);
  engines.setBeforeFirstLoad([&] { engines.refuseWeb("no OpenGL"); });
  DeferredWebPage page(engines);
  page.setShown(true);
  page.Navigate("https://example.org/a");
  engines.allowLoading();
  EXPECT_EQ(module.made, 0);
  EXPECT_EQ(engines.error(), "no OpenGL");
  EXPECT_THROW(page.Navigate("https://example.org/b"), ComponentError);
}
