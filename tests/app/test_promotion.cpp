// The promotion window: slides, display time, the close button, pages, hover, entries and
// dragging; and the main window's timer that brings it back every 30 minutes.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/form1_rig.h"
#include "dialogs/form0.h"

using namespace kv;
using test::Form1Rig;

namespace {

constexpr float kScreenHeight = 768 * 15;
constexpr float kScreenWidth = 1024 * 15;
constexpr float kShownTop = kScreenHeight - 150 * 15;
constexpr std::int64_t kHalfHour = 30LL * 60 * 1000;

// The promotion window on a 1024 x 768 screen, with the pictures staged by the build.
struct PromotionRig : Form1Rig {
  dialogs::Form0 window{services, KORVELIN_STAGE};
  PromotionRig() {
    screen.height = kScreenHeight;
    screen.width = kScreenWidth;
  }
  // Shows the window and slides it fully in.
  void showFully() {
    window.Show();
    clock.advance(150);
  }
};

}  // namespace

TEST(Promotion, SlidesInOverOneHundredFiftyTicksStaysThirtySecondsAndSlidesOut) {
  PromotionRig rig;
  auto& w = rig.window;
  ASSERT_EQ(w.Height(), 150 * 15);
  w.Show();
  EXPECT_TRUE(w.topmost());
  EXPECT_EQ(w.Top(), kScreenHeight);
  EXPECT_EQ(w.Left(), kScreenWidth - w.Width());
  EXPECT_FALSE(w.Picture1.Visible());
  EXPECT_TRUE(w.Timer1.Enabled());

  rig.clock.advance(149);
  EXPECT_EQ(w.Top(), kScreenHeight - 149 * 15);
  EXPECT_TRUE(w.Timer1.Enabled());
  rig.clock.advance(1);
  EXPECT_EQ(w.Top(), kShownTop);  // bottom edge on the screen's bottom edge
  EXPECT_FALSE(w.Timer1.Enabled());
  EXPECT_TRUE(w.Timer3.Enabled());
  EXPECT_EQ(w.slideCount, 0);

  rig.clock.advance(29999);
  EXPECT_FALSE(w.Timer2.Enabled());
  rig.clock.advance(1);
  EXPECT_TRUE(w.Timer2.Enabled());
  EXPECT_FALSE(w.Timer3.Enabled());
  rig.clock.advance(149);
  EXPECT_EQ(w.Top(), kShownTop + 149 * 15);
  EXPECT_TRUE(w.loaded());
  rig.clock.advance(1);
  EXPECT_EQ(w.Top(), kScreenHeight);
  EXPECT_FALSE(w.loaded());
  EXPECT_EQ(w.slideCount, 0);
  EXPECT_EQ(rig.windows.calls.back(), "unloaded Form0");
  // A closed window does not tick any more.
  const std::size_t timers = rig.clock.activeTimers();
  rig.clock.advance(60000);
  EXPECT_EQ(rig.clock.activeTimers(), timers);
  EXPECT_EQ(w.Top(), kScreenHeight);
}

TEST(Promotion, TheCloseButtonStartsTheSlideOutAtOnce) {
  PromotionRig rig;
  auto& w = rig.window;
  rig.showFully();
  rig.clock.advance(5000);
  w.Image2.MouseMove.raise(0, 0, 1, 1);
  EXPECT_EQ(w.Image2.Picture(), w.Image8.Picture());
  w.Image2.Click.raise();
  EXPECT_EQ(w.Image2.Picture(), w.Image7.Picture());
  EXPECT_TRUE(w.Timer2.Enabled());
  EXPECT_TRUE(w.Timer3.Enabled());  // not stopped by the click
  rig.clock.advance(150);
  EXPECT_FALSE(w.loaded());
  EXPECT_FALSE(w.Timer3.Enabled());
}

TEST(Promotion, ACloseClickDuringTheSlideInSharesTheCounterAndEndsEarly) {
  PromotionRig rig;
  auto& w = rig.window;
  w.Show();
  rig.clock.advance(50);
  ASSERT_EQ(w.slideCount, 50);
  w.Image2.Click.raise();
  // Each millisecond both slides count: the slide-in reaches odd counts, the slide-out the
  // even ones, and the slide-out reaches its end first.
  rig.clock.advance(1);
  EXPECT_EQ(w.slideCount, 52);
  EXPECT_EQ(w.Top(), kShownTop + 52 * 15);
  rig.clock.advance(48);
  EXPECT_TRUE(w.loaded());
  rig.clock.advance(1);
  EXPECT_FALSE(w.loaded());
  EXPECT_FALSE(w.Timer1.Enabled());
  EXPECT_FALSE(w.Timer3.Enabled());
}

TEST(Promotion, TheNextPageButtonShowsEntriesFourAndFive) {
  PromotionRig rig;
  auto& w = rig.window;
  rig.showFully();
  EXPECT_TRUE(w.Frame1.Visible());
  EXPECT_FALSE(w.Frame2.Visible());
  w.Picture2.Click.raise();
  EXPECT_FALSE(w.Frame1.Visible());
  EXPECT_TRUE(w.Frame2.Visible());
  EXPECT_TRUE(w.Picture1.Visible());
  EXPECT_TRUE(w.Picture1.Enabled());
  EXPECT_FALSE(w.Picture2.Visible());
  EXPECT_FALSE(w.Picture2.Enabled());
  w.Picture1.Click.raise();
  EXPECT_TRUE(w.Frame1.Visible());
  EXPECT_FALSE(w.Frame2.Visible());
  EXPECT_FALSE(w.Picture1.Visible());
  EXPECT_FALSE(w.Picture1.Enabled());
  EXPECT_TRUE(w.Picture2.Visible());
  EXPECT_TRUE(w.Picture2.Enabled());
}

TEST(Promotion, EntriesLightUpUnderTheMouseAndThePageBackgroundResetsThem) {
  PromotionRig rig;
  auto& w = rig.window;
  rig.showFully();
  for (forms::PictureRef p : {w.Image3.Picture(), w.Image4.Picture(), w.Image5.Picture(),
                              w.Image6.Picture(), w.Image7.Picture(), w.Image8.Picture()})
    ASSERT_NE(p, nullptr) << "the build stages the pictures";
  forms::Label* entries[] = {&w.Label1, &w.Label2, &w.Label3, &w.Label4, &w.Label5};
  for (forms::Label* e : entries) {
    EXPECT_EQ(e->ForeColor(), dialogs::kEntryColour);
    EXPECT_TRUE(e->Caption().ends_with(">>>")) << e->Caption();
    e->MouseMove.raise(0, 0, 1, 1);
    EXPECT_EQ(e->ForeColor(), 3175665u);
  }
  w.Picture1.MouseMove.raise(0, 0, 1, 1);
  w.Picture2.MouseMove.raise(0, 0, 1, 1);
  w.Image2.MouseMove.raise(0, 0, 1, 1);
  EXPECT_EQ(w.Picture1.Picture(), w.Image4.Picture());
  EXPECT_EQ(w.Picture2.Picture(), w.Image6.Picture());

  w.Frame1.MouseMove.raise(0, 0, 1, 1);
  for (forms::Label* e : {&w.Label1, &w.Label2, &w.Label3})
    EXPECT_EQ(e->ForeColor(), dialogs::kEntryColour);
  for (forms::Label* e : {&w.Label4, &w.Label5}) EXPECT_EQ(e->ForeColor(), 3175665u);
  EXPECT_EQ(w.Picture1.Picture(), w.Image3.Picture());
  EXPECT_EQ(w.Picture2.Picture(), w.Image5.Picture());
  EXPECT_EQ(w.Image2.Picture(), w.Image7.Picture());
  w.Frame2.MouseMove.raise(0, 0, 1, 1);
  for (forms::Label* e : {&w.Label4, &w.Label5}) EXPECT_EQ(e->ForeColor(), dialogs::kEntryColour);

  w.Image2.MouseMove.raise(0, 0, 1, 1);
  w.Image1.MouseMove.raise(0, 0, 1, 1);
  EXPECT_EQ(w.Image2.Picture(), w.Image7.Picture());
}

TEST(Promotion, EntriesOpenOurLocalPagesAndTheWindowStays) {
  PromotionRig rig;
  auto& w = rig.window;
  rig.showFully();
  w.Label3.Click.raise();
  EXPECT_EQ(rig.shell.urls,
            std::vector<std::string>{localPageUrl(std::string(KORVELIN_STAGE) + "/news.htm")});
  rig.shell.succeed = false;  // no handler for the page on this desktop
  w.Label1.Click.raise();
  w.Label2.Click.raise();
  w.Label4.Click.raise();
  w.Label5.Click.raise();
  ASSERT_EQ(rig.shell.urls.size(), 5u);
  for (const std::string& url : rig.shell.urls) {
    EXPECT_TRUE(url.starts_with("file://")) << url;
    // Every page opened is one the build staged.
    const std::string path = url.substr(7);
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
  }
  EXPECT_TRUE(w.loaded());
  EXPECT_FALSE(w.Timer2.Enabled());
}

TEST(Promotion, PressingOnTheWindowDragsIt) {
  PromotionRig rig;
  rig.showFully();
  rig.window.MouseDown.raise(1, 0, 10, 10);
  rig.window.Image1.MouseDown.raise(1, 0, 10, 10);
  EXPECT_EQ(std::count(rig.windows.calls.begin(), rig.windows.calls.end(), "move Form0"), 2);
}

TEST(Promotion, AScreenLowerThanTheWindowStillEndsTheSlides) {
  PromotionRig rig;
  rig.screen.height = 100 * 15;
  rig.showFully();
  EXPECT_EQ(rig.window.Top(), 100 * 15 - 150 * 15);
  EXPECT_TRUE(rig.window.Timer3.Enabled());
  rig.clock.advance(30000 + 150);
  EXPECT_FALSE(rig.window.loaded());
}

TEST(Promotion, TheMainWindowShowsItEveryThirtyMinutesOnPageOne) {
  Form1Rig rig;
  rig.screen.height = kScreenHeight;
  auto& form = rig.start();
  const auto shows = [&] {
    return std::count(rig.windows.calls.begin(), rig.windows.calls.end(), "shown Form0");
  };
  rig.clock.advance(kHalfHour - 1);
  EXPECT_EQ(form.promotion(), nullptr);
  rig.clock.advance(1);
  ASSERT_NE(form.promotion(), nullptr);
  EXPECT_EQ(shows(), 1);
  EXPECT_EQ(form.promotion()->Top(), kScreenHeight);
  EXPECT_EQ(form.promotionDue, rig.clock.now() + kHalfHour);
  EXPECT_TRUE(form.Timer12.Enabled());
  EXPECT_EQ(form.Timer12.Interval(), 500);
  form.promotion()->Picture2.Click.raise();

  rig.clock.advance(31000);
  EXPECT_FALSE(form.promotion()->loaded());
  rig.clock.advance(kHalfHour - 31000);
  EXPECT_EQ(shows(), 2);
  EXPECT_TRUE(form.promotion()->Frame1.Visible());
  EXPECT_FALSE(form.promotion()->Frame2.Visible());
  rig.clock.advance(kHalfHour);
  EXPECT_EQ(shows(), 3);
}
