// The skin files of the repository: their sizes, the transparent magenta only where the
// thumbs are, the player's blue on the played track, and both bars cut with them.

#include <gtest/gtest.h>

#include "slider/bar_setup.h"
#include "slider_fixture.h"

namespace kv::slider::test {
namespace {

std::string repoFile(const char* name) {
  return std::string(KV_SKINS_DIR) + "/" + name;
}

int magentaIn(const QImage& img, int x0, int width) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = x0; x < x0 + width; ++x) n += (img.pixel(x, y) & 0xFFFFFF) == 0xFF00FF;
  return n;
}

class SkinFile : public ::testing::TestWithParam<SkinLayout> {};

TEST_P(SkinFile, MatchesItsLayoutWithMagentaOnlyAroundTheThumbs) {
  const SkinLayout layout = GetParam();
  const char* name = layout.height == kSeekBarSkin.height ? "seekbar.png" : "volume.png";
  const auto pic = forms::Picture::fromFile(repoFile(name));
  ASSERT_NE(pic, nullptr) << name;
  const QImage& img = pic->image();
  EXPECT_EQ(img.width(), skinWidth(layout));
  EXPECT_EQ(img.height(), layout.height);

  const int strip = skinWidth(layout) - 4 * layout.thumb;
  EXPECT_EQ(magentaIn(img, 0, strip), 0) << "caps and tiles are opaque";
  for (int state = 0; state < 4; ++state) {
    const int x0 = strip + state * layout.thumb;
    EXPECT_EQ(img.pixel(x0, 0) & 0xFFFFFF, 0xFF00FFu) << "corner of thumb " << state;
    EXPECT_NE(img.pixel(x0 + layout.thumb / 2, layout.height / 2) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_GT(magentaIn(img, x0, layout.thumb), 0);
  }
  // The four thumb images differ from each other.
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b)
      EXPECT_NE(img.copy(strip + a * layout.thumb, 0, layout.thumb, layout.height),
                img.copy(strip + b * layout.thumb, 0, layout.thumb, layout.height));
  // The middle row of the played tile is the player's blue; the remaining tile is darker.
  const int mid = layout.height / 2;
  const QRgb played = img.pixel(layout.capLeft + layout.capRight, mid);
  const QRgb remaining = img.pixel(layout.capLeft + layout.capRight + 1, mid);
  EXPECT_EQ(played & 0xFFFFFF, 0x3399FFu);
  EXPECT_LT(qGray(remaining), qGray(played));
}

INSTANTIATE_TEST_SUITE_P(Bars, SkinFile, ::testing::Values(kSeekBarSkin, kVolumeBarSkin));

TEST(SkinFiles, CursorIsA32PixelImageWithTransparency) {
  const auto pic = forms::Picture::fromFile(repoFile("slider_cursor.png"));
  ASSERT_NE(pic, nullptr);
  const QImage& img = pic->image();
  EXPECT_EQ(img.size(), QSize(32, 32));
  EXPECT_TRUE(img.hasAlphaChannel());
  EXPECT_EQ(qAlpha(img.pixel(0, 31)), 0);
  EXPECT_EQ(qAlpha(img.pixel(31, 0)), 0);
  // The hot spot sits on the fingertip: opaque there, transparent just above it.
  EXPECT_GT(qAlpha(img.pixel(kSliderCursorHotX, kSliderCursorHotY)), 200);
  EXPECT_LT(qAlpha(img.pixel(kSliderCursorHotX, 0)), 16);
}

TEST(SkinFiles, BothBarsTakeTheirSkinsAsTheMainWindowSetsThemUp) {
  VirtualClock clock;
  FakeCursor cursor;
  tVate seek("tVate1", nullptr, clock, cursor);
  seek.design(0, 0, 9380, 135);
  seek.setMax(100);
  seek.setValue(0);
  seek.setStyle(2);
  seek.setCanMove(true);
  seek.setBite_LP(2);
  seek.setBite_RP(2);
  seek.setPicture(forms::Picture::fromFile(repoFile("seekbar.png")), 17, 17, 1, 1, 16);

  tVate volume("volume", nullptr, clock, cursor);
  volume.design(0, 0, 1200, 195);
  volume.setStyle(2);
  volume.setCanMove(true);
  volume.setBite_RP(2);
  volume.setBite_LP(2);
  volume.setValue(50);
  applySkin(volume, forms::Picture::fromFile(repoFile("volume.png")), kVolumeBarSkin);

  for (tVate* bar : {&seek, &volume}) {
    EXPECT_EQ(countColour(bar->surface(), kMagenta), 0) << bar->name();
    EXPECT_GT(countColour(bar->surface(), 0xFF3399FF), 0) << bar->name();
  }
  // At 0 the seek thumb (16 px from pixel 15) shows the skin's normal thumb.
  const QImage skin(QString::fromStdString(repoFile("seekbar.png")));
  EXPECT_EQ(seek.surface().pixel(15 + 8, 4), skin.pixel(36 + 8, 4));
  // Hovered, its centre shows the hover image.
  cursor.under = &seek;
  seek.inputMouseMove(0, 0, seek.thumbLeft() + 120, 60);
  EXPECT_EQ(seek.surface().pixel(15 + 8, 4), skin.pixel(36 + 16 + 8, 4));
}

TEST(SkinFiles, SkinPathJoinsTheApplicationFolder) {
  EXPECT_EQ(skinPath("/opt/korvelin", kSeekBarSkinFile), "/opt/korvelin/skins/seekbar.png");
  EXPECT_EQ(skinPath("/opt/korvelin/", kVolumeBarSkinFile), "/opt/korvelin/skins/volume.png");
  EXPECT_EQ(skinPath("", kSliderCursorFile), "skins/slider_cursor.png");
}

}  // namespace
}  // namespace kv::slider::test
