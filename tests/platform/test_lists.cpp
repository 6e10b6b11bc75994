#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "doubles/fake_services.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "platform/file_names.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/host/host_services.h"
#include "platform/temp_dir.h"

using namespace kv;
using namespace kv::forms;

namespace {

std::vector<std::string> entries(const FileListBox& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
  return out;
}

struct ListRig {
  test::TempDir dir;
  host::HostFiles files;
  test::FakeScreen screen;
  Form form{"Form1", &screen};
  FileListBox File1{"File1", &form, files};
  DirListBox Dir1{"Dir1", &form, files};
  ListRig() {
    for (const char* name : {"a.swf", "b.FLV", "c.DAT", "d.mp3", "clip 10.mp4", "clip 2.mp4",
                             "\"quoted\".avi", "影片.mkv", "README", "ends.", "photo.JPG"})
      dir.file(name, "x");
    std::filesystem::create_directory(dir.path() + "/sub.avi");  // a folder is no file
  }
};

}  // namespace

TEST(FileList, PatternsChooseTheEntriesWithoutRegardToCase) {
  ListRig rig;
  rig.File1.setPath(rig.dir.path());
  EXPECT_EQ(rig.File1.ListCount(), 11);  // "*.*" at first
  rig.File1.setPattern(media::MoviePattern);
  EXPECT_EQ(entries(rig.File1),
            (std::vector<std::string>{"\"quoted\".avi", "a.swf", "b.FLV", "c.DAT", "clip 2.mp4",
                                      "clip 10.mp4", "影片.mkv"}));
  rig.File1.setPattern(media::MusicPattern);
  EXPECT_EQ(entries(rig.File1), (std::vector<std::string>{"d.mp3"}));
  rig.File1.setPattern(media::PicturePattern);
  EXPECT_EQ(entries(rig.File1), (std::vector<std::string>{"photo.JPG"}));
  rig.File1.setPattern("nothing;*.none");
  EXPECT_EQ(rig.File1.ListCount(), 0);
  EXPECT_EQ(rig.File1.FileName(), "");
}

TEST(FileList, SelectingFromCodeClicksLikeAUser) {
  ListRig rig;
  rig.File1.setPattern(media::MediaPattern);
  rig.File1.setPath(rig.dir.path() + "/");  // the trailing separator is dropped
  EXPECT_EQ(rig.File1.Path(), rig.dir.path());
  std::vector<std::string> clicked;
  rig.File1.Click.connect([&] { clicked.push_back(rig.File1.FileName()); });
  rig.File1.setListIndex(2);
  rig.File1.setListIndex(2);
  rig.File1.setListIndex(-1);  // no selection: nothing to open
  EXPECT_EQ(clicked, (std::vector<std::string>{"b.FLV", "b.FLV"}));
  EXPECT_EQ(rig.File1.ListIndex(), -1);
  EXPECT_THROW(rig.File1.setListIndex(rig.File1.ListCount()), RuntimeError);
  EXPECT_THROW(rig.File1.setListIndex(-2), RuntimeError);
  EXPECT_EQ(rig.File1.List(99), "");
}

TEST(FileList, AMissingFolderIsRefusedAndChangesNothing) {
  ListRig rig;
  rig.File1.setPath(rig.dir.path());
  rig.File1.setListIndex(0);
  for (const std::string& bad : {std::string(""), rig.dir.path() + "/nope", std::string("false"),
                                 "\"" + rig.dir.path() + "/", rig.dir.path() + "/README"}) {
    try {
      rig.File1.setPath(bad);
      FAIL() << "accepted " << bad;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), ErrorNumber::PathNotFound);
    }
  }
  EXPECT_EQ(rig.File1.Path(), rig.dir.path());
  EXPECT_EQ(rig.File1.ListIndex(), 0);
  EXPECT_THROW(rig.Dir1.setPath(rig.dir.path() + "/nope"), RuntimeError);
}

TEST(FileList, AFolderThatVanishesEmptiesTheListOnTheNextRead) {
  ListRig rig;
  const std::string sub = rig.dir.path() + "/gone";
  std::filesystem::create_directory(sub);
  rig.dir.file("gone/x.mp3", "x");
  rig.File1.setPath(sub);
  ASSERT_EQ(rig.File1.ListCount(), 1);
  std::filesystem::remove_all(sub);
  rig.File1.setPattern(media::MusicPattern);
  EXPECT_EQ(rig.File1.ListCount(), 0);
  EXPECT_EQ(rig.File1.FileName(), "");
  rig.File1.Refresh();
  EXPECT_EQ(rig.File1.ListCount(), 0);
}

TEST(FileList, RefreshKeepsTheSelectedNameWithoutOpeningItAgain) {
  ListRig rig;
  rig.File1.setPath(rig.dir.path());
  rig.File1.setPattern(media::MediaPattern);
  int clicks = 0;
  rig.File1.Click.connect([&] { ++clicks; });
  rig.File1.setListIndex(3);
  const std::string selected = rig.File1.FileName();
  rig.dir.file("0first.mp3", "x");  // shifts every index by one
  rig.File1.Refresh();
  EXPECT_EQ(rig.File1.FileName(), selected);
  EXPECT_EQ(rig.File1.ListIndex(), 4);
  EXPECT_EQ(clicks, 1);
}

TEST(FileList, AWindowIsShownWithTheFolderItsLoadReadOnce) {
  test::MemoryFiles files;
  files.addFile("/m/a.mp3");
  test::FakeScreen screen;
  Form form{"Form1", &screen};
  FileListBox File1{"File1", &form, files};
  File1.setPath("/m");
  File1.setPattern(media::MediaPattern);
  completeFileLists(form);
  files.remove("/m/a.mp3");  // after the window was shown
  EXPECT_EQ(entries(File1), (std::vector<std::string>{"a.mp3"}));
  EXPECT_EQ(files.listings["/m"], 1);
}

TEST(DirList, ListsSubFoldersAndRaisesChange) {
  ListRig rig;
  int changes = 0;
  rig.Dir1.Change.connect([&] { ++changes; });
  rig.Dir1.setPath(rig.dir.path());
  rig.Dir1.setPath(rig.dir.path());
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(rig.Dir1.ListCount(), 1);
  EXPECT_EQ(rig.Dir1.List(0), "sub.avi");
}

TEST(DriveList, RootComesFirstAndAnUnmountedDriveIsRefused) {
  host::HostFiles files;
  test::FakeScreen screen;
  Form form("Form1", &screen);
  DriveListBox drives("Drive1", &form, files);
  ASSERT_GE(drives.ListCount(), 1);
  EXPECT_EQ(drives.List(0), "/");
  EXPECT_EQ(drives.Drive(), "/");
  EXPECT_THROW(drives.setDrive("/no/such/volume"), RuntimeError);
  EXPECT_EQ(drives.Drive(), "/");
}

// A name made from a file's name keeps its tail (time and extension) and whole characters.
TEST(FileNames, ANameTooLongIsCutInItsHeadAtACharacterBoundary) {
  struct Case {
    std::string head, tail;
    std::size_t headKept;  // bytes of head in the name
  };
  const std::string tail = "-1.02.03.png";  // 12 bytes
  std::string han = "a";                    // then three-byte characters
  for (int i = 0; i < 100; ++i) han += "字";
  for (const Case& c : {Case{"clip", tail, 4}, Case{std::string(243, 'a'), tail, 243},
                        Case{std::string(251, 'a'), tail, 243}, Case{han, tail, 241},
                        Case{"clip", std::string(300, 't'), 0}}) {
    const std::string name = fitFileName(c.head, c.tail);
    EXPECT_EQ(name, c.head.substr(0, c.headKept) + c.tail) << c.head.size();
  }
}
