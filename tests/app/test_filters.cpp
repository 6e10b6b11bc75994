// The file panel: the filters on a real folder, their button groups and players, the list tab
// and the mouse moves over the lists.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "app/playback_rig.h"
#include "media/kinds.h"
#include "platform/host/host_services.h"

using namespace kv;
using test::CallLog;
using test::PlaybackRig;

namespace {

// The window with the file lists on the real file system.
struct DiskRig : PlaybackRig {
  host::HostFiles disk;
  Services diskServices{clock,       cursor,   screen,  profile, disk, folders,
                        screenSaver, instance, windows, shell,   help, registry};
  QTemporaryDir temp;
  std::string movies;  // a folder named "影片" holding a.swf, b.FLV, c.DAT and d.mp3

  DiskRig() {
    movies = temp.path().toStdString() + "/影片";
    std::filesystem::create_directory(movies);
    for (const char* name : {"a.swf", "b.FLV", "c.DAT", "d.mp3", "e.jpg", "f.PNG"})
      std::ofstream(movies + "/" + name) << "x";
    // An installed player that has run before, so that start-up does no first-run actions.
    folders.application = temp.path().toStdString() + "/app";
    std::filesystem::create_directories(folders.application + "/datinf");
    form = std::make_unique<app::Form1>(diskServices, components);
    form->Show();
    form->Dir1.setPath(movies);  // the folder list chains the file list
    forget();
  }
  // The window, whose file list may still be reading on a worker, goes before the disk it reads.
  ~DiskRig() { form.reset(); }
};

std::vector<std::string> entries(const forms::FileListBox& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
  return out;
}

}  // namespace

TEST(Filters, EachFilterListsItsKindFromARealFolder) {
  DiskRig rig;
  auto& form = *rig.form;
  ASSERT_EQ(form.File1.Path(), rig.movies);
  form.Option2_Click();
  EXPECT_EQ(form.File1.Pattern(), media::MoviePattern);
  EXPECT_EQ(entries(form.File1), (std::vector<std::string>{"a.swf", "b.FLV", "c.DAT"}));
  form.Option3_Click();
  EXPECT_EQ(form.File1.Pattern(), media::MusicPattern);
  EXPECT_EQ(entries(form.File1), (std::vector<std::string>{"d.mp3"}));
  form.Option1_Click();
  EXPECT_EQ(form.File1.Pattern(), media::PicturePattern);
  EXPECT_EQ(entries(form.File1), (std::vector<std::string>{"e.jpg", "f.PNG"}));
  // Choosing a filter opens nothing.
  EXPECT_EQ(rig.player1.calls, CallLog{});
  EXPECT_EQ(rig.flash.calls, CallLog{});
}

TEST(Filters, ButtonGroupsPlayersAndTheSlideShow) {
  struct Case {
    void (app::Form1::*handler)();
    bool pictureButtons;
    bool showsPlayer;
  };
  for (const Case& c : {Case{&app::Form1::Option1_Click, true, true},
                        Case{&app::Form1::Option2_Click, false, false},
                        Case{&app::Form1::Option3_Click, false, true}}) {
    DiskRig rig;
    auto& form = *rig.form;
    form.WindowsMediaPlayer1.setVisible(false);  // Flash content on show
    form.Timer1.setEnabled(true);
    form.Dir1.setVisible(false);
    form.Dir1.setEnabled(false);
    rig.cursor.count = -3;
    (form.*c.handler)();
    for (forms::Image* i : {&form.Image2, &form.Image5, &form.Image7})
      EXPECT_EQ(i->Visible(), c.pictureButtons) << i->name();
    for (forms::Image* i : {&form.Image3, &form.Image6, &form.Image8})
      EXPECT_EQ(i->Visible(), !c.pictureButtons) << i->name();
    EXPECT_EQ(form.WindowsMediaPlayer1.Visible(), c.showsPlayer);
    EXPECT_FALSE(form.Timer1.Enabled());
    EXPECT_TRUE(form.Dir1.Visible());
    EXPECT_TRUE(form.Dir1.Enabled());
    EXPECT_EQ(rig.cursor.count, 0);
    // The background music stops; what the first player plays is not touched.
    EXPECT_EQ(*rig.log,
              (CallLog{"WindowsMediaPlayer2.close", "WindowsMediaPlayer2.enabled=false"}));
  }
}

TEST(Filters, ChoosingADriveRefillsBothLists) {
  DiskRig rig;
  auto& form = *rig.form;
  form.File1.setPattern("*.DAT");
  form.Drive1.setDrive(rig.movies);  // a mounted volume of its own, as far as the lists know
  EXPECT_EQ(form.Dir1.Path(), rig.movies);
  EXPECT_EQ(form.File1.Path(), rig.movies);
  EXPECT_EQ(entries(form.File1), (std::vector<std::string>{"c.DAT"}));
}

TEST(ListTab, HighlightsItselfAndTogglesThePanel) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  form.Label3.setForeColor(16750899);
  for (bool shownAfter : {true, false}) {
    form.Label6_Click();
    EXPECT_EQ(form.Frame1.Visible(), shownAfter);
    EXPECT_EQ(form.Label6.ForeColor(), 16750899u);
    for (forms::Label* l : {&form.Label3, &form.Label7, &form.Label8, &form.Label9})
      EXPECT_EQ(l->ForeColor(), 0xFFFFFFu) << l->name();
  }
}

TEST(ListMouseMoves, WakeTheCursorOnlyInAMaximisedWindow) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  rig.cursor.count = -1;
  form.File1.inputMouseMove(0, 0, 100, 100);
  form.File1.inputMouseMove(0, 0, 300, 300);
  EXPECT_EQ(rig.cursor.count, -1);  // normal window: nothing
  EXPECT_EQ(form.CurrentX(), 0);

  form.setWindowState(forms::kMaximized);
  rig.cursor.count = -1;                      // the layout of the maximise showed it; hidden again
  form.File1.inputMouseMove(0, 0, 100, 100);  // records the reference point only
  EXPECT_EQ(rig.cursor.count, -1);
  EXPECT_FALSE(form.Timer3.Enabled());
  form.Dir1.inputMouseMove(0, 0, 101, 101);  // within one unit
  EXPECT_EQ(rig.cursor.count, -1);
  form.Dir1.inputMouseMove(0, 0, 100, 102.5f);
  EXPECT_EQ(rig.cursor.count, 0);
  EXPECT_TRUE(form.Timer3.Enabled());
  EXPECT_EQ(form.CurrentX(), 100);  // the reference point stays
  EXPECT_EQ(form.CurrentY(), 100);
}
