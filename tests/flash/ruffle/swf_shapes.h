#pragma once
// Vector content for test movies: solid rectangles (DefineShape) and their placement
// (PlaceObject2), written bit by bit as the SWF format wants them.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "media/flash/swf_writer.h"

namespace kv::media::test {

class BitWriter {
 public:
  void put(std::uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      acc_ = static_cast<std::uint8_t>((acc_ << 1) | ((value >> i) & 1));
      if (++count_ == 8) flush();
    }
  }
  void putSigned(std::int32_t value, int bits) { put(static_cast<std::uint32_t>(value), bits); }
  swf::Bytes done() {
    if (count_ > 0) {
      acc_ = static_cast<std::uint8_t>(acc_ << (8 - count_));
      flush();
    }
    return std::move(out_);
  }

 private:
  void flush() {
    out_.push_back(acc_);
    acc_ = 0;
    count_ = 0;
  }
  swf::Bytes out_;
  std::uint8_t acc_ = 0;
  int count_ = 0;
};

// Bits a signed field needs for v.
inline int signedBits(std::int32_t v) {
  int n = 1;
  while (n < 31 && (v < -(1 << (n - 1)) || v >= (1 << (n - 1)))) ++n;
  return n;
}

// DefineShape (tag 2) payload: a rectangle filled with one colour, in pixels of the stage.
inline swf::Bytes rectangleShape(std::uint16_t id, int x, int y, int w, int h, swf::Rgb colour) {
  const std::int32_t x0 = x * 20, y0 = y * 20, x1 = (x + w) * 20, y1 = (y + h) * 20;
  swf::Bytes p;
  swf::putU16(p, id);
  {
    const int n = std::max({signedBits(x0), signedBits(x1), signedBits(y0), signedBits(y1)});
    BitWriter b;
    b.put(static_cast<std::uint32_t>(n), 5);
    for (std::int32_t v : {x0, x1, y0, y1}) b.putSigned(v, n);
    const auto rect = b.done();
    p.insert(p.end(), rect.begin(), rect.end());
  }
  p.insert(p.end(), {1, 0x00, colour.r, colour.g, colour.b});  // one solid fill
  p.push_back(0);                                              // no line styles
  BitWriter b;
  b.put(1, 4);  // fill bits
  b.put(0, 4);  // line bits
  // Style change: fill style 1 and a move to the top left corner.
  b.put(0, 1);
  b.put(0b00101, 5);
  const int moveBits = std::max(signedBits(x0), signedBits(y0));
  b.put(static_cast<std::uint32_t>(moveBits), 5);
  b.putSigned(x0, moveBits);
  b.putSigned(y0, moveBits);
  b.put(1, 1);
  // Four straight edges.
  auto edge = [&](std::int32_t delta, bool vertical) {
    const int bits = std::max(2, signedBits(delta));
    b.put(1, 1);
    b.put(1, 1);
    b.put(static_cast<std::uint32_t>(bits - 2), 4);
    b.put(0, 1);
    b.put(vertical ? 1 : 0, 1);
    b.putSigned(delta, bits);
  };
  edge(x1 - x0, false);
  edge(y1 - y0, true);
  edge(x0 - x1, false);
  edge(y0 - y1, true);
  b.put(0, 6);  // end of shape
  const auto records = b.done();
  p.insert(p.end(), records.begin(), records.end());
  return p;
}

// PlaceObject2 (tag 26) payload: a character at a depth, untransformed.
inline swf::Bytes place(std::uint16_t id, std::uint16_t depth) {
  swf::Bytes p{0x06};
  swf::putU16(p, depth);
  swf::putU16(p, id);
  p.push_back(0);  // identity matrix
  return p;
}

}  // namespace kv::media::test
