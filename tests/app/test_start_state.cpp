// Start-up against state that is not what it should be, and how often it reads the list folder.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/form1_rig.h"
#include "platform/fifo_feeder.h"
#include "platform/host/host_services.h"
#include "platform/temp_dir.h"

using namespace kv;
using test::Form1Rig;

TEST(StartState, APipeNamedLikeTheSettingsFileNeitherHoldsNorChangesStartUp) {
  test::TempDir dir;
  const std::string ini = dir.path() + "/fileinf.ini";
  ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
  std::filesystem::create_directory(dir.path() + "/datinf");
  test::FifoFeeder feeder(ini, "[user]\nfilepath=/from/the/pipe\n");

  Form1Rig rig;
  rig.folders.application = dir.path();
  rig.folders.documents = dir.path();
  host::HostFiles files;
  host::HostProfile profile;
  Services services{rig.clock,       rig.cursor,   rig.screen,  profile,   files,    rig.folders,
                    rig.screenSaver, rig.instance, rig.windows, rig.shell, rig.help, rig.registry};
  app::Form1 form(services, rig.components);
  form.Show();
  EXPECT_FALSE(form.unloaded());
  EXPECT_TRUE(form.Timer12.Enabled());  // start-up ran to its end
  EXPECT_EQ(form.Dir1.Path(), dir.path());
  struct stat st {};
  ASSERT_EQ(::stat(ini.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));  // not replaced by a settings file
}

TEST(StartState, StartUpReadsTheListFolderOnceForEachList) {
  Form1Rig rig;
  rig.files.addFile("/clips/a.mp4");
  rig.files.addFile("/clips/b.swf");
  rig.files.addFolder("/clips/sub");
  rig.files.addFile(rig.app("fileinf.ini"), "[user]\nfilepath=/clips\n");
  auto& form = rig.start("/clips/a.mp4");
  EXPECT_EQ(form.File1.ListCount(), 2);
  EXPECT_EQ(form.File1.List(0), "a.mp4");
  EXPECT_EQ(form.Dir1.ListCount(), 1);
  EXPECT_EQ(rig.files.listings["/clips"], 2);  // the folder list's and the file list's
}
