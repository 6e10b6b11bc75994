// The preview over the seek bar: how long a hover waits for its picture, and what the preview's
// engine core holds over many hovers and after it is freed.
//  1. hover to picture: 50 hovers at places spread over a 10-minute 720p clip, each waiting
//     for its picture; median and p95 (goal: p95 under 150 ms), against a bare core with the
//     same options that seeks exactly and takes the full-size picture, in the same run;
//  2. memory: resident size before the hovers, after 100 and after 500 hovers (goal: no growth
//     from 100 to 500), and once the core is freed (goal: back to where it was before). "Before"
//     is taken once a core has been made and freed: what the engine's first use in a process
//     keeps (its libraries' tables) the player's main core has paid for already.
// Usage: bench_preview [DIR]   (the clip is kept in DIR; build without sanitizers, see
// CMakeLists.txt)

#include <mpv/client.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench_tools.h"
#include "media/player/frame_preview_mpv.h"

namespace {

using kv::bench::nowSeconds;
using kv::bench::pumpUntil;

constexpr int kClipSeconds = 600;

double residentMiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4096.0 / (1024 * 1024);
}

double percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

// Places spread over the clip in a scrambled order, as a pointer wandering over the bar.
double place(int i) {
  return static_cast<double>((i * 7919) % 997) / 997.0 * (kClipSeconds - 1);
}

// One hover: the time until its picture came (or -1 when none did).
double hover(kv::media::MpvFramePreview& preview, const std::string& clip, double at) {
  bool came = false;
  kv::ScopedConnection c =
      preview.Ready.connect([&](const std::string&, double, const QImage&) { came = true; });
  const double t = nowSeconds();
  preview.request(clip, at);
  return pumpUntil([&] { return came; }, 5) ? (nowSeconds() - t) * 1000 : -1;
}

// The reference: a bare core with the main core's options, an exact seek and the full picture.
std::vector<double> bareCore(const std::string& clip, int hovers) {
  kv::media::MpvHandle core = kv::media::createMpvCore(kv::media::MpvOptions::headless());
  mpv_set_property_string(core.get(), "pause", "yes");
  const char* load[] = {"loadfile", clip.c_str(), nullptr};
  mpv_command(core.get(), load);
  auto restart = [&] {
    for (;;) {
      const mpv_event* e = mpv_wait_event(core.get(), 5);
      if (e->event_id == MPV_EVENT_PLAYBACK_RESTART) return true;
      if (e->event_id == MPV_EVENT_NONE || e->event_id == MPV_EVENT_END_FILE) return false;
    }
  };
  restart();
  std::vector<double> ms;
  for (int i = 0; i < hovers; ++i) {
    const double t = nowSeconds();
    const std::string target = std::to_string(place(i));
    const char* seek[] = {"seek", target.c_str(), "absolute+exact", nullptr};
    mpv_command(core.get(), seek);
    mpv_node shot;
    const char* take[] = {"screenshot-raw", "video", nullptr};
    if (restart() && mpv_command_ret(core.get(), take, &shot) >= 0) {
      mpv_free_node_contents(&shot);
      ms.push_back((nowSeconds() - t) * 1000);
    }
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  kv::media::useCNumericLocale();
  QTemporaryDir temporary;
  const std::string dir = argc > 1 ? argv[1] : temporary.path().toStdString();
  std::printf("generating a %d s 720p clip...\n", kClipSeconds);
  std::fflush(stdout);
  const std::string clip = kv::bench::makeClip720p(dir, kClipSeconds, true);

  kv::media::MpvFramePreview preview;
  hover(preview, clip, 0);
  preview.release();
  pumpUntil([&] { return !preview.hasCore(); }, 5);
  const double before = residentMiB();
  std::vector<double> ms;
  int missed = 0;
  hover(preview, clip, 0);  // the core is made and the file opened: not a hover over a file open
  for (int i = 0; i < 50; ++i) {
    const double t = hover(preview, clip, place(i));
    if (t < 0)
      ++missed;
    else
      ms.push_back(t);
  }
  const std::vector<double> reference = bareCore(clip, 50);
  std::printf("1. hover to picture, %zu hovers (%d without a picture):\n", ms.size(), missed);
  std::printf("   preview    median %6.1f ms  p95 %6.1f ms  (goal: p95 under 150 ms)\n",
              percentile(ms, 0.5), percentile(ms, 0.95));
  std::printf("   bare core  median %6.1f ms  p95 %6.1f ms  (exact seek, full picture)\n",
              percentile(reference, 0.5), percentile(reference, 0.95));
  std::printf("   ratio      median %6.2fx\n", percentile(ms, 0.5) / percentile(reference, 0.5));

  double at100 = 0;
  for (int i = 0; i < 500; ++i) {
    hover(preview, clip, place(i * 3 + 1));
    if (i == 99) at100 = residentMiB();
  }
  const double at500 = residentMiB();
  preview.release();
  pumpUntil([&] { return !preview.hasCore(); }, 5);
  std::printf(
      "2. memory (resident): before %.1f MiB, after 100 hovers %.1f MiB, after 500 %.1f "
      "MiB (growth %+.1f MiB; goal: none), core freed %.1f MiB\n",
      before, at100, at500, at500 - at100, residentMiB());
  // Files changing under a hovering pointer: each cycle makes a core, hovers and frees it.
  std::printf("   core freed after each of 5 further cycles of 50 hovers:");
  for (int cycle = 0; cycle < 5; ++cycle) {
    for (int i = 0; i < 50; ++i) hover(preview, clip, place(i * 11 + cycle));
    preview.release();
    pumpUntil([&] { return !preview.hasCore(); }, 5);
    std::printf(" %.1f", residentMiB());
  }
  std::printf(" MiB\n");
  return 0;
}
