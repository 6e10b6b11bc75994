// What the desktop view learns from the forms runtime, and what it can tell a form back.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "platform/errors.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/forms/menu.h"

using namespace kv;
using namespace kv::forms;

namespace {
struct Recorder {
  std::vector<std::pair<std::string, Changes>> seen;
  ScopedConnection connection;
  explicit Recorder(Control& root)
      : connection(root.ControlChanged.connect(
            [this](Control& c, Changes what) { seen.emplace_back(c.name(), what); })) {}
  Changes last() const { return seen.empty() ? 0 : seen.back().second; }
};
}  // namespace

TEST(FormChanges, EachPropertyNamesTheControlAndWhatChanged) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  Frame frame("Frame1", &form);
  Label label("Label1", &frame);
  label.setCaption("a");
  Recorder r(form);
  struct Case {
    const char* what;
    std::function<void()> change;
    Changes expected;
  };
  const std::vector<Case> cases = {
      {"geometry", [&] { label.Move(1, 2, 3, 4); }, kChangeGeometry},
      {"visible", [&] { label.setVisible(false); }, kChangeVisible},
      {"caption", [&] { label.setCaption("b"); }, kChangeCaption},
      {"fore colour", [&] { label.setForeColor(0x123456); }, kChangeColours},
      {"back colour", [&] { label.setBackColor(0x654321); }, kChangeColours},
      {"enabled", [&] { label.setEnabled(false); }, kChangeEnabled},
      {"pointer", [&] { label.setMousePointer(kSizeNS); }, kChangePointer},
      {"tool tip", [&] { label.setToolTipText("tip"); }, kChangeToolTip},
      {"z-order", [&] { label.ZOrder(1); }, kChangeZOrder},
      {"refresh", [&] { label.Refresh(); }, kChangeRefresh},
  };
  for (const auto& c : cases) {
    r.seen.clear();
    c.change();
    ASSERT_FALSE(r.seen.empty()) << c.what;
    EXPECT_EQ(r.seen.back().first, "Label1") << c.what;
    EXPECT_EQ(r.last() & c.expected, c.expected) << c.what;
  }
  // Writing the value a property already has tells nobody.
  r.seen.clear();
  label.setCaption("b");
  label.setVisible(false);
  label.setForeColor(0x123456);
  EXPECT_TRUE(r.seen.empty());
}

TEST(FormChanges, ChildrenAddedAndListsReported) {
  test::FakeScreen screen;
  test::MemoryFiles files;
  files.addFile("/m/a.mp4");
  files.addFile("/m/b.mp4");
  Form form("Form1", &screen);
  Recorder r(form);
  FileListBox list("File1", &form, files);
  EXPECT_EQ(r.seen.front(), (std::pair<std::string, Changes>{"Form1", kChangeChildren}));
  list.setPath("/m");
  EXPECT_TRUE(r.last() & kChangeItems);
  list.setListIndex(1);
  EXPECT_EQ(r.last(), kChangeSelection);
}

TEST(FormChanges, WindowHostLearnsOfShowHideUnloadAndDestruction) {
  test::FakeScreen screen;
  test::FakeWindowHost host;
  {
    Form form("Form3", &screen, &host);
    form.Show();
    form.Hide();
    form.Show();
    form.Unload();
  }
  EXPECT_EQ(host.calls, (std::vector<std::string>{"shown Form3", "hidden Form3", "shown Form3",
                                                  "unloaded Form3", "destroyed Form3"}));
}

TEST(FormChanges, DesktopMovesAndSizesAreTakenWithoutRefusalOrEcho) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  form.design(0, 0, 9600, 7200);
  int resizes = 0;
  form.Resize.connect([&] { ++resizes; });
  Recorder r(form);

  form.desktopMoved(1500, 1500);
  EXPECT_EQ(form.Left(), 1500);
  EXPECT_EQ(resizes, 0);  // a move is no resize
  EXPECT_EQ(r.last(), kChangeGeometry | kChangeFromDesktop);

  form.desktopStateChanged(kMaximized, 0, 0, 19200, 14400);
  EXPECT_EQ(form.WindowState(), kMaximized);
  EXPECT_EQ(form.Width(), 19200);
  EXPECT_EQ(resizes, 1);
  EXPECT_TRUE(r.last() & kChangeFromDesktop);
  // Code still may not move a maximised window; the desktop may (a second screen, say).
  EXPECT_THROW(form.setLeft(10), RuntimeError);
  form.desktopMoved(19200, 0);
  EXPECT_EQ(form.Left(), 19200);

  // Restoring brings back the normal bounds the desktop gave before maximising.
  form.setWindowState(kNormal);
  EXPECT_EQ(form.Left(), 1500);
  EXPECT_EQ(form.Width(), 9600);
  EXPECT_EQ(resizes, 2);
  EXPECT_FALSE(r.last() & kChangeFromDesktop);  // a change by code is shown by the view

  form.desktopResized(12000, 9000);
  form.desktopResized(12000, 9000);  // the same size again is no new resize
  form.desktopResized(-15, 9000);    // nonsense from a window system is ignored
  EXPECT_EQ(resizes, 3);
  EXPECT_EQ(form.Width(), 12000);
}

TEST(FormChanges, MenuItemsNotifyTheirMenu) {
  MenuItem menu("menu", "PlayerMenu");
  MenuItem volume("BUT9", "音量", &menu);
  MenuItem mute("BUT9C", "静音", &volume);
  std::vector<std::string> seen;
  menu.ItemChanged.connect([&](MenuItem& item) { seen.push_back(item.name()); });
  mute.setChecked(true);
  mute.setChecked(true);
  volume.setEnabled(false);
  mute.setCaption("x");
  EXPECT_EQ(seen, (std::vector<std::string>{"BUT9C", "BUT9", "BUT9C"}));

  // Items made and deleted at run time leave the menu; a deleted menu leaves no parent behind.
  auto added = std::make_unique<MenuItem>("track1", "音轨 1", &menu);
  auto submenu = std::make_unique<MenuItem>("tracks", "音轨和字幕", &menu);
  MenuItem track("track2", "音轨 2", submenu.get());
  ASSERT_EQ(menu.items().size(), 3u);
  added.reset();
  EXPECT_EQ(menu.items(), (std::vector<MenuItem*>{&volume, submenu.get()}));
  submenu.reset();
  EXPECT_EQ(menu.items(), (std::vector<MenuItem*>{&volume}));
  EXPECT_EQ(track.parent(), nullptr);
  track.setChecked(true);  // reaches no menu, and nothing that is gone
  EXPECT_EQ(seen.size(), 3u);
}
