// Display modes, zoom, the maximise and restore buttons and the cursor-hide timer.

#include <gtest/gtest.h>

#include "app/form1_rig.h"
#include "app/playback_rig.h"

using namespace kv;
using kv::test::Form1Rig;
using kv::test::PlaybackRig;

namespace {

struct Geometry {
  float left, top, width, height;
  bool operator==(const Geometry&) const = default;
};

Geometry placeOf(const forms::Control& c) {
  return {c.Left(), c.Top(), c.Width(), c.Height()};
}

std::ostream& operator<<(std::ostream& os, const Geometry& g) {
  return os << "(" << g.left << ", " << g.top << ") " << g.width << " x " << g.height;
}

// The ticked mode item(s), as "BUT2", "BUT0 BUT1"...
std::string modeMarks(app::Form1& f) {
  std::string marks;
  for (forms::MenuItem* item : {&f.BUT2, &f.BUT0, &f.BUT1, &f.BUT17})
    if (item->Checked()) marks += (marks.empty() ? "" : " ") + item->name();
  return marks;
}

bool skinShown(app::Form1& f) {
  return f.Picture2.Visible() && f.Picture3.Visible() && f.Picture4.Visible() &&
         f.Picture5.Visible() && f.Picture7.Visible();
}

bool skinHidden(app::Form1& f) {
  return !f.Picture2.Visible() && !f.Picture3.Visible() && !f.Picture4.Visible() &&
         !f.Picture5.Visible() && !f.Picture7.Visible() && !f.Frame1.Visible();
}

}  // namespace

TEST(DisplayModes, EachScreenFillingModeMaximisesHidesTheSkinAndPlacesThePlayer) {
  struct Case {
    const char* item;
    Geometry player;  // on a screen of 19200 x 15360 twips
  };
  for (const Case& c : {Case{"BUT0", {120, 645, 18960, 13710}}, Case{"BUT1", {0, 0, 19200, 15360}},
                        Case{"BUT17", {-1920, -1536, 23040, 18432}}}) {
    SCOPED_TRACE(c.item);
    Form1Rig rig;
    auto& f = rig.start();
    forms::MenuItem& item = c.item == std::string("BUT0")   ? f.BUT0
                            : c.item == std::string("BUT1") ? f.BUT1
                                                            : f.BUT17;
    item.Click.raise();
    EXPECT_EQ(modeMarks(f), c.item);
    EXPECT_EQ(f.WindowState(), forms::kMaximized);
    EXPECT_TRUE(skinHidden(f));
    EXPECT_TRUE(f.Image19.Visible());
    EXPECT_FALSE(f.Image16.Visible());
    EXPECT_TRUE(f.Timer3.Enabled());
    EXPECT_EQ(placeOf(f.WindowsMediaPlayer1), c.player);
    EXPECT_TRUE(f.WindowsMediaPlayer1.Visible());
  }
}

TEST(DisplayModes, TheatreTwiceReturnsToNativeSizeWithTheSkinAndTheNormalBounds) {
  Form1Rig rig;
  auto& f = rig.start();
  const Geometry normal = placeOf(f);
  f.BUT0.Click.raise();
  f.BUT0.Click.raise();
  EXPECT_EQ(modeMarks(f), "BUT2");
  EXPECT_EQ(f.WindowState(), forms::kNormal);
  EXPECT_EQ(placeOf(f), normal);
  EXPECT_TRUE(skinShown(f));
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_TRUE(f.Image16.Visible());
  EXPECT_FALSE(f.Image19.Visible());
  EXPECT_EQ(placeOf(f.WindowsMediaPlayer1),
            (Geometry{120, 645, normal.width - 240, normal.height - 1620}));
  EXPECT_TRUE(f.WindowsMediaPlayer1.Visible());
}

TEST(DisplayModes, TheatreThenFullScreenGoesStraightThere) {
  Form1Rig rig;
  auto& f = rig.start();
  f.BUT0.Click.raise();
  f.BUT1.Click.raise();
  EXPECT_EQ(modeMarks(f), "BUT1");
  EXPECT_EQ(f.WindowState(), forms::kMaximized);
  EXPECT_TRUE(skinHidden(f));
  EXPECT_EQ(placeOf(f.WindowsMediaPlayer1), (Geometry{0, 0, 19200, 15360}));
}

TEST(DisplayModes, StretchOnAScreenOf19200By14400) {
  Form1Rig rig;
  rig.screen.height = 14400;
  auto& f = rig.start();
  f.BUT17.Click.raise();
  EXPECT_EQ(placeOf(f.WindowsMediaPlayer1), (Geometry{-1920, -1440, 23040, 17280}));
}

TEST(DisplayModes, AScreenOf800By600) {
  Form1Rig rig;
  rig.screen.width = 12000;
  rig.screen.height = 9000;
  auto& f = rig.start();
  f.BUT0.Click.raise();
  EXPECT_EQ(placeOf(f.WindowsMediaPlayer1), (Geometry{120, 645, 11760, 7350}));
  f.BUT1.Click.raise();
  EXPECT_EQ(placeOf(f.WindowsMediaPlayer1), (Geometry{0, 0, 12000, 9000}));
  f.BUT1.Click.raise();
  EXPECT_EQ(modeMarks(f), "BUT2");
  EXPECT_EQ(f.WindowState(), forms::kNormal);
}

TEST(DisplayModes, MaximiseKeepsTheSkinAndNativeSizeThenDoesNothing) {
  Form1Rig rig;
  auto& f = rig.start();
  f.Picture7.setVisible(true);
  f.Image16.Click.raise();
  EXPECT_EQ(f.WindowState(), forms::kMaximized);
  EXPECT_TRUE(skinShown(f));
  EXPECT_TRUE(f.Image19.Visible());
  EXPECT_FALSE(f.Image16.Visible());
  EXPECT_EQ(modeMarks(f), "BUT2");
  const Geometry player = placeOf(f.WindowsMediaPlayer1);

  f.BUT2.Click.raise();
  EXPECT_EQ(f.WindowState(), forms::kMaximized);
  EXPECT_EQ(placeOf(f.WindowsMediaPlayer1), player);

  rig.cursor.count = -1;
  f.Image19.Click.raise();
  EXPECT_EQ(f.WindowState(), forms::kNormal);
  EXPECT_TRUE(f.Image16.Visible());
  EXPECT_FALSE(f.Image19.Visible());
  EXPECT_FALSE(f.Timer3.Enabled());
  EXPECT_GE(rig.cursor.count, 0);
  EXPECT_EQ(modeMarks(f), "BUT2");
}

TEST(DisplayModes, MaximiseArmsTheCursorTimerExceptForFlashVideo) {
  struct Case {
    const char* name;
    bool armed;
  };
  for (const Case& c : {Case{"clip.flv", false}, Case{"clip.FLV", true}, Case{"clip.avi", true},
                        Case{"clip.flv.avi", true}}) {
    SCOPED_TRACE(c.name);
    PlaybackRig rig;
    auto& f = rig.startWith({c.name});
    rig.click(0);
    f.Timer3.setEnabled(!c.armed);
    f.Image16.Click.raise();
    EXPECT_EQ(f.Timer3.Enabled(), c.armed);
  }
}

TEST(DisplayModes, TheCursorHidesTwelveSecondsAfterAModeIsEntered) {
  Form1Rig rig;
  auto& f = rig.start();
  rig.cursor.count = 2;
  f.BUT1.Click.raise();
  rig.clock.advance(11999);
  EXPECT_GE(rig.cursor.count, 0);
  rig.clock.advance(1);
  EXPECT_LT(rig.cursor.count, 0);
  EXPECT_FALSE(f.Timer3.Enabled());
  rig.clock.advance(60000);
  EXPECT_EQ(rig.cursor.count, -1) << "hidden once, not again and again";
}

TEST(Zoom, ShareOfTheComponentAreaCentredOnTheWindow) {
  struct Case {
    const char* item;
    Geometry player;  // in a normal window of 9600 x 7200
  };
  for (const Case& c :
       {Case{"BUT8A", {2460, 2212.5f, 4680, 2775}}, Case{"BUT8B", {120, 645, 9360, 5550}},
        Case{"BUT8C", {-2220, -562.5f, 14040, 8325}},
        Case{"BUT8D", {-4560, -1950, 18720, 11100}}}) {
    SCOPED_TRACE(c.item);
    Form1Rig rig;
    auto& f = rig.start();
    f.setWidth(9600);
    f.setHeight(7200);
    f.BUT0.setChecked(true);  // a mode mark the zoom must leave alone
    forms::MenuItem* items[] = {&f.BUT8A, &f.BUT8B, &f.BUT8C, &f.BUT8D};
    forms::MenuItem* own = nullptr;
    for (forms::MenuItem* i : items)
      if (i->name() == c.item) own = i;
    ASSERT_NE(own, nullptr);
    own->Click.raise();
    EXPECT_EQ(placeOf(f.WindowsMediaPlayer1), c.player);
    EXPECT_TRUE(f.WindowsMediaPlayer1.Visible());
    for (forms::MenuItem* i : items) EXPECT_EQ(i->Checked(), i == own) << i->name();
    EXPECT_TRUE(f.BUT0.Checked());
    EXPECT_EQ(f.WindowState(), forms::kNormal);
  }
}

TEST(Zoom, AWindowLowerThanTheMarginsKeepsThePreviousHeight) {
  Form1Rig rig;
  auto& f = rig.start();
  f.setWidth(9600);
  f.setHeight(1600);
  const float height = f.WindowsMediaPlayer1.Height();
  f.BUT8B.Click.raise();
  EXPECT_EQ(f.WindowsMediaPlayer1.Height(), height);
  EXPECT_EQ(f.WindowsMediaPlayer1.Width(), 9360);
  EXPECT_TRUE(f.WindowsMediaPlayer1.Visible());
  EXPECT_TRUE(f.BUT8B.Checked());
}
