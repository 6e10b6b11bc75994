#include "slider/colours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "slider/geometry.h"

namespace kv::slider {
namespace {

// Default desktop colours by system colour index (window, button face, highlight ...). The
// slider only meets them as BackColor or as equal gradient colours.
constexpr std::array<QRgb, 25> kSystemColours = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
    0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xFFFFE1,
};

// One channel of a band, rounded halves to even and kept in a byte.
int channel(float value) {
  return std::clamp(static_cast<int>(std::nearbyint(value)), 0, 255);
}

}  // namespace

QRgb toRgb(std::uint32_t bgr) {
  if (isSystemColour(bgr)) {
    const std::uint32_t index = bgr & 0xFF;
    return 0xFF000000u | (index < kSystemColours.size() ? kSystemColours[index] : 0xF0F0F0);
  }
  return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void fillBox(QImage& canvas, float x1, float y1, float x2, float y2, QRgb colour) {
  int left = toPixels(x1), right = toPixels(x2);
  int top = toPixels(y1), bottom = toPixels(y2);
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, canvas.width());
  bottom = std::min(bottom, canvas.height());
  for (int y = top; y < bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    std::fill(line + left, line + right, colour);
  }
}

void FillGradient(QImage& canvas, std::uint32_t topBgr, std::uint32_t bottomBgr, float leftX,
                  float rightX, float heightTwips) {
  if (topBgr == bottomBgr) {
    fillBox(canvas, leftX, 0, rightX, heightTwips, toRgb(topBgr));
    return;
  }
  if (!fitsSixHexDigits(topBgr) || !fitsSixHexDigits(bottomBgr)) return;

  // As six hex digits "BBGGRR": red is digits 5-6, green 3-4, blue 1-2.
  const float r1 = topBgr & 0xFF, g1 = (topBgr >> 8) & 0xFF, b1 = (topBgr >> 16) & 0xFF;
  const float r2 = bottomBgr & 0xFF, g2 = (bottomBgr >> 8) & 0xFF, b2 = (bottomBgr >> 16) & 0xFF;
  const float dR = (r1 - r2) / 10, dG = (g1 - g2) / 10, dB = (b1 - b2) / 10;
  const float h = heightTwips / 10;
  for (int i = 0; i <= 10; ++i) {
    const float fi = static_cast<float>(i);
    const QRgb colour = qRgb(channel(r1 - dR * fi), channel(g1 - dG * fi), channel(b1 - dB * fi));
    fillBox(canvas, leftX, h * fi, rightX, h * (fi + 1), colour);
  }
}

}  // namespace kv::slider
