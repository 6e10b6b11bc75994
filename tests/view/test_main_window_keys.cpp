// The main window on the desktop view, its engines and services doubles: keys and the wheel
// run the handlers they are mapped to.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QWheelEvent>
#include <memory>

#include "app/form1.h"
#include "doubles/fake_components.h"
#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "view_rig.h"

using namespace kv;

namespace {

struct MainWindowRig {
  VirtualClock clock;
  test::FakeCursor cursor;
  test::FakeScreen screen;
  test::MemoryFiles files;
  test::MemoryProfile profile{files};
  test::FakeFolders folders;
  test::FakeScreenSaver screenSaver;
  test::FakeInstance instance;
  view::ComponentRegistry registry;
  view::DesktopView view{registry};
  test::FakeShell shell;
  test::FakeHelp help;
  test::MemoryRegistry store;
  Services services{clock,       cursor,   screen, profile, files, folders,
                    screenSaver, instance, view,   shell,   help,  store};
  test::FakeMediaPlayer player1{"WindowsMediaPlayer1"};
  test::FakeMediaPlayer player2{"WindowsMediaPlayer2"};
  test::FakeFlashPlayer flash{"ShockwaveFlash1"};
  test::FakeWebPage web{"WebBrowser1"};
  app::Components components{player1, player2, flash, web};
  std::unique_ptr<app::Form1> form;

  MainWindowRig() {
    folders.application = "/opt/korvelin";
    files.addFolder(folders.documents);
    files.addFolder("/opt/korvelin/datinf");
    files.addFolder("/media");
    files.addFile("/media/a.avi");
    form = std::make_unique<app::Form1>(services, components);
    form->Show();
    form->File1.setPattern("*.*");
    form->File1.setPath("/media");
    form->File1.setListIndex(0);
    test::ViewRig::settle();
  }
  view::FormWindow* window() const { return view.windowOf(*form); }
};

void key(QWidget* w, int qtKey) {
  QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
}

}  // namespace

TEST(MainWindowKeys, KeysAndTheWheelRunTheirHandlersThroughTheView) {
  MainWindowRig rig;
  auto& f = *rig.form;
  ASSERT_NE(rig.window(), nullptr);
  ASSERT_EQ(rig.player1.url, "/media/a.avi");

  key(rig.window(), Qt::Key_Space);
  EXPECT_EQ(rig.player1.lastCall(), "controls.pause");
  key(rig.window(), Qt::Key_M);
  EXPECT_TRUE(rig.player1.muted);

  f.volume.setValue(50);
  key(rig.window(), Qt::Key_Up);
  EXPECT_EQ(f.volume.Value(), 60);
  f.WindowsMediaPlayer1.setVisible(true);
  test::ViewRig::settle();
  QWidget* video = rig.window()->widgetOf(f.WindowsMediaPlayer1);
  ASSERT_NE(video, nullptr);
  QWheelEvent wheel(QPointF(5, 5), video->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(video, &wheel);
  EXPECT_EQ(f.volume.Value(), 55);
  EXPECT_EQ(rig.player1.vol, 55);

  key(rig.window(), Qt::Key_Enter);
  EXPECT_TRUE(f.BUT1.Checked());
  EXPECT_EQ(f.WindowState(), forms::kMaximized);
  test::ViewRig::settle();
  key(rig.window(), Qt::Key_Escape);
  EXPECT_TRUE(f.BUT2.Checked());
  EXPECT_EQ(f.WindowState(), forms::kNormal);
  test::ViewRig::settle();
  rig.form.reset();
  test::ViewRig::settle();
}
