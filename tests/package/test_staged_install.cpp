// The install of this build staged in a folder (what the package holds): its files, its desktop
// entry and AppStream metadata as the desktop's validators see them, and the installed program
// run from a read-only copy of its folder by a new user.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>

#include "platform/temp_dir.h"
#include "xvfb_display.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

struct Staged : ::testing::Test {
  static inline test::TempDir dir;
  static inline std::string root = dir.path() + "/root";
  static inline std::string app = root + KORVELIN_APP_INSTALL;

  static void SetUpTestSuite() {
    const std::string install = "DESTDIR='" + root + "' '" KORVELIN_CMAKE "' --install '" +
                                KORVELIN_BUILD "' --prefix /usr >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);
  }

  // Exit status and output of a shell command.
  static std::pair<int, std::string> run(const std::string& command) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("/bin/sh", {"-c", QString::fromStdString(command)});
    p.waitForFinished(120000);
    return {p.exitCode(), p.readAll().toStdString()};
  }
};

}  // namespace

TEST_F(Staged, HoldsWhatThePlayerNeedsAndPassesTheDesktopsValidators) {
  const bool ruffle = fs::exists(std::string(KORVELIN_SOURCE) +
                                 "/third_party/ruffle/node_modules/@ruffle-rs/ruffle/package.json");
  for (const std::string name :
       {"korvelin", "korvelin-media.so", "korvelin-web.so", "0.swf", "power.swf", "pemra.chm",
        "news.htm", "music.wma", "skins", "icons/hicolor/48x48/apps/korvelin.png",
        "dialogs/promotion.png", "help/help.htm", "pemra_en.chm", "dialogs/promotion_en.png",
        "help/en/help.htm"})
    EXPECT_TRUE(fs::exists(app + "/" + name)) << name;
  if (ruffle) {
    EXPECT_TRUE(fs::exists(app + "/ruffle/package.json"));
  }
  for (const std::string name : {"0.dll", "power.dll", "fileinf.ini", "datinf", "kv_make_skins"})
    EXPECT_FALSE(fs::exists(app + "/" + name)) << name;
  for (const auto& entry : fs::directory_iterator(app))
    EXPECT_NE(entry.path().filename().string().rfind("test_", 0), 0u) << entry.path();

  EXPECT_EQ(fs::read_symlink(root + "/usr/bin/korvelin"),
            fs::path(app.substr(root.size())) / "korvelin");
  for (const std::string name :
       {"applications/korvelin.desktop", "icons/hicolor/48x48/apps/korvelin.png",
        "icons/hicolor/scalable/apps/korvelin.svg", "metainfo/org.korvelin.Korvelin.metainfo.xml",
        "man/man1/korvelin.1.gz"})
    EXPECT_TRUE(fs::exists(root + "/usr/share/" + name)) << name;

  const std::string share = root + "/usr/share/";
  EXPECT_EQ(run("desktop-file-validate " + share + "applications/korvelin.desktop"),
            std::make_pair(0, std::string()));
  const auto [status, said] = run("appstreamcli validate --no-net " + share +
                                  "metainfo/org.korvelin.Korvelin.metainfo.xml");
  EXPECT_EQ(status, 0) << said;
  EXPECT_EQ(run("gzip -dc " + share + "man/man1/korvelin.1.gz | head -1").second.rfind(".TH", 0),
            0u);
}

TEST_F(Staged, ANewUserRunsTheReadOnlyInstallTwiceAndKeepsItsSettings) {
  test::XvfbDisplay display;
  ASSERT_TRUE(display.ok()) << display.error();
  const std::string copy = dir.path() + "/opt-korvelin", home = dir.path() + "/home",
                    runtime = dir.path() + "/runtime", clip = dir.file("clips/a.avi", "no video");
  ASSERT_EQ(run("cp -a '" + app + "' '" + copy + "' && chmod -R a-w '" + copy + "'").first, 0);
  fs::create_directories(home);
  fs::create_directories(runtime);
  fs::permissions(runtime, fs::perms::owner_all);

  QProcessEnvironment env;
  for (const char* keep : {"PATH", "DISPLAY", "QT_QPA_PLATFORM", "LSAN_OPTIONS"})
    if (qEnvironmentVariableIsSet(keep)) env.insert(keep, qEnvironmentVariable(keep));
  env.insert("HOME", QString::fromStdString(home));
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
  env.insert("KORVELIN_INSTALL_DIR", QString::fromStdString(copy));  // as installed
  env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  const auto start = [&](QStringList args) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QString::fromStdString(copy + "/korvelin"),
            QStringList{"--summary", "--after", "2"} + args);
    EXPECT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput().toStdString();
  };
  const std::string standIn = home + "/.local/share/korvelin";
  const std::string registry = home + "/.config/korvelin/registry";

  start({QString::fromStdString(clip)});  // first start: the first-run actions
  EXPECT_TRUE(fs::is_directory(standIn + "/datinf"));
  EXPECT_EQ(run("grep -c '=1' " + standIn + "/datinf/KRinf.ini").second, "15\n");
  EXPECT_NE(
      dir.read("home/.local/share/korvelin/fileinf.ini").find("filepath=" + dir.path() + "/clips"),
      std::string::npos);
  EXPECT_NE(dir.read("home/.config/mimeapps.list").find("video/mp4=korvelin.desktop"),
            std::string::npos);
  const std::string entry = home + "/.local/share/applications/korvelin.desktop";
  EXPECT_NE(dir.read("home/.local/share/applications/korvelin.desktop")
                .find("Exec=" + copy + "/korvelin %f"),
            std::string::npos);
  EXPECT_EQ(run("desktop-file-validate " + entry), std::make_pair(0, std::string()));

  fs::remove(registry);
  const std::string second = start({});  // no first run again, the folder kept
  EXPECT_NE(second.find("\"fileList\":\"" + dir.path() + "/clips\""), std::string::npos) << second;
  EXPECT_FALSE(fs::exists(registry));  // nothing associated over the person's choices

  for (const std::string name : {"0.swf", "power.swf"}) EXPECT_TRUE(fs::exists(copy + "/" + name));
  for (const std::string name : {"0.dll", "power.dll", "fileinf.ini", "datinf"})
    EXPECT_FALSE(fs::exists(copy + "/" + name)) << name;
  run("chmod -R u+w '" + copy + "'");  // so that the folder can be removed
}
