// The media player component against the mpv command line on the same generated 720p clips,
// measured in the same run:
//  1. time from setURL to the first decoded frame (goal: within 1.2x of the reference);
//  2. CPU time of playing a 60 s clip with no picture output (goal: within 1.1x);
//  3. cost of the position display's queries, 20 a second (goal: negligible next to decoding).
// Usage: bench_player [runs]   (build without sanitizers; see CMakeLists.txt)

#include <mpv/client.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench_tools.h"
#include "media/player/mpv_player.h"

namespace {

using kv::bench::median;
using kv::bench::nowSeconds;
using kv::bench::processCpuSeconds;
using kv::bench::pumpUntil;
using kv::media::MpvOptions;
using kv::media::MpvPlayer;

// Playback runs this much faster than real time, for both sides alike, so that a 60 s clip
// takes 15 s; pitch correction is off so that no extra audio filter runs.
constexpr double kSpeed = 4.0;

// Waits on a client of its own for the engine's report that the first frame is ready after a
// file started (the player's own client keeps its events).
bool waitFirstFrame(mpv_handle* observer, double timeoutSeconds) {
  bool started = false, ready = false;
  return pumpUntil(
      [&] {
        while (!ready) {
          const mpv_event* e = mpv_wait_event(observer, 0);
          if (e->event_id == MPV_EVENT_NONE) return false;
          if (e->event_id == MPV_EVENT_START_FILE) started = true;
          if (started && e->event_id == MPV_EVENT_PLAYBACK_RESTART) ready = true;
        }
        return true;
      },
      timeoutSeconds);
}

struct FirstFrame {
  double coldPlayer, cli, warmPlayer, warmLibmpv;
};

// clip has sound; silentClip is the same picture without it, for the command line, which with
// sound would wait for its audio buffer to drain before it exits.
FirstFrame measureFirstFrame(const std::string& clip, const std::string& silentClip, int runs) {
  std::vector<double> cold, cli, warm, lib;
  MpvPlayer player(MpvOptions::headless());
  mpv_handle* observer = mpv_create_client(player.core(), "bench");

  kv::media::MpvHandle raw = kv::media::createMpvCore(MpvOptions::headless());
  for (int i = 0; i < runs; ++i) {
    // The component as the program meets it: created once, then given file after file.
    double t = nowSeconds();
    player.setURL(clip);
    if (!waitFirstFrame(observer, 20)) std::fprintf(stderr, "player: no first frame\n");
    warm.push_back(nowSeconds() - t);
    player.close();

    // The same protocol on a bare engine core, without the component around it.
    t = nowSeconds();
    const char* load[] = {"loadfile", clip.c_str(), "replace", nullptr};
    mpv_command(raw.get(), load);
    if (!waitFirstFrame(raw.get(), 20)) std::fprintf(stderr, "libmpv: no first frame\n");
    lib.push_back(nowSeconds() - t);
    mpv_command_string(raw.get(), "stop");

    // Cold, like the command line: engine start, open, first frame, engine end.
    t = nowSeconds();
    {
      MpvPlayer fresh(MpvOptions::headless());
      mpv_handle* freshObserver = mpv_create_client(fresh.core(), "bench");
      fresh.setURL(silentClip);
      if (!waitFirstFrame(freshObserver, 20)) std::fprintf(stderr, "cold: no first frame\n");
      mpv_destroy(freshObserver);
    }
    cold.push_back(nowSeconds() - t);

    cli.push_back(
        kv::bench::runMpvCli({"--vo=null", "--ao=null", "--frames=1", silentClip}).wallSeconds);
  }
  mpv_destroy(observer);
  return {median(cold), median(cli), median(warm), median(lib)};
}

struct Playback {
  double cpu = 0;        // seconds of CPU for the whole clip
  double queryTime = 0;  // seconds spent in position queries
  int queryTicks = 0;
};

Playback playWithPlayer(const std::string& clip, bool withQueries) {
  Playback result;
  MpvPlayer player(MpvOptions::headless());
  mpv_set_property_string(player.core(), "speed", std::to_string(kSpeed).c_str());
  mpv_set_property_string(player.core(), "audio-pitch-correction", "no");
  QTimer display;  // the position display's tick: six component calls, as the program makes
  display.setInterval(50);
  QObject::connect(&display, &QTimer::timeout, [&] {
    const double t = nowSeconds();
    try {
      const double pos = player.currentPosition(), len = player.duration();
      volatile int value = len > 0 ? static_cast<int>(pos / len * 100) : 0;
      (void)value;
      std::string a = player.currentPositionString(), b(1, '/');
      b += player.durationString();
      volatile int state = player.playState();
      (void)state;
    } catch (const std::exception&) {
      // opening: no position yet, as for the program
    }
    result.queryTime += nowSeconds() - t;
    ++result.queryTicks;
  });
  // Waits the way the program does: blocked in the event loop until the engine reports.
  QEventLoop loop;
  player.PlayStateChange.connect([&](int state) {
    if (state == kv::media::kStopped) loop.quit();
  });
  QTimer::singleShot(300000, &loop, [&] {
    std::fprintf(stderr, "player did not reach the end\n");
    loop.quit();
  });
  const double cpu = processCpuSeconds();
  player.setURL(clip);
  if (withQueries) display.start();
  loop.exec();
  display.stop();
  result.cpu = processCpuSeconds() - cpu;
  return result;
}

double playWithCli(const std::string& clip) {
  return kv::bench::runMpvCli({"--vo=null", "--ao=null", "--speed=" + std::to_string(kSpeed),
                               "--audio-pitch-correction=no", clip})
      .cpuSeconds;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  kv::media::useCNumericLocale();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  QTemporaryDir dir;
  std::printf("generating clips...\n");
  const std::string shortClip = kv::bench::makeClip720p(dir.path().toStdString(), 10);
  const std::string silentClip = kv::bench::makeClip720p(dir.path().toStdString(), 10, false);
  const std::string longClip = kv::bench::makeClip720p(dir.path().toStdString(), 60);

  const FirstFrame ff = measureFirstFrame(shortClip, silentClip, runs);
  std::printf("\n1. first decoded frame of a 720p clip (median of %d)\n", runs);
  std::printf("   cold, picture only: component created, opens, first frame, destroyed\n");
  std::printf("                                                           %7.1f ms\n",
              ff.coldPlayer * 1e3);
  std::printf("   reference: mpv --vo=null --ao=null --frames=1 (wall)    %7.1f ms\n",
              ff.cli * 1e3);
  std::printf("   ratio cold / command line                                 %6.2f  (goal <= 1.2)\n",
              ff.coldPlayer / ff.cli);
  std::printf("   warm, with sound: setURL to first frame on the live component\n");
  std::printf("                                                           %7.1f ms\n",
              ff.warmPlayer * 1e3);
  std::printf("   reference: loadfile to first frame on a bare core       %7.1f ms\n",
              ff.warmLibmpv * 1e3);
  std::printf("   ratio warm / bare core                                    %6.2f  (goal <= 1.2)\n",
              ff.warmPlayer / ff.warmLibmpv);

  const int playRuns = 3;
  std::vector<double> ours, cli, queried, queryTime, perTick;
  for (int i = 0; i < playRuns; ++i) {
    ours.push_back(playWithPlayer(longClip, false).cpu);
    cli.push_back(playWithCli(longClip));
    const Playback q = playWithPlayer(longClip, true);
    queried.push_back(q.cpu);
    queryTime.push_back(q.queryTime);
    perTick.push_back(q.queryTicks ? q.queryTime / q.queryTicks : 0);
  }
  std::printf(
      "\n2. CPU time of playing 60 s of 720p with sound, no picture output, at %.0fx speed "
      "(median of %d)\n",
      kSpeed, playRuns);
  std::printf("   component                                    %7.2f s\n", median(ours));
  std::printf("   reference: mpv --vo=null --ao=null (child)   %7.2f s\n", median(cli));
  std::printf("   ratio                                          %6.2f  (goal <= 1.1)\n",
              median(ours) / median(cli));

  // At normal speed a second of this clip costs median(ours) / 60 s of CPU to decode, and the
  // display makes 20 ticks in that second.
  const double tick = median(perTick), decodePerSecond = median(ours) / 60.0;
  std::printf("\n3. position display queries, 20 a second, during the same playback\n");
  std::printf("   one tick (6 calls)                           %7.1f us\n", tick * 1e6);
  std::printf("   20 ticks, one second of the display          %7.2f ms\n", 20 * tick * 1e3);
  std::printf("   decoding one second of the clip (CPU)        %7.2f ms\n", decodePerSecond * 1e3);
  std::printf("   ratio display / decoding                       %6.3f  (goal: negligible)\n",
              20 * tick / decodePerSecond);
  std::printf("   CPU of the whole run with queries / without    %6.2f  (noisy: shared cores)\n",
              median(queried) / median(ours));
  return 0;
}
