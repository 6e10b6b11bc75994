// The main window's layout on the doubles: every placement at a known size, the steps around
// the placements, and windows too small for the margins.

#include <gtest/gtest.h>

#include "app/playback_rig.h"
#include "dialogs/form3.h"

namespace kv::test {
namespace {

struct Expected {
  const forms::Control* control;
  float left, top, width, height;
};

// The window at a size of our choosing, laid out once.
app::Form1& sized(Form1Rig& rig, float width, float height) {
  auto& form = rig.start();
  form.setWidth(width);
  form.setHeight(height);
  return form;
}

TEST(Layout, EveryPlacementOfAWindowOf9600By7200) {
  Form1Rig rig;
  auto& f = sized(rig, 9600, 7200);
  const Expected rows[] = {
      {&f.ShockwaveFlash1, 120, 645, 9352, 5565},
      {&f.WindowsMediaPlayer1, 120, 645, 9352, 5565},
      {&f.WebBrowser1, 120, 600, 9352, 5810},
      {&f.Picture4, 0, 6217, 9592, 975},
      {&f.Image34, 0, 0, 4785, 975},
      {&f.Image41, 4785, 0, 9592, 975},
      {&f.Image40, 4807, 0, 4785, 975},
      {&f.Picture5, 9472, 460, 120, 6225},
      {&f.Image36, 0, 0, 120, 6225},
      {&f.tVate1, 110, 45, 9380, 135},
      {&f.volume, 7900, 480, 1200, 195},
      {&f.Image37, 7425, 435, 300, 285},
      {&f.Label2, 6080, 465, 900, 195},
      {&f.Label1, 5600, 465, 480, 195},
      {&f.Image18, 8855, 0, 645, 270},
      {&f.Image16, 8465, 0, 390, 270},
      {&f.Image19, 8465, 0, 390, 270},
      {&f.Image17, 8090, 0, 375, 270},
      {&f.Image21, 7715, 0, 375, 270},
      {&f.Picture2, 0, 0, 9592, 645},
      {&f.Image33, 0, 0, 4785, 645},
      {&f.Image38, 4785, 0, 9592, 645},
      {&f.Image39, 4807, 0, 4785, 645},
      {&f.Picture3, 0, 460, 120, 6225},
      {&f.Image35, 0, 0, 120, 6225},
      {&f.Frame1, 120, 645, 1935, 5580},
      {&f.File1, 0, 2415, 1935, 3195},
      {&f.Picture7, 9255, 6855, 345, 345},
  };
  for (const Expected& e : rows) {
    SCOPED_TRACE(e.control->name());
    EXPECT_EQ(e.control->Left(), e.left);
    EXPECT_EQ(e.control->Top(), e.top);
    EXPECT_EQ(e.control->Width(), e.width);
    EXPECT_EQ(e.control->Height(), e.height);
  }
  EXPECT_FALSE(f.Frame1.Visible());
}

TEST(Layout, AnyResizeClosesTheMenuHidesThePanelShowsTheCursorAndRaisesTheBars) {
  PlaybackRig rig;
  auto& f = rig.startWith({"a.avi", "b.avi"});
  rig.click(1);
  f.toggleForm3();
  ASSERT_TRUE(f.form3()->Visible());
  f.Frame1.setVisible(true);
  f.currentIndex = 0;
  rig.cursor.count = -3;
  f.tVate1.ZOrder(1);
  f.volume.ZOrder(1);
  const int repaints = f.Picture7.refreshCount();

  f.setWidth(f.Width() + 1);

  EXPECT_FALSE(f.form3()->loaded());
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_EQ(f.currentIndex, 1);
  EXPECT_GE(rig.cursor.count, 0);
  EXPECT_EQ(f.Picture7.refreshCount(), repaints + 1);
  const auto& bar = f.Picture4.children();
  ASSERT_GE(bar.size(), 2u);
  EXPECT_EQ(bar[bar.size() - 2], &f.tVate1);
  EXPECT_EQ(bar.back(), &f.volume);
}

// Negative sizes are refused one property at a time: the rest of the layout still applies.
TEST(Layout, AWindowSmallerThanTheMarginsKeepsTheSizesItCannotHave) {
  Form1Rig rig;
  auto& f = sized(rig, 9600, 7200);
  f.setWidth(200);
  f.setHeight(500);
  EXPECT_EQ(f.WindowsMediaPlayer1.Width(), 9352);   // 200 - 248 refused
  EXPECT_EQ(f.WindowsMediaPlayer1.Height(), 5565);  // 500 - 1635 refused
  EXPECT_EQ(f.WindowsMediaPlayer1.Top(), 645);
  EXPECT_EQ(f.Picture5.Height(), 6225);  // 500 - 975 refused
  EXPECT_EQ(f.Picture5.Left(), 72);
  EXPECT_EQ(f.Picture4.Top(), -483);  // negative positions are allowed
  EXPECT_EQ(f.Picture4.Width(), 192);
  EXPECT_EQ(f.Image18.Left(), -545);
  EXPECT_EQ(f.Picture7.Left(), -145);
  EXPECT_EQ(f.Picture7.Top(), 155);
  EXPECT_EQ(f.Frame1.Height(), 5580);
}

TEST(Layout, SettingTheWindowStateLaysOutBeforeTheSetterReturns) {
  Form1Rig rig;
  auto& f = sized(rig, 9600, 7200);
  f.setWindowState(forms::kMaximized);
  EXPECT_EQ(f.WindowsMediaPlayer1.Width(), rig.screen.width - 248);
  EXPECT_EQ(f.Picture7.Top(), rig.screen.height - 345);
  f.setWindowState(forms::kNormal);
  EXPECT_EQ(f.WindowsMediaPlayer1.Width(), 9352);
}

// Restoring a minimised window in theatre mode: the player returns to the component area
// while the bars stay as the mode left them.
TEST(Layout, RestoringPutsThePlayerBackAndLeavesTheBarsAlone) {
  Form1Rig rig;
  auto& f = sized(rig, 9600, 7200);
  f.Picture2.setVisible(false);
  f.Picture4.setVisible(false);
  f.WindowsMediaPlayer1.Move(0, 0, 9600, 7200);
  f.setWindowState(forms::kMinimized);
  f.setWindowState(forms::kNormal);
  EXPECT_EQ(f.WindowsMediaPlayer1.Left(), 120);
  EXPECT_EQ(f.WindowsMediaPlayer1.Height(), 5565);
  EXPECT_FALSE(f.Picture2.Visible());
  EXPECT_FALSE(f.Picture4.Visible());
}

TEST(Layout, AVolumeBarWiderThanTheWindowTakesTheChainOffTheLeft) {
  Form1Rig rig;
  auto& f = rig.start();
  f.volume.setWidth(6000);
  f.setWidth(5200);
  EXPECT_EQ(f.volume.Left(), -1300);
  EXPECT_EQ(f.Image37.Left(), -1775);
  EXPECT_EQ(f.Label1.Left(), -3600);
}

}  // namespace
}  // namespace kv::test
