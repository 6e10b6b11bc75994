#include "media/flash/swf_shapes.h"

#include <algorithm>

namespace kv::media::swf {
namespace {
constexpr int kTwips = 20;  // per pixel
}

void BitWriter::put(std::uint32_t value, int bits) {
  for (int i = bits - 1; i >= 0; --i) {
    acc_ = static_cast<std::uint8_t>((acc_ << 1) | ((value >> i) & 1));
    if (++count_ == 8) flush();
  }
}

Bytes BitWriter::done() {
  if (count_ > 0) {
    acc_ = static_cast<std::uint8_t>(acc_ << (8 - count_));
    flush();
  }
  return std::move(out_);
}

void BitWriter::flush() {
  out_.push_back(acc_);
  acc_ = 0;
  count_ = 0;
}

int signedBits(std::int32_t v) {
  int n = 1;
  while (n < 31 && (v < -(1 << (n - 1)) || v >= (1 << (n - 1)))) ++n;
  return n;
}

Bytes rectangleShape(std::uint16_t id, int x, int y, int w, int h, Rgb colour) {
  const std::int32_t x0 = x * kTwips, y0 = y * kTwips, x1 = (x + w) * kTwips, y1 = (y + h) * kTwips;
  Bytes p;
  putU16(p, id);
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

Bytes place(std::uint16_t id, std::uint16_t depth) {
  Bytes p{0x06};
  putU16(p, depth);
  putU16(p, id);
  p.push_back(0);  // identity matrix
  return p;
}

Bytes placeAt(std::uint16_t id, std::uint16_t depth, int x, int y, bool first) {
  Bytes p{static_cast<std::uint8_t>(first ? 0x06 : 0x05)};  // (has character,) has matrix, or move
  putU16(p, depth);
  if (first) putU16(p, id);
  const std::int32_t tx = x * kTwips, ty = y * kTwips;
  const int n = std::max(signedBits(tx), signedBits(ty));
  BitWriter matrix;
  matrix.put(0, 1);  // no scale
  matrix.put(0, 1);  // no rotation
  matrix.put(static_cast<std::uint32_t>(n), 5);
  matrix.putSigned(tx, n);
  matrix.putSigned(ty, n);
  const auto bytes = matrix.done();
  p.insert(p.end(), bytes.begin(), bytes.end());
  return p;
}

}  // namespace kv::media::swf
