// An installed, read-only application folder: what cannot be written there is kept in a
// per-user stand-in, read first; the first-run actions run once per user.

#include <gtest/gtest.h>

#include <set>

#include "app/form1_rig.h"
#include "platform/stand_in.h"

using namespace kv;

namespace {

constexpr const char* kApp = "/opt/korvelin";
constexpr const char* kStandIn = "/home/u/.local/share/korvelin";

struct StandInRig {
  test::MemoryFiles files;
  test::MemoryProfile profile{files};
  std::set<std::string> sealed;  // folders whose permissions grant no write
  StandInFolders folders{{{kApp, kStandIn}},
                         [this](const std::string& f) { return !sealed.count(f); }};
  StandInFiles standInFiles{files, folders};
  StandInProfile standInProfile{profile, files, folders};
  StandInRig() { files.addFolder(kApp); }
  static std::string app(const std::string& n) { return std::string(kApp) + "/" + n; }
  static std::string standIn(const std::string& n) { return std::string(kStandIn) + "/" + n; }
};

}  // namespace

TEST(StandIn, WhatTheFolderRefusesGoesToTheStandInAndIsReadFromThere) {
  struct Case {
    const char* name;
    bool readOnly;     // the folder refuses writes (an ordinary user)
    bool sealed;       // its permissions grant no write (also the superuser is kept out)
    bool standInCopy;  // a copy is in the stand-in already
    std::string inFolder, inStandIn;  // fileinf.ini after the write
  };
  const std::string written = "[user]\nfilepath=/music\n";
  const std::vector<Case> cases{
      {"writable folder", false, false, false, written, ""},
      {"read-only folder", true, false, false, "", written},
      {"sealed folder, superuser", false, true, false, "", written},
      {"a stand-in copy stays the file", false, false, true, "", written},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StandInRig rig;
    if (c.readOnly) rig.files.setReadOnly(kApp);
    if (c.sealed) rig.sealed.insert(kApp);
    if (c.standInCopy) rig.files.addFile(rig.standIn("fileinf.ini"), "[user]\nfilepath=/old\n");
    auto& p = rig.standInProfile;
    EXPECT_TRUE(p.WritePrivateProfileString("user", "filepath", "/music", rig.app("fileinf.ini")));
    EXPECT_EQ(rig.files.content(rig.app("fileinf.ini")), c.inFolder);
    EXPECT_EQ(rig.files.content(rig.standIn("fileinf.ini")), c.inStandIn);
    EXPECT_TRUE(rig.standInFiles.fileExists(rig.app("fileinf.ini")));
    EXPECT_EQ(p.GetPrivateProfileString("user", "filepath", "false", 0, rig.app("fileinf.ini")),
              "/music");

    // The first-run marker and the association choices beneath it.
    EXPECT_TRUE(rig.standInFiles.createFolder(rig.app("datinf")));
    EXPECT_TRUE(rig.standInFiles.folderExists(rig.app("datinf")));
    EXPECT_TRUE(p.WritePrivateProfileString("user", "serialmp4", "1", rig.app("datinf/KRinf.ini")));
    EXPECT_EQ(rig.standInFiles.Dir(rig.app("datinf/KRinf.ini")), "KRinf.ini");
    const bool moved = c.readOnly || c.sealed;
    EXPECT_EQ(rig.files.folderExists(rig.standIn("datinf")), moved);
    EXPECT_EQ(rig.files.folderExists(rig.app("datinf")), !moved);

    // Resource movies are renamed in place or not at all; other names never move.
    rig.files.addFile(rig.app("0.swf"));
    EXPECT_EQ(rig.standInFiles.rename(rig.app("0.swf"), rig.app("0.dll")), !moved);
    rig.files.addFile(rig.standIn("other.ini"));
    EXPECT_FALSE(rig.standInFiles.fileExists(rig.app("other.ini")));
  }
}

TEST(StandIn, AReadOnlyInstallRunsItsFirstRunOncePerUserAndKeepsItsFolder) {
  test::Form1Rig rig;
  rig.files.remove(rig.app("datinf"));  // a fresh install: never run
  rig.files.addFile(rig.app("0.swf"), "idle");
  rig.files.addFile(rig.app("power.swf"), "player");
  rig.files.remove(rig.app("0.dll"));
  rig.files.remove(rig.app("power.dll"));
  rig.files.addFolder("/music");
  rig.files.setReadOnly(kApp);
  StandInFolders folders({{kApp, kStandIn}}, [](const std::string&) { return false; });
  StandInFiles files(rig.files, folders);
  StandInProfile profile(rig.profile, rig.files, folders);
  Services services{rig.clock,       rig.cursor,   rig.screen,  profile,   files,    rig.folders,
                    rig.screenSaver, rig.instance, rig.windows, rig.shell, rig.help, rig.registry};

  struct Run {
    const char* name;
    bool associates;  // the first-run actions: every type associated, the blog tab shown
  };
  for (const Run run : {Run{"first start", true}, Run{"second start", false}}) {
    SCOPED_TRACE(run.name);
    const int registryWrites = rig.registry.writes;
    rig.web.calls.clear();
    auto form = std::make_unique<app::Form1>(services, rig.components);
    form->Show();
    EXPECT_EQ(rig.registry.writes > registryWrites, run.associates);
    EXPECT_EQ(!rig.web.calls.empty(), run.associates);
    if (!run.associates) {
      EXPECT_EQ(form->File1.Path(), "/music");  // the folder kept
    }
    form->File1.setPath("/music");
    form->Unload();
  }
  EXPECT_TRUE(rig.files.folderExists(std::string(kStandIn) + "/datinf"));
  EXPECT_NE(rig.files.content(std::string(kStandIn) + "/datinf/KRinf.ini").find("serialmp4=1"),
            std::string::npos);
  EXPECT_TRUE(rig.files.fileExists(rig.app("0.swf")));  // the lookups of the movie still find it
  EXPECT_TRUE(rig.files.renames.empty());
}
