// The desktop program as a person meets it. First the real executable on a generated clip,
// judged by its screenshot; then the main window with the desktop view on test doubles, driven
// by mouse events the way the window system delivers them.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "app/form1.h"
#include "dialogs/form3.h"
#include "doubles/fake_components.h"
#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "platform/qt/component_place.h"
#include "platform/qt/desktop_view.h"
#include "platform/qt/form_window.h"
#include "test_media.h"
#include "view/view_rig.h"

using namespace kv;

namespace {

// The application folder of a player that has run before, with the staged resources.
void stageApplication(const QString& app) {
  QDir().mkpath(app + "/datinf");
  const QString stage = KORVELIN_STAGE;
  for (const char* file : {"0.dll", "power.dll"}) QFile::copy(stage + "/" + file, app + "/" + file);
  for (const char* folder : {"skins", "icons"}) {
    QProcess copy;
    copy.start("cp", {"-r", stage + "/" + folder, app + "/"});
    copy.waitForFinished();
  }
}

bool reddish(QRgb c) {
  return qRed(c) > 180 && qGreen(c) < 80 && qBlue(c) < 80;
}

}  // namespace

namespace {
// The real program with a staged application folder and a private home, asked for a
// screenshot: its exit code, its standard streams and the picture.
struct Screenshot {
  int exitCode = -1;
  std::string out, errors;
  QImage picture;
};
Screenshot screenshotOf(const QStringList& arguments) {
  QTemporaryDir home;
  const QString app = home.path() + "/app", run = home.path() + "/run";
  stageApplication(app);
  QDir().mkpath(run);
  QFile::setPermissions(run,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QString shot = home.path() + "/shot.png";
  QProcess korvelin;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("KORVELIN_APP_DIR", app);
  env.insert("XDG_RUNTIME_DIR", run);
  env.insert("HOME", home.path());
  env.insert("ASAN_OPTIONS", "detect_leaks=0");  // Mesa and the X libraries keep theirs
  korvelin.setProcessEnvironment(env);
  korvelin.start(KORVELIN_EXE, QStringList{"--screenshot", shot} + arguments);
  Screenshot result;
  if (!korvelin.waitForFinished(90000)) return result;
  result.exitCode = korvelin.exitCode();
  result.out = korvelin.readAllStandardOutput().toStdString();
  result.errors = korvelin.readAllStandardError().toStdString();
  result.picture = QImage(shot);
  return result;
}
}  // namespace

TEST(DesktopSmoke, TheProgramShowsTheClipInItsSkinnedWindow) {
  test::TestMedia media;
  const Screenshot run = screenshotOf({"--after", "4", QString::fromStdString(media.red(6))});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_TRUE(run.out.empty());

  const QImage& picture = run.picture;
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(630, 451)) << "9450 x 6765 twips at 15 to the pixel";
  std::set<QRgb> colours;
  for (int y = 0; y < picture.height(); y += 7)
    for (int x = 0; x < picture.width(); x += 7) colours.insert(picture.pixel(x, y));
  EXPECT_GT(colours.size(), 8u) << "not one flat colour";
  // The video area (120, 645) to (W - 128, H - 990) twips, 610 x 342 pixels, shows the 4:3
  // clip 456 pixels wide in its middle.
  int red = 0, samples = 0;
  for (int y = 60; y < 370; y += 20)
    for (int x = 110; x < 520; x += 30, ++samples) red += reddish(picture.pixel(x, y)) ? 1 : 0;
  EXPECT_GT(red, samples * 9 / 10) << red << " of " << samples;
  EXPECT_FALSE(reddish(picture.pixel(315, 20))) << "the title bar is not video";
}

// A picture asked for at once is taken once the window is there, and a failure would not end
// the program with success.
TEST(DesktopSmoke, AScreenshotAtOnceShowsTheWindow) {
  const Screenshot run = screenshotOf({"--after", "0"});
  EXPECT_EQ(run.exitCode == 0, !run.picture.isNull()) << run.errors;
  EXPECT_EQ(run.picture.size(), QSize(630, 451)) << run.errors;
}

// ---- The main window on the desktop view, components doubled ------------------------------

namespace {
// The staged skins are read from disk; every other file is the in-memory one.
test::FakeFolders stagedFolders() {
  test::FakeFolders folders;
  folders.application = KORVELIN_STAGE;
  return folders;
}

struct DesktopRig {
  VirtualClock clock;
  test::FakeCursor cursor;
  test::FakeScreen screen;
  test::MemoryFiles files;
  test::MemoryProfile profile{files};
  test::FakeFolders folders = stagedFolders();
  test::FakeScreenSaver screenSaver;
  test::FakeInstance instance;
  view::ComponentRegistry places;
  view::DesktopView view{places};
  test::FakeShell shell;
  test::FakeHelp help;
  test::MemoryRegistry registry;
  Services services{clock,       cursor,   screen, profile, files, folders,
                    screenSaver, instance, view,   shell,   help,  registry};
  test::FakeMediaPlayer player1{"WindowsMediaPlayer1"}, player2{"WindowsMediaPlayer2"};
  test::FakeFlashPlayer flash{"ShockwaveFlash1"};
  test::FakeWebPage web{"WebBrowser1"};
  media::Components components{player1, player2, flash, web};
  app::Form1 form{services, components};

  DesktopRig() {
    files.addFolder(folders.documents);
    files.addFolder(std::string(KORVELIN_STAGE) + "/datinf");
    for (const char* f : {"a.mp4", "b.mp3", "c.swf"}) files.addFile(folders.documents + "/" + f);
    form.Show();
    test::ViewRig::settle();
  }
  QWidget* widget(const forms::Control& c) { return view.windowOf(form)->widgetOf(c); }
  QPoint centre(const forms::Control& c) { return widget(c)->rect().center(); }
};
}  // namespace

TEST(DesktopSmoke, ClicksOnTheWindowReachTheRuntimeAndItsChangesReachTheWindow) {
  DesktopRig rig;
  app::Form1& f = rig.form;
  ASSERT_NE(rig.view.windowOf(f), nullptr);
  EXPECT_EQ(rig.view.windowOf(f)->size(), QSize(630, 451));
  EXPECT_TRUE(rig.view.windowOf(f)->windowFlags().testFlag(Qt::FramelessWindowHint));

  // A tab label: the blog tab shows the web page over the video area, highlighted.
  ASSERT_FALSE(rig.widget(f.WebBrowser1)->isVisible());
  test::click(rig.widget(f.Label8), rig.centre(f.Label8));
  test::ViewRig::settle();
  EXPECT_EQ(rig.web.lastCall(), "Navigate(" + f.blogAddress() + ")");
  EXPECT_TRUE(rig.widget(f.WebBrowser1)->isVisible());
  EXPECT_EQ(f.Label8.ForeColor(), 16750899u);

  // A title-bar button: the menu button reports a left click at its place, in twips, and
  // opens the popup menu window; a second click closes it.
  std::vector<std::string> seen;
  f.Image21.MouseDown.connect([&](int b, int, float x, float y) {
    seen.push_back("down " + std::to_string(b) + " " + std::to_string(int(x)) + "," +
                   std::to_string(int(y)));
  });
  f.Image21.Click.connect([&] { seen.push_back("click"); });
  test::click(rig.widget(f.Image21), {4, 6});
  EXPECT_EQ(seen, (std::vector<std::string>{"down 1 60,90", "click"}));
  ASSERT_NE(f.form3(), nullptr);
  EXPECT_TRUE(f.form3()->Visible());
  test::click(rig.widget(f.Image21), {4, 6});
  EXPECT_FALSE(f.form3()->Visible());

  // A list entry: the file panel's list selects what the user clicks.
  f.Frame1.setVisible(true);
  test::ViewRig::settle();
  auto* list = static_cast<QAbstractItemView*>(rig.widget(f.File1));
  ASSERT_EQ(list->model()->rowCount(), f.File1.ListCount());
  ASSERT_GE(f.File1.ListCount(), 2);
  test::click(list->viewport(), list->visualRect(list->model()->index(1, 0)).center());
  EXPECT_EQ(f.File1.ListIndex(), 1);

  // The seek bar: a press at 100 px from its left is 1500 twips, and moves the thumb there.
  std::vector<float> pressedAt;
  f.tVate1.MouseDown.connect([&](short&, short&, float& x, float&) { pressedAt.push_back(x); });
  const QImage before = rig.widget(f.tVate1)->grab().toImage();
  test::mouse(rig.widget(f.tVate1), QEvent::MouseButtonPress, {100, 4});
  test::mouse(rig.widget(f.tVate1), QEvent::MouseButtonRelease, {100, 4});
  test::ViewRig::settle();
  EXPECT_EQ(pressedAt, (std::vector<float>{1500}));
  EXPECT_GT(f.tVate1.Value(), 0);
  EXPECT_NE(rig.widget(f.tVate1)->grab().toImage(), before) << "the thumb moved on screen";

  // The runtime's changes: a caption and a window state.
  const QImage label = rig.widget(f.Label1)->grab().toImage();
  f.Label1.setCaption("01:23");
  test::ViewRig::settle();
  EXPECT_NE(rig.widget(f.Label1)->grab().toImage(), label);
  f.setWindowState(forms::kMinimized);
  test::ViewRig::settle();
  EXPECT_TRUE(rig.view.windowOf(f)->windowState().testFlag(Qt::WindowMinimized));

  // The close button ends the program.
  bool ended = false;
  f.setEndProcess([&] { ended = true; });
  test::click(rig.widget(f.Image18), {4, 6});
  EXPECT_FALSE(f.loaded());
  EXPECT_TRUE(ended);
}

// Zoom and the display modes: the player's place in the view is where the runtime put it, at 15
// twips to the pixel, beyond the window's edges too (zoom 200 % is larger than the window).
TEST(DesktopSmoke, ZoomAndModesPlaceThePlayerAsTheRuntimeSays) {
  DesktopRig rig;
  app::Form1& f = rig.form;
  struct Case {
    const char* name;
    void (app::Form1::*click)();
    QRect zoomed;  // empty: a display mode, judged against the runtime only
  };
  // The design window is 630 x 451: the component area 614 x 341 at (8, 43) at 100 %.
  const Case cases[] = {
      {"50 %", &app::Form1::BUT8A_Click, QRect(162, 140, 307, 171)},
      {"150 %", &app::Form1::BUT8C_Click, QRect(-146, -30, 921, 512)},
      {"200 %", &app::Form1::BUT8D_Click, QRect(-299, -115, 1228, 682)},
      {"100 %", &app::Form1::BUT8B_Click, QRect(8, 43, 614, 341)},
      {"theatre", &app::Form1::BUT0_Click, {}},
      {"full screen", &app::Form1::BUT1_Click, {}},
      {"stretch", &app::Form1::BUT17_Click, {}},
      {"native size", &app::Form1::BUT2_Click, {}},
  };
  const auto near = [](const QRect& a, const QRect& b) {
    return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1 &&
           std::abs(a.width() - b.width()) <= 1 && std::abs(a.height() - b.height()) <= 1;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    (f.*c.click)();
    test::ViewRig::settle();
    const auto& p = f.WindowsMediaPlayer1;
    const QRect runtime(qRound(p.Left() / 15), qRound(p.Top() / 15), qRound(p.Width() / 15),
                        qRound(p.Height() / 15));
    QWidget* place = rig.widget(p);
    ASSERT_NE(place, nullptr);
    EXPECT_TRUE(place->isVisible());
    EXPECT_TRUE(near(place->geometry(), runtime))
        << "view " << place->geometry().x() << "," << place->geometry().y() << " " << place->width()
        << "x" << place->height();
    if (!c.zoomed.isEmpty()) {
      EXPECT_TRUE(near(runtime, c.zoomed)) << "runtime " << runtime.x() << "," << runtime.y() << " "
                                           << runtime.width() << "x" << runtime.height();
    }
    // The player is centred on the window whatever its size.
    if (!c.zoomed.isEmpty() && c.zoomed.x() != 8) {
      const QRect window = rig.view.windowOf(f)->rect();
      EXPECT_LE(std::abs(place->geometry().center().x() - window.center().x()), 1);
      EXPECT_LE(std::abs(place->geometry().center().y() - window.center().y()), 1);
    }
  }
}
