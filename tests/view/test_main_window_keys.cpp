// The main window on the desktop view, with the engines and services doubles: keys and the
// wheel run the handlers they are mapped to.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include "app/playback_rig.h"
#include "comfort/fake_watching.h"
#include "view_rig.h"

using namespace kv;

namespace {

struct MainWindowRig {
  view::ComponentRegistry registry;
  view::DesktopView view{registry};
  test::PlaybackRig rig{&view};
  app::Form1& f = rig.startWith({"a.avi"});

  explicit MainWindowRig(bool open = true) {
    if (open) rig.click(0);
    test::ViewRig::settle();
  }
  ~MainWindowRig() {
    rig.form.reset();
    test::ViewRig::settle();
  }
  void key(int qtKey) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(view.windowOf(f), &press);
  }
};

}  // namespace

TEST(MainWindowKeys, KeysAndTheWheelRunTheirHandlersThroughTheView) {
  MainWindowRig m;
  ASSERT_NE(m.view.windowOf(m.f), nullptr);
  m.key(Qt::Key_Space);
  EXPECT_EQ(m.rig.player1.lastCall(), "controls.pause");
  m.key(Qt::Key_M);
  EXPECT_TRUE(m.rig.player1.muted);
  m.f.volume.setValue(50);
  m.key(Qt::Key_Up);
  EXPECT_EQ(m.f.volume.Value(), 60);

  QWidget* video = m.view.windowOf(m.f)->widgetOf(m.f.WindowsMediaPlayer1);
  ASSERT_NE(video, nullptr);
  QWheelEvent wheel(QPointF(5, 5), video->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(video, &wheel);
  EXPECT_EQ(m.f.volume.Value(), 55);
  EXPECT_EQ(m.rig.player1.vol, 55);

  m.key(Qt::Key_Enter);
  EXPECT_TRUE(m.f.BUT1.Checked());
  EXPECT_EQ(m.f.WindowState(), forms::kMaximized);
  test::ViewRig::settle();
  m.key(Qt::Key_Escape);
  EXPECT_TRUE(m.f.BUT2.Checked());
  EXPECT_EQ(m.f.WindowState(), forms::kNormal);
}

TEST(MainWindowKeys, TheMenuKeyAndShiftF10OpenTheContextMenuAtTheVideosMiddle) {
  for (const auto& [open, key, mods] : {std::tuple{false, Qt::Key_Menu, Qt::NoModifier},
                                        std::tuple{true, Qt::Key_F10, Qt::ShiftModifier}}) {
    MainWindowRig m(open);
    view::FormWindow* w = m.view.windowOf(m.f);
    QRect menuAt;
    QTimer::singleShot(200, [&menuAt] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu && menu->activeAction()) menuAt = menu->geometry(), menu->close();
    });
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &press);  // the menu moves up where the screen is too short
    const forms::Control& v = m.f.WindowsMediaPlayer1;
    EXPECT_TRUE(menuAt.contains(w->mapToGlobal(
        QPoint(int(v.Left() + v.Width() / 2) / 15, int(v.Top() + v.Height() / 2) / 15))))
        << open;
  }
}

TEST(MainWindowKeys, MAndTheVolumeIconSwitchMuteAndOnlyMutingMovesTheMark) {
  MainWindowRig m;
  struct Step {
    std::function<void()> act;
    bool muted;
  };
  QWidget* icon = m.view.windowOf(m.f)->widgetOf(m.f.Image37);
  ASSERT_NE(icon, nullptr);
  for (const Step& s :
       {Step{[&] { m.key(Qt::Key_M); }, true}, Step{[&] { m.key(Qt::Key_M); }, false},
        Step{[&] { test::click(icon, QPoint(3, 3)); }, true},
        Step{[&] { test::click(icon, QPoint(3, 3)); }, false}}) {
    s.act();
    EXPECT_EQ(m.rig.player1.muted, s.muted);
    // Muting is the mute item's command; giving the sound back leaves its mark.
    EXPECT_TRUE(m.f.BUT9C.Checked());
  }
}

TEST(MainWindowKeys, WatchingKeysActUnlessAFileListHasTheFocus) {
  MainWindowRig m;
  test::FakeWatching watching;
  m.rig.player1.watch = &watching;
  m.rig.player1.report(media::kPlaying);
  m.f.Frame1.setVisible(true);  // the file panel open, as its button opens it
  test::ViewRig::settle();
  QWidget* list = m.view.windowOf(m.f)->widgetOf(m.f.File1);
  ASSERT_NE(list, nullptr);
  struct Step {
    QWidget* to;  // the window, or the focused list (which hands on what it leaves)
    int qtKey;
    const char* text;
    double speed;
  };
  for (const Step& s :
       {Step{nullptr, Qt::Key_BracketRight, "]", 1.1}, Step{nullptr, Qt::Key_Backspace, "\b", 1.0},
        Step{list, Qt::Key_BracketRight, "]", 1.0}, Step{list, Qt::Key_Backspace, "\b", 1.0},
        Step{nullptr, Qt::Key_BracketLeft, "[", 1 / 1.1}}) {
    QKeyEvent press(QEvent::KeyPress, s.qtKey, Qt::NoModifier, QString::fromLatin1(s.text));
    QApplication::sendEvent(s.to ? s.to : m.view.windowOf(m.f), &press);
    EXPECT_NEAR(watching.speed, s.speed, 1e-9) << s.text << (s.to ? " to the list" : "");
  }
}
