#pragma once
// Shared pieces of the slider tests: a cursor service the test steers, synthetic skins whose
// pieces have colours of their own, and pixel helpers.

#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/forms/picture.h"
#include "platform/services.h"
#include "slider/tvate.h"

namespace kv::slider::test {

// The cursor is over `under` (nullptr: over nothing of ours).
class FakeCursor : public CursorService {
 public:
  int ShowCursor(bool show) override { return show ? 0 : -1; }
  Point GetCursorPos() const override {
    ++positionQueries;
    return position;
  }
  const forms::Control* WindowFromPoint(Point p) const override {
    lastQueried = p;
    return under;
  }

  Point position{100, 100};
  const forms::Control* under = nullptr;
  mutable int positionQueries = 0;
  mutable Point lastQueried;
};

// Colours of the synthetic skin's pieces (RGB).
inline constexpr QRgb kLeftCap = 0xFFC80000;
inline constexpr QRgb kRightCap = 0xFF00C800;
inline constexpr QRgb kPlayed = 0xFF0000C8;
inline constexpr QRgb kRemaining = 0xFFC8C800;
inline constexpr QRgb kBack = 0xFF101010;  // BackColor of the test bars
inline constexpr QRgb kMagenta = 0xFFFF00FF;
// Thumb image of each state; its top corners are magenta.
inline QRgb thumbColour(int state) {
  return qRgb(40 + 50 * state, 90, 140);
}

// A skin laid out like the seek bar's (17, 17, 1, 1, 16) or the volume bar's (5, 5, 1, 1, 12),
// `height` pixels high. With transparentThumbs every thumb pixel is magenta.
forms::PictureRef makeSkin(int cap, int thumb, int height, bool transparentThumbs = false);

// A seek bar as the main window sets it up: 9380 x 135 twips (625 x 9 pixels), Max 100,
// CanMove, bites of 2, the synthetic seek skin.
struct SeekBar {
  explicit SeekBar(bool transparentThumbs = false);
  VirtualClock clock;
  FakeCursor cursor;
  std::unique_ptr<tVate> bar;
};

// Runs of equal colour along row y: (first column, colour) for each run.
struct Run {
  int first;
  int last;
  QRgb colour;
};
std::vector<Run> runs(const QImage& image, int y);
// The columns of row y that have the given colour, as [first, last]; {-1, -1} when none.
std::pair<int, int> span(const QImage& image, int y, QRgb colour);
int countColour(const QImage& image, QRgb colour);

}  // namespace kv::slider::test
