// The drawing helpers on raster images: the mask technique of DrawTransparent, its clipping,
// CopyAreaToPicture, CreatePictureFromBitmap and the gradient bands.

#include <gtest/gtest.h>

#include "slider/colours.h"
#include "slider/drawing.h"

namespace kv::slider {
namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr std::uint32_t kMagentaBgr = 0xFF00FF;

QImage filled(int w, int h, QRgb c, QImage::Format f = QImage::Format_RGB32) {
  QImage img(w, h, f);
  img.fill(c);
  return img;
}

// A 4 x 3 source: magenta on the diagonal x == y, otherwise a colour per pixel.
QImage diagonalSource() {
  QImage src(4, 3, QImage::Format_RGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) src.setPixel(x, y, x == y ? kMagenta : qRgb(10 * x, 20 * y, 99));
  return src;
}

TEST(DrawTransparent, KeepsTheDestinationWhereTheSourceHasTheTransparentColour) {
  QImage dest = filled(10, 10, qRgb(1, 2, 3));
  DrawTransparent(dest, diagonalSource(), 0, 0, 4, 3, 5, 6, kMagentaBgr);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const int sx = x - 5, sy = y - 6;
      const bool inside = sx >= 0 && sx < 4 && sy >= 0 && sy < 3;
      const QRgb expected = !inside || sx == sy ? qRgb(1, 2, 3) : qRgb(10 * sx, 20 * sy, 99);
      ASSERT_EQ(dest.pixel(x, y), expected) << x << "," << y;
    }
}

TEST(DrawTransparent, TheKeyIsBlueGreenRed) {
  QImage src(2, 1, QImage::Format_RGB32);
  src.setPixel(0, 0, qRgb(255, 0, 0));
  src.setPixel(1, 0, qRgb(0, 0, 255));
  QImage dest = filled(2, 1, qRgb(7, 7, 7));
  DrawTransparent(dest, src, 0, 0, 2, 1, 0, 0, 0x0000FF);  // red
  EXPECT_EQ(dest.pixel(0, 0), qRgb(7, 7, 7));
  EXPECT_EQ(dest.pixel(1, 0), qRgb(0, 0, 255));
}

TEST(DrawTransparent, SourceOffsetSelectsTheRectangle) {
  QImage dest = filled(2, 2, qRgb(1, 1, 1));
  DrawTransparent(dest, diagonalSource(), 2, 1, 2, 2, 0, 0, kMagentaBgr);
  EXPECT_EQ(dest.pixel(0, 0), qRgb(20, 20, 99));
  EXPECT_EQ(dest.pixel(1, 0), qRgb(30, 20, 99));
  EXPECT_EQ(dest.pixel(0, 1), qRgb(1, 1, 1));  // source (2, 2) is the key
  EXPECT_EQ(dest.pixel(1, 1), qRgb(30, 40, 99));
}

TEST(DrawTransparent, ClipsAtTheDestinationAndReadsBlackOutsideTheSource) {
  QImage dest = filled(3, 3, qRgb(50, 50, 50));
  // Two columns hang off the destination's left edge, one row off the source's bottom.
  DrawTransparent(dest, diagonalSource(), 0, 1, 4, 3, -2, 0, kMagentaBgr);
  EXPECT_EQ(dest.pixel(0, 0), qRgb(20, 20, 99));  // source (2, 1)
  EXPECT_EQ(dest.pixel(1, 0), qRgb(30, 20, 99));
  EXPECT_EQ(dest.pixel(0, 1), qRgb(50, 50, 50));  // source (2, 2) is the key
  EXPECT_EQ(dest.pixel(0, 2), qRgb(0, 0, 0));     // below the source
  EXPECT_EQ(dest.pixel(2, 2), qRgb(50, 50, 50));  // right of the rectangle
  // Entirely outside: nothing happens.
  const QImage before = dest.copy();
  DrawTransparent(dest, diagonalSource(), 0, 0, 4, 3, 10, 10, kMagentaBgr);
  DrawTransparent(dest, diagonalSource(), 0, 0, 0, 3, 0, 0, kMagentaBgr);
  EXPECT_EQ(dest, before);
}

TEST(DrawTransparent, AcceptsSourcesOfOtherFormats) {
  const QImage src = diagonalSource().convertToFormat(QImage::Format_RGB888);
  QImage dest = filled(4, 3, qRgb(9, 9, 9), QImage::Format_ARGB32);
  DrawTransparent(dest, src, 0, 0, 4, 3, 0, 0, kMagentaBgr);
  EXPECT_EQ(dest.pixel(1, 1), qRgb(9, 9, 9));
  EXPECT_EQ(dest.pixel(3, 0), qRgb(30, 0, 99));
  EXPECT_EQ(qAlpha(dest.pixel(3, 0)), 255);
}

TEST(DrawTransparent, SourceAlphaDoesNotHideThePixel) {
  QImage src(1, 1, QImage::Format_ARGB32);
  src.setPixel(0, 0, qRgba(255, 0, 255, 0));  // magenta with no alpha is still the key
  QImage dest = filled(1, 1, qRgb(4, 4, 4));
  DrawTransparent(dest, src, 0, 0, 1, 1, 0, 0, kMagentaBgr);
  EXPECT_EQ(dest.pixel(0, 0), qRgb(4, 4, 4));
}

TEST(PaintPictureTransparent, NoPictureDoesNothing) {
  QImage dest = filled(3, 3, qRgb(4, 4, 4));
  PaintPictureTransparent(nullptr, dest, 0, 0, 3, 3, 0, 0, kMagentaBgr);
  EXPECT_EQ(dest, filled(3, 3, qRgb(4, 4, 4)));
  const auto pic = std::make_shared<const forms::Picture>(diagonalSource());
  PaintPictureTransparent(pic, dest, 1, 0, 1, 1, 2, 2, kMagentaBgr);
  EXPECT_EQ(dest.pixel(2, 2), qRgb(10, 0, 99));
}

TEST(CopyAreaToPicture, CopiesTheRectangleAndBlackOutside) {
  const auto pic = CopyAreaToPicture(diagonalSource(), 2, 1, 3, 2);
  ASSERT_NE(pic, nullptr);
  const QImage& img = pic->image();
  ASSERT_EQ(img.size(), QSize(3, 2));
  EXPECT_EQ(img.format(), QImage::Format_RGB32);
  EXPECT_EQ(img.pixel(0, 0), qRgb(20, 20, 99));
  EXPECT_EQ(img.pixel(0, 1), kMagenta);
  EXPECT_EQ(img.pixel(2, 0), qRgb(0, 0, 0));  // column 4 of a 4-wide source
  EXPECT_EQ(CopyAreaToPicture(diagonalSource(), 0, 0, 0, 2), nullptr);
  EXPECT_EQ(CopyAreaToPicture(diagonalSource(), 0, 0, 2, -1), nullptr);
}

TEST(CopyAreaToPicture, A256ColourSourceKeepsItsPalette) {
  QImage src(4, 4, QImage::Format_Indexed8);
  QList<QRgb> palette;
  for (int i = 0; i < 256; ++i) palette.push_back(qRgb(i, 255 - i, 0));
  src.setColorTable(palette);
  src.fill(200);
  const auto pic = CopyAreaToPicture(src, 1, 1, 2, 2);
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->image().format(), QImage::Format_Indexed8);
  EXPECT_EQ(pic->image().colorTable(), palette);
  EXPECT_EQ(pic->image().pixel(0, 0), qRgb(200, 55, 0));
}

TEST(CreatePictureFromBitmap, WrapsTheBitmapAndItsPalette) {
  EXPECT_EQ(CreatePictureFromBitmap(QImage()), nullptr);
  QImage indexed(2, 2, QImage::Format_Indexed8);
  indexed.setColorCount(2);
  indexed.fill(1);
  const auto pic = CreatePictureFromBitmap(indexed, {qRgb(1, 1, 1), qRgb(9, 8, 7)});
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->image().pixel(1, 1), qRgb(9, 8, 7));
  EXPECT_EQ(pic->widthPixels(), 2);
}

TEST(FillGradient, BandsAreATenthOfTheHeightAndTheLastLiesBelow) {
  QImage canvas = filled(10, 20, qRgb(0, 0, 0));
  // 300 twips high: bands of 30 twips, 2 pixels each; green 0 -> 100 in steps of 10.
  FillGradient(canvas, 0x000000, 0x006400, 15, 135, 300);
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(canvas.pixel(0, y), qRgb(0, 0, 0)) << y;  // left of 15 twips
    EXPECT_EQ(canvas.pixel(1, y), qRgb(0, 10 * (y / 2), 0)) << y;
    EXPECT_EQ(canvas.pixel(8, y), qRgb(0, 10 * (y / 2), 0)) << y;
    EXPECT_EQ(canvas.pixel(9, y), qRgb(0, 0, 0)) << y;  // from 135 twips on
  }
}

TEST(FillGradient, ColoursBeyondSixHexDigitsStopTheFill) {
  QImage canvas = filled(4, 4, qRgb(3, 3, 3));
  FillGradient(canvas, 0x01000000, 0x000000, 0, 60, 60);
  FillGradient(canvas, 0x000000, 0x80000012, 0, 60, 60);
  EXPECT_EQ(canvas, filled(4, 4, qRgb(3, 3, 3)));
  FillGradient(canvas, 0x8000000F, 0x8000000F, 0, 60, 60);
  EXPECT_NE(canvas.pixel(0, 0), qRgb(3, 3, 3));
}

TEST(FillBox, TakesItsCornersInEitherOrderAndClips) {
  QImage canvas = filled(4, 4, qRgb(0, 0, 0));
  fillBox(canvas, 90, 90, -30, 15, qRgb(5, 6, 7));  // x -2..6 px, y 1..6 px, clipped
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(canvas.pixel(0, 1), qRgb(5, 6, 7));
  EXPECT_EQ(canvas.pixel(3, 3), qRgb(5, 6, 7));
}

}  // namespace
}  // namespace kv::slider
