// What the user's input does inside the forms runtime: option buttons and check boxes, the
// folder and drive lists, and the properties the desktop view draws by.

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "doubles/fake_services.h"
#include "platform/errors.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"

using namespace kv;
using namespace kv::forms;

namespace {
struct Clicks {
  std::vector<std::string> seen;
  void watch(Control& c) {
    c.Click.connect([this, &c] { seen.push_back(c.name()); });
  }
};
}  // namespace

TEST(ControlInput, OptionButtonsOfOneContainerExcludeEachOther) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  Frame frame("Frame1", &form);
  OptionButton a("Option1", &frame), b("Option2", &frame);
  OptionButton other("Option9", &form);  // another container: another group
  other.setValue(1);
  Clicks clicks;
  for (Control* c : {&a, &b, &other}) clicks.watch(*c);

  a.inputClick();
  b.inputClick();
  b.inputClick();  // already chosen: it stays chosen, and the click is still a click
  EXPECT_EQ(clicks.seen, (std::vector<std::string>{"Option1", "Option2", "Option2"}));
  EXPECT_EQ(a.Value(), 0);
  EXPECT_EQ(b.Value(), 1);
  EXPECT_EQ(other.Value(), 1);

  a.setValue(1);  // from code, too
  EXPECT_EQ(b.Value(), 0);
}

TEST(ControlInput, CheckBoxToggles_OtherControlsJustClick) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  CheckBox box("Check1", &form);
  Label label("Label1", &form);
  Clicks clicks;
  clicks.watch(box);
  clicks.watch(label);
  box.inputClick();
  EXPECT_EQ(box.Value(), 1);
  box.inputClick();
  EXPECT_EQ(box.Value(), 0);
  label.inputClick();
  EXPECT_EQ(clicks.seen, (std::vector<std::string>{"Check1", "Check1", "Label1"}));
}

TEST(ControlInput, LookPropertiesNotifyAndRefuseNonsense) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  Label label("Label1", &form);
  std::vector<Changes> seen;
  ScopedConnection c = form.ControlChanged.connect([&](Control&, Changes w) { seen.push_back(w); });
  label.setBackStyle(0);
  label.setStretch(true);
  label.setFontSize(12);
  label.setFontBold(true);
  label.setFontName("Noto Sans");
  EXPECT_EQ(seen, (std::vector<Changes>{kChangeColours, kChangePicture, kChangeFont, kChangeFont,
                                        kChangeFont}));
  for (float bad : {0.0f, -3.0f, 1e9f, std::numeric_limits<float>::quiet_NaN()})
    EXPECT_THROW(label.setFontSize(bad), RuntimeError) << bad;
  EXPECT_THROW(label.setBackStyle(2), RuntimeError);
  EXPECT_EQ(label.FontSize(), 12);
  EXPECT_EQ(label.BackStyle(), 0);
}

TEST(ControlInput, ADestroyedControlTellsItsContainer) {
  test::FakeScreen screen;
  Form form("Form1", &screen);
  Frame frame("Frame1", &form);
  auto label = std::make_unique<Label>("Label1", &frame);
  std::vector<std::string> seen;
  ScopedConnection c = form.ControlChanged.connect([&](Control& who, Changes w) {
    if (w & kChangeChildren)
      seen.push_back(who.name() + ":" + std::to_string(who.children().size()));
  });
  label.reset();
  EXPECT_EQ(seen, (std::vector<std::string>{"Frame1:0"}));
}

TEST(ControlInput, FolderListShowsItsOpenFoldersAndOpensEntries) {
  test::FakeScreen screen;
  test::MemoryFiles files;
  for (const char* f : {"/home", "/home/ann", "/home/ann/music", "/home/ann/video"})
    files.addFolder(f);
  Form form("Form1", &screen);
  DirListBox dirs("Dir1", &form, files);
  FileListBox fileList("File1", &form, files);
  dirs.Change.connect([&] { fileList.setPath(dirs.Path()); });
  int doubleClicks = 0;
  dirs.DblClick.connect([&] { ++doubleClicks; });

  dirs.setPath("/home/ann");
  EXPECT_EQ(dirs.openFolders(), (std::vector<std::string>{"/", "/home", "/home/ann"}));
  ASSERT_EQ(dirs.ListCount(), 2);

  dirs.inputOpen(1);  // "video"
  EXPECT_EQ(dirs.Path(), "/home/ann/video");
  EXPECT_EQ(fileList.Path(), "/home/ann/video");
  dirs.inputOpen(-3);  // up two levels: /home
  EXPECT_EQ(dirs.Path(), "/home");
  dirs.inputOpen(-2);  // the root
  EXPECT_EQ(dirs.Path(), "/");
  EXPECT_EQ(dirs.openFolders(), (std::vector<std::string>{"/"}));
  EXPECT_EQ(doubleClicks, 3);

  // Beyond the list or above the root: nothing happens.
  dirs.inputOpen(7);
  dirs.inputOpen(-5);
  EXPECT_EQ(dirs.Path(), "/");
  EXPECT_EQ(doubleClicks, 3);
}

TEST(ControlInput, ChoosingADriveChangesTheDriveThenClicks) {
  test::FakeScreen screen;
  test::MemoryFiles files;
  files.addFolder("/media/usb");
  files.drivesList = {"/", "/media/usb", "/media/gone"};
  Form form("Form1", &screen);
  DriveListBox drives("Drive1", &form, files);
  std::vector<std::string> seen;
  drives.Change.connect([&] { seen.push_back("change " + drives.Drive()); });
  drives.Click.connect([&] { seen.push_back("click"); });

  drives.inputSelect(1);
  EXPECT_EQ(seen, (std::vector<std::string>{"change /media/usb", "click"}));
  EXPECT_THROW(drives.inputSelect(2), RuntimeError);  // not mounted: refused, nothing changes
  EXPECT_EQ(drives.Drive(), "/media/usb");
  EXPECT_EQ(drives.ListIndex(), 1);
}
