#include "slider/geometry.h"

#include <cmath>

#include "platform/errors.h"

namespace kv::slider {

int valueAtMouse(const TrackGeometry& g, float x, int max) {
  const float track = trackLength(g);
  if (track == 0) throw RuntimeError(ErrorNumber::DivisionByZero, "slider track has no length");
  const float raw =
      (x - g.thumbSpan / 2 - g.capLeft + g.biteLeft) * static_cast<float>(max) / track;
  return static_cast<int>(roundHalfEven(raw));
}

int toPixels(float twips) {
  constexpr float kLimit = 1 << 24;
  const float px = twips / forms::kTwipsPerPixel;
  if (!(px > -kLimit)) return -static_cast<int>(kLimit);  // also NaN
  if (px > kLimit) return static_cast<int>(kLimit);
  return static_cast<int>(std::nearbyint(px));
}

}  // namespace kv::slider
