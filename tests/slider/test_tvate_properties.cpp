// The slider's properties and methods: initial values, which setters repaint, the bites'
// 16-bit twips field, picture sizes, cutting the skin and the design-time property bag.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/errors.h"
#include "slider_fixture.h"

namespace kv::slider::test {
namespace {

struct Fresh {
  Fresh() : bar("tVate1", nullptr, clock, cursor) { bar.design(0, 0, 3000, 135); }
  VirtualClock clock;
  FakeCursor cursor;
  tVate bar;
};

const SavedProperty* find(const std::vector<SavedProperty>& bag, const std::string& key) {
  auto it = std::find_if(bag.begin(), bag.end(), [&](const auto& p) { return p.key == key; });
  return it == bag.end() ? nullptr : &*it;
}

TEST(SliderProperties, InitialValues) {
  Fresh f;
  EXPECT_EQ(f.bar.Value(), 1);
  EXPECT_EQ(f.bar.Max(), 100);
  EXPECT_EQ(f.bar.Style(), 2);
  EXPECT_FALSE(f.bar.CanMove());
  EXPECT_TRUE(f.bar.IsShowCmd());
  EXPECT_EQ(f.bar.Bite_LP(), 0);
  EXPECT_EQ(f.bar.Bite_RP(), 0);
  EXPECT_EQ(f.bar.TopColor(), 0u);
  EXPECT_EQ(f.bar.BottomColor(), 0u);
  EXPECT_EQ(f.bar.GotTopColor(), 0u);
  EXPECT_EQ(f.bar.GotBottomColor(), 0u);
  EXPECT_EQ(f.bar.Caption(), "");
  EXPECT_EQ(f.bar.BkPicture(), nullptr);
  EXPECT_EQ(f.bar.cMouseIcon(), nullptr);
  EXPECT_EQ(f.bar.cMousePointer(), 0);
  EXPECT_EQ(f.bar.kind(), forms::Kind::Slider);
  EXPECT_FALSE(f.bar.dragging());
  EXPECT_FALSE(f.bar.hovering());
  EXPECT_FALSE(f.bar.hoverTimerRunning());
  EXPECT_EQ(f.clock.activeTimers(), 0u);
}

TEST(SliderProperties, CreationGoesThroughFourRepaintingSetters) {
  VirtualClock clock;
  FakeCursor cursor;
  // Max, Value, Style and IsShowCmd, each with its repaint.
  tVate bar("b", nullptr, clock, cursor);
  EXPECT_EQ(bar.refreshCount(), 4);
}

TEST(SliderProperties, TheDrawingSettersRepaintAndCaptionDoesNot) {
  Fresh f;
  auto repaints = [&f](auto&& set) {
    const int before = f.bar.refreshCount();
    set();
    return f.bar.refreshCount() - before;
  };
  EXPECT_EQ(repaints([&] { f.bar.setStyle(3); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setCanMove(true); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setIsShowCmd(false); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setTopColor(1); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setBottomColor(2); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setGotTopColor(3); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setGotBottomColor(4); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setMax(50); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setBkPicture(nullptr); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setValue(7); }), 1);
  EXPECT_EQ(repaints([&] { f.bar.setCaption("x"); }), 0);
  EXPECT_EQ(repaints([&] { f.bar.setBite_LP(3); }), 0);
  EXPECT_EQ(f.bar.Caption(), "x");
  EXPECT_EQ(f.bar.Style(), 3);
  EXPECT_EQ(f.bar.TopColor(), 1u);
  EXPECT_EQ(f.bar.GotBottomColor(), 4u);
}

TEST(SliderProperties, ValueIsStoredUnclampedAndRaisesChangedAfterTheRepaint) {
  Fresh f;
  std::vector<std::pair<int, int>> changes;
  int refreshAtChange = -1;
  f.bar.Changed.connect([&](int& v, int& m) {
    changes.emplace_back(v, m);
    refreshAtChange = f.bar.refreshCount();
  });
  const int before = f.bar.refreshCount();
  f.bar.setValue(150);
  EXPECT_EQ(f.bar.Value(), 150);
  EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{150, 100}}));
  EXPECT_EQ(refreshAtChange, before + 1);
  f.bar.setValue(-3);
  EXPECT_EQ(f.bar.Value(), -3);
  EXPECT_EQ(changes.size(), 2u);
}

TEST(SliderProperties, TheSameValueAgainNeitherRepaintsNorRaisesChanged) {
  Fresh f;
  f.bar.setValue(40);
  int changes = 0;
  f.bar.Changed.connect([&](int&, int&) { ++changes; });
  const int before = f.bar.refreshCount();
  for (int i = 0; i < 20; ++i) f.bar.setValue(40);  // the position display, once a second
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(f.bar.refreshCount(), before);
  f.bar.setValue(41);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(f.bar.refreshCount(), before + 1);
}

TEST(SliderProperties, BitesFitASixteenBitTwipsField) {
  Fresh f;
  f.bar.setBite_LP(2184);  // 32760 twips
  EXPECT_EQ(f.bar.Bite_LP(), 2184);
  try {
    f.bar.setBite_LP(2185);  // 32775 twips
    FAIL() << "2185 pixels must overflow";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), ErrorNumber::Overflow);
  }
  EXPECT_EQ(f.bar.Bite_LP(), 2184);
  f.bar.setBite_RP(-2184);
  EXPECT_EQ(f.bar.Bite_RP(), -2184);
  EXPECT_THROW(f.bar.setBite_RP(-2185), RuntimeError);
  EXPECT_EQ(f.bar.Bite_RP(), -2184);
  EXPECT_THROW(f.bar.setBite_RP(100000), RuntimeError);
  EXPECT_EQ(f.bar.Bite_RP(), -2184);
}

TEST(SliderProperties, BiteOfTwoPixelsIsHeldAsThirtyTwips) {
  Fresh f;
  f.bar.setBite_LP(2);
  f.bar.setBite_RP(-1);
  EXPECT_EQ(f.bar.Bite_LP(), 2);
  EXPECT_EQ(f.bar.Bite_RP(), -1);
  const auto bag = f.bar.WriteProperties();
  ASSERT_NE(find(bag, "Bite_LP"), nullptr);
  EXPECT_EQ(std::get<int>(find(bag, "Bite_LP")->value), 30);
  EXPECT_EQ(std::get<int>(find(bag, "Bite_RP")->value), -15);
}

TEST(SliderProperties, PropertyBagWritesOnlyWhatDiffersFromItsDefaults) {
  Fresh f;
  auto bag = f.bar.WriteProperties();
  // Initial values equal to the bag's defaults are left out.
  for (const char* key :
       {"Style", "Value", "Max", "BKPicture", "Bite_LP", "IsShowCmd", "Caption", "BorderStyle"})
    EXPECT_EQ(find(bag, key), nullptr) << key;
  // CanMove starts false against a default of true; the colours start 0 against the back
  // colour and pure blue; Appearance starts 3-D against 0.
  ASSERT_NE(find(bag, "CanMove"), nullptr);
  EXPECT_FALSE(std::get<bool>(find(bag, "CanMove")->value));
  ASSERT_NE(find(bag, "GotTopColor"), nullptr);
  EXPECT_EQ(std::get<std::uint32_t>(find(bag, "GotTopColor")->value), 0u);
  EXPECT_NE(find(bag, "TopColor"), nullptr);
  EXPECT_NE(find(bag, "Appearance"), nullptr);

  f.bar.setCanMove(true);
  f.bar.setGotTopColor(0xFF0000);
  f.bar.setTopColor(f.bar.BackColor());
  f.bar.setCaption("c");
  bag = f.bar.WriteProperties();
  EXPECT_EQ(find(bag, "CanMove"), nullptr);
  EXPECT_EQ(find(bag, "GotTopColor"), nullptr);
  EXPECT_EQ(find(bag, "TopColor"), nullptr);
  ASSERT_NE(find(bag, "Caption"), nullptr);
  EXPECT_EQ(std::get<std::string>(find(bag, "Caption")->value), "c");
}

TEST(SliderProperties, MouseCursorPropertiesAreTheControlsOwn) {
  Fresh f;
  auto icon = std::make_shared<const forms::Picture>(QImage(32, 32, QImage::Format_ARGB32));
  f.bar.setcMouseIcon(icon);
  f.bar.setcMousePointer(forms::kHand);
  EXPECT_EQ(f.bar.MouseIcon(), icon);
  EXPECT_EQ(f.bar.MousePointer(), 99);
  EXPECT_EQ(f.bar.cMouseIcon(), icon);
  f.bar.setMousePointer(0);
  EXPECT_EQ(f.bar.cMousePointer(), 0);
}

TEST(SliderProperties, BackgroundPictureIsTheControlsOwnPicture) {
  Fresh f;
  auto bk = std::make_shared<const forms::Picture>(QImage(2, 2, QImage::Format_RGB32));
  f.bar.setBkPicture(bk);
  EXPECT_EQ(f.bar.Picture(), bk);
  EXPECT_EQ(f.bar.BkPicture(), bk);
}

TEST(SliderMethods, PictureSizeInPixelsFromHimetric) {
  EXPECT_EQ(tVate::GetPictureWidth(nullptr), 0);
  EXPECT_EQ(tVate::GetPictureHeight(nullptr), 0);
  auto p = std::make_shared<const forms::Picture>(QImage(100, 9, QImage::Format_RGB32));
  EXPECT_EQ(tVate::GetPictureWidth(p), 100);
  EXPECT_EQ(tVate::GetPictureHeight(p), 9);
  auto big = std::make_shared<const forms::Picture>(QImage(4000, 1, QImage::Format_Mono));
  EXPECT_EQ(tVate::GetPictureWidth(big), 4000);
  EXPECT_EQ(tVate::GetPictureHeight(std::make_shared<const forms::Picture>(QImage())), 0);
}

TEST(SliderMethods, PicToPicCopiesARectangle) {
  Fresh f;
  QImage src(10, 4, QImage::Format_RGB32);
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 4; ++y) src.setPixel(x, y, qRgb(x * 20, y * 50, 7));
  const auto pic = std::make_shared<const forms::Picture>(src);
  const auto part = f.bar.PicToPic(pic, 3, 1, 4, 2);
  ASSERT_NE(part, nullptr);
  ASSERT_EQ(part->image().size(), QSize(4, 2));
  EXPECT_EQ(part->image().pixel(0, 0), qRgb(60, 50, 7));
  EXPECT_EQ(part->image().pixel(3, 1), qRgb(120, 100, 7));
  EXPECT_EQ(f.bar.PicToPic(nullptr, 0, 0, 4, 2), nullptr);
}

TEST(SliderMethods, SetPictureCutsTheSkinAndSetsTheThumbGeometry) {
  SeekBar s;
  // Thumb 16 px = 240 twips wide; at Value 0 its left edge is 15 px (225.1 twips) in.
  EXPECT_FLOAT_EQ(s.bar->thumbLeft(), 225.1f);
  // The volume bar's cut: caps 5, thumbs 12 (180 twips).
  s.bar->setPicture(makeSkin(5, 12, 13), 5, 5, 1, 1, 12);
  EXPECT_FLOAT_EQ(s.bar->thumbLeft(), 75 + 0.1f + 90 - 30 - 90);
  EXPECT_EQ(span(s.bar->surface(), 4, kLeftCap), std::make_pair(0, 2));
  EXPECT_EQ(span(s.bar->surface(), 4, kRightCap), std::make_pair(620, 624));
}

TEST(SliderMethods, SetPictureWithoutHeightLeavesTheSkinAlone) {
  SeekBar s;
  const QImage before = s.bar->surface().copy();
  const int refreshes = s.bar->refreshCount();
  s.bar->setPicture(nullptr, 5, 5, 1, 1, 12);
  s.bar->setPicture(std::make_shared<const forms::Picture>(QImage()), 5, 5, 1, 1, 12);
  EXPECT_EQ(s.bar->refreshCount(), refreshes);
  s.bar->Repaint();
  EXPECT_EQ(s.bar->surface(), before);
  EXPECT_FLOAT_EQ(s.bar->thumbLeft(), 225.1f);
}

TEST(SliderMethods, PiecesOfWidthZeroAreNotDrawn) {
  SeekBar s;
  // No caps: played tile at column 0, remaining at 1, then four see-through thumbs.
  QImage skin(2 + 4 * 16, 9, QImage::Format_RGB32);
  skin.fill(kMagenta);
  for (int y = 0; y < 9; ++y) {
    skin.setPixel(0, y, kPlayed);
    skin.setPixel(1, y, kRemaining);
  }
  s.bar->setPicture(std::make_shared<const forms::Picture>(skin), 0, 0, 1, 1, 16);
  s.bar->setValue(100);
  // Track 9375 - 240 + 60 = 9195 twips; the centre at 9195 + 0.1 + 120 - 30 = 9285.1 twips.
  const auto r = runs(s.bar->surface(), 4);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].colour, kPlayed);
  EXPECT_EQ(r[0].last, 618);
  EXPECT_EQ(r[1].colour, kRemaining);
  EXPECT_EQ(r[1].last, 624);
}

TEST(SliderMethods, SetPictureRejectsWidthsBeyondSixteenBits) {
  SeekBar s;
  EXPECT_THROW(s.bar->setPicture(makeSkin(17, 16, 9), 40000, 17, 1, 1, 16), RuntimeError);
  EXPECT_FLOAT_EQ(s.bar->thumbLeft(), 225.1f);
}

}  // namespace
}  // namespace kv::slider::test
