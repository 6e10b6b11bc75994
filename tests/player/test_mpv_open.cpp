// What the player opens for a local file: the file itself, never a network address or another
// file that it names, and a name that looks like standard input or an address is a file.

#include <unistd.h>

#include <QHostAddress>
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

}  // namespace
}  // namespace kv::test
