#include "chrome_painter.h"

#include <QPainter>
#include <cmath>

#include "skin_style.h"

namespace kv::skins {
namespace {

// The title bar fades from its top colour to the base colour over these rows and stays flat
// below, where the side edges (from 460 twips, row 31) overlap it.
constexpr int kTitleFadeEnd = 28;

QColor mix(const QColor& a, const QColor& b, double t) {
  auto channel = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                channel(a.blue(), b.blue()));
}

}  // namespace

QColor titleRow(int y) {
  if (y <= 0) return style::kHighlight;
  if (y >= kTitleFadeEnd) return style::base();
  return mix(style::kTitleTop, style::base(), (y - 1) / double(kTitleFadeEnd - 1));
}

QColor barRow(int y) {
  // A light rim along the top parts the bar from the picture above; the rest is flat, the
  // colour the sliders and the buttons are drawn on.
  return y == 0 ? style::kHighlight : style::base();
}

QImage rowsImage(int width, int height, QColor (*rowColour)(int), int top) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    const QRgb c = rowColour(top + y).rgb();
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = c;
  }
  return image;
}

QImage paintTitlePiece(int width, int height) {
  return rowsImage(width, height, titleRow, 0);
}

QImage paintBarPiece(int width, int height) {
  return rowsImage(width, height, barRow, 0);
}

QImage paintEdge(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(style::base());
  return image;
}

QImage paintGrip(int size) {
  // Six dots in a triangle towards the corner, each with a dark shadow below and right.
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(style::base());
  QPainter p(&image);
  constexpr int kStep = 4, kDot = 2, kMargin = 4;
  const QColor shadow(18, 19, 22);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col <= row; ++col) {
      const int x = size - kMargin - kDot - col * kStep;
      const int y = size - kMargin - kDot - (2 - row) * kStep;
      p.fillRect(x + 1, y + 1, kDot, kDot, shadow);
      p.fillRect(x, y, kDot, kDot, style::kGlyphDim);
    }
  }
  return image;
}

}  // namespace kv::skins
