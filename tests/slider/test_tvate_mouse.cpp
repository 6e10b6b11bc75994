// The slider's mouse handling: the order of its events, dragging, CanMove, hovering and the
// hover timer that notices the pointer has left.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "slider_fixture.h"

namespace kv::slider::test {
namespace {

// X (twips) of the seek bar that stands for value v: the inverse of the value arithmetic.
float xForValue(int v) {
  return 8685.0f * static_cast<float>(v) / 100 + 120 + 255 - 30;
}

// Records every event of a bar as text, with the Value seen at that moment.
struct Recorder {
  explicit Recorder(tVate& bar) {
    bar.MouseOverCmd.connect([this] { log.push_back("over"); });
    bar.MouseOutCmd.connect([this] { log.push_back("out"); });
    bar.Changed.connect([this](int& v, int& m) {
      log.push_back("changed " + std::to_string(v) + "/" + std::to_string(m));
    });
    bar.Done.connect([this] { log.push_back("done"); });
    auto mouse = [this, &bar](const char* name) {
      return [this, &bar, name](short& b, short& s, float&, float&) {
        log.push_back(std::string(name) + " b" + std::to_string(b) + " s" + std::to_string(s) +
                      " v" + std::to_string(bar.Value()) + (bar.dragging() ? " drag" : ""));
      };
    };
    bar.MouseDown.connect(mouse("down"));
    bar.MouseMove.connect(mouse("move"));
    bar.MouseUp.connect(mouse("up"));
    bar.Click.connect([this] { log.push_back("click"); });
    bar.DBClick.connect([this] { log.push_back("dbclick"); });
  }
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(SliderMouse, LeftPressRaisesDownMoveChangedInOrderWithTheOldValueFirst) {
  SeekBar s;
  s.bar->setValue(10);
  Recorder r(*s.bar);
  s.bar->inputMouseDown(1, 0, xForValue(50), 60);
  EXPECT_EQ(r.log, (Log{"down b1 s0 v10", "move b1 s0 v10 drag", "changed 50/100", "over"}));
  EXPECT_EQ(s.bar->Value(), 50);
  EXPECT_TRUE(s.bar->dragging());
  // Centre 4687.6 twips, thumb from 4567.6 twips: pixel 305.
  EXPECT_EQ(span(s.bar->surface(), 4, thumbColour(kThumbPressed)), std::make_pair(305, 320));
}

TEST(SliderMouse, DragMovesTheValueAndReleaseEndsTheDrag) {
  SeekBar s;
  Recorder r(*s.bar);
  s.bar->inputMouseDown(1, 0, xForValue(20), 60);
  s.bar->inputMouseMove(1, 0, xForValue(70), 60);
  s.bar->inputMouseUp(1, 0, xForValue(70), 60);
  EXPECT_EQ(r.log,
            (Log{"down b1 s0 v0", "move b1 s0 v0 drag", "changed 20/100", "over",
                 "move b1 s0 v20 drag", "changed 70/100", "over", "up b1 s0 v70 drag", "over"}));
  EXPECT_FALSE(s.bar->dragging());
  EXPECT_EQ(s.bar->Value(), 70);
}

TEST(SliderMouse, DraggingClampsToTheRange) {
  SeekBar s;
  s.bar->inputMouseDown(1, 0, 20000, 60);
  EXPECT_EQ(s.bar->Value(), 100);
  s.bar->inputMouseMove(1, 0, -5000, 60);
  EXPECT_EQ(s.bar->Value(), 0);
  // With Max equal to the track's 8685 twips one twip is one step: halves go to even.
  s.bar->setMax(8685);
  s.bar->inputMouseMove(1, 0, 345 + 12.5f, 60);
  EXPECT_EQ(s.bar->Value(), 12);
  s.bar->inputMouseMove(1, 0, 345 + 13.5f, 60);
  EXPECT_EQ(s.bar->Value(), 14);
}

TEST(SliderMouse, ValueSetWhileDraggingChangesNothingAndRaisesNothing) {
  SeekBar s;
  s.bar->inputMouseDown(1, 0, xForValue(40), 60);
  Recorder r(*s.bar);
  const int refreshes = s.bar->refreshCount();
  const QImage before = s.bar->surface().copy();
  s.bar->setValue(90);
  EXPECT_EQ(s.bar->Value(), 40);
  EXPECT_TRUE(r.log.empty());
  EXPECT_EQ(s.bar->refreshCount(), refreshes);
  EXPECT_EQ(s.bar->surface(), before);
  s.bar->inputMouseUp(1, 0, xForValue(40), 60);
  s.bar->setValue(90);
  EXPECT_EQ(s.bar->Value(), 90);
}

TEST(SliderMouse, WithoutCanMoveNoMouseOverOutOrChanged) {
  SeekBar s;
  s.bar->setCanMove(false);
  s.bar->setValue(30);
  Recorder r(*s.bar);
  const int refreshes = s.bar->refreshCount();
  s.bar->inputMouseMove(0, 0, xForValue(30), 60);  // over the thumb
  EXPECT_EQ(s.bar->refreshCount(), refreshes);     // nothing repainted
  s.bar->inputMouseDown(1, 0, xForValue(80), 60);
  s.bar->inputMouseMove(1, 0, xForValue(90), 60);
  s.bar->inputMouseUp(1, 0, xForValue(90), 60);
  EXPECT_EQ(r.log, (Log{"move b0 s0 v30", "down b1 s0 v30", "move b1 s0 v30 drag",
                        "move b1 s0 v30 drag", "up b1 s0 v30 drag"}));
  EXPECT_EQ(s.bar->Value(), 30);
  EXPECT_EQ(s.bar->GetMouseState(), kThumbNormal);
  EXPECT_EQ(r.log.size(), 5u);  // GetMouseState itself raised nothing either
}

TEST(SliderMouse, RightButtonPressDoesNotDrag) {
  SeekBar s;
  Recorder r(*s.bar);
  s.bar->inputMouseDown(2, 1, xForValue(60), 60);
  EXPECT_EQ(r.log, (Log{"down b2 s1 v0"}));
  EXPECT_FALSE(s.bar->dragging());
  s.bar->inputMouseUp(2, 1, xForValue(60), 60);
  EXPECT_EQ(s.bar->Value(), 0);
}

TEST(SliderMouse, HandlersCanChangeTheArgumentsTheControlGoesOnWith) {
  SeekBar s;
  s.bar->MouseMove.connect([](short&, short&, float& x, float&) { x = xForValue(25); });
  s.bar->inputMouseDown(1, 0, xForValue(75), 60);
  EXPECT_EQ(s.bar->Value(), 25);

  SeekBar t;
  t.bar->MouseDown.connect([](short& b, short&, float&, float&) { b = 2; });
  t.bar->inputMouseDown(1, 0, xForValue(75), 60);
  EXPECT_FALSE(t.bar->dragging());
  EXPECT_EQ(t.bar->Value(), 0);
}

TEST(SliderMouse, ChangedPassesTheStoredValueAndMaxByReference) {
  SeekBar s;
  s.bar->Changed.connect([](int& v, int& m) {
    if (v > m / 2) v = m / 2;
  });
  s.bar->setValue(80);
  EXPECT_EQ(s.bar->Value(), 50);
}

TEST(SliderMouse, ClickAndDoubleClickRaiseClickAndDBClickButNeverDone) {
  SeekBar s;
  Recorder r(*s.bar);
  s.bar->inputClick();
  s.bar->inputDblClick();
  EXPECT_EQ(r.log, (Log{"click", "dbclick"}));
}

TEST(SliderMouse, HoverOverTheThumbShowsTheHoverImage) {
  SeekBar s;
  s.bar->setValue(50);
  Recorder r(*s.bar);
  const float centre = s.bar->thumbLeft() + 120;
  s.bar->inputMouseMove(0, 0, centre, 60);
  EXPECT_TRUE(s.bar->hovering());
  EXPECT_EQ(r.log.back(), "over");
  EXPECT_GT(countColour(s.bar->surface(), thumbColour(kThumbHover)), 0);
  // Exactly on the thumb's edge is not over it.
  s.bar->inputMouseMove(0, 0, s.bar->thumbLeft(), 60);
  EXPECT_EQ(r.log.back(), "out");
  EXPECT_GT(countColour(s.bar->surface(), thumbColour(kThumbNormal)), 0);
  EXPECT_EQ(countColour(s.bar->surface(), thumbColour(kThumbHover)), 0);
}

TEST(SliderMouse, HoverTimerNoticesThePointerLeavingWithinOneTick) {
  SeekBar s;
  s.bar->setValue(50);
  s.bar->inputMouseMove(0, 0, s.bar->thumbLeft() + 120, 60);
  ASSERT_TRUE(s.bar->hoverTimerRunning());
  Recorder r(*s.bar);

  // Still over the control: the timer runs on and nothing is repainted.
  const int refreshes = s.bar->refreshCount();
  s.clock.advance(30);
  EXPECT_EQ(s.bar->refreshCount(), refreshes);
  EXPECT_TRUE(s.bar->hoverTimerRunning());
  EXPECT_GE(s.cursor.positionQueries, 3);

  // The pointer leaves without a mouse event over the control.
  s.cursor.under = nullptr;
  s.clock.advance(9);
  EXPECT_GT(countColour(s.bar->surface(), thumbColour(kThumbHover)), 0);
  s.clock.advance(1);
  EXPECT_EQ(r.log, (Log{"out"}));
  EXPECT_FALSE(s.bar->hovering());
  EXPECT_FALSE(s.bar->hoverTimerRunning());
  EXPECT_EQ(countColour(s.bar->surface(), thumbColour(kThumbHover)), 0);
  EXPECT_GT(countColour(s.bar->surface(), thumbColour(kThumbNormal)), 0);
  s.clock.advance(100);
  EXPECT_EQ(r.log.size(), 1u);
}

TEST(SliderMouse, HoverTimerComparesWithTheControlItself) {
  SeekBar s;
  tVate other("volume", nullptr, s.clock, s.cursor);
  s.cursor.position = {321, 45};
  s.bar->inputMouseMove(0, 0, 100, 60);
  s.cursor.under = &other;  // another control, e.g. the volume bar next to it
  s.clock.advance(10);
  EXPECT_FALSE(s.bar->hovering());
  EXPECT_EQ(s.cursor.lastQueried.x, 321);
  EXPECT_EQ(s.cursor.lastQueried.y, 45);
  EXPECT_EQ(s.bar->Hwnd(), s.bar.get());
}

TEST(SliderMouse, DisabledBarShowsTheDisabledThumbWithoutEvents) {
  SeekBar s;
  s.bar->setEnabled(false);
  Recorder r(*s.bar);
  EXPECT_EQ(s.bar->GetMouseState(), kThumbDisabled);
  s.bar->Repaint();
  EXPECT_TRUE(r.log.empty());
  EXPECT_EQ(span(s.bar->surface(), 4, thumbColour(kThumbDisabled)), std::make_pair(15, 30));
}

TEST(SliderMouse, EveryLeftMoveRaisesChangedEvenWithoutAChange) {
  SeekBar s;
  s.bar->inputMouseDown(1, 0, xForValue(40), 60);
  int changed = 0;
  s.bar->Changed.connect([&](int&, int&) { ++changed; });
  s.bar->inputMouseMove(1, 0, xForValue(40), 60);
  s.bar->inputMouseMove(1, 0, xForValue(40) + 1, 60);
  EXPECT_EQ(changed, 2);
}

TEST(SliderMouse, ResizeRepaints) {
  SeekBar s;
  const int refreshes = s.bar->refreshCount();
  s.bar->inputResize();
  EXPECT_EQ(s.bar->refreshCount(), refreshes + 1);
  s.bar->setWidth(9381);  // still 625 pixels: no resize of the window
  EXPECT_EQ(s.bar->refreshCount(), refreshes + 1);
  s.bar->setWidth(4500);
  EXPECT_EQ(s.bar->refreshCount(), refreshes + 2);
  EXPECT_EQ(s.bar->surface().width(), 300);
}

}  // namespace
}  // namespace kv::slider::test
