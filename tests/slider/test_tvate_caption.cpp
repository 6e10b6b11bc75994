// The caption is printed centred over the bar with the control's fore colour; printing text
// needs a GUI application, which this test program starts (offscreen).

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "slider_fixture.h"

namespace kv::slider::test {
namespace {

class SliderCaption : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_slider_caption";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
  }
};

// Bounding box of the pixels that are not the bar's own colour.
QRect inked(const QImage& img, QRgb bar) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != bar) box |= QRect(x, y, 1, 1);
  return box;
}

TEST_F(SliderCaption, IsPrintedCentredAtTheNextRepaint) {
  VirtualClock clock;
  FakeCursor cursor;
  tVate bar("bar", nullptr, clock, cursor);
  bar.design(0, 0, 200 * 15, 24 * 15);
  bar.setIsShowCmd(false);
  bar.setStyle(0);  // gradients, both parts black
  bar.setForeColor(0xFFFFFF);
  bar.setCaption("50 %");
  EXPECT_TRUE(inked(bar.surface(), qRgb(0, 0, 0)).isNull()) << "the setter does not repaint";

  bar.Repaint();
  const QRect box = inked(bar.surface(), qRgb(0, 0, 0));
  ASSERT_FALSE(box.isNull());
  EXPECT_GT(box.width(), 10);
  EXPECT_NEAR(box.center().x(), 100, 3);
  EXPECT_NEAR(box.center().y(), 12, 4);

  bar.setCaption("");
  bar.Repaint();
  EXPECT_TRUE(inked(bar.surface(), qRgb(0, 0, 0)).isNull());
}

}  // namespace
}  // namespace kv::slider::test
