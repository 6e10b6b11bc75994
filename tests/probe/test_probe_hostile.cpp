// `korvelin --probe` on names and files made to mislead it: names that look like options,
// standard input or addresses, local files that name other files or a network address, things
// that are not files, names that are not UTF-8, movie text in the system's code page. And the
// player itself under the leak checker.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "flash/crafted_movies.h"
#include "probe/probe_run.h"

namespace fs = std::filesystem;

namespace {

class HostileProbe : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::string(
        (fs::temp_directory_path() / ("korvelin-hostile-" + std::to_string(::getpid()))).string());
    fs::create_directories(*dir_);
    ASSERT_EQ(std::system(("ffmpeg -loglevel error -y -f lavfi -i sine=frequency=440 -t 1 '" +
                           *dir_ + "/tone.wav'")
                              .c_str()),
              0);
    ASSERT_EQ(std::system(("ffmpeg -loglevel error -y -f lavfi -i sine=frequency=440 -t 3 '" +
                           *dir_ + "/long.wav'")
                              .c_str()),
              0);
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }
  static std::string path(const std::string& name) { return *dir_ + "/" + name; }
  static void write(const std::string& name, const std::string& text) {
    std::ofstream(path(name), std::ios::binary) << text;
  }
  static void writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  // Runs korvelin with args in the test folder; its objects, one a line.
  static std::vector<QJsonObject> run(const QStringList& args, int* exitCode = nullptr) {
    return kv::test::runKorvelin(args, *dir_, 120000, exitCode);
  }
  static std::vector<QJsonObject> probe(const std::vector<std::string>& names) {
    QStringList args{"--probe"};
    for (const auto& n : names) args << QString::fromStdString(n);
    return run(args);
  }

  static std::string* dir_;
};
std::string* HostileProbe::dir_ = nullptr;

TEST_F(HostileProbe, LocalFilesNeverMakeTheEngineOpenWhatTheyName) {
  // A loopback server that must see no connection at all.
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  const std::string url = "http://127.0.0.1:" + std::to_string(server.serverPort());
  write("net.mp4", "#EXTM3U\n" + url + "/remote.mp4\n");
  write("hls.mp4",
        "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\n" + url + "/segment.ts\n#EXT-X-ENDLIST\n");
  write("cue.mp4", "FILE \"long.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
  write("edl.mp4", "# mpv EDL v0\n" + path("long.wav") + "\n");
  const auto r = probe({path("net.mp4"), path("hls.mp4"), path("cue.mp4"), path("edl.mp4")});
  ASSERT_EQ(r.size(), 4u);
  for (const auto& o : r) {
    EXPECT_TRUE(o.contains("error")) << QJsonDocument(o).toJson().toStdString();
    EXPECT_FALSE(o.contains("duration"));
  }
  EXPECT_FALSE(server.waitForNewConnection(200));
  EXPECT_FALSE(server.hasPendingConnections());
}

TEST_F(HostileProbe, NamesThatLookLikeStdinOrAnAddressAreFiles) {
  fs::copy_file(path("tone.wav"), path("-"), fs::copy_options::overwrite_existing);
  fs::create_directories(path("http:"));
  fs::copy_file(path("tone.wav"), path("http:/x.wav"), fs::copy_options::overwrite_existing);
  const auto r = probe({"-", "http://x.wav"});
  ASSERT_EQ(r.size(), 2u);
  for (const auto& o : r) {
    EXPECT_FALSE(o.contains("error")) << QJsonDocument(o).toJson().toStdString();
    EXPECT_NEAR(o["duration"].toDouble(), 1.0, 0.1);
  }
}

TEST_F(HostileProbe, APlaylistChosenAsSuchPlaysButOneThatNamesItselfEnds) {
  write("list.m3u", path("long.wav") + "\n");
  write("self.m3u", path("self.m3u") + "\n");
  const auto r = probe({path("list.m3u"), path("self.m3u")});
  ASSERT_EQ(r.size(), 2u);
  EXPECT_NEAR(r[0]["duration"].toDouble(), 3.0, 0.1);  // named a playlist: opened as one
  EXPECT_TRUE(r[1].contains("error"));
  EXPECT_NE(r[1]["error"].toString(), "timed out");
}

TEST_F(HostileProbe, FoldersPipesAndDevicesAreCalledWhatTheyAre) {
  ::mkfifo(path("pipe.mp4").c_str(), 0600);
  const auto r = probe({*dir_, path("pipe.mp4"), "/dev/null", path("missing.mp4")});
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0]["error"].toString(), "a folder, not a file");
  EXPECT_EQ(r[1]["error"].toString(), "a pipe, not a file");
  EXPECT_EQ(r[2]["error"].toString(), "a device, not a file");
  EXPECT_EQ(r[3]["error"].toString(), "no such file");
}

TEST_F(HostileProbe, ANameThatIsNotUtf8IsGivenByteForByte) {
  const std::string name = "t\xFF\xFE.wav";
  fs::copy_file(path("tone.wav"), path(name), fs::copy_options::overwrite_existing);
  // Through the shell: an argument of QProcess is text, and this name is not.
  std::string line;
  if (FILE* p =
          ::popen((std::string(KORVELIN_EXE) + " --probe '" + path(name) + "'").c_str(), "r")) {
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, p)) line += buffer;
    ::pclose(p);
  }
  QJsonParseError error;
  const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
  EXPECT_NEAR(o["duration"].toDouble(), 1.0, 0.1) << line;
  EXPECT_TRUE(o["rawPath"].toString().endsWith("/t%FF%FE.wav")) << line;
  EXPECT_TRUE(o["path"].toString().endsWith(QString::fromUtf8("/t\uFFFD\uFFFD.wav"))) << line;
}

TEST_F(HostileProbe, MovieTextInTheSystemCodePageKeepsTheWholeAnswer) {
  writeBytes("gbk.swf", kv::media::test::legacyTextMovie(5, "\xC8\xAB\xC6\xC1", "x"));
  writeBytes("broken.swf", kv::media::test::legacyTextMovie(10, "caf\xE9", "x"));
  const auto r = probe({path("gbk.swf"), path("broken.swf")});
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0]["swf"].toObject()["fscommands"].toArray().at(0).toString(),
            QString::fromUtf8("全屏"));
  EXPECT_EQ(r[1]["swf"].toObject()["fscommands"].toArray().at(0).toString(),
            QString::fromUtf8("caf\uFFFD"));
  for (const auto& o : r) {
    EXPECT_EQ(o["swf"].toObject()["shownFrames"].toInt(), 1);
    EXPECT_FALSE(o.contains("error"));
  }
}

TEST_F(HostileProbe, ABatchIsAnsweredFileByFile) {
  // Good and bad files mixed: each answer belongs to its own file.
  write("text.mp4", "not media\n");
  std::vector<std::string> names;
  for (int i = 0; i < 12; ++i)
    names.push_back(path(i % 3 == 0 ? "tone.wav" : i % 3 == 1 ? "text.mp4" : "long.wav"));
  const auto r = probe(names);
  ASSERT_EQ(r.size(), names.size());
  for (std::size_t i = 0; i < r.size(); ++i) {
    SCOPED_TRACE(i);
    if (i % 3 == 1) {
      EXPECT_TRUE(r[i].contains("error"));
    } else {
      EXPECT_NEAR(r[i]["duration"].toDouble(), i % 3 == 0 ? 1.0 : 3.0, 0.1);
    }
  }
}

#ifdef KORVELIN_SANITIZED
TEST_F(HostileProbe, UnderTheLeakCheckerThePlayerEndsCleanlyAndOurOwnLeaksStillFail) {
  // The player without any sanitizer settings of the environment: its built-in suppressions.
  // A first run (no datinf folder yet), which opens the blog page in the web engine.
  const std::string app = path("app");
  fs::create_directories(app);
  fs::create_directories(path("runtime"));
  fs::permissions(path("runtime"), fs::perms::owner_all);
  for (const char* movie : {"0.dll", "power.dll"})
    fs::copy_file(std::string(KORVELIN_STAGE) + "/" + movie, app + "/" + movie,
                  fs::copy_options::overwrite_existing);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("LSAN_OPTIONS");
  env.remove("ASAN_OPTIONS");
  env.insert("KORVELIN_APP_DIR", QString::fromStdString(app));
  env.insert("HOME", QString::fromStdString(*dir_));
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(path("runtime")));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QProcess player;
  player.setProcessEnvironment(env);
  player.start(KORVELIN_EXE, {"--summary"});
  // The player runs until it is closed: once start-up has answered, end it as the session does.
  QByteArray out;
  while (!out.contains('\n') && player.waitForReadyRead(120000))
    out += player.readAllStandardOutput();
  ASSERT_TRUE(out.contains("\"playing\"")) << out.toStdString();
  player.terminate();
  ASSERT_TRUE(player.waitForFinished(120000));
  const std::string errors = player.readAllStandardError().toStdString();
  EXPECT_EQ(player.exitCode(), 0) << errors;
  EXPECT_EQ(errors.find("LeakSanitizer"), std::string::npos) << errors;

  // A leak of our own, with the same suppressions, still fails.
  QProcess leak;
  leak.setProcessEnvironment(env);
  leak.start(KV_LEAK_ON_PURPOSE_EXE, {});
  ASSERT_TRUE(leak.waitForFinished(60000));
  EXPECT_NE(leak.exitCode(), 0);
  EXPECT_NE(leak.readAllStandardError().toStdString().find("LeakSanitizer"), std::string::npos);
}
#endif

}  // namespace
