#pragma once
// Slider arithmetic in twips: the track the thumb travels, where the thumb sits for a value and
// which value a mouse position stands for. Single precision, like the control's fields.

#include "platform/forms/control.h"

namespace kv::slider {

struct TrackGeometry {
  float width = 0;      // inner width of the control
  float thumbSpan = 0;  // thumb width when the thumb is shown, else 0
  float capLeft = 0;
  float capRight = 0;
  float biteLeft = 0;
  float biteRight = 0;
};

// Length the thumb centre can travel: the inner width less the thumb and both caps, plus the
// bites that let the thumb reach into the caps.
inline float trackLength(const TrackGeometry& g) {
  return g.width - g.thumbSpan - g.capLeft - g.capRight + g.biteLeft + g.biteRight;
}

// Value clamped for painting: at most max, at least 0.
inline int paintedValue(int value, int max) {
  if (value <= 0) return 0;
  if (value >= max) return max;
  return value;
}

// Thumb centre for a value already clamped to 0..max; max must not be 0. The 0.1 twip keeps the
// played tile from vanishing under the thumb at 0.
inline float thumbCentre(const TrackGeometry& g, int clampedValue, int max) {
  return trackLength(g) * static_cast<float>(clampedValue) / static_cast<float>(max) + 0.1f +
         g.capLeft + g.thumbSpan / 2 - g.biteLeft;
}

// Value under the mouse at x, rounded halves to even, not yet clamped. Throws RuntimeError
// (DivisionByZero, Overflow) when the track has no length or the result does not fit.
int valueAtMouse(const TrackGeometry& g, float x, int max);

// Clamp of a dragged value: first down to max, then up to 0 (so a negative max gives 0).
inline int dragClamp(int value, int max) {
  if (value > max) value = max;
  if (value < 0) value = 0;
  return value;
}

// Twips to whole pixels, halves to even; saturates far outside any screen.
int toPixels(float twips);

}  // namespace kv::slider
