#pragma once
// The skins of the main window's two bars: how their pictures are cut and where they live.
// The main window configures the bars itself; these keep the numbers in one place.

#include <string>

#include "platform/forms/picture.h"

namespace kv::slider {

class tVate;

// Widths in pixels of the pieces of a skin picture, left to right: caps, tiles, one thumb.
struct SkinLayout {
  int capLeft;
  int capRight;
  int playedTile;
  int remainingTile;
  int thumb;  // one of the four thumb images
  int height;
};

inline constexpr SkinLayout kSeekBarSkin{17, 17, 1, 1, 16, 9};   // seekbar.png, 100 x 9
inline constexpr SkinLayout kVolumeBarSkin{5, 5, 1, 1, 12, 13};  // volume.png, 60 x 13

inline constexpr int skinWidth(const SkinLayout& s) {
  return s.capLeft + s.capRight + s.playedTile + s.remainingTile + 4 * s.thumb;
}

// File names under the application folder.
inline constexpr const char* kSeekBarSkinFile = "skins/seekbar.png";
inline constexpr const char* kVolumeBarSkinFile = "skins/volume.png";
inline constexpr const char* kSliderCursorFile = "skins/slider_cursor.png";  // 32 x 32
// Hot spot of the slider cursor: the tip of the pointing finger.
inline constexpr int kSliderCursorHotX = 13;
inline constexpr int kSliderCursorHotY = 2;

// The skins are drawn for a control bar of this colour (blue-green-red, RGB 30, 31, 36): the
// space around the track and the rounded caps show it, so set it as the bars' BackColor and
// keep the control bar behind them the same colour.
inline constexpr unsigned kSkinBackgroundBgr = 0x241F1E;

// applicationFolder + "/" + file (no separator doubled).
std::string skinPath(const std::string& applicationFolder, const std::string& file);

// bar.setPicture(skin, layout widths) with the optional thumb height and top left at 0.
void applySkin(tVate& bar, const forms::PictureRef& skin, const SkinLayout& layout);

}  // namespace kv::slider
