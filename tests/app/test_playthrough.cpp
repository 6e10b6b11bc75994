// End to end on the real engines: a folder of two short clips, clicked once, plays through on
// its own and wraps to the first clip again.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "app/form1.h"
#include "doubles/fake_components.h"
#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "media/flash/flash_runtime.h"
#include "media/player/mpv_player.h"
#include "platform/host/host_services.h"
#include "test_media.h"

using namespace kv;

namespace {

QGuiApplication& application() {
  static int argc = 1;
  static char name[] = "test_playthrough";
  static char* argv[] = {name, nullptr};
  static auto* app = new QGuiApplication(argc, argv);  // lives until the process ends
  media::useCNumericLocale();
  return *app;
}

}  // namespace

TEST(PlayThrough, TwoClipsPlayOneAfterTheOtherAndWrap) {
  application();
  test::TestMedia clips;
  clips.red(1);
  clips.red(2);

  // The application folder with the resource movies under their stored names.
  QTemporaryDir appDir;
  const std::string app = appDir.path().toStdString();
  std::filesystem::create_directory(app + "/datinf");
  for (const char* movie : {"0.dll", "power.dll"})
    std::filesystem::copy_file(std::string(KORVELIN_STAGE) + "/" + movie, app + "/" + movie);

  host::HostClock clock;
  host::HostFiles files;
  test::FakeCursor cursor;
  test::FakeScreen screen;
  test::MemoryFiles memory;
  test::MemoryProfile profile(memory);
  test::FakeFolders folders;
  folders.application = app;
  folders.documents = clips.dir();
  test::FakeScreenSaver screenSaver;
  test::FakeInstance instance;
  test::FakeWindowHost windows;
  test::FakeShell shell;
  test::FakeHelp help;
  test::MemoryRegistry registry;
  Services services{clock,       cursor,   screen,  profile, files, folders,
                    screenSaver, instance, windows, shell,   help,  registry};

  media::MpvPlayer player1, player2;
  media::FlashRuntime flash(clock);
  test::FakeWebPage web;
  media::Components components{player1, player2, flash, web};
  app::Form1 form(services, components);
  form.Show();
  ASSERT_EQ(form.File1.Path(), clips.dir());
  ASSERT_EQ(form.File1.ListCount(), 2);

  std::vector<int> opened;
  int furthest = 0;
  form.File1.Click.connect([&] { opened.push_back(form.File1.ListIndex()); });
  form.tVate1.Changed.connect([&](int& v, int&) { furthest = std::max(furthest, v); });
  form.File1.setListIndex(0);
  const bool wrapped = test::pumpUntil([&] { return opened.size() >= 3; }, 30000);
  EXPECT_TRUE(wrapped) << "opened " << opened.size() << ", state " << player1.playState() << " "
                       << player1.errorText();
  EXPECT_EQ(opened, (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(form.currentFile, clips.dir() + "/red1.mp4");
  EXPECT_TRUE(form.WindowsMediaPlayer1.Visible());
  // The display followed the clips.
  EXPECT_GT(furthest, 0);
  EXPECT_EQ(form.Label2.Caption().substr(0, 4), "/00:");
  // The Flash component holds the idle movie; the follow-up never handed it a clip.
  EXPECT_EQ(flash.Movie(), app + "/0.swf");
  form.Image9_Click();
}
