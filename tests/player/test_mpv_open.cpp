// What the player opens for a local file: the file itself, never a network address or another
// file that it names, and a name that looks like standard input or an address is a file.

#include <unistd.h>

#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <filesystem>
#include <fstream>

#include "player_fixture.h"

namespace kv::test {
namespace {

namespace fs = std::filesystem;
using media::kPlaying;
using media::kReady;

TEST_F(PlayerTest, ALocalFileNeverMakesThePlayerOpenWhatItNames) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  const std::string url = "http://127.0.0.1:" + std::to_string(server.serverPort());
  const std::string net = media.dir() + "/net.mp4";
  std::ofstream(net) << "#EXTM3U\n" << url << "/remote.mp4\n";
  const std::string cue = media.dir() + "/cue.mp4";
  std::ofstream(cue) << "FILE \"" << media.tone() << "\" WAVE\n  TRACK 01 AUDIO\n"
                     << "    INDEX 01 00:00:00\n";
  for (const std::string& file : {net, cue}) {
    player->setURL(file);
    ASSERT_TRUE(waitForState(kReady)) << file << ": state " << player->playState();
  }
  EXPECT_FALSE(server.waitForNewConnection(200));
  EXPECT_FALSE(server.hasPendingConnections());
}

TEST_F(PlayerTest, ANameLikeStandardInputOrAnAddressIsAFile) {
  const std::string tone = media.tone();
  const fs::path folder = media.dir() + "/names";
  fs::create_directories(folder / "http:");
  fs::copy_file(tone, folder / "-", fs::copy_options::overwrite_existing);
  fs::copy_file(tone, folder / "http:" / "x.wav", fs::copy_options::overwrite_existing);
  const fs::path before = fs::current_path();
  fs::current_path(folder);
  for (const std::string name : {"-", "http://x.wav"}) {
    player->setURL(name);
    EXPECT_TRUE(waitForState(kPlaying)) << name << ": " << player->errorText();
    EXPECT_NEAR(player->duration(), 1.0, 0.1);
  }
  fs::current_path(before);
}

// A local web server (Python's) on a free port of this machine, serving one folder.
struct WebServer {
  explicit WebServer(const std::string& folder) {
    process.start("python3", {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory",
                              QString::fromStdString(folder)});
    // "Serving HTTP on 127.0.0.1 port 41234 ..."
    pumpUntil([&] { return process.waitForReadyRead(50), port += portIn(process.readAll()); },
              9000);
  }
  ~WebServer() { process.kill(), process.waitForFinished(); }
  static int portIn(const QString& out) {
    return QRegularExpression("port (\\d+)").match(out).captured(1).toInt();
  }
  std::string address(const std::string& name) const {
    return "http://127.0.0.1:" + std::to_string(port) + "/" + name;
  }
  QProcess process;
  int port = 0;
};

// What a person typing an address meets: a clip plays from a web server; a missing one, a port
// nothing answers on and a page that is no media fail with the engine's reason, never a hang.
TEST_F(PlayerTest, AnAddressPlaysFromTheNetworkAndItsFailuresSayWhy) {
  std::filesystem::copy_file(media.clip(), media.dir() + "/web-clip.mp4",
                             fs::copy_options::overwrite_existing);
  media.write("page.html", "<html><body>no media here</body></html>\n");
  WebServer server(media.dir());
  ASSERT_NE(server.port, 0);
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
  const std::string closedPort = "http://127.0.0.1:" + std::to_string(closed.serverPort()) + "/x";
  closed.close();
  const struct {
    std::string address;
    int state;
    const char* reason;  // in errorText()
  } cases[] = {
      {server.address("web-clip.mp4"), kPlaying, ""},
      {server.address("missing.mp4"), kReady, "404"},
      {closedPort, kReady, "refused"},
      {server.address("page.html"), kReady, "format"},
  };
  for (const auto& c : cases) {
    player->openAddress(c.address);
    EXPECT_TRUE(waitForState(c.state, 20000)) << c.address << ": " << player->playState();
    EXPECT_NE(player->errorText().find(c.reason), std::string::npos)
        << c.address << ": " << player->errorText();
    EXPECT_EQ(engineText(*player, "ytdl"), "yes");
    player->showMessage("said", 1000);  // without a picture, the video area says it instead
    EXPECT_EQ(player->textWithoutPicture(), c.state == kReady ? "said" : "");
  }
  // A file after an address goes back to the engine's local-only rules.
  player->setURL(media.tone());
  EXPECT_TRUE(waitForState(kPlaying));
  EXPECT_EQ(engineText(*player, "ytdl"), "no");
}

}  // namespace
}  // namespace kv::test
