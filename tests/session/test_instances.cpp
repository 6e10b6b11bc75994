// The korvelin executable in a session of its own: one instance at a time, the execute client,
// the shutdown on SIGTERM and the clean-up after a crash.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>

#include "platform/full_disk.h"
#include "platform/temp_dir.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

struct Session : ::testing::Test {
  test::TempDir dir;
  std::string app = dir.path() + "/app";
  std::string runtime = dir.path() + "/runtime";
  std::vector<std::unique_ptr<QProcess>> running;

  Session() {
    fs::create_directories(app + "/datinf");  // not the first run
    for (const char* movie : {"0.dll", "power.dll"})
      fs::copy_file(std::string(KORVELIN_STAGE) + "/" + movie, app + "/" + movie);
    fs::create_directories(runtime);
    fs::create_directories(dir.path() + "/home");
    fs::permissions(runtime, fs::perms::owner_all);
    dir.file("clips/a clip.avi", "not really a video");
  }
  ~Session() override {
    for (auto& p : running) {
      p->kill();
      p->waitForFinished(10000);
    }
  }

  QProcessEnvironment environment() const {
    QProcessEnvironment env;
    env.insert("PATH", qEnvironmentVariable("PATH"));
    const auto in = [&](const char* sub) { return QString::fromStdString(dir.path() + sub); };
    env.insert("HOME", in("/home"));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
    env.insert("XDG_CONFIG_HOME", in("/home/.config"));
    env.insert("XDG_DATA_HOME", in("/home/.local/share"));
    env.insert("KORVELIN_APP_DIR", QString::fromStdString(app));
    env.insert("KORVELIN_INSTALL_DIR", QString::fromStdString(app));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    return env;
  }

  // Starts the player; waits for its start-up summary when it is to keep running.
  QProcess& start(QStringList args, bool waitForStartUp) {
    running.push_back(std::make_unique<QProcess>());
    QProcess& p = *running.back();
    p.setProcessEnvironment(environment());
    if (waitForStartUp) args.prepend("--summary");
    p.start(KORVELIN_EXE, args);
    EXPECT_TRUE(p.waitForStarted(10000));
    if (waitForStartUp) {
      while (!p.canReadLine() && p.state() == QProcess::Running) p.waitForReadyRead(1000);
      EXPECT_TRUE(p.canReadLine()) << p.readAllStandardError().toStdString();
    }
    return p;
  }
  int execute(const QString& text) {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(KORVELIN_EXE, {"--execute", text});
    EXPECT_TRUE(p.waitForFinished(60000));
    return p.exitCode();
  }
  bool has(const std::string& name) const { return fs::exists(app + "/" + name); }
  std::string socket() const {
    return runtime + "/korvelin-" + std::to_string(::getuid()) + ".Korvelin";
  }
};

}  // namespace

TEST_F(Session, ASecondLaunchWithAFileEndsAtOnceAndTheFirstIsUntouched) {
  QProcess& first = start({}, true);
  const QByteArray summary = first.readLine();
  ASSERT_TRUE(has("0.swf") && has("power.swf"));
  const std::string settings = dir.read("app/fileinf.ini");

  QProcess& second = start({QString::fromStdString(dir.path() + "/clips/a clip.avi")}, false);
  ASSERT_TRUE(second.waitForFinished(60000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardOutput().isEmpty());  // no start-up: nothing played

  EXPECT_EQ(first.state(), QProcess::Running);
  EXPECT_TRUE(has("0.swf") && has("power.swf"));  // the first player's resources stay in use
  EXPECT_EQ(dir.read("app/fileinf.ini"), settings);
  // And it still answers. (A command with text is echoed in a modal message box and answered
  // once the user has closed it, which nobody does here: the empty command is answered at once.)
  EXPECT_EQ(execute(""), 0);
  EXPECT_NE(summary.indexOf("\"playing\":\"nothing\""), -1) << summary.toStdString();
}

TEST_F(Session, SigtermEndsThePlayerThroughItsShutdown) {
  QProcess& player = start({}, true);
  ASSERT_TRUE(fs::exists(socket()));
  ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
  ASSERT_TRUE(player.waitForFinished(60000));
  EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(player.exitCode(), 0);
  EXPECT_TRUE(has("0.dll") && has("power.dll"));
  EXPECT_FALSE(has("0.swf") || has("power.swf"));
  const std::string settings = dir.read("app/fileinf.ini");
  EXPECT_NE(settings.find("[user]\nfilepath=" + dir.path() + "/home"), std::string::npos)
      << settings;
  EXPECT_FALSE(fs::exists(socket()));
  EXPECT_EQ(execute("anyone?"), 3);  // no player running
  // Its desktop entry was installed in the user's applications folder.
  EXPECT_TRUE(fs::exists(dir.path() + "/home/.local/share/applications/korvelin.desktop"));
}

TEST_F(Session, AfterACrashTheNextStartCleansUpAndAnswers) {
  QProcess& crashed = start({}, true);
  crashed.kill();
  ASSERT_TRUE(crashed.waitForFinished(10000));
  ASSERT_TRUE(fs::is_socket(socket()));  // left behind

  start({}, true);
  EXPECT_EQ(execute(""), 0);
}

// An exit on a disk without room, or with one page left (a tmpfs of its own, so as root only):
// the last folder cannot be stored and the settings file stays as it was.
TEST_F(Session, AnExitOnADiskWithoutRoomKeepsTheSettingsFile) {
  for (const long long room : {0LL, 4096LL}) {
    SCOPED_TRACE(room);
    test::SmallTmpfs disk(dir.path() + "/home", "4m");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    app = disk.path() + "/app";
    fs::create_directories(app + "/datinf");
    for (const char* movie : {"0.dll", "power.dll"})
      fs::copy_file(std::string(KORVELIN_STAGE) + "/" + movie, app + "/" + movie);
    // Larger than the page left.
    std::string settings = "[user]\nfilepath=/no/such/folder\n[notes]\n";
    for (int i = 0; i < 300; ++i) settings += "n" + std::to_string(i) + "=a note of mine\n";
    dir.file("home/app/fileinf.ini", settings);
    ASSERT_TRUE(disk.fill(room));

    QProcess& player = start({}, true);
    ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
    ASSERT_TRUE(player.waitForFinished(60000));
    EXPECT_EQ(player.exitCode(), 0);
    EXPECT_TRUE(has("0.dll") && has("power.dll"));
    EXPECT_TRUE(dir.read("home/app/fileinf.ini") == settings)
        << dir.read("home/app/fileinf.ini").size() << " bytes instead of " << settings.size();
    const std::string err = player.readAllStandardError().toStdString();
    EXPECT_NE(err.find(app + "/fileinf.ini was not written"), std::string::npos) << err;
    running.clear();
  }
}
