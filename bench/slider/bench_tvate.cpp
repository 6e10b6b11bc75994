// Repaint cost of the slider at the sizes the main window uses, next to a reference: one
// QPainter copy of an image of the seek bar's size, the least a painted frame costs.

#include <benchmark/benchmark.h>

#include <QPainter>

#include "slider/bar_setup.h"
#include "slider/tvate.h"

namespace {

using kv::slider::tVate;

class NoCursor : public kv::CursorService {
 public:
  int ShowCursor(bool) override { return 0; }
  kv::Point GetCursorPos() const override { return {}; }
  const kv::forms::Control* WindowFromPoint(kv::Point) const override { return nullptr; }
};

struct Bars {
  Bars() : seek("tVate1", nullptr, clock, cursor), volume("volume", nullptr, clock, cursor) {
    const std::string skins = KV_SKINS_DIR;
    seek.design(0, 0, 9380, 135);  // 625 x 9 pixels
    seek.setMax(100);
    seek.setValue(37);
    seek.setCanMove(true);
    seek.setBite_LP(2);
    seek.setBite_RP(2);
    kv::slider::applySkin(seek, kv::forms::Picture::fromFile(skins + "/seekbar.png"),
                          kv::slider::kSeekBarSkin);
    volume.design(0, 0, 1200, 195);  // 80 x 13 pixels
    volume.setCanMove(true);
    volume.setBite_LP(2);
    volume.setBite_RP(2);
    volume.setValue(50);
    kv::slider::applySkin(volume, kv::forms::Picture::fromFile(skins + "/volume.png"),
                          kv::slider::kVolumeBarSkin);
  }
  kv::VirtualClock clock;
  NoCursor cursor;
  tVate seek;
  tVate volume;
};

void BM_SeekBarRepaint(benchmark::State& state) {
  Bars bars;
  for (auto _ : state) {
    bars.seek.Repaint();
    benchmark::DoNotOptimize(bars.seek.surface().constBits());
  }
}
BENCHMARK(BM_SeekBarRepaint)->Unit(benchmark::kMicrosecond);

// A drag step: value from the pointer, Changed, repaint with the pressed thumb.
void BM_SeekBarDragStep(benchmark::State& state) {
  Bars bars;
  bars.seek.inputMouseDown(1, 0, 3000, 60);
  float x = 0;
  for (auto _ : state) {
    x = x > 9300 ? 0 : x + 37;
    bars.seek.inputMouseMove(1, 0, x, 60);
    benchmark::DoNotOptimize(bars.seek.surface().constBits());
  }
}
BENCHMARK(BM_SeekBarDragStep)->Unit(benchmark::kMicrosecond);

void BM_VolumeBarRepaint(benchmark::State& state) {
  Bars bars;
  for (auto _ : state) {
    bars.volume.Repaint();
    benchmark::DoNotOptimize(bars.volume.surface().constBits());
  }
}
BENCHMARK(BM_VolumeBarRepaint)->Unit(benchmark::kMicrosecond);

void BM_SeekBarGradientRepaint(benchmark::State& state) {
  Bars bars;
  bars.seek.setStyle(0);
  bars.seek.setGotTopColor(0xFF9933);
  bars.seek.setGotBottomColor(0x804010);
  bars.seek.setTopColor(0x303030);
  bars.seek.setBottomColor(0x101010);
  for (auto _ : state) {
    bars.seek.Repaint();
    benchmark::DoNotOptimize(bars.seek.surface().constBits());
  }
}
BENCHMARK(BM_SeekBarGradientRepaint)->Unit(benchmark::kMicrosecond);

// Reference: one painter copying a finished 625 x 9 image, as the view does per frame.
void BM_ReferenceSurfaceCopy(benchmark::State& state) {
  QImage source(625, 9, QImage::Format_RGB32);
  source.fill(0xFF3399FF);
  QImage target(625, 9, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&target);
    p.drawImage(0, 0, source);
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_ReferenceSurfaceCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
