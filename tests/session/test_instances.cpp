// The korvelin executable in a session of its own: one instance at a time, the execute client,
// thousands of commands while a message box is open, the shutdown on SIGTERM and at --after,
// the clean-up after a crash, and a private folder when the session has no runtime folder.

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <future>
#include <map>
#include <mutex>

#include "platform/full_disk.h"
#include "platform/host/host_execute.h"
#include "platform/temp_dir.h"
#include "player/xvfb_display.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

sockaddr_un address(const std::string& path) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
  return addr;
}

int connectTo(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const sockaddr_un addr = address(path);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) return fd;
  ::close(fd);
  return -1;
}

// Commands from 32 clients at once, each answer counted as it comes.
class Burst {
 public:
  Burst(const std::string& socket, int requests) {
    for (int c = 0; c < 32; ++c)
      clients_.push_back(std::async(std::launch::async, [=, this] {
        for (int i = next_++; i < requests; i = next_++) {
          const int answer = host::sendExecute(socket, "command " + std::to_string(i));
          const std::lock_guard lock(mutex_);
          ++answers_[answer];
          ++answered_;
          changed_.notify_all();
        }
      }));
  }
  // False when the player has not answered them within minutes (it is stuck).
  bool waitForAnswers(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::minutes(5), [&] { return answered_ >= count; });
  }
  std::map<int, int> answers() {
    for (auto& client : clients_) client.wait();
    return answers_;
  }

 private:
  std::atomic<int> next_{0};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<int, int> answers_;
  int answered_ = 0;
  std::vector<std::future<void>> clients_;
};

struct Session : ::testing::Test {
  test::TempDir dir;
  std::string app = dir.path() + "/app";
  std::string runtime = dir.path() + "/runtime";
  std::vector<std::unique_ptr<QProcess>> running;
  bool runtimeFolder = true;  // whether the session has one

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
    if (runtimeFolder) env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
    env.insert("TMPDIR", in("/tmp"));
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
  std::string folder() const {
    return runtimeFolder ? runtime : dir.path() + "/home/.cache/korvelin-runtime";
  }
  std::string socket() const {
    return folder() + "/korvelin-" + std::to_string(::getuid()) + ".Korvelin";
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

// A film whose subtitle file puts 100,000 events on the screen at once (plain, and blurred, which
// costs the renderer most): the window keeps answering and a SIGTERM ends it at once.
TEST_F(Session, AWindowShowingAHugeSubtitleFileStillAnswersAndEnds) {
  test::XvfbDisplay display;
  ASSERT_TRUE(display.ok()) << display.error();
  for (const std::string style : {"", "{\\blur20\\be5}"}) {
    SCOPED_TRACE(style);
    const std::string clip = dir.path() + "/film" + std::to_string(style.size()) + "/clip.mp4";
    fs::create_directories(fs::path(clip).parent_path());
    ASSERT_EQ(std::system(("ffmpeg -v error -f lavfi -i testsrc=size=320x240:rate=25 -t 20 -y '" +
                           clip + "'")
                              .c_str()),
              0);
    std::string ass =
        "[Script Info]\nScriptType: v4.00+\n\n[Events]\nFormat: Layer, Start, End, Style, "
        "Name, MarginL, MarginR, MarginV, Effect, Text\n";
    for (int i = 0; i < 100000; ++i)
      ass += "Dialogue: 0,0:00:00.00,0:01:00.00,Default,,0,0,0,," + style + "ev " +
             std::to_string(i) + "\n";
    dir.file("film" + std::to_string(style.size()) + "/clip.ass", ass);

    QProcessEnvironment env = environment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
    running.push_back(std::make_unique<QProcess>());
    QProcess& player = *running.back();
    player.setProcessEnvironment(env);
    player.start(KORVELIN_EXE, {"--summary", QString::fromStdString(clip)});
    ASSERT_TRUE(player.waitForReadyRead(60000));
    for (int i = 0; i < 10; ++i) {
      const auto asked = std::chrono::steady_clock::now();
      EXPECT_EQ(host::sendExecute(socket(), ""), 0);
      // A window that waits for its frames does not answer for minutes (the time goal of a
      // release build is bench_desktop's; this build is unoptimised and checked).
      EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(5)) << i;
      ::usleep(300 * 1000);
    }
    ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
    EXPECT_TRUE(player.waitForFinished(5000));
    EXPECT_EQ(player.exitCode(), 0);
  }
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

TEST_F(Session, ThousandsOfCommandsAndAShutdownWithBoxesOpenEndCleanly) {
  constexpr int kAdmitted = host::ExecuteServer::kMaxWaiting + 1;  // one box and its queue
  struct Case {
    const char* ending;
    QStringList args;
    int requests;
  };
  // --after leaves the player time to start under the sanitizers and take 43 commands.
  for (const Case& c : {Case{"SIGTERM", {}, 5000}, Case{"--after", {"--after", "20"}, 40}}) {
    SCOPED_TRACE(c.ending);
    QProcess& player = start(c.args, true);
    for (int i = 0; i < 3; ++i) {  // boxes whose senders hang up
      const int client = connectTo(socket());
      ASSERT_EQ(::send(client, "KVX1\0\0\0\x04gone", 12, MSG_NOSIGNAL), 12);
      ::close(client);
    }
    Burst burst(socket(), c.requests);
    // Refused ones are answered at once; once this many are, a box is open and the queue full.
    const bool full = burst.waitForAnswers(c.requests - kAdmitted);
    if (!full) player.kill();  // so that its clients end
    ASSERT_TRUE(full);
    if (c.args.isEmpty()) ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
    ASSERT_TRUE(player.waitForFinished(120000));
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.exitCode(), 0);
    const QByteArray errors = player.readAllStandardError();
    EXPECT_EQ(errors.indexOf("Sanitizer"), -1) << errors.toStdString();
    EXPECT_EQ(errors.indexOf("runtime error"), -1) << errors.toStdString();
    std::map<int, int> answers = burst.answers();
    EXPECT_GE(answers[host::kExecuteBusy], c.requests - kAdmitted);
    EXPECT_LE(answers[host::kExecuteAccepted], 1);  // the box open at the end
    EXPECT_EQ(
        answers[host::kExecuteBusy] + answers[host::kExecuteAccepted] + answers[host::kExecuteLost],
        c.requests);
  }
}

TEST_F(Session, WithoutARuntimeFolderTheLockAndSocketAreInAPrivateFolder) {
  runtimeFolder = false;
  // Another user's files where a shared folder would have them: the fallback runtime folder
  // that Qt then refuses, a lock nobody can open and a socket that listens.
  const std::string tmp = dir.path() + "/tmp", uid = std::to_string(::getuid());
  fs::create_directories(tmp + "/runtime-" + ::getpwuid(::geteuid())->pw_name);
  fs::permissions(tmp, fs::perms::all | fs::perms::sticky_bit);
  const std::string lock = dir.file("tmp/korvelin-" + uid + ".lock");
  fs::permissions(lock, fs::perms::none);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
  const sockaddr_un addr = address(tmp + "/korvelin-" + uid + ".Korvelin");
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::listen(listener, 8), 0);
  if (::geteuid() == 0) {
    for (const auto& entry : fs::directory_iterator(tmp))
      ASSERT_EQ(::lchown(entry.path().c_str(), 4242, -1), 0);
  }

  start({}, true);
  EXPECT_EQ(fs::status(folder()).permissions(), fs::perms::owner_all);
  EXPECT_TRUE(fs::is_regular_file(folder() + "/korvelin-" + uid + ".lock"));
  EXPECT_TRUE(fs::is_socket(socket()));
  EXPECT_EQ(execute(""), 0);
  QProcess& second = start({}, false);
  ASSERT_TRUE(second.waitForFinished(60000));
  EXPECT_TRUE(second.readAllStandardOutput().isEmpty());  // it ended before its start-up
  // Nothing reached the other user's socket.
  EXPECT_EQ(::accept(listener, nullptr, nullptr), -1);
  ::close(listener);
}
