// kv_make_sample_movie FILE: writes the small Flash movie of the sample folder that
// scripts/run makes: a dark stage with a blue square travelling across it and back, 48 frames
// at 24 fps, looping. Shapes and placements are written here; the rest by our SWF writer.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

#include "media/flash/swf_writer.h"

namespace {

using kv::media::swf::Bytes;

// Bit fields of SWF records, most significant bit first.
class Bits {
 public:
  void put(std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
      acc_ = static_cast<std::uint8_t>((acc_ << 1) | ((value >> i) & 1));
      if (++used_ == 8) flush();
    }
  }
  void putSigned(std::int32_t value, int count) { put(static_cast<std::uint32_t>(value), count); }
  Bytes done() {
    if (used_ > 0) {
      acc_ = static_cast<std::uint8_t>(acc_ << (8 - used_));
      flush();
    }
    return std::move(out_);
  }

 private:
  void flush() {
    out_.push_back(acc_);
    acc_ = 0;
    used_ = 0;
  }
  Bytes out_;
  std::uint8_t acc_ = 0;
  int used_ = 0;
};

constexpr int kWidth = 320, kHeight = 240, kSide = 60;  // pixels
constexpr int kTwips = 20;                              // per pixel in SWF

// DefineShape (2): a square of kSide pixels, filled blue, its corner at the origin.
Bytes square() {
  Bytes out;
  kv::media::swf::putU16(out, 1);  // shape id
  const int s = kSide * kTwips;
  Bits bounds;
  bounds.put(15, 5);
  for (int v : {0, s, 0, s}) bounds.putSigned(v, 15);
  for (auto b : bounds.done()) out.push_back(b);
  out.push_back(1);                                 // one fill style
  out.insert(out.end(), {0x00, 0x33, 0x99, 0xFF});  // solid, RGB 51, 153, 255
  out.push_back(0);                                 // no line styles
  Bits shape;
  shape.put(1, 4);  // fill bits
  shape.put(0, 4);  // line bits
  // Style change: fill style 1 on the left, move to (0, 0).
  shape.put(0b000101, 6);
  shape.put(1, 5);
  shape.putSigned(0, 1);
  shape.putSigned(0, 1);
  shape.put(1, 1);
  // Four straight edges: right, down, left, up (vertical or horizontal lines, 15-bit deltas).
  const int edges[4][2] = {{s, 0}, {0, s}, {-s, 0}, {0, -s}};
  for (const auto& e : edges) {
    shape.put(0b11, 2);    // edge record, straight
    shape.put(15 - 2, 4);  // 15 bits per delta
    shape.put(0, 1);       // not a general line
    const bool vertical = e[0] == 0;
    shape.put(vertical ? 1 : 0, 1);
    shape.putSigned(vertical ? e[1] : e[0], 15);
  }
  shape.put(0, 6);  // end of shape
  for (auto b : shape.done()) out.push_back(b);
  return out;
}

// PlaceObject2 (26) of the square at depth 1, moved to x pixels.
Bytes place(int x, bool first) {
  Bytes out;
  out.push_back(first ? 0x06 : 0x05);  // (has character,) has matrix, or move
  kv::media::swf::putU16(out, 1);      // depth
  if (first) kv::media::swf::putU16(out, 1);
  Bits matrix;
  matrix.put(0, 1);  // no scale
  matrix.put(0, 1);  // no rotation
  matrix.put(16, 5);
  matrix.putSigned(x * kTwips, 16);
  matrix.putSigned((kHeight - kSide) / 2 * kTwips, 16);
  for (auto b : matrix.done()) out.push_back(b);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kv_make_sample_movie FILE\n");
    return 2;
  }
  using namespace kv::media::swf;
  Writer w(8, kWidth, kHeight, 24.0);
  w.background(Rgb{30, 31, 36});
  w.tag(2, square());
  constexpr int frames = 48;
  for (int f = 0; f < frames; ++f) {
    const int half = frames / 2;
    const int step = f < half ? f : frames - f;
    w.tag(26, place(step * (kWidth - kSide) / half, f == 0));
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
