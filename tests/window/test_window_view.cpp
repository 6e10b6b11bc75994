// The main window in the desktop view on a private X server: a resize by the window system
// runs the layout, and a left drag on the background moves the window. KV_WINDOW_SHOT=<dir>
// saves a picture of the window after each size.

#include <gtest/gtest.h>

#include <QDir>

#include "app/form1_rig.h"
#include "view/view_rig.h"

namespace kv::test {
namespace {

struct MainWindowInView : Form1Rig {
  view::ComponentRegistry components;
  view::DesktopView view{components};
  Services viewServices{clock,       cursor,   screen, profile, files, folders,
                        screenSaver, instance, view,   shell,   help,  registry};
  std::unique_ptr<app::Form1> window_;
  app::Form1& form;

  // The skin pictures come from the staged program.
  MainWindowInView() : window_(staged(*this)), form(*window_) {
    form.Show();
    form.Picture7.setVisible(true);
    ViewRig::settle();
  }
  static std::unique_ptr<app::Form1> staged(MainWindowInView& rig) {
    rig.folders.application = KORVELIN_STAGE;
    rig.files.addFolder(std::string(KORVELIN_STAGE) + "/datinf");
    return std::make_unique<app::Form1>(rig.viewServices, rig.Form1Rig::components);
  }
  view::FormWindow* window() const { return view.windowOf(form); }
  QWidget* widget(const forms::Control& c) const { return window()->widgetOf(c); }
  void shot(const char* name) const {
    const QByteArray dir = qgetenv("KV_WINDOW_SHOT");
    if (!dir.isEmpty()) window()->grab().save(QDir(QString::fromUtf8(dir)).filePath(name));
  }
};

TEST(MainWindowView, AResizeByTheWindowSystemLaysTheWindowOut) {
  MainWindowInView rig;
  ASSERT_NE(rig.window(), nullptr);
  rig.shot("design.png");
  for (const QSize size : {QSize(800, 500), QSize(380, 120), QSize(900, 700)}) {
    rig.window()->resize(size);
    ViewRig::settle();
    SCOPED_TRACE(size.width());
    EXPECT_EQ(rig.form.Width(), size.width() * 15.0f);
    EXPECT_EQ(rig.form.Height(), size.height() * 15.0f);
    // The grip sits in the new corner, the close button 745 twips from the right side.
    EXPECT_EQ(rig.widget(rig.form.Picture7)->geometry().bottomRight(),
              QPoint(size.width() - 1, size.height() - 1));
    EXPECT_EQ(rig.widget(rig.form.Image18)->x(), (size.width() * 15 - 745) / 15);
    rig.shot(("size" + std::to_string(size.width()) + ".png").c_str());
  }
  rig.form.Unload();
}

TEST(MainWindowView, ALeftDragOnTheBackgroundMovesTheWindow) {
  MainWindowInView rig;
  ASSERT_NE(rig.window(), nullptr);
  const float left = rig.form.Left(), top = rig.form.Top();
  QWidget* w = rig.window();
  mouse(w, QEvent::MouseButtonPress, {300, 200});
  mouse(w, QEvent::MouseMove, {310, 205}, Qt::NoButton, Qt::LeftButton);
  mouse(w, QEvent::MouseButtonRelease, {310, 205});
  EXPECT_EQ(rig.form.Left(), left + 150);
  EXPECT_EQ(rig.form.Top(), top + 75);
  ViewRig::settle();
  EXPECT_EQ(rig.window()->x(), static_cast<int>((left + 150) / 15));
  rig.form.Unload();
}

}  // namespace
}  // namespace kv::test
