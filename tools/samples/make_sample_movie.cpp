// kv_make_sample_movie FILE: writes the small Flash movie of the sample folder that
// scripts/run makes: a dark stage with a blue square travelling across it and back, 48 frames
// at 24 fps, looping, written by our SWF writer.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

#include "media/flash/swf_shapes.h"
#include "media/flash/swf_writer.h"

namespace {

constexpr int kWidth = 320, kHeight = 240, kSide = 60;  // pixels

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kv_make_sample_movie FILE\n");
    return 2;
  }
  using namespace kv::media::swf;
  Writer w(8, kWidth, kHeight, 24.0);
  w.background(Rgb{30, 31, 36});
  w.tag(2, rectangleShape(1, 0, 0, kSide, kSide, Rgb{51, 153, 255}));
  constexpr int frames = 48;
  for (int f = 0; f < frames; ++f) {
    const int half = frames / 2;
    const int step = f < half ? f : frames - f;
    w.tag(26, placeAt(1, 1, step * (kWidth - kSide) / half, (kHeight - kSide) / 2, f == 0));
    w.showFrame();
  }
  w.end();
  const Bytes bytes = w.build(Compression::Zlib);
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "kv_make_sample_movie: %s cannot be written\n", argv[1]);
    return 1;
  }
  return 0;
}
