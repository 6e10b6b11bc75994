#include "skin_set.h"

#include "button_painter.h"
#include "chrome_painter.h"
#include "icon_painter.h"
#include "skin_painter.h"
#include "skin_style.h"
#include "slider/bar_setup.h"
#include "window/skin_pictures.h"

namespace kv::skins {
namespace {

using window::SkinPicture;

// Rows of the controls inside their bar (design top in twips / 15) where they are drawn on it.
constexpr int kTitleIconTop = 8;
constexpr int kPlayTop = 24;
constexpr int kButtonTop = 27;
constexpr int kVolumeIconTop = 29;
constexpr int kChannelTop = 32;

void addBarSkins(std::vector<SkinFile>& out) {
  const QColor blue = style::kAccent;
  const QColor none(Qt::transparent);
  const Palette palette{style::base(), blue, QColor(128, 192, 255), QColor(70, 73, 82),
                        QColor(92, 96, 106)};
  // normal, under the mouse, pressed, disabled
  const ThumbLook seekThumbs[4] = {
      {7, style::kThumb, none, 0, none, 0},
      {9, Qt::white, blue, 1.6, none, 0},
      {9, blue, none, 0, Qt::white, 3},
      {7, QColor(104, 107, 116), none, 0, none, 0},
  };
  const ThumbLook volumeThumbs[4] = {
      {9, style::kThumb, none, 0, none, 0},
      {11, Qt::white, blue, 1.8, none, 0},
      {11, blue, none, 0, Qt::white, 4},
      {9, QColor(104, 107, 116), none, 0, none, 0},
  };
  out.push_back(
      {slider::kSeekBarSkinFile, paintSkin(slider::kSeekBarSkin, palette, 3, seekThumbs), {}});
  out.push_back({slider::kVolumeBarSkinFile,
                 paintSkin(slider::kVolumeBarSkin, palette, 3, volumeThumbs),
                 {}});
  out.push_back({slider::kSliderCursorFile, paintCursor(), {}});
}

void addWindowSkin(std::vector<SkinFile>& out) {
  using namespace window;
  auto add = [&out](const SkinPicture& p, QImage image) {
    out.push_back({QString::fromLatin1(p.file), std::move(image), {}});
  };
  for (const SkinPicture& p : {kTitleLeft, kTitleMiddle, kTitleRight})
    add(p, paintTitlePiece(p.width, p.height));
  for (const SkinPicture& p : {kBarLeft, kBarMiddle, kBarRight})
    add(p, paintBarPiece(p.width, p.height));
  for (const SkinPicture& p : {kEdgeLeft, kEdgeRight}) add(p, paintEdge(p.width, p.height));
  add(kGrip, paintGrip(kGrip.width));
  add(kTitleIcon,
      paintIconOn(rowsImage(kTitleIcon.width, kTitleIcon.height, titleRow, kTitleIconTop)));
  add(kVolumeIcon, paintVolumeIcon(kVolumeIcon.width, kVolumeIcon.height, kVolumeIconTop));
  add(kVolumeIconMuted,
      paintVolumeIcon(kVolumeIconMuted.width, kVolumeIconMuted.height, kVolumeIconTop, true));

  struct Title {
    SkinPicture normal, hover;
    TitleGlyph glyph;
  };
  for (const Title& t : {Title{kMenu, kMenuHover, TitleGlyph::Menu},
                         Title{kMinimise, kMinimiseHover, TitleGlyph::Minimise},
                         Title{kMaximise, kMaximiseHover, TitleGlyph::Maximise},
                         Title{kRestore, kRestoreHover, TitleGlyph::Restore},
                         Title{kClose, kCloseHover, TitleGlyph::Close}}) {
    add(t.normal, paintTitleButton(t.glyph, t.normal.width, t.normal.height, false));
    add(t.hover, paintTitleButton(t.glyph, t.hover.width, t.hover.height, true));
  }

  struct Button {
    SkinPicture picture;
    BarGlyph glyph;
    bool hover;
    int top;
  };
  for (const Button& b : {Button{kPlay, BarGlyph::Play, false, kPlayTop},
                          Button{kPlayHover, BarGlyph::Play, true, kPlayTop},
                          Button{kMusic, BarGlyph::Music, false, kPlayTop},
                          Button{kPause, BarGlyph::Pause, false, kButtonTop},
                          Button{kPauseHover, BarGlyph::Pause, true, kButtonTop},
                          Button{kPrevious, BarGlyph::Previous, false, kButtonTop},
                          Button{kPreviousHover, BarGlyph::Previous, true, kButtonTop},
                          Button{kNext, BarGlyph::Next, false, kButtonTop},
                          Button{kNextHover, BarGlyph::Next, true, kButtonTop},
                          Button{kPlaySelected, BarGlyph::PlaySelected, false, kButtonTop},
                          Button{kPlaySelectedHover, BarGlyph::PlaySelected, true, kButtonTop},
                          Button{kStop, BarGlyph::Stop, false, kButtonTop},
                          Button{kStopHover, BarGlyph::Stop, true, kButtonTop},
                          Button{kFullScreen, BarGlyph::FullScreen, false, kButtonTop}})
    add(b.picture, paintBarButton(b.glyph, b.picture.width, b.picture.height, b.top, b.hover));

  struct Selector {
    SkinPicture picture;
    Channel channel;
    bool selected;
  };
  for (const Selector& s :
       {Selector{kChannelLeft, Channel::Left, false}, Selector{kChannelLeftOn, Channel::Left, true},
        Selector{kChannelBoth, Channel::Both, false}, Selector{kChannelBothOn, Channel::Both, true},
        Selector{kChannelRight, Channel::Right, false},
        Selector{kChannelRightOn, Channel::Right, true}})
    add(s.picture,
        paintChannel(s.channel, s.picture.width, s.picture.height, kChannelTop, s.selected));
}

void addIcons(std::vector<SkinFile>& out) {
  auto path = [](int size) { return QString::fromStdString(window::iconFile(size)); };
  for (int size : window::kIconSizes) out.push_back({path(size), paintIcon(size), {}});
  out.push_back({path(0), {}, iconSvg().toUtf8()});
}

}  // namespace

std::vector<SkinFile> drawSkinFiles() {
  std::vector<SkinFile> out;
  addBarSkins(out);
  addWindowSkin(out);
  addIcons(out);
  return out;
}

}  // namespace kv::skins
