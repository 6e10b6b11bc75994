// Window chrome on the doubles: moving and resizing by the background, the skin panels and
// the grip; the minimum size; the title buttons, hover pictures and channel selectors.

#include <gtest/gtest.h>

#include <QImage>

#include "app/playback_rig.h"
#include "dialogs/form3.h"

namespace kv::test {
namespace {

// The window at 1500, 1200, 9600 by 7200, with a picture of its own in every store image so
// that the pictures a button shows can be told apart.
struct ChromeRig : PlaybackRig {
  app::Form1& f;
  ChromeRig() : f(startWith({"a.avi", "b.avi"})) {
    f.Move(1500, 1200, 9600, 7200);
    for (forms::Image* store :
         {&f.Image22, &f.Image23, &f.Image24, &f.Image25, &f.Image26, &f.Image27, &f.Image28,
          &f.Image29, &f.Image30, &f.Image31, &f.Image45, &f.Image46, &f.Image47, &f.Image48,
          &f.Image49, &f.Image50, &f.Image52, &f.Image53, &f.Image54, &f.Image55, &f.Image56,
          &f.Image57, &f.Image58, &f.Image59, &f.Image60, &f.Image61, &f.Image62, &f.Image63})
      store->setPicture(std::make_shared<const forms::Picture>(QImage(1, 1, QImage::Format_RGB32)));
  }
  bool shows(const forms::Image& button, const forms::Image& store) const {
    return button.Picture() == store.Picture();
  }
};

TEST(Chrome, ReleasingOverTheBackgroundKeepsTheMinimumSize) {
  struct Case {
    float width, height, wantWidth, wantHeight;
  };
  for (const Case& c : {Case{4000, 1200, 5200, 1560}, Case{4000, 1555, 5200, 1555},
                        Case{6000, 1549, 6000, 1560}, Case{5200, 1550, 5200, 1550}}) {
    ChromeRig rig;
    rig.f.Move(rig.f.Left(), rig.f.Top(), c.width, c.height);
    rig.f.inputMouseUp(1, 0, 10, 10);
    EXPECT_EQ(rig.f.Width(), c.wantWidth) << c.width << "x" << c.height;
    EXPECT_EQ(rig.f.Height(), c.wantHeight) << c.width << "x" << c.height;
  }
}

TEST(Chrome, ThePointerShapeFollowsThe120TwipBand) {
  ChromeRig rig;
  const float w = rig.f.ScaleWidth(), h = rig.f.ScaleHeight();
  struct Case {
    float x, y;
    int shape;
  };
  for (const Case& c : {Case{w - 119, h - 119, 8}, Case{w - 120, h - 119, 7},
                        Case{w - 119, h - 120, 9}, Case{w - 120, h - 120, 0}, Case{10, 10, 0}}) {
    rig.f.inputMouseMove(0, 0, c.x, c.y);
    EXPECT_EQ(rig.f.MousePointer(), c.shape) << c.x << ", " << c.y;
  }
}

TEST(Chrome, ALeftDragOnTheBackgroundMovesTheWindowARightDragDoesNot) {
  ChromeRig rig;
  rig.f.Frame1.setVisible(true);
  rig.f.inputMouseDown(2, 0, 300.4f, 200.6f);
  EXPECT_FALSE(rig.f.Frame1.Visible());
  EXPECT_EQ(rig.f.DragOriginX, 300);
  EXPECT_EQ(rig.f.DragOriginY, 201);
  rig.f.inputMouseMove(2, 0, 400, 250);
  EXPECT_EQ(rig.f.Left(), 1500);
  EXPECT_EQ(rig.f.Top(), 1200);

  rig.f.inputMouseDown(1, 0, 300, 200);
  rig.f.inputMouseMove(1, 0, 400, 250);
  EXPECT_EQ(rig.f.Left(), 1600);
  EXPECT_EQ(rig.f.Top(), 1250);
  EXPECT_EQ(rig.f.Width(), 9600);
}

TEST(Chrome, TheShapeOfTheLastMoveDecidesWhatTheDragResizes) {
  ChromeRig rig;
  rig.f.inputMouseMove(0, 0, 9590, 100);  // right strip: horizontal resize
  rig.f.inputMouseMove(1, 0, 8000, 100);
  EXPECT_EQ(rig.f.Width(), 8000);
  EXPECT_EQ(rig.f.Height(), 7200);
  rig.f.inputMouseMove(0, 0, 100, 7195);  // bottom strip: vertical resize
  rig.f.inputMouseMove(1, 0, 100, 3000);
  EXPECT_EQ(rig.f.Height(), 3000);
  rig.f.inputMouseMove(0, 0, 7990, 2990);  // corner: both
  rig.f.inputMouseMove(1, 0, 1000, 900);   // below the minimum until the release
  EXPECT_EQ(rig.f.Width(), 1000);
  EXPECT_EQ(rig.f.Height(), 900);
  rig.f.inputMouseUp(1, 0, 1000, 900);
  EXPECT_EQ(rig.f.Width(), 5200);
  EXPECT_EQ(rig.f.Height(), 1560);
  EXPECT_EQ(rig.f.Picture7.Left(), 5200 - 345);  // the layout followed every change
}

TEST(Chrome, AMaximisedWindowAskedToMoveStaysAndTheMenuStillCloses) {
  ChromeRig rig;
  rig.f.setWindowState(forms::kMaximized);
  rig.windows.calls.clear();
  rig.f.toggleForm3();
  rig.f.Picture2.inputMouseDown(1, 0, 10, 10);
  EXPECT_FALSE(rig.f.form3()->loaded());
  rig.f.inputMouseDown(1, 0, 300, 200);
  rig.f.inputMouseMove(1, 0, 900, 700);
  EXPECT_EQ(rig.f.Left(), 0);
  EXPECT_EQ(rig.f.Top(), 0);
  for (const std::string& call : rig.windows.calls) EXPECT_NE(call, "move Form1");

  rig.f.setWindowState(forms::kNormal);
  for (forms::Control* panel :
       std::initializer_list<forms::Control*>{&rig.f.Picture5, &rig.f.Image41}) {
    rig.windows.calls.clear();
    panel->inputMouseDown(2, 0, 0, 0);
    EXPECT_EQ(rig.windows.calls, std::vector<std::string>{"move Form1"}) << panel->name();
  }
}

TEST(Chrome, TheGripResizesFromTheScreenPointerAboveTheMinimum) {
  ChromeRig rig;
  rig.f.Move(1505, 1450);
  rig.cursor.position = {447, 200};           // 6705 - 1505 = 5200, 3000 - 1450 = 1550: the minimum
  rig.f.Picture7.inputMouseMove(0, 0, 0, 0);  // not pressed: nothing
  EXPECT_EQ(rig.f.MousePointer(), 8);
  EXPECT_EQ(rig.f.Width(), 9600);
  rig.f.Picture7.inputMouseDown(1, 0, 0, 0);
  EXPECT_EQ(rig.f.Picture7.Tag(), "1");
  rig.f.Picture7.inputMouseMove(1, 0, 0, 0);
  EXPECT_EQ(rig.f.Width(), 9600);
  EXPECT_EQ(rig.f.Height(), 7200);
  rig.f.Move(1504, 1449);  // one twip more each way
  rig.f.Picture7.inputMouseMove(1, 0, 0, 0);
  EXPECT_EQ(rig.f.Width(), 5201);
  EXPECT_EQ(rig.f.Height(), 1551);
  rig.f.Picture7.inputMouseUp(1, 0, 0, 0);
  EXPECT_EQ(rig.f.Picture7.Tag(), "");
}

TEST(Chrome, TheGripShowsOnceAfterStartUp) {
  ChromeRig rig;
  EXPECT_FALSE(rig.f.Picture7.Visible());
  rig.clock.advance(100);
  EXPECT_TRUE(rig.f.Picture7.Visible());
  EXPECT_FALSE(rig.f.Timer11.Enabled());
}

TEST(Chrome, TitleButtonHoverMovesFromButtonToButton) {
  ChromeRig rig;
  auto& f = rig.f;
  f.setMousePointer(9);
  f.Image18.inputMouseMove(0, 0, 5, 5);
  EXPECT_TRUE(rig.shows(f.Image18, f.Image25));
  EXPECT_EQ(f.MousePointer(), 0);
  f.Image17.inputMouseMove(0, 0, 5, 5);
  EXPECT_TRUE(rig.shows(f.Image18, f.Image24));
  EXPECT_TRUE(rig.shows(f.Image17, f.Image23));
  EXPECT_TRUE(rig.shows(f.Image21, f.Image30));
  EXPECT_TRUE(rig.shows(f.Image16, f.Image26));
  EXPECT_TRUE(rig.shows(f.Image19, f.Image28));
  f.Label3.setForeColor(0x00FFFF);
  f.Image38.inputMouseMove(0, 0, 5, 5);  // a title-bar piece resets the buttons and the tabs
  EXPECT_TRUE(rig.shows(f.Image17, f.Image22));
  EXPECT_EQ(f.Label3.ForeColor(), 0xFFFFFFu);
}

TEST(Chrome, BarButtonHoverStaysUntilTheLeftPieceResetsIt) {
  ChromeRig rig;
  auto& f = rig.f;
  f.Image4.inputMouseMove(0, 0, 5, 5);
  f.Image9.inputMouseMove(0, 0, 5, 5);
  f.Image37.inputMouseMove(0, 0, 5, 5);  // the volume icon has no hover
  EXPECT_TRUE(rig.shows(f.Image4, f.Image55));
  EXPECT_TRUE(rig.shows(f.Image9, f.Image63));
  f.Image40.inputMouseMove(0, 0, 5, 5);  // the right piece does not reset them
  EXPECT_TRUE(rig.shows(f.Image9, f.Image63));
  f.Image34.inputMouseMove(0, 0, 5, 5);
  EXPECT_TRUE(rig.shows(f.Image4, f.Image54));
  EXPECT_TRUE(rig.shows(f.Image9, f.Image62));
}

TEST(Chrome, SkinPiecesWakeTheCursorOnlyWhereTheirVariantSays) {
  ChromeRig rig;
  auto& f = rig.f;
  rig.cursor.count = -1;
  f.Image35.inputMouseMove(0, 0, 10, 10);  // normal window: maximised-only pieces do nothing
  f.Image35.inputMouseMove(0, 0, 50, 50);
  EXPECT_EQ(rig.cursor.count, -1);
  f.Image41.inputMouseMove(0, 0, 10, 10);  // records the point
  EXPECT_EQ(rig.cursor.count, -1);
  f.Image41.inputMouseMove(0, 0, 12, 10);
  EXPECT_EQ(rig.cursor.count, 0);
  EXPECT_FALSE(f.Timer3.Enabled());  // never arms the hide timer
  rig.cursor.count = -1;
  f.setWindowState(forms::kMaximized);  // the layout shows the cursor
  rig.cursor.count = -1;
  f.Image35.inputMouseMove(0, 0, 50, 50);
  EXPECT_EQ(rig.cursor.count, 0);
}

TEST(Chrome, TitleButtonsMinimiseToggleTheMenuAndClose) {
  ChromeRig rig;
  auto& f = rig.f;
  f.Image21.inputClick();
  ASSERT_NE(f.form3(), nullptr);
  EXPECT_TRUE(f.form3()->Visible());
  EXPECT_EQ(f.form3()->Top(), f.Top() + 450);
  EXPECT_EQ(f.form3()->Left(), f.Left() + f.Image21.Left());
  f.Image21.inputClick();
  EXPECT_FALSE(f.form3()->Visible());

  f.Image17.inputMouseMove(0, 0, 5, 5);
  rig.cursor.count = -2;
  f.Image17.inputClick();
  EXPECT_EQ(f.WindowState(), forms::kMinimized);
  EXPECT_TRUE(rig.shows(f.Image17, f.Image22));
  EXPECT_GE(rig.cursor.count, 0);

  bool ended = false;
  f.setEndProcess([&] { ended = true; });
  f.Image21.inputClick();
  f.Image18.inputClick();
  EXPECT_FALSE(f.form3()->loaded());
  EXPECT_FALSE(f.loaded());
  EXPECT_TRUE(ended);
}

TEST(Chrome, ChannelSelectorsSetTheBalanceAndTheirPictures) {
  ChromeRig rig;
  auto& f = rig.f;
  struct Case {
    forms::Image& selector;
    int balance;
    bool left, both, right;
  };
  for (const Case& c :
       {Case{f.Image42, -100, true, false, false}, Case{f.Image44, 100, false, false, true},
        Case{f.Image43, 0, false, true, false}}) {
    c.selector.inputClick();
    EXPECT_EQ(rig.player1.balance(), c.balance) << c.selector.name();
    EXPECT_TRUE(rig.shows(f.Image42, c.left ? f.Image45 : f.Image48)) << c.selector.name();
    EXPECT_TRUE(rig.shows(f.Image43, c.both ? f.Image46 : f.Image49)) << c.selector.name();
    EXPECT_TRUE(rig.shows(f.Image44, c.right ? f.Image47 : f.Image50)) << c.selector.name();
  }
}

TEST(Chrome, PlaySelectedOpensTheSelectedEntry) {
  ChromeRig rig;
  rig.click(1);
  rig.forget();
  rig.f.Image20.inputClick();
  EXPECT_EQ(rig.opened(), std::vector<std::string>{"b.avi"});
}

}  // namespace
}  // namespace kv::test
