// The media player component against a bare engine core with the same options, in the same
// process and the same run, on the same generated 720p clips:
//  0. what one idle engine core costs (threads, memory, CPU to start), with and without the
//     scripts built into the engine;
//  1. time from setURL to the first decoded frame (goal: within 1.2x of the reference), and
//     from a seek to playback going on at the new place (goal: within 1.1x);
//  2. CPU time of playing a 60 s clip with no picture output (goal: within 1.1x);
//  3. cost of the position display's reads, 20 a second (goal: negligible next to decoding).
// Usage: bench_player [runs]   (build without sanitizers; see CMakeLists.txt)

#include <mpv/client.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// Waits on a client of its own (the player's own client keeps its events) for the engine's
// report `then` once it has reported `first`.
bool waitReports(mpv_handle* observer, mpv_event_id first, mpv_event_id then,
                 double timeoutSeconds) {
  bool seenFirst = false, done = false;
  return pumpUntil(
      [&] {
        while (!done) {
          const mpv_event* e = mpv_wait_event(observer, 0);
          if (e->event_id == MPV_EVENT_NONE) return false;
          if (e->event_id == first) seenFirst = true;
          if (seenFirst && e->event_id == then) done = true;
        }
        return true;
      },
      timeoutSeconds);
}

// The first frame is ready after a file started.
bool waitFirstFrame(mpv_handle* observer, double timeoutSeconds) {
  return waitReports(observer, MPV_EVENT_START_FILE, MPV_EVENT_PLAYBACK_RESTART, timeoutSeconds);
}

// A seek has ended: playback goes on at the new place.
bool waitSeekDone(mpv_handle* observer, double timeoutSeconds) {
  return waitReports(observer, MPV_EVENT_SEEK, MPV_EVENT_PLAYBACK_RESTART, timeoutSeconds);
}

// Opens clip on a core that has never played anything and waits for its first frame.
double firstFrameOnBareCore(const std::string& clip) {
  const double t = nowSeconds();
  kv::media::MpvHandle core = kv::media::createMpvCore(MpvOptions::headless());
  const char* load[] = {"loadfile", clip.c_str(), "replace", nullptr};
  mpv_command(core.get(), load);
  if (!waitFirstFrame(core.get(), 20)) std::fprintf(stderr, "bare core: no first frame\n");
  core.reset();
  return nowSeconds() - t;
}

double firstFrameOnNewPlayer(const std::string& clip) {
  const double t = nowSeconds();
  {
    MpvPlayer fresh(MpvOptions::headless());
    mpv_handle* observer = mpv_create_client(fresh.core(), "bench");
    fresh.setURL(clip);
    if (!waitFirstFrame(observer, 20)) std::fprintf(stderr, "new player: no first frame\n");
    mpv_destroy(observer);
  }
  return nowSeconds() - t;
}

struct FirstFrame {
  double coldPlayer, coldLibmpv, warmPlayer, warmLibmpv;
};

// Both sides in this process with the same engine options, so the ratio is the component's
// own cost: cold (engine created, file opened, first frame, engine destroyed) and warm (a live
// engine given one file after another).
FirstFrame measureFirstFrame(const std::string& clip, int runs) {
  std::vector<double> cold, coldLib, warm, lib;
  MpvPlayer player(MpvOptions::headless());
  mpv_handle* observer = mpv_create_client(player.core(), "bench");
  kv::media::MpvHandle raw = kv::media::createMpvCore(MpvOptions::headless());
  for (int i = 0; i < runs; ++i) {
    double t = nowSeconds();
    player.setURL(clip);
    if (!waitFirstFrame(observer, 20)) std::fprintf(stderr, "player: no first frame\n");
    warm.push_back(nowSeconds() - t);
    player.close();

    t = nowSeconds();
    const char* load[] = {"loadfile", clip.c_str(), "replace", nullptr};
    mpv_command(raw.get(), load);
    if (!waitFirstFrame(raw.get(), 20)) std::fprintf(stderr, "libmpv: no first frame\n");
    lib.push_back(nowSeconds() - t);
    mpv_command_string(raw.get(), "stop");

    // Alternate which side goes first, so that neither always meets a warmer cache.
    if (i % 2 == 0) {
      cold.push_back(firstFrameOnNewPlayer(clip));
      coldLib.push_back(firstFrameOnBareCore(clip));
    } else {
      coldLib.push_back(firstFrameOnBareCore(clip));
      cold.push_back(firstFrameOnNewPlayer(clip));
    }
  }
  mpv_destroy(observer);
  return {median(cold), median(coldLib), median(warm), median(lib)};
}

struct SeekTimes {
  double player, core;
};

// From a seek asked for to playback going on at the new place, during playback: the component's
// setCurrentPosition against the same seek command on a bare core, taken in turns.
SeekTimes measureSeeks(const std::string& clip, int runs) {
  const double targets[] = {41.0, 7.5, 23.0, 55.0, 12.0};
  MpvPlayer player(MpvOptions::headless());
  mpv_handle* observer = mpv_create_client(player.core(), "bench");
  player.setURL(clip);
  kv::media::MpvHandle raw = kv::media::createMpvCore(MpvOptions::headless());
  const char* load[] = {"loadfile", clip.c_str(), "replace", nullptr};
  mpv_command(raw.get(), load);
  if (!waitFirstFrame(observer, 20) || !waitFirstFrame(raw.get(), 20))
    std::fprintf(stderr, "seek: no first frame\n");
  pumpUntil([] { return false; }, 0.2);  // the component has read the file's length
  std::vector<double> ours, bare;
  for (int i = 0; i < runs; ++i) {
    for (const double target : targets) {
      double t = nowSeconds();
      try {
        player.setCurrentPosition(target);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "seek: %s\n", e.what());
      }
      if (!waitSeekDone(observer, 20)) std::fprintf(stderr, "player: seek did not end\n");
      ours.push_back(nowSeconds() - t);

      t = nowSeconds();
      const std::string at = std::to_string(target);
      const char* seek[] = {"seek", at.c_str(), "absolute", nullptr};
      mpv_command(raw.get(), seek);
      if (!waitSeekDone(raw.get(), 20)) std::fprintf(stderr, "libmpv: seek did not end\n");
      bare.push_back(nowSeconds() - t);
    }
  }
  mpv_destroy(observer);
  return {median(ours), median(bare)};
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
  QTimer display;  // the position display's reads, as the program makes them
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

// The same clip on a bare core with the component's options, waited for on its own client;
// observing position and length as the component does when observeTimes is set.
double playWithBareCore(const std::string& clip, bool observeTimes) {
  kv::media::MpvHandle core = kv::media::createMpvCore(MpvOptions::headless());
  mpv_handle* h = core.get();
  mpv_set_property_string(h, "speed", std::to_string(kSpeed).c_str());
  mpv_set_property_string(h, "audio-pitch-correction", "no");
  mpv_observe_property(h, 0, "eof-reached", MPV_FORMAT_FLAG);
  if (observeTimes) {
    mpv_observe_property(h, 0, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(h, 0, "duration", MPV_FORMAT_DOUBLE);
  }
  const double cpu = processCpuSeconds();
  const char* load[] = {"loadfile", clip.c_str(), "replace", nullptr};
  mpv_command(h, load);
  const double end = nowSeconds() + 300;
  for (bool atEnd = false; !atEnd && nowSeconds() < end;) {
    const mpv_event* e = mpv_wait_event(h, 1.0);
    if (e->event_id != MPV_EVENT_PROPERTY_CHANGE) continue;
    const auto* p = static_cast<const mpv_event_property*>(e->data);
    atEnd = std::string(p->name) == "eof-reached" && p->format == MPV_FORMAT_FLAG &&
            *static_cast<int*>(p->data) != 0;
  }
  return processCpuSeconds() - cpu;
}

// Threads of this process, and its resident memory in MiB (Linux /proc).
int threadCount() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                                        std::filesystem::directory_iterator()));
}
double residentMiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1048576.0);
}

// A core as the component configured it before: the same options without switching off the
// scripts that come built into the engine.
kv::media::MpvHandle coreWithBuiltInScripts() {
  kv::media::MpvHandle core(mpv_create());
  for (const auto& [name, value] :
       std::vector<std::pair<const char*, const char*>>{{"config", "no"},
                                                        {"terminal", "no"},
                                                        {"load-scripts", "no"},
                                                        {"input-default-bindings", "no"},
                                                        {"input-vo-keyboard", "no"},
                                                        {"osc", "no"},
                                                        {"ytdl", "no"},
                                                        {"resume-playback", "no"},
                                                        {"idle", "yes"},
                                                        {"keep-open", "yes"},
                                                        {"image-display-duration", "inf"},
                                                        {"pause", "no"},
                                                        {"vo", "null"},
                                                        {"ao", "null"}})
    mpv_set_option_string(core.get(), name, value);
  mpv_initialize(core.get());
  return core;
}

struct CoreCost {
  double threads = 0, memoryMiB = 0, cpuMs = 0;  // per core
};

// Starts `count` idle cores one after another and keeps them; what each costs once its threads
// have settled.
template <class Make>
CoreCost measureCores(Make make, int count) {
  std::vector<kv::media::MpvHandle> cores;
  const int threads = threadCount();
  const double memory = residentMiB(), cpu = processCpuSeconds();
  for (int i = 0; i < count; ++i) cores.push_back(make());
  pumpUntil([] { return false; }, 1.0);  // scripts start on threads of their own
  CoreCost c;
  c.threads = double(threadCount() - threads) / count;
  c.memoryMiB = (residentMiB() - memory) / count;
  c.cpuMs = (processCpuSeconds() - cpu) * 1e3 / count;
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  kv::media::useCNumericLocale();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;

  // One of each first, so that neither side pays for loading the libraries.
  const auto makeCore = [] { return kv::media::createMpvCore(MpvOptions::headless()); };
  coreWithBuiltInScripts();
  makeCore();
  const int cores = 6;
  const CoreCost now = measureCores(makeCore, cores);
  const CoreCost before = measureCores(coreWithBuiltInScripts, cores);
  std::printf("0. one idle engine core, mean of %d\n", cores);
  std::printf("                                  threads  resident MiB  CPU to start (ms)\n");
  std::printf("   with the built-in scripts      %7.1f  %12.1f  %17.1f\n", before.threads,
              before.memoryMiB, before.cpuMs);
  std::printf("   as the component starts it     %7.1f  %12.1f  %17.1f\n", now.threads,
              now.memoryMiB, now.cpuMs);

  QTemporaryDir dir;
  std::printf("\ngenerating clips...\n");
  const std::string shortClip = kv::bench::makeClip720p(dir.path().toStdString(), 10);
  const std::string longClip = kv::bench::makeClip720p(dir.path().toStdString(), 60);

  const FirstFrame ff = measureFirstFrame(shortClip, runs);
  std::printf("\n1. first decoded frame of a 720p clip with sound (median of %d)\n", runs);
  std::printf("   cold: engine created, file opened, first frame, engine destroyed\n");
  std::printf("   component                                     %7.1f ms\n", ff.coldPlayer * 1e3);
  std::printf("   reference: bare core, same options            %7.1f ms\n", ff.coldLibmpv * 1e3);
  std::printf("   ratio                                           %6.2f  (goal <= 1.2)\n",
              ff.coldPlayer / ff.coldLibmpv);
  std::printf("   warm: a live engine given the file\n");
  std::printf("   component (setURL)                            %7.1f ms\n", ff.warmPlayer * 1e3);
  std::printf("   reference: bare core (loadfile)               %7.1f ms\n", ff.warmLibmpv * 1e3);
  std::printf("   ratio                                           %6.2f  (goal <= 1.2)\n",
              ff.warmPlayer / ff.warmLibmpv);

  const SeekTimes seeks = measureSeeks(longClip, runs);
  std::printf("\n   seek during playback, to the new place playing (median of %d)\n", 5 * runs);
  std::printf("   component (setCurrentPosition)                %7.1f ms\n", seeks.player * 1e3);
  std::printf("   reference: bare core (seek absolute)          %7.1f ms\n", seeks.core * 1e3);
  std::printf("   ratio                                           %6.2f  (goal <= 1.1)\n",
              seeks.player / seeks.core);

  const int playRuns = 3;
  std::vector<double> ours, bare, bareObserving, queried, perTick;
  for (int i = 0; i < playRuns; ++i) {
    ours.push_back(playWithPlayer(longClip, false).cpu);
    bare.push_back(playWithBareCore(longClip, false));
    bareObserving.push_back(playWithBareCore(longClip, true));
    const Playback q = playWithPlayer(longClip, true);
    queried.push_back(q.cpu);
    perTick.push_back(q.queryTicks ? q.queryTime / q.queryTicks : 0);
  }
  std::printf(
      "\n2. CPU time of playing 60 s of 720p with sound, no picture output, at %.0fx speed "
      "(median of %d; this process, all threads)\n",
      kSpeed, playRuns);
  std::printf("   component                                     %7.2f s\n", median(ours));
  std::printf("   reference: bare core, same options            %7.2f s\n", median(bare));
  std::printf("   ratio                                           %6.2f  (goal <= 1.1)\n",
              median(ours) / median(bare));
  std::printf("   bare core observing position and length       %7.2f s  (%.2fx the bare core)\n",
              median(bareObserving), median(bareObserving) / median(bare));

  // At normal speed a second of this clip costs median(ours) / 60 s of CPU to decode, and the
  // display makes 20 ticks in that second.
  const double tick = median(perTick), decodePerSecond = median(ours) / 60.0;
  std::printf("\n3. the position display's reads, 20 a second, during the same playback\n");
  std::printf("   one tick (5 reads)                            %7.2f us\n", tick * 1e6);
  std::printf("   20 ticks, one second of the display           %7.3f ms\n", 20 * tick * 1e3);
  std::printf("   decoding one second of the clip (CPU)         %7.2f ms\n", decodePerSecond * 1e3);
  std::printf("   ratio display / decoding                        %6.4f  (goal: negligible)\n",
              20 * tick / decodePerSecond);
  std::printf("   CPU of the whole run with reads / without       %6.2f  (noisy: shared cores)\n",
              median(queried) / median(ours));
  return 0;
}
