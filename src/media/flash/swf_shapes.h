#pragma once
// Vector content for the movies we write (the sample movie, test movies): solid rectangles
// (DefineShape) and their placement (PlaceObject2), written bit by bit as the format wants.

#include <cstdint>

#include "media/flash/swf_writer.h"

namespace kv::media::swf {

// Bit fields of SWF records, most significant bit first.
class BitWriter {
 public:
  void put(std::uint32_t value, int bits);
  void putSigned(std::int32_t value, int bits) { put(static_cast<std::uint32_t>(value), bits); }
  Bytes done();  // pads the last byte with zeros

 private:
  void flush();
  Bytes out_;
  std::uint8_t acc_ = 0;
  int count_ = 0;
};

// Bits a signed field needs for v.
int signedBits(std::int32_t v);

// DefineShape (tag 2) payload: a rectangle filled with one colour, in pixels of the stage.
Bytes rectangleShape(std::uint16_t id, int x, int y, int w, int h, Rgb colour);

// PlaceObject2 (tag 26) payload: a character at a depth, untransformed.
Bytes place(std::uint16_t id, std::uint16_t depth);

// PlaceObject2 payload translating the character at `depth` to (x, y) pixels: the first time
// with the character id, later as a move of what is there.
Bytes placeAt(std::uint16_t id, std::uint16_t depth, int x, int y, bool first);

}  // namespace kv::media::swf
