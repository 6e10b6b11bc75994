#include "slider_fixture.h"

namespace kv::slider::test {

forms::PictureRef makeSkin(int cap, int thumb, int height, bool transparentThumbs) {
  const int width = 2 * cap + 2 + 4 * thumb;
  QImage skin(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      QRgb c;
      if (x < cap) {
        c = kLeftCap;
      } else if (x < 2 * cap) {
        c = kRightCap;
      } else if (x == 2 * cap) {
        c = kPlayed;
      } else if (x == 2 * cap + 1) {
        c = kRemaining;
      } else {
        const int cell = x - (2 * cap + 2);
        const int state = cell / thumb, col = cell % thumb;
        const bool corner = y == 0 && (col == 0 || col == thumb - 1);
        c = (transparentThumbs || corner) ? kMagenta : thumbColour(state);
      }
      skin.setPixel(x, y, c);
    }
  }
  return std::make_shared<const forms::Picture>(skin);
}

SeekBar::SeekBar(bool transparentThumbs)
    : bar(std::make_unique<tVate>("tVate1", nullptr, clock, cursor)) {
  bar->setBackColor(0x101010);
  bar->design(0, 0, 9380, 135);
  bar->setMax(100);
  bar->setValue(0);
  bar->setStyle(kStyleSkin);
  bar->setCanMove(true);
  bar->setBite_LP(2);
  bar->setBite_RP(2);
  bar->setPicture(makeSkin(17, 16, 9, transparentThumbs), 17, 17, 1, 1, 16);
  cursor.under = bar.get();
}

std::vector<Run> runs(const QImage& image, int y) {
  std::vector<Run> out;
  for (int x = 0; x < image.width(); ++x) {
    const QRgb c = image.pixel(x, y);
    if (!out.empty() && out.back().colour == c)
      out.back().last = x;
    else
      out.push_back({x, x, c});
  }
  return out;
}

std::pair<int, int> span(const QImage& image, int y, QRgb colour) {
  int first = -1, last = -1;
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixel(x, y) != colour) continue;
    if (first < 0) first = x;
    last = x;
  }
  return {first, last};
}

int countColour(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  return n;
}

}  // namespace kv::slider::test
