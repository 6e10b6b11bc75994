// The position display (Timer8) runs 20 times a second for as long as anything plays. This
// measures one tick of it, as the timer raises it, for player media, Flash video and a Flash
// movie on the test doubles, and for player media on the real media player playing a clip;
// each next to an empty timer tick measured in the same run. For the real player it also
// measures the reads the tick used to make: four blocking property reads of the engine.
// Goals: under 5 us a tick on the doubles; p99 under 100 us on the real player.
//
// Usage: bench_timer8 [ticks on the doubles = 20000] [seconds on the real player = 20]

#include <mpv/client.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/playback_rig.h"
#include "bench_tools.h"
#include "common/latency.h"
#include "media/player/mpv_player.h"
#include "platform/errors.h"

namespace {

using kv::bench::printRow;
using kv::bench::Stats;
using kv::bench::stats;
using kv::bench::timedUs;

// A playing file of each kind on the doubles; the engine moves on a little at every tick.
void onDoubles(int ticks) {
  std::printf("1. one Timer8 tick on the test doubles (%d ticks each)\n", ticks);
  for (const char* name : {"clip.avi", "video.flv", "movie.swf"}) {
    kv::test::PlaybackRig rig;
    auto& form = rig.startWith({name});
    rig.click(0);
    rig.player1.recordReads = false;
    rig.player1.length = 180;
    rig.flash.totalFrames = 2000;
    kv::forms::Timer empty("empty", rig.clock);
    empty.Tick.connect([] {});
    std::vector<double> tick, reference;
    for (int i = 0; i < ticks; ++i) {
      // Three minutes of playing, 20 ticks a second, over and over.
      const double position = (i % 3600) * 0.05;
      rig.player1.position = position;
      rig.flash.frame = i % 2000;
      rig.flash.variables["curent1"] = kv::numberText(position);
      rig.flash.variables["total1"] = "180";
      rig.flash.variables["curentvar"] = kv::media::positionText(position);
      rig.flash.variables["timevar"] = "/03:00";
      if (rig.log->size() > 4096) rig.forget();
      tick.push_back(timedUs([&] { form.Timer8.Tick.raise(); }));
      reference.push_back(timedUs([&] { empty.Tick.raise(); }));
    }
    const Stats e = stats(reference);
    printRow(name, stats(tick), e);
    std::printf("  %-34s p50 %8.3f us   (display at the end: %s %s, bar %d)\n", "empty timer tick",
                e.p50, form.Label1.Caption().c_str(), form.Label2.Caption().c_str(),
                form.tVate1.Value());
  }
}

// The old tick's reads: position and length, each again for its text.
void uncachedReads(mpv_handle* core) {
  double pos = 0, len = 0;
  mpv_get_property(core, "time-pos", MPV_FORMAT_DOUBLE, &pos);
  mpv_get_property(core, "duration", MPV_FORMAT_DOUBLE, &len);
  volatile int value = len > 0 ? static_cast<int>(pos / len * 100) : 0;
  (void)value;
  mpv_get_property(core, "time-pos", MPV_FORMAT_DOUBLE, &pos);
  std::string a = kv::media::positionText(pos);
  mpv_get_property(core, "duration", MPV_FORMAT_DOUBLE, &len);
  std::string b = "/" + kv::media::positionText(len);
}

void onRealPlayer(int seconds) {
  QTemporaryDir dir;
  const std::string clip = kv::bench::makeClip720p(dir.path().toStdString(), seconds + 10);
  kv::media::MpvPlayer player(kv::media::MpvOptions::headless());
  kv::test::PlaybackRig rig;  // the window's other components and services stay doubles
  kv::media::Components components{player, rig.player2, rig.flash, rig.web};
  rig.files.addFile(clip);
  rig.form = std::make_unique<kv::app::Form1>(rig.services, components);
  auto& form = *rig.form;
  form.Show();
  form.File1.setPattern("*.mp4");
  form.File1.setPath(dir.path().toStdString());
  form.File1.setListIndex(0);
  if (!kv::bench::pumpUntil([&] { return player.playState() == kv::media::kPlaying; }, 20)) {
    std::printf("the clip did not start: %s\n", player.errorText().c_str());
    return;
  }
  kv::forms::Timer empty("empty", rig.clock);
  empty.Tick.connect([] {});
  std::vector<double> tick, again, old, reference;
  const double end = kv::bench::nowSeconds() + seconds;
  // Ticks every 10 ms rather than 50 for more samples; the engine decodes meanwhile, so a tick
  // meets cold caches, as the program's does. Repeated at once, it shows its own cost.
  while (kv::bench::nowSeconds() < end) {
    tick.push_back(timedUs([&] { form.Timer8.Tick.raise(); }));
    again.push_back(timedUs([&] { form.Timer8.Tick.raise(); }));
    old.push_back(timedUs([&] { uncachedReads(player.core()); }));
    reference.push_back(timedUs([&] { empty.Tick.raise(); }));
    kv::bench::pumpUntil([] { return false; }, 0.010);
  }
  std::printf("\n2. one Timer8 tick on the real media player, 720p clip playing (%zu ticks)\n",
              tick.size());
  const Stats e = stats(reference);
  printRow("Timer8 tick (values the engine reported)", stats(tick), e);
  printRow("the same tick again at once", stats(again), e);
  printRow("the four property reads it used to make", stats(old), e);
  std::printf("  %-34s p50 %8.3f us\n", "empty timer tick", e.p50);
  std::printf("  display at the end: %s %s, bar %d\n", form.Label1.Caption().c_str(),
              form.Label2.Caption().c_str(), form.tVate1.Value());
  rig.form.reset();  // before the components it holds
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  kv::media::useCNumericLocale();
  const int ticks = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;
  const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  onDoubles(ticks);
  onRealPlayer(seconds);
  return 0;
}
