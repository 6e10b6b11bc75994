// The media controls on a private session bus, driven and read by the desktop's own client,
// playerctl: every command reaches the controls, every property reads back, and a change is
// seen by a client that follows the player.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <memory>

#include "app/mpris/mpris_service.h"
#include "doubles/private_bus.h"

using namespace kv::app::mpris;
using kv::test::PrivateBus;

namespace {

class RecordingControls final : public MediaControls {
 public:
  MediaState now{Status::Playing, "/clips/a clip.mp4", 200,       10, 50, true, true, true,
                 "A Song",        {"An Artist"},       "An Album"};
  std::vector<std::string> calls;
  MediaState state() const override { return now; }
  void playPause() override { calls.push_back("playPause"); }
  void play() override { calls.push_back("play"); }
  void pause() override { calls.push_back("pause"); }
  void stop() override { calls.push_back("stop"); }
  void next() override { calls.push_back("next"); }
  void previous() override { calls.push_back("previous"); }
  void seekTo(double s) override { calls.push_back("seekTo " + std::to_string(int(s))); }
  void setVolume(int v) override { calls.push_back("setVolume " + std::to_string(v)); }
  bool openFile(const std::string& path) override {
    calls.push_back("openFile " + path);
    return true;
  }
  void raise() override { calls.push_back("raise"); }
  void quit() override { calls.push_back("quit"); }
};

// Runs playerctl against the player while the event loop serves the bus; its output.
std::string playerctl(const QStringList& args) {
  QProcess p;
  p.start("playerctl", QStringList{"--player=korvelin"} + args);
  while (p.state() != QProcess::NotRunning)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return p.readAllStandardOutput().trimmed().toStdString();
}

}  // namespace

TEST(Playerctl, DrivesAndReadsThePlayerOnTheSessionBus) {
  char name[] = "test_mpris_bus";
  char* argv[] = {name, nullptr};
  int argc = 1;
  QCoreApplication app(argc, argv);
  PrivateBus bus;
  ASSERT_FALSE(bus.address.isEmpty());
  RecordingControls controls;
  MprisService service(controls, "");
  ASSERT_TRUE(service.start());

  struct Case {
    QStringList args;
    std::string output;  // what it prints begins with this
    std::vector<std::string> calls;
    std::string title = "A Song";  // the file's tags' title
  };
  const std::vector<Case> cases{
      {{"status"}, "Playing", {}},
      {{"metadata", "xesam:title"}, "A Song", {}},
      {{"metadata", "xesam:title"}, "a clip.mp4", {}, ""},  // no title: the file's name
      {{"metadata", "xesam:artist"}, "An Artist", {}},
      {{"metadata", "xesam:album"}, "An Album", {}},
      {{"metadata", "xesam:url"}, "file:///clips/a%20clip.mp4", {}},
      {{"metadata", "mpris:length"}, "200000000", {}},
      {{"position"}, "10.0", {}},  // playerctl adds the time since it was read
      {{"volume"}, "0.500000", {}},
      {{"play-pause"}, "", {"playPause"}},
      {{"play"}, "", {"play"}},
      {{"pause"}, "", {"pause"}},
      {{"stop"}, "", {"stop"}},
      {{"next"}, "", {"next"}},
      {{"previous"}, "", {"previous"}},
      {{"position", "42"}, "", {"seekTo 42"}},
      {{"position", "5-"}, "", {"seekTo 5"}},
      {{"volume", "0.3"}, "", {"setVolume 30"}},
      {{"open", "file:///clips/b%20clip.mp3"}, "", {"openFile /clips/b clip.mp3"}},
      {{"open", "https://example.org/c.mp3"}, "", {}},  // local files only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    controls.now.title = c.title;
    service.refresh();
    controls.calls.clear();
    EXPECT_EQ(playerctl(c.args).substr(0, c.output.size()), c.output);
    EXPECT_EQ(controls.calls, c.calls);
  }

  // A client following the status sees the change the window made.
  QProcess follow;
  follow.start("playerctl", {"--player=korvelin", "--follow", "status"});
  ASSERT_TRUE(follow.waitForStarted(10000));
  const auto nextLine = [&] {
    while (!follow.canReadLine() && follow.state() == QProcess::Running)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return follow.readLine().trimmed().toStdString();
  };
  EXPECT_EQ(nextLine(), "Playing");
  controls.now.status = Status::Paused;
  service.refresh();
  EXPECT_EQ(nextLine(), "Paused");
  follow.kill();
  follow.waitForFinished(10000);
}
