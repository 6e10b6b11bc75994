// Display modes, the full-screen toggle of the double click and the keys, zoom, the maximise
// and restore buttons and the cursor-hide timer.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "app/playback_rig.h"
#include "window/keys.h"

using namespace kv;
using kv::test::PlaybackRig;

namespace {

struct Box {
  float left, top, width, height;
  bool operator==(const Box&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Box& b) {
  return os << "(" << b.left << ", " << b.top << ") " << b.width << " x " << b.height;
}
Box boxOf(const forms::Control& c) {
  return {c.Left(), c.Top(), c.Width(), c.Height()};
}

std::string modeMarks(app::Form1& f) {
  std::string marks;
  for (forms::MenuItem* item : {&f.BUT2, &f.BUT0, &f.BUT1, &f.BUT17})
    if (item->Checked()) marks += (marks.empty() ? "" : " ") + item->name();
  return marks;
}

const std::map<std::string, std::function<void(app::Form1&, PlaybackRig&)>> kActions = {
    {"theatre", [](app::Form1& f, PlaybackRig&) { f.BUT0.Click.raise(); }},
    {"full", [](app::Form1& f, PlaybackRig&) { f.BUT1.Click.raise(); }},
    {"stretch", [](app::Form1& f, PlaybackRig&) { f.BUT17.Click.raise(); }},
    {"native", [](app::Form1& f, PlaybackRig&) { f.BUT2.Click.raise(); }},
    {"maximise", [](app::Form1& f, PlaybackRig&) { f.Image16.Click.raise(); }},
    {"dblclick", [](app::Form1&, PlaybackRig& r) { r.player1.DoubleClick.raise(1, 0, 9, 9); }},
    {"F", [](app::Form1& f, PlaybackRig&) { f.Form_KeyDown(window::kKeyF, 0); }},
    {"Enter", [](app::Form1& f, PlaybackRig&) { f.Form_KeyDown(window::kKeyReturn, 0); }},
    {"Escape", [](app::Form1& f, PlaybackRig&) { f.Form_KeyDown(window::kKeyEscape, 0); }},
};

}  // namespace

TEST(DisplayModes, Transitions) {
  constexpr float kNative = -1;  // the player in the normal window: 120, 645, W - 240, H - 1620
  struct Case {
    std::vector<std::string> actions;
    const char* marks;
    int state;
    Box player;
    float screenWidth = 19200, screenHeight = 15360;
  };
  const Box native{kNative, 0, 0, 0};
  const Box theatre{120, 645, 18960, 13710}, full{0, 0, 19200, 15360};
  for (const Case& c : {
           Case{{"theatre"}, "BUT0", forms::kMaximized, theatre},
           Case{{"full"}, "BUT1", forms::kMaximized, full},
           Case{
               {"stretch"}, "BUT17", forms::kMaximized, {-1920, -1440, 23040, 17280}, 19200, 14400},
           Case{{"theatre", "theatre"}, "BUT2", forms::kNormal, native},
           Case{{"theatre", "full"}, "BUT1", forms::kMaximized, full},
           Case{{"full", "stretch", "native"}, "BUT2", forms::kNormal, native},
           Case{{"theatre"}, "BUT0", forms::kMaximized, {120, 645, 11760, 7350}, 12000, 9000},
           Case{{"full"}, "BUT1", forms::kMaximized, {0, 0, 12000, 9000}, 12000, 9000},
           Case{{"dblclick"}, "BUT1", forms::kMaximized, full},
           Case{{"dblclick", "dblclick"}, "BUT2", forms::kNormal, native},
           Case{{"theatre", "dblclick"}, "BUT2", forms::kNormal, native},
           Case{{"maximise", "dblclick"}, "BUT1", forms::kMaximized, full},
           Case{{"F", "Enter"}, "BUT2", forms::kNormal, native},
           Case{{"stretch", "Escape"}, "BUT2", forms::kNormal, native},
           Case{{"maximise", "Escape"}, "BUT2", forms::kMaximized, {}},
       }) {
    std::string trace;
    for (const auto& a : c.actions) trace += a + " ";
    SCOPED_TRACE(trace + std::to_string(c.screenWidth));
    PlaybackRig rig;
    rig.screen.width = c.screenWidth;
    rig.screen.height = c.screenHeight;
    auto& f = rig.startWith({});
    const Box normal = boxOf(f);
    Box afterFirst{};
    for (const auto& a : c.actions) {
      kActions.at(a)(f, rig);
      if (&a == &c.actions.front()) afterFirst = boxOf(f.WindowsMediaPlayer1);
    }

    EXPECT_EQ(modeMarks(f), c.marks);
    EXPECT_EQ(f.WindowState(), c.state);
    const bool filling = c.marks != std::string("BUT2");
    for (forms::PictureBox* skin : {&f.Picture2, &f.Picture3, &f.Picture4, &f.Picture5})
      EXPECT_EQ(skin->Visible(), !filling) << skin->name();
    EXPECT_FALSE(f.Frame1.Visible());
    EXPECT_EQ(f.Image19.Visible(), c.state == forms::kMaximized);
    EXPECT_EQ(f.Image16.Visible(), c.state != forms::kMaximized);
    if (filling) {
      EXPECT_TRUE(f.Timer3.Enabled());
    }
    const Box expected = c.player.left == kNative
                             ? Box{120, 645, normal.width - 240, normal.height - 1620}
                         : c.player == Box{} ? afterFirst  // native size did nothing
                                             : c.player;
    EXPECT_EQ(boxOf(f.WindowsMediaPlayer1), expected);
    if (c.state == forms::kNormal) {
      EXPECT_EQ(boxOf(f), normal);
    }
  }
}

TEST(DisplayModes, TheRestoreButtonAndTheCursorTimer) {
  struct Case {
    const char* name;
    bool armed;
  };
  for (const Case& c : {Case{"clip.flv", false}, Case{"clip.FLV", true}, Case{"clip.avi", true}}) {
    SCOPED_TRACE(c.name);
    PlaybackRig rig;
    auto& f = rig.startWith({c.name});
    rig.click(0);
    rig.cursor.count = -1;
    f.Image16.Click.raise();
    // Shown by the handler (and once more by the layout of the maximised window).
    const int shown = rig.cursor.count;
    EXPECT_GE(shown, 0);
    EXPECT_EQ(f.Timer3.Enabled(), c.armed);
    rig.clock.advance(11999);
    EXPECT_EQ(rig.cursor.count, shown);
    rig.clock.advance(60000);
    if (c.armed) {
      EXPECT_LT(rig.cursor.count, 0) << "hidden after 12 s";
    } else {
      EXPECT_EQ(rig.cursor.count, shown);
    }
    f.Timer3.setEnabled(true);
    f.Image19.Click.raise();
    EXPECT_EQ(f.WindowState(), forms::kNormal);
    EXPECT_TRUE(f.Image16.Visible());
    EXPECT_FALSE(f.Image19.Visible());
    EXPECT_FALSE(f.Timer3.Enabled());
    EXPECT_GE(rig.cursor.count, 0);
  }
}

TEST(Zoom, ShareOfTheComponentAreaCentredOnTheWindow) {
  struct Case {
    int item;
    float height;  // of the normal window, 9600 wide
    Box player;
  };
  for (const Case& c :
       {Case{0, 7200, {2460, 2212.5f, 4680, 2775}}, Case{1, 7200, {120, 645, 9360, 5550}},
        Case{2, 7200, {-2220, -562.5f, 14040, 8325}}, Case{3, 7200, {-4560, -1950, 18720, 11100}},
        Case{1, 1600, {120, 645, 9360, -1}}}) {  // height refused: the one it had is kept
    SCOPED_TRACE(c.item);
    PlaybackRig rig;
    auto& f = rig.startWith({});
    f.setWidth(9600);
    f.setHeight(c.height);
    f.BUT0.setChecked(true);  // a mode mark the zoom leaves alone
    forms::MenuItem* items[] = {&f.BUT8A, &f.BUT8B, &f.BUT8C, &f.BUT8D};
    const float heightBefore = f.WindowsMediaPlayer1.Height();
    items[c.item]->Click.raise();
    Box expected = c.player;
    if (expected.height < 0) expected.height = heightBefore;
    EXPECT_EQ(boxOf(f.WindowsMediaPlayer1), expected);
    EXPECT_TRUE(f.WindowsMediaPlayer1.Visible());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(items[i]->Checked(), i == c.item);
    EXPECT_EQ(modeMarks(f), "BUT2 BUT0");
  }
}
