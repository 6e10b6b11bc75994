// The main window with the staged skin: every picture fits its control's design size, the
// buttons sit on the bar behind them without a seam, and a missing skin harms nothing.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cmath>

#include "app/form1_rig.h"
#include "slider/bar_setup.h"
#include "window_mock.h"

using kv::test::Form1Rig;

namespace {

int pixels(float twips) {
  return static_cast<int>(std::lround(twips / kv::forms::kTwipsPerPixel));
}

QSize designSize(const kv::forms::Control& c) {
  return QSize(pixels(c.Width()), pixels(c.Height()));
}

const QImage& imageOf(const kv::forms::Control& c) {
  static const QImage none;
  return c.Picture() ? c.Picture()->image() : none;
}

struct StagedWindow : ::testing::Test {
  Form1Rig rig;
  kv::app::Form1* form = nullptr;
  void SetUp() override {
    rig.folders.application = KORVELIN_STAGE;
    rig.files.addFolder(KORVELIN_STAGE);
    form = &rig.start();
  }
};

TEST_F(StagedWindow, EveryPictureHasItsControlsDesignSize) {
  auto& f = *form;
  // Pictures shown unstretched, and the store pictures with the button they go on.
  const std::vector<std::pair<const kv::forms::Control*, const kv::forms::Control*>> fits{
      {&f.Image33, &f.Image33}, {&f.Image39, &f.Image39},   {&f.Image34, &f.Image34},
      {&f.Image40, &f.Image40}, {&f.Picture7, &f.Picture7}, {&f.Image15, &f.Image15},
      {&f.Image37, &f.Image37}, {&f.Image2, &f.Image2},     {&f.Image5, &f.Image5},
      {&f.Image7, &f.Image7},   {&f.Image10, &f.Image10},   {&f.Image11, &f.Image11},
      {&f.Image30, &f.Image21}, {&f.Image31, &f.Image21},   {&f.Image22, &f.Image17},
      {&f.Image23, &f.Image17}, {&f.Image24, &f.Image18},   {&f.Image25, &f.Image18},
      {&f.Image26, &f.Image16}, {&f.Image27, &f.Image16},   {&f.Image28, &f.Image19},
      {&f.Image29, &f.Image19}, {&f.Image52, &f.Image3},    {&f.Image53, &f.Image3},
      {&f.Image54, &f.Image4},  {&f.Image55, &f.Image4},    {&f.Image56, &f.Image6},
      {&f.Image57, &f.Image6},  {&f.Image58, &f.Image8},    {&f.Image59, &f.Image8},
      {&f.Image60, &f.Image20}, {&f.Image61, &f.Image20},   {&f.Image62, &f.Image9},
      {&f.Image63, &f.Image9},  {&f.Image48, &f.Image42},   {&f.Image45, &f.Image42},
      {&f.Image49, &f.Image43}, {&f.Image46, &f.Image43},   {&f.Image50, &f.Image44},
      {&f.Image47, &f.Image44}};
  for (const auto& [holder, control] : fits)
    EXPECT_EQ(imageOf(*holder).size(), designSize(*control))
        << holder->name() << " for " << control->name();
  // Stretched pieces: as high as their bar, or as wide as the edge.
  EXPECT_EQ(imageOf(f.Image38).height(), designSize(f.Picture2).height());
  EXPECT_EQ(imageOf(f.Image41).height(), designSize(f.Picture4).height());
  for (const kv::forms::Image* edge : {&f.Image35, &f.Image36}) {
    EXPECT_EQ(imageOf(*edge).width(), designSize(*edge).width());
    EXPECT_EQ(imageOf(*edge).height(), designSize(*edge).height());
  }
}

TEST_F(StagedWindow, ButtonsStartNormalWithBothChannelsSelectedAndHoverDiffers) {
  auto& f = *form;
  const std::vector<std::tuple<kv::forms::Image*, kv::forms::Image*, kv::forms::Image*>> pairs{
      {&f.Image21, &f.Image30, &f.Image31}, {&f.Image17, &f.Image22, &f.Image23},
      {&f.Image18, &f.Image24, &f.Image25}, {&f.Image16, &f.Image26, &f.Image27},
      {&f.Image19, &f.Image28, &f.Image29}, {&f.Image3, &f.Image52, &f.Image53},
      {&f.Image4, &f.Image54, &f.Image55},  {&f.Image6, &f.Image56, &f.Image57},
      {&f.Image8, &f.Image58, &f.Image59},  {&f.Image20, &f.Image60, &f.Image61},
      {&f.Image9, &f.Image62, &f.Image63},  {&f.Image42, &f.Image48, &f.Image45},
      {&f.Image44, &f.Image50, &f.Image47}};
  for (const auto& [button, normal, hover] : pairs) {
    ASSERT_TRUE(normal->Picture()) << normal->name();
    EXPECT_EQ(button->Picture(), normal->Picture()) << button->name();
    EXPECT_NE(imageOf(*normal), imageOf(*hover)) << button->name();
  }
  EXPECT_EQ(f.Image43.Picture(), f.Image46.Picture());
}

TEST_F(StagedWindow, ButtonsCarryTheBarBehindThemAtTheirDesignRows) {
  auto& f = *form;
  const QImage title = imageOf(f.Image39), bar = imageOf(f.Image34);
  ASSERT_FALSE(title.isNull());
  ASSERT_FALSE(bar.isNull());
  // The right column of each button picture (outside every symbol and hover key) equals the
  // bar picture in the rows the button covers.
  auto seamless = [](const kv::forms::Image& button, const QImage& panel) {
    const QImage& image = imageOf(button);
    const int top = pixels(button.Top());
    for (int y = 0; y < image.height(); ++y)
      if ((image.pixel(image.width() - 1, y) | 0xFF000000) !=
          (panel.pixel(panel.width() / 2, top + y) | 0xFF000000))
        return false;
    return !image.isNull();
  };
  for (const kv::forms::Image* b : {&f.Image30, &f.Image31, &f.Image22, &f.Image23, &f.Image24,
                                    &f.Image25, &f.Image26, &f.Image27, &f.Image28, &f.Image29})
    EXPECT_TRUE(seamless(*b, title)) << b->name();
  EXPECT_TRUE(seamless(f.Image15, title));
  EXPECT_TRUE(seamless(f.Image37, bar));
  const std::vector<std::pair<const kv::forms::Image*, const kv::forms::Image*>> onBar{
      {&f.Image52, &f.Image3}, {&f.Image53, &f.Image3},  {&f.Image55, &f.Image4},
      {&f.Image57, &f.Image6}, {&f.Image59, &f.Image8},  {&f.Image61, &f.Image20},
      {&f.Image63, &f.Image9}, {&f.Image45, &f.Image42}, {&f.Image49, &f.Image43},
      {&f.Image47, &f.Image44}};
  for (const auto& [store, place] : onBar) {
    kv::forms::Image probe("probe", nullptr);
    probe.design(place->Left(), place->Top(), place->Width(), place->Height());
    probe.setPicture(store->Picture());
    EXPECT_TRUE(seamless(probe, bar)) << store->name();
  }
  // The sliders' skins were drawn on the control bar's colour.
  EXPECT_EQ(bar.pixel(bar.width() / 2, pixels(f.tVate1.Top())) & 0xFFFFFF,
            QColor(0x1E, 0x1F, 0x24).rgb() & 0xFFFFFF);
}

TEST(MissingSkin, ControlsKeepTheirBackColoursAndStartUpGoesOn) {
  static char name[] = "test_skins";
  char* argv[] = {name};
  int argc = 1;
  QGuiApplication app(argc, argv);  // the mock draws captions
  Form1Rig rig;
  const QString folder = QDir::temp().filePath(QStringLiteral("kv_missing_skin"));
  QDir(folder).removeRecursively();
  QDir().mkpath(folder + QStringLiteral("/skins"));
  {
    QFile broken(folder + QStringLiteral("/skins/close.png"));  // not a picture at all
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("GIF89a nothing here");
  }
  rig.folders.application = folder.toStdString();
  rig.files.addFolder(folder.toStdString());
  auto& form = rig.start();
  EXPECT_FALSE(form.unloaded());
  const std::vector<const kv::forms::Control*> skinned{&form.Image33, &form.Image18, &form.Image24,
                                                       &form.Image3,  &form.Image43, &form.Picture7,
                                                       &form.Image15};
  for (const kv::forms::Control* c : skinned) EXPECT_FALSE(c->Picture()) << c->name();
  for (const kv::forms::Control* panel :
       {&form.Picture2, &form.Picture3, &form.Picture4, &form.Picture5, &form.Picture7})
    EXPECT_EQ(panel->BackColor(), kv::slider::kSkinBackgroundBgr) << panel->name();
  // Drawn as the view would: the title bar shows its back colour.
  const QImage mock = kv::test::renderWindowMock(form);
  EXPECT_EQ(mock.pixel(200, 20) & 0xFFFFFF, 0x1E1F24u);
  QDir(folder).removeRecursively();
}

}  // namespace
