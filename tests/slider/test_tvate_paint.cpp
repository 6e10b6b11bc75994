// Pixel tests of the slider's surface: where the caps, tiles and thumb land, gradients, the
// background, borders, and the magenta that must never show.

#include <gtest/gtest.h>

#include "slider/colours.h"
#include "slider_fixture.h"

namespace kv::slider::test {
namespace {

constexpr int kMidRow = 4;  // a row of the 9-pixel seek bar without the thumb's magenta corners

TEST(SliderPaint, SurfaceHasThePixelSizeOfTheControl) {
  SeekBar s;
  EXPECT_EQ(s.bar->surface().size(), QSize(625, 9));  // 9380 / 15 = 625.3, 135 / 15 = 9
  s.bar->setWidth(3000);
  EXPECT_EQ(s.bar->surface().size(), QSize(200, 9));
  s.bar->setHeight(0);
  EXPECT_TRUE(s.bar->surface().isNull());
}

TEST(SliderPaint, ThumbAtValueZeroReachesTheBiteIntoTheLeftCap) {
  SeekBar s;
  const QImage& img = s.bar->surface();
  // Left cap 0..16, thumb 15..30 (2 pixels of bite), remaining track after it, right cap.
  const auto r = runs(img, kMidRow);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].first, 0);
  EXPECT_EQ(r[0].last, 14);
  EXPECT_EQ(r[0].colour, kLeftCap);
  EXPECT_EQ(r[1].first, 15);
  EXPECT_EQ(r[1].last, 30);
  EXPECT_EQ(r[1].colour, thumbColour(kThumbNormal));
  EXPECT_EQ(r[2].first, 31);
  EXPECT_EQ(r[2].last, 607);
  EXPECT_EQ(r[2].colour, kRemaining);
  EXPECT_EQ(r[3].first, 608);
  EXPECT_EQ(r[3].last, 624);
  EXPECT_EQ(r[3].colour, kRightCap);
  // The thumb's magenta corners let the bar show through.
  EXPECT_EQ(img.pixel(15, 0), kLeftCap);
  EXPECT_EQ(img.pixel(30, 0), kRemaining);
}

TEST(SliderPaint, ThumbAtMaxReachesTheBiteIntoTheRightCap) {
  SeekBar s;
  s.bar->setValue(100);
  const QImage& img = s.bar->surface();
  EXPECT_EQ(span(img, kMidRow, thumbColour(kThumbNormal)), std::make_pair(594, 609));
  EXPECT_EQ(span(img, kMidRow, kPlayed), std::make_pair(17, 593));
  EXPECT_EQ(span(img, kMidRow, kRightCap), std::make_pair(610, 624));
  EXPECT_EQ(span(img, kMidRow, kRemaining), std::make_pair(-1, -1));  // all under the thumb
  EXPECT_EQ(img.pixel(594, 0), kPlayed);
  EXPECT_EQ(img.pixel(609, 0), kRightCap);
}

TEST(SliderPaint, WithoutBitesTheThumbStopsAtTheCaps) {
  SeekBar s;
  s.bar->setBite_LP(0);
  s.bar->setBite_RP(0);
  s.bar->Repaint();
  EXPECT_EQ(span(s.bar->surface(), kMidRow, thumbColour(0)), std::make_pair(17, 32));
  s.bar->setValue(100);
  EXPECT_EQ(span(s.bar->surface(), kMidRow, thumbColour(0)), std::make_pair(592, 607));
}

TEST(SliderPaint, PlayedTileAtValueZeroIsOnlyUnderTheThumb) {
  SeekBar s(/*transparentThumbs=*/true);
  // t/2 - bL + 0.1 = 120 - 30 + 0.1 twips: 6 pixels from the end of the left cap.
  const auto r = runs(s.bar->surface(), kMidRow);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].last, 16);
  EXPECT_EQ(r[1].first, 17);
  EXPECT_EQ(r[1].last, 22);
  EXPECT_EQ(r[1].colour, kPlayed);
  EXPECT_EQ(r[2].first, 23);
  EXPECT_EQ(r[2].last, 607);
  EXPECT_EQ(r[2].colour, kRemaining);
}

TEST(SliderPaint, HalfwayRoundsEachTwipValueToThePixel) {
  SeekBar s(/*transparentThumbs=*/true);
  s.bar->setValue(50);
  // Centre 4687.6 twips: played 255..4687.6 -> 17 + 296 px, remaining from pixel 313, 295 wide.
  EXPECT_EQ(span(s.bar->surface(), kMidRow, kPlayed), std::make_pair(17, 312));
  EXPECT_EQ(span(s.bar->surface(), kMidRow, kRemaining), std::make_pair(313, 607));
  EXPECT_FLOAT_EQ(s.bar->thumbLeft(), 4567.6f);
}

TEST(SliderPaint, ValueBeyondTheRangeIsPaintedAtTheEnds) {
  SeekBar s;
  s.bar->setValue(150);
  EXPECT_EQ(s.bar->Value(), 150);
  EXPECT_EQ(span(s.bar->surface(), kMidRow, thumbColour(0)), std::make_pair(594, 609));
  s.bar->setValue(-20);
  EXPECT_EQ(s.bar->Value(), -20);
  EXPECT_EQ(span(s.bar->surface(), kMidRow, thumbColour(0)), std::make_pair(15, 30));
}

TEST(SliderPaint, MagentaNeverReachesTheSurface) {
  SeekBar s;
  for (int v : {0, 1, 33, 50, 99, 100, 150}) {
    s.bar->setValue(v);
    EXPECT_EQ(countColour(s.bar->surface(), kMagenta), 0) << "value " << v;
  }
  s.bar->inputMouseMove(0, 0, s.bar->thumbLeft() + 120, 60);  // hover image
  EXPECT_EQ(countColour(s.bar->surface(), kMagenta), 0);
  s.bar->inputMouseDown(1, 0, 3000, 60);  // pressed image
  EXPECT_EQ(countColour(s.bar->surface(), kMagenta), 0);
  s.bar->inputMouseUp(1, 0, 3000, 60);
  s.bar->setEnabled(false);
  s.bar->Repaint();  // disabled image
  EXPECT_EQ(countColour(s.bar->surface(), kMagenta), 0);
  EXPECT_GT(countColour(s.bar->surface(), thumbColour(kThumbDisabled)), 0);
}

TEST(SliderPaint, ThumbHeightAndTopComeFromSetPicture) {
  SeekBar s;
  s.bar->setPicture(makeSkin(17, 16, 9), 17, 17, 1, 1, 16, /*cmp_Height=*/4, /*cmp_Top=*/3);
  const QImage& img = s.bar->surface();
  for (int y = 0; y < 9; ++y) {
    const bool inThumb = y >= 3 && y < 7;
    EXPECT_EQ(img.pixel(20, y) == thumbColour(0), inThumb) << "row " << y;
  }
  // The first row of the thumb image is its magenta-cornered one.
  EXPECT_EQ(img.pixel(15, 3), kLeftCap);
}

TEST(SliderPaint, HiddenThumbIsNotDrawnNorCountedNorAskedForItsState) {
  SeekBar s;
  int over = 0, out = 0;
  s.bar->MouseOverCmd.connect([&] { ++over; });
  s.bar->MouseOutCmd.connect([&] { ++out; });
  s.bar->setBite_LP(0);
  s.bar->setBite_RP(0);
  s.bar->setIsShowCmd(false);
  s.bar->setValue(100);
  s.bar->inputMouseDown(1, 0, 9000, 60);  // dragging would be state 2
  s.bar->inputMouseUp(1, 0, 9000, 60);
  for (int state = 0; state < 4; ++state)
    EXPECT_EQ(countColour(s.bar->surface(), thumbColour(state)), 0);
  EXPECT_EQ(over, 0);
  EXPECT_EQ(out, 0);
  // Without the thumb the played part runs up to the right cap.
  s.bar->setValue(100);
  EXPECT_EQ(span(s.bar->surface(), kMidRow, kPlayed), std::make_pair(17, 607));
  EXPECT_EQ(span(s.bar->surface(), kMidRow, kRemaining), std::make_pair(-1, -1));
}

TEST(SliderPaint, AHandlerThatRepaintsLeavesOnlyTheNewestThumb) {
  SeekBar s;
  bool disabled = false;
  s.bar->MouseOutCmd.connect([&] {
    if (disabled) return;
    disabled = true;
    s.bar->setEnabled(false);
    s.bar->Repaint();  // inside the outer repaint's thumb step
  });
  s.bar->setValue(60);
  // The outer repaint's normal thumb must not cover the newer disabled one.
  EXPECT_EQ(countColour(s.bar->surface(), thumbColour(kThumbNormal)), 0);
  EXPECT_EQ(countColour(s.bar->surface(), thumbColour(kThumbDisabled)), 16 * 9 - 2);
}

TEST(SliderPaint, MaxZeroPaintsOnlyTheBackground) {
  SeekBar s;
  s.bar->setValue(30);
  int events = 0;
  s.bar->MouseOverCmd.connect([&] { ++events; });
  s.bar->MouseOutCmd.connect([&] { ++events; });
  s.bar->setMax(0);
  EXPECT_EQ(s.bar->Max(), 0);
  EXPECT_EQ(countColour(s.bar->surface(), kBack), 625 * 9);
  EXPECT_EQ(events, 0);
  s.bar->inputMouseDown(1, 0, 4000, 60);  // no crash, value from a Max of 0 is 0
  EXPECT_EQ(s.bar->Value(), 0);
  s.bar->inputMouseUp(1, 0, 4000, 60);
}

TEST(SliderPaint, NegativeMaxIsReplacedByOne) {
  SeekBar s;
  s.bar->setMax(-5);
  EXPECT_EQ(s.bar->Max(), 1);
  s.bar->setValue(1);
  EXPECT_EQ(span(s.bar->surface(), kMidRow, thumbColour(0)), std::make_pair(594, 609));
}

TEST(SliderPaint, BackgroundPictureShowsWhereTheBarDrawsNothing) {
  SeekBar s;
  QImage bk(4, 3, QImage::Format_RGB32);
  bk.fill(0xFF336699);
  s.bar->setStyle(kStyleFullPictures);  // the 1-pixel tiles cover only column 0
  s.bar->setIsShowCmd(false);
  s.bar->setBkPicture(std::make_shared<const forms::Picture>(bk));
  const QImage& img = s.bar->surface();
  EXPECT_EQ(img.pixel(3, 2), 0xFF336699u);
  EXPECT_EQ(img.pixel(4, 2), kBack);
  EXPECT_EQ(img.pixel(3, 3), kBack);
  EXPECT_EQ(img.pixel(0, 0), kPlayed);
}

TEST(SliderPaint, FullPicturesStyleCopiesBothPicturesUnscaled) {
  VirtualClock clock;
  FakeCursor cursor;
  tVate bar("bar", nullptr, clock, cursor);
  bar.design(0, 0, 40 * 15, 6 * 15);
  bar.setIsShowCmd(false);
  bar.setStyle(kStyleFullPictures);
  QImage pictures(80, 6, QImage::Format_RGB32);
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 6; ++y) {
      pictures.setPixel(x, y, qRgb(x * 5, y, 0));
      pictures.setPixel(40 + x, y, qRgb(0, y, x * 5));
    }
  bar.setPicture(std::make_shared<const forms::Picture>(pictures), 0, 0, 40, 40, 0);
  bar.setValue(50);  // centre 300.1 twips: pixel 20
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 6; ++y)
      ASSERT_EQ(bar.surface().pixel(x, y), x < 20 ? qRgb(x * 5, y, 0) : qRgb(0, y, x * 5))
          << x << "," << y;
}

// A bar without skin or thumb: the gradient parts are 0..x and x..W with x = W * Value / Max.
struct GradientBar {
  GradientBar() : bar("bar", nullptr, clock, cursor) {
    bar.setBackColor(0x101010);
    bar.design(0, 0, 9375, 150);  // 625 x 10 pixels
    bar.setStyle(0);
    bar.setIsShowCmd(false);
    bar.setValue(40);  // x = 3750.1 twips: pixel 250
  }
  VirtualClock clock;
  FakeCursor cursor;
  tVate bar;
};

TEST(SliderGradient, EqualColoursGiveOneFlatFill) {
  GradientBar g;
  g.bar.setGotTopColor(0x00FF00);
  g.bar.setGotBottomColor(0x00FF00);
  g.bar.setTopColor(0x800000);  // blue-green-red: navy
  g.bar.setBottomColor(0x800000);
  const QImage& img = g.bar.surface();
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(span(img, y, qRgb(0, 255, 0)), std::make_pair(0, 249)) << "row " << y;
    EXPECT_EQ(span(img, y, qRgb(0, 0, 128)), std::make_pair(250, 624)) << "row " << y;
  }
}

TEST(SliderGradient, ElevenBandsRoundHalvesToEven) {
  GradientBar g;
  g.bar.setGotTopColor(0x00FF00);
  g.bar.setGotBottomColor(0x00FF00);
  g.bar.setTopColor(0x000000);
  g.bar.setBottomColor(0x0000FF);  // red 255: steps of 25.5
  const int expectedRed[10] = {0, 26, 51, 76, 102, 128, 153, 178, 204, 230};
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(span(g.bar.surface(), y, qRgb(expectedRed[y], 0, 0)), std::make_pair(250, 624))
        << "row " << y;
  }
}

TEST(SliderGradient, SixHexDigitsSplitBlueGreenRed) {
  GradientBar g;
  g.bar.setTopColor(0x0A141E);     // blue 10, green 20, red 30
  g.bar.setBottomColor(0x6E7882);  // blue 110, green 120, red 130
  EXPECT_EQ(g.bar.surface().pixel(400, 0), qRgb(30, 20, 10));
  EXPECT_EQ(g.bar.surface().pixel(400, 5), qRgb(80, 70, 60));
}

TEST(SliderGradient, SystemColourLeavesItsPartUnpainted) {
  GradientBar g;
  g.bar.setGotTopColor(0x8000000F);
  g.bar.setGotBottomColor(0x00FF00);
  g.bar.setTopColor(0x00FF00);
  g.bar.setBottomColor(0x00FF00);
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(span(g.bar.surface(), y, kBack), std::make_pair(0, 249));
    EXPECT_EQ(span(g.bar.surface(), y, qRgb(0, 255, 0)), std::make_pair(250, 624));
  }
}

TEST(SliderGradient, EqualSystemColoursStillFill) {
  GradientBar g;
  g.bar.setGotTopColor(0x80000005);
  g.bar.setGotBottomColor(0x80000005);
  const QRgb first = g.bar.surface().pixel(0, 0);
  EXPECT_NE(first, kBack);
  EXPECT_EQ(span(g.bar.surface(), 9, first), std::make_pair(0, 249));
}

TEST(SliderPaint, BorderTakesRoomFromTheInnerArea) {
  SeekBar s(/*transparentThumbs=*/true);
  s.bar->setBorderStyle(1);
  s.bar->setAppearance(0);
  const QImage& img = s.bar->surface();
  EXPECT_EQ(img.pixel(0, 4), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(624, 4), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(300, 0), qRgb(0, 0, 0));
  // Inner area 623 x 7 from (1, 1): the left cap starts at 1, the right cap ends at 623.
  EXPECT_EQ(span(img, kMidRow, kLeftCap), std::make_pair(1, 17));
  EXPECT_EQ(span(img, kMidRow, kRightCap), std::make_pair(607, 623));
}

TEST(SliderPaint, DisablingTheBarShowsTheDisabledThumbAtOnce) {
  SeekBar s;
  const int before = countColour(s.bar->surface(), thumbColour(3));
  s.bar->setEnabled(false);
  EXPECT_EQ(before, 0);
  EXPECT_GT(countColour(s.bar->surface(), thumbColour(3)), 0);
  s.bar->setEnabled(true);
  EXPECT_EQ(countColour(s.bar->surface(), thumbColour(3)), 0);
}

}  // namespace
}  // namespace kv::slider::test
