#pragma once
// Colours of the slider (blue-green-red longs, high bit set for a system colour) and the
// gradient fill of its gradient style.

#include <QImage>
#include <cstdint>

namespace kv::slider {

inline bool isSystemColour(std::uint32_t bgr) {
  return (bgr & 0x80000000u) != 0;
}

// Whether the colour can be written as six hexadecimal digits (blue, green, red).
inline bool fitsSixHexDigits(std::uint32_t bgr) {
  return bgr <= 0xFFFFFFu;
}

// Opaque RGB of a blue-green-red colour; a system colour is looked up by its index.
QRgb toRgb(std::uint32_t bgr);

// Fills the box between two twip positions (either order), converted to pixels, clipped to
// the canvas. Used for every filled rectangle of the slider.
void fillBox(QImage& canvas, float x1, float y1, float x2, float y2, QRgb colour);

// Eleven horizontal bands from leftX to rightX (twips), each a tenth of heightTwips high, going
// from the top colour to the bottom colour; the last band lies below the control. Equal colours
// give one flat box; different colours of which one does not fit six hex digits (a system
// colour) paint nothing.
void FillGradient(QImage& canvas, std::uint32_t topBgr, std::uint32_t bottomBgr, float leftX,
                  float rightX, float heightTwips);

}  // namespace kv::slider
