// The desktop view of a form: widgets in step with the runtime, batched changes, input back as
// the runtime's events in twips, and the window system's moves taken back in.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCursor>
#include <QListView>
#include <QWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/lists.h"
#include "platform/qt/convert.h"
#include "platform/qt/name_lists.h"
#include "platform/qt/painted_control.h"
#include "platform/qt/shown_text.h"
#include "view_rig.h"

using namespace kv;
using namespace kv::forms;
using test::ViewRig;

namespace {
// Counts the paints a widget gets.
struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

struct EventLog {
  std::vector<std::string> seen;
  void watch(Control& c) {
    const std::string n = c.name();
    auto where = [](float x, float y) {
      return " " + std::to_string(int(x)) + "," + std::to_string(int(y));
    };
    c.MouseDown.connect([=, this](int b, int s, float x, float y) {
      seen.push_back(n + " down " + std::to_string(b) + "/" + std::to_string(s) + where(x, y));
    });
    c.MouseUp.connect([=, this](int b, int, float x, float y) {
      seen.push_back(n + " up " + std::to_string(b) + where(x, y));
    });
    c.MouseMove.connect([=, this](int b, int, float x, float y) {
      seen.push_back(n + " move " + std::to_string(b) + where(x, y));
    });
    c.Click.connect([=, this] { seen.push_back(n + " click"); });
    c.DblClick.connect([=, this] { seen.push_back(n + " dblclick"); });
  }
};
}  // namespace

TEST(FormWindow, EveryControlGetsAWidgetInPlaceAndInOrder) {
  ViewRig rig;
  PictureBox bar("Picture2", &rig.form);
  bar.design(0, 0, 6000, 645);
  Label tab("Label3", &bar);
  tab.design(2340, 240, 435, 195);
  Image button("Image18", &bar);
  button.design(5000, 0, 645, 270);
  Line rule("Line6", &bar);
  rule.design(0, 640, 6000, 0);
  Label hidden("Label9", &rig.form);
  hidden.setVisible(false);
  rig.form.Show();

  ASSERT_NE(rig.window(), nullptr);
  EXPECT_EQ(rig.window()->geometry(), QRect(100, 100, 400, 300));
  EXPECT_EQ(rig.widget(tab)->geometry(), QRect(156, 16, 29, 13));
  EXPECT_EQ(rig.widget(tab)->parentWidget(), rig.widget(bar));
  EXPECT_EQ(rig.widget(rule)->size(), QSize(400, 1)) << "a line of height 0 is still drawn";
  EXPECT_FALSE(rig.widget(hidden)->isVisible());
  EXPECT_FALSE(rig.window()->windowFlags().testFlag(Qt::FramelessWindowHint));
  rig.form.setWindowStyle(0);  // no caption: the program draws its own frame
  rig.form.setTopmost(true);
  ViewRig::settle();
  EXPECT_TRUE(rig.window()->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(rig.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(rig.window()->isVisible());

  // Z-order: the runtime brings the label behind the image, then to the front.
  tab.ZOrder(0);
  ViewRig::settle();
  EXPECT_EQ(rig.widget(bar)->children().indexOf(rig.widget(tab)),
            rig.widget(bar)->children().size() - 1);
  tab.ZOrder(1);
  ViewRig::settle();
  EXPECT_LT(rig.widget(bar)->children().indexOf(rig.widget(tab)),
            rig.widget(bar)->children().indexOf(rig.widget(button)));
}

TEST(FormWindow, ManyChangesInOneTurnAreAppliedOnceAndRepaintOnce) {
  ViewRig rig;
  Label label("Label1", &rig.form);
  label.design(120, 120, 900, 195);
  rig.form.Show();
  ViewRig::settle();
  QWidget* w = rig.widget(label);
  PaintCounter counter;
  w->installEventFilter(&counter);
  const int flushes = rig.window()->flushCount();

  for (int i = 0; i < 50; ++i) {
    label.setCaption("00:" + std::to_string(i));
    label.setForeColor(0x00FF00u + i);
    label.setLeft(120 + i * 15);
  }
  EXPECT_EQ(w->x(), 8) << "nothing applied inside the handler";
  ViewRig::settle();
  EXPECT_EQ(rig.window()->flushCount(), flushes + 1);
  EXPECT_EQ(w->x(), 8 + 49);
  EXPECT_LE(counter.paints, 1);
}

TEST(FormWindow, MouseInputReachesTheRuntimeInTwips) {
  ViewRig rig;
  Frame frame("Frame1", &rig.form);
  frame.design(600, 600, 3000, 3000);
  Label label("Label1", &frame);
  label.design(300, 300, 1500, 600);
  EventLog log;
  log.watch(label);
  log.watch(rig.form);
  rig.form.Show();
  QWidget* w = rig.widget(label);

  test::click(w, {10, 20});
  test::mouse(w, QEvent::MouseMove, {11, 21}, Qt::NoButton, Qt::LeftButton);
  test::mouse(w, QEvent::MouseButtonPress, {4, 5}, Qt::RightButton, Qt::NoButton,
              Qt::ShiftModifier | Qt::ControlModifier);
  test::mouse(w, QEvent::MouseButtonRelease, {4, 5}, Qt::RightButton);
  test::mouse(w, QEvent::MouseButtonDblClick, {1, 1});
  test::mouse(w, QEvent::MouseButtonRelease, {1, 1});
  test::click(rig.window(), {2, 3});  // the window's own background
  EXPECT_EQ(log.seen, (std::vector<std::string>{
                          "Label1 down 1/0 150,300", "Label1 up 1 150,300", "Label1 click",
                          "Label1 move 1 165,315", "Label1 down 2/3 60,75", "Label1 up 2 60,75",
                          "Label1 dblclick", "Label1 up 1 15,15", "Form1 down 1/0 30,45",
                          "Form1 up 1 30,45", "Form1 click"}));
}

TEST(FormWindow, ListsShowTheRuntimeSelectionAndAskItToChange) {
  test::MemoryFiles files;
  files.addFolder("/music");
  for (int i = 0; i < 10000; ++i) files.addFile("/music/track" + std::to_string(i) + ".mp3");
  files.addFolder("/music/live");
  ViewRig rig;
  FileListBox list("File1", &rig.form, files);
  list.design(0, 0, 3000, 3000);
  DirListBox dirs("Dir1", &rig.form, files);
  dirs.design(3000, 0, 3000, 3000);
  list.setPath("/music");
  dirs.setPath("/music");
  std::vector<int> clicks;
  list.Click.connect([&] { clicks.push_back(list.ListIndex()); });
  rig.form.Show();
  ViewRig::settle();

  auto* view = static_cast<view::NameListView*>(rig.widget(list));
  ASSERT_EQ(view->model()->rowCount(), 10000);
  const QRect row3 = view->visualRect(view->model()->index(3, 0));
  test::click(view->viewport(), row3.center());
  ViewRig::settle();
  EXPECT_EQ(clicks, (std::vector<int>{3}));
  EXPECT_EQ(view->currentIndex().row(), 3);

  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(view, &down);
  EXPECT_EQ(list.ListIndex(), 4);

  list.setListIndex(9000);  // from code: the list scrolls to it
  ViewRig::settle();
  EXPECT_TRUE(view->viewport()->rect().intersects(view->visualRect(view->model()->index(9000, 0))));

  // The folder list shows "/", "music", then "live"; a double click on "live" opens it.
  auto* folders = static_cast<view::NameListView*>(rig.widget(dirs));
  ASSERT_EQ(folders->model()->rowCount(), 3);
  test::mouse(folders->viewport(), QEvent::MouseButtonDblClick,
              folders->visualRect(folders->model()->index(2, 0)).center());
  EXPECT_EQ(dirs.Path(), "/music/live");
  ViewRig::settle();
  EXPECT_EQ(folders->model()->rowCount(), 3) << "/, music, live; no sub-folders";
}

TEST(FormWindow, TheDriveListShowsItsFontAndItsPopupTakesItWhenOpened) {
  test::MemoryFiles files;
  files.drivesList = {"/", "/media/usb", "/mnt/光盘"};
  ViewRig rig;
  DriveListBox drives("Drive1", &rig.form, files);
  drives.design(0, 0, 3000, 375);
  drives.setFontName("宋体");
  drives.setFontSize(12);
  rig.form.Show();
  ViewRig::settle();
  auto* combo = qobject_cast<QComboBox*>(rig.widget(drives));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentText(), "/");
  EXPECT_EQ(combo->font().pixelSize(), 16) << "12 points at 15 twips per pixel";

  for (const float points : {9.0f, 15.0f}) {  // before and after the popup was first made
    drives.setFontSize(points);
    ViewRig::settle();
    combo->showPopup();
    ViewRig::settle();
    EXPECT_EQ(combo->view()->font().pixelSize(), combo->font().pixelSize()) << points;
    EXPECT_EQ(combo->view()->model()->rowCount(), 3);
    combo->hidePopup();
  }
}

TEST(FormWindow, ControlsAndFormsThatGoAwayTakeTheirWidgetsWithThem) {
  auto rig = std::make_unique<ViewRig>();
  auto label = std::make_unique<Label>("Label1", &rig->form);
  rig->form.Show();
  QPointer<QWidget> w = rig->widget(*label);
  ASSERT_TRUE(w);
  label.reset();
  ViewRig::settle();
  EXPECT_FALSE(w);

  auto added = std::make_unique<Label>("Label2", &rig->form);
  ViewRig::settle();
  EXPECT_NE(rig->widget(*added), nullptr) << "a control added at run time gets its widget";

  QPointer<QWidget> window = rig->window();
  rig->form.Unload();
  ViewRig::settle();
  EXPECT_FALSE(window);
  rig->form.Show();  // shown again: a new window
  EXPECT_NE(rig->window(), nullptr);
  added.reset();
  rig.reset();  // the form is destroyed while shown
  ViewRig::settle();
}

TEST(FormWindow, AHiddenPanelsControlsAreMadeWhenItIsFirstShownAsTheyAreThen) {
  ViewRig rig;
  Frame panel("Frame1", &rig.form);
  panel.design(0, 0, 3000, 3000);
  panel.setVisible(false);
  Label label("Label1", &panel);
  auto gone = std::make_unique<Label>("Label2", &panel);
  Frame inner("Frame2", &panel);
  inner.setVisible(false);
  Label deep("Label3", &inner);
  Frame withPlayer("Frame3", &rig.form);
  withPlayer.setVisible(false);
  Control music(Kind::Component, "WindowsMediaPlayer2", &withPlayer);
  bool placed = false;
  rig.components.add(music, [&](view::ComponentPlace&) { placed = true; });
  rig.form.Show();
  ViewRig::settle();
  ASSERT_NE(rig.widget(panel), nullptr);
  EXPECT_EQ(rig.widget(label), nullptr);
  EXPECT_TRUE(placed) << "the engine behind a component needs its place, hidden or not";

  // Changed, added and removed while nobody could see them.
  label.setLeft(600);
  label.setEnabled(false);
  Label added("Label4", &panel);
  gone.reset();
  ViewRig::settle();
  EXPECT_EQ(rig.widget(label), nullptr);

  panel.setVisible(true);
  ViewRig::settle();
  ASSERT_NE(rig.widget(label), nullptr);
  EXPECT_EQ(rig.widget(label)->parentWidget(), rig.widget(panel));
  EXPECT_EQ(rig.widget(label)->x(), 40);
  EXPECT_FALSE(rig.widget(label)->isEnabled());
  EXPECT_TRUE(rig.widget(label)->isVisible());
  EXPECT_NE(rig.widget(added), nullptr);
  EXPECT_EQ(rig.widget(panel)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 3)
      << "the removed label got no widget";
  EXPECT_EQ(rig.widget(deep), nullptr) << "a hidden panel inside waits for its own showing";
  inner.setVisible(true);
  ViewRig::settle();
  EXPECT_NE(rig.widget(deep), nullptr);
}

TEST(FormWindow, ACaptionIsLaidOutAgainWhenAnythingItIsMadeFromChanges) {
  ViewRig rig;
  Label label("Label1", &rig.form);
  label.design(120, 120, 1500, 600);
  label.setCaption("播放");
  rig.form.Show();
  ViewRig::settle();
  auto* widget = dynamic_cast<view::PaintedControl*>(rig.widget(label));
  ASSERT_NE(widget, nullptr);
  // What the label shows, written out: font, lines and where they stand.
  const auto shown = [](const view::CaptionLayout& layout) {
    std::string out = layout.font.toString().toStdString();
    for (const view::CaptionLine& line : layout.lines)
      out += " | " + line.text.toStdString() + " @" + std::to_string(line.baseline.x()) + "," +
             std::to_string(line.baseline.y());
    return out;
  };
  const auto fresh = [&] {
    return view::layoutCaption(view::scaledCaptionFont(label), view::shownText(label.Caption()),
                               widget->captionRoom(), Qt::AlignLeft | Qt::AlignTop,
                               view::CaptionFlow::Wrapped);
  };
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"caption", [&] { label.setCaption("播放列表中的第二个文件"); }},
      {"size", [&] { label.setFontSize(14); }},
      {"bold", [&] { label.setFontBold(true); }},
      {"width", [&] { label.setWidth(900); }},
      {"access key", [&] { label.setCaption("播放(&P)"); }},
  };
  for (const auto& [what, change] : changes) {
    const std::string before = shown(widget->captionLayout());
    change();
    ViewRig::settle();
    EXPECT_NE(shown(widget->captionLayout()), before) << what;
    EXPECT_EQ(shown(widget->captionLayout()), shown(fresh())) << what;
  }
}

TEST(FormWindow, TheWindowSystemsMovesComeBackWithoutEcho) {
  ViewRig rig;
  rig.form.Show();
  // The X server's answers to the mapping must not be counted as the window system's move.
  ASSERT_TRUE(ViewRig::settleUntil([&] { return rig.window()->windowHandle()->isExposed(); }));
  int resizes = 0;
  rig.form.Resize.connect([&] { ++resizes; });
  rig.window()->setGeometry(130, 140, 420, 310);  // one configure, as a window manager sends
  ViewRig::settleUntil([&] { return rig.form.Width() == 420 * 15; });
  EXPECT_EQ(rig.form.Left(), 130 * 15);
  EXPECT_EQ(rig.form.Top(), 140 * 15);
  EXPECT_EQ(rig.form.Width(), 420 * 15);
  EXPECT_EQ(resizes, 1);

  rig.form.setWidth(4501);  // 300.07 pixels: the view shows 300 and reports nothing back
  ViewRig::settle();
  EXPECT_EQ(rig.window()->width(), 300);
  EXPECT_EQ(rig.form.Width(), 4501);
  EXPECT_EQ(resizes, 2);
}

TEST(FormWindow, ValuesQtWouldRefuseAreBroughtIntoRange) {
  ViewRig rig;
  Label label("Label1", &rig.form);
  label.setCaption("大");
  label.setFontSize(2000);
  label.Move(-1e30f, 1e30f, 1e30f, 3e38f);
  label.setMousePointer(99);  // its own icon, which it does not have
  Image picture("Image1", &rig.form);
  picture.setPicture(Picture::fromFile("/nonexistent.png"));  // a missing skin file
  rig.form.Show();
  ViewRig::settle();
  QWidget* w = rig.widget(label);
  EXPECT_LE(w->width(), QWIDGETSIZE_MAX);
  EXPECT_LE(view::captionFont(label).pointSizeF(), 400);
  EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
  rig.window()->grab();  // paints every widget
}

TEST(FormWindow, PointerShapes) {
  ViewRig rig;
  Label label("Label1", &rig.form);
  PictureBox box("Picture1", &rig.form);
  rig.form.setMousePointer(kSizeWE);
  box.setMousePointer(kSizeNWSE);
  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(Qt::red);
  icon.setText("HotSpotX", "13");
  icon.setText("HotSpotY", "2");
  rig.form.Show();
  EXPECT_EQ(rig.window()->cursor().shape(), Qt::SizeHorCursor);
  EXPECT_EQ(rig.widget(box)->cursor().shape(), Qt::SizeFDiagCursor);
  EXPECT_FALSE(rig.widget(label)->testAttribute(Qt::WA_SetCursor))
      << "a label shows its container's";
  label.setMouseIcon(std::make_shared<const Picture>(icon));
  label.setMousePointer(kHand);
  ViewRig::settle();
  EXPECT_EQ(rig.widget(label)->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(rig.widget(label)->cursor().hotSpot(), QPoint(13, 2));
}
