// The registry's rules (shared by the store on disk and the double), its text form, and the
// store file: persistence, damaged and odd files, changes that cannot be written.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "doubles/fake_window_host.h"
#include "platform/host/host_registry.h"
#include "platform/temp_dir.h"

using namespace kv;
using test::TempDir;
namespace fs = std::filesystem;

namespace {
constexpr auto HKCR = RegRoot::ClassesRoot;
constexpr auto HKLM = RegRoot::LocalMachine;

RegValue sz(const std::string& s) {
  return {kRegSz, s};
}

// The same script of calls, run on any registry; returns what each call answered.
std::string script(RegistryService& r) {
  std::string log;
  const auto note = [&](bool ok) { log += ok ? '1' : '0'; };
  note(r.createKey(HKCR, "AVIFile\\shell\\open\\command"));
  note(r.setValue(HKCR, "avifile\\SHELL\\open\\command", "", sz("/opt/korvelin/korvelin %1")));
  note(r.setValue(HKCR, "no\\such\\key", "", sz("x")));         // missing key
  note(r.deleteKey(HKCR, "AVIFILE\\shell"));                    // has sub-keys
  note(r.deleteKey(HKCR, "AVIFile\\shell\\open\\DropTarget"));  // missing
  note(r.createKey(HKCR, ".avi") && r.setValue(HKCR, ".AVI", "", sz("avifile")));
  note(r.deleteValue(HKCR, "AVIFile\\shell\\open\\command", "none"));  // missing value
  note(r.createKey(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
  note(r.setValue(HKLM, "software\\microsoft\\windows\\currentversion\\run", "Korvelin",
                  RegValue{kRegDword, std::string("\x01\x00\x00\x00", 4)}));
  note(r.createKey(HKCR, std::string(256, 'k')));  // a name too long
  note(r.createKey(HKCR, "\\\\leading\\\\and\\doubled\\\\"));
  note(r.openKey(HKCR, "LEADING\\AND\\DOUBLED"));
  note(r.deleteKey(HKCR, ""));  // a root
  note(r.openKey(HKCR, ""));
  return log;
}
}  // namespace

TEST(RegistryRules, TheDoubleAndTheStoreOnDiskAnswerAlike) {
  TempDir dir;
  test::MemoryRegistry memory;
  host::HostRegistry disk(dir.path() + "/registry");
  const std::string expected = "11000101101101";
  EXPECT_EQ(script(memory), expected);
  EXPECT_EQ(script(disk), expected);
  // And they hold the same tree, written the same way.
  host::HostRegistry reread(dir.path() + "/registry");
  EXPECT_EQ(reread.queryValue(HKCR, "AVIFILE\\Shell\\Open\\Command", ""),
            sz("/opt/korvelin/korvelin %1"));
  EXPECT_EQ(dir.read("registry"), memory.tree().serialize());
}

TEST(RegistryRules, KeysKeepTheCaseTheyWereCreatedWithAndValuesTheirType) {
  RegistryTree t;
  ASSERT_TRUE(t.createKey(HKCR, "AVIFile\\shell"));
  ASSERT_TRUE(t.createKey(HKCR, "avifile\\SHELL\\Play"));
  ASSERT_TRUE(t.setValue(HKCR, "AviFile", "Name", RegValue{kRegExpandSz, "%x%"}));
  ASSERT_TRUE(t.setValue(HKCR, "AVIFILE", "NAME", RegValue{kRegExpandSz, "%y%"}));
  const std::string text = t.serialize();
  EXPECT_NE(text.find("key HKEY_CLASSES_ROOT \"AVIFile\" \"shell\" \"Play\""), std::string::npos)
      << text;
  EXPECT_NE(text.find("value \"Name\" 2 \"%y%\""), std::string::npos) << text;
  // Letters beyond ASCII compare without regard to case too.
  ASSERT_TRUE(t.createKey(HKCR, "Ärger"));
  EXPECT_TRUE(t.openKey(HKCR, "äRGER"));
  EXPECT_FALSE(t.openKey(HKCR, "Ärger\\x"));
}

TEST(RegistryText, EveryByteSurvivesTheRoundTrip) {
  RegistryTree t;
  const std::string nasty("a\0b\"c\\d\ne\tf\r\x01\x7f\xff\xc3(中文\xf0\x9f\x8e\xac", 25);
  ASSERT_TRUE(t.createKey(HKLM, "键 \"quoted\"\\sub"));
  ASSERT_TRUE(t.setValue(HKLM, "键 \"quoted\"\\sub", nasty, RegValue{kRegSz, nasty}));
  ASSERT_TRUE(t.setValue(HKLM, "键 \"quoted\"\\sub", "", RegValue{0xFFFFFFFFu, ""}));
  const std::string text = t.serialize();
  // One line per entry, readable UTF-8 kept as it is.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
  EXPECT_NE(text.find("中文"), std::string::npos);
  const auto back = RegistryTree::parse(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, t);
  EXPECT_EQ(back->queryValue(HKLM, "键 \"QUOTED\"\\SUB", nasty), (RegValue{kRegSz, nasty}));
}

TEST(RegistryText, ACutOrAlteredTextIsRefusedWhole) {
  RegistryTree t;
  t.createKey(HKCR, ".flv");
  t.setValue(HKCR, ".flv", "", sz("flvfile"));
  const std::string good = t.serialize();
  ASSERT_TRUE(RegistryTree::parse(good));
  for (const std::string& bad : std::vector<std::string>{
           good.substr(0, good.size() - 4),                                 // cut before "end"
           good.substr(0, good.size() - 1),                                 // last line unfinished
           "korvelin registry 2\nend\n",                                    // another format
           good + "value \"x\" 1 \"y\"\n",                                  // text after the end
           "korvelin registry 1\nvalue \"\" 1 \"x\"\nend\n",                // a value without a key
           "korvelin registry 1\nkey HKEY_NOWHERE \"a\"\nend\n",            // unknown root
           "korvelin registry 1\nkey HKEY_CLASSES_ROOT \"a\\\\b\"\nend\n",  // "\" in a name
           "korvelin registry 1\nkey HKEY_CLASSES_ROOT \"a\nend\n",         // open quote
           "korvelin registry 1\nkey HKEY_CLASSES_ROOT \"a\"\nvalue \"\" x \"y\"\nend\n",
           "korvelin registry 1\nkey HKEY_CLASSES_ROOT \"a\"\nvalue \"\" 1 \"\\q\"\nend\n",
           std::string("\xef\xbb\xbf") + good,  // anything before the header
       })
    EXPECT_FALSE(RegistryTree::parse(bad)) << bad;
}

TEST(RegistryStore, ChangesPersistAndAnotherProgramsEditIsSeen) {
  TempDir dir;
  const std::string path = dir.path() + "/config/korvelin/registry";  // folders made on demand
  {
    host::HostRegistry r(path);
    ASSERT_TRUE(r.createKey(HKCR, ".mkv"));
    ASSERT_TRUE(r.setValue(HKCR, ".mkv", "", sz("mkvfile")));
  }
  host::HostRegistry r(path);
  EXPECT_EQ(r.queryValue(HKCR, ".MKV", ""), sz("mkvfile"));
  // The file replaced from outside (same size, other content) is read again.
  RegistryTree other;
  other.createKey(HKCR, ".mkv");
  other.setValue(HKCR, ".mkv", "", sz("MKVfile"));
  dir.file("config/korvelin/registry.new", other.serialize());
  fs::rename(path + ".new", path);
  EXPECT_EQ(r.queryValue(HKCR, ".mkv", ""), sz("MKVfile"));
  // A change that leaves the tree as it was does not touch the file.
  const auto before = fs::last_write_time(path);
  EXPECT_TRUE(r.createKey(HKCR, ".mkv"));
  EXPECT_EQ(fs::last_write_time(path), before);
}

TEST(RegistryStore, ADamagedFileIsKeptAsideAndAFreshStoreBegins) {
  struct Case {
    const char* what;
    std::function<void(const std::string& path)> make;
  };
  const std::vector<Case> cases{
      {"garbage",
       [](const std::string& p) { std::ofstream(p) << std::string("\x00\xff garbage\n", 11); }},
      {"cut",
       [](const std::string& p) {
         std::ofstream(p)
             << "korvelin registry 1\nkey HKEY_CLASSES_ROOT \".avi\"\nvalue \"\" 1 \"av";
       }},
      {"huge",
       [](const std::string& p) {
         std::ofstream(p) << "korvelin registry 1\n";
         fs::resize_file(p, host::HostRegistry::kMaxFileBytes + 1);  // sparse: no real disk use
       }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.path() + "/registry";
    c.make(path);
    const auto size = fs::file_size(path);
    host::HostRegistry r(path);
    EXPECT_FALSE(r.openKey(HKCR, ".avi")) << c.what;
    ASSERT_FALSE(r.keptAside().empty()) << c.what;
    EXPECT_EQ(fs::file_size(r.keptAside()), size) << c.what;  // nothing of it lost
    EXPECT_TRUE(r.createKey(HKCR, ".avi")) << c.what;
    EXPECT_TRUE(host::HostRegistry(path).openKey(HKCR, ".avi")) << c.what;
  }
}

TEST(RegistryStore, AnEmptyFileIsAnEmptyStore) {
  TempDir dir;
  dir.file("registry", "");
  host::HostRegistry r(dir.path() + "/registry");
  EXPECT_TRUE(r.createKey(HKCR, ".wav"));
  EXPECT_TRUE(r.keptAside().empty());
}

TEST(RegistryStore, WhatCannotBeWrittenIsNotMadeAndWhatCannotBeReadIsNotWrittenOver) {
  TempDir dir;
  // A folder where the file should be: never replaced.
  fs::create_directories(dir.path() + "/registry");
  host::HostRegistry blocked(dir.path() + "/registry");
  EXPECT_FALSE(blocked.createKey(HKCR, ".avi"));
  EXPECT_FALSE(blocked.openKey(HKCR, ".avi"));
  EXPECT_TRUE(fs::is_directory(dir.path() + "/registry"));

  // A store whose folder cannot be made (a file stands in its way): the change fails and is
  // not kept in memory either.
  dir.file("config", "a file, not a folder");
  host::HostRegistry nowhere(dir.path() + "/config/korvelin/registry");
  EXPECT_FALSE(nowhere.createKey(HKCR, ".avi"));
  EXPECT_FALSE(nowhere.openKey(HKCR, ".avi"));
  EXPECT_EQ(dir.read("config"), "a file, not a folder");
}

TEST(RegistryStore, ABatchIsStoredOnceAndWhole) {
  TempDir dir;
  const std::string path = dir.path() + "/registry";
  host::HostRegistry r(path);
  {
    const RegistryBatch outer(r);
    ASSERT_TRUE(r.createKey(HKCR, ".avi"));
    {
      const RegistryBatch inner(r);
      ASSERT_TRUE(r.setValue(HKCR, ".avi", "", sz("avifile")));
    }
    EXPECT_TRUE(r.openKey(HKCR, ".avi"));  // seen at once by this program
    EXPECT_FALSE(fs::exists(path));        // stored when the outermost batch ends
  }
  EXPECT_EQ(host::HostRegistry(path).queryValue(HKCR, ".avi", ""), sz("avifile"));

  // A batch that cannot be stored leaves nothing of itself behind.
  dir.file("blocked", "a file, not a folder");
  host::HostRegistry blocked(dir.path() + "/blocked/registry");
  {
    const RegistryBatch batch(blocked);
    EXPECT_TRUE(blocked.createKey(HKCR, ".wmv"));
  }
  EXPECT_FALSE(blocked.openKey(HKCR, ".wmv"));
}
