#pragma once
// The pictures of the main window's skin: where each lives under the application folder and
// its size in pixels (the control's design size in twips / 15). kv_make_skins draws them at
// these sizes; the main window loads them into its panels, buttons and picture store.

#include <initializer_list>
#include <string>

namespace kv::window {

struct SkinPicture {
  const char* file;  // relative to the application folder
  int width;
  int height;
};

// Title bar (645 twips high): end pieces and the middle piece stretched between them.
inline constexpr SkinPicture kTitleLeft{"skins/title_left.png", 319, 43};
inline constexpr SkinPicture kTitleMiddle{"skins/title_middle.png", 2, 43};
inline constexpr SkinPicture kTitleRight{"skins/title_right.png", 319, 43};
// Side edges (120 twips wide), stretched to the window's height; drawn for the design height.
inline constexpr SkinPicture kEdgeLeft{"skins/edge_left.png", 8, 386};
inline constexpr SkinPicture kEdgeRight{"skins/edge_right.png", 8, 386};
// Control bar (975 twips high).
inline constexpr SkinPicture kBarLeft{"skins/bar_left.png", 319, 65};
inline constexpr SkinPicture kBarMiddle{"skins/bar_middle.png", 2, 65};
inline constexpr SkinPicture kBarRight{"skins/bar_right.png", 319, 65};
inline constexpr SkinPicture kGrip{"skins/grip.png", 23, 23};
inline constexpr SkinPicture kTitleIcon{"skins/title_icon.png", 16, 16};
inline constexpr SkinPicture kVolumeIcon{"skins/volume_icon.png", 20, 19};
// The volume icon while the sound is muted.
inline constexpr SkinPicture kVolumeIconMuted{"skins/volume_icon_muted.png", 20, 19};

// Title buttons, 270 twips high: normal and hover.
inline constexpr SkinPicture kMenu{"skins/menu.png", 25, 18};
inline constexpr SkinPicture kMenuHover{"skins/menu_hover.png", 25, 18};
inline constexpr SkinPicture kMinimise{"skins/minimise.png", 25, 18};
inline constexpr SkinPicture kMinimiseHover{"skins/minimise_hover.png", 25, 18};
inline constexpr SkinPicture kMaximise{"skins/maximise.png", 26, 18};
inline constexpr SkinPicture kMaximiseHover{"skins/maximise_hover.png", 26, 18};
inline constexpr SkinPicture kRestore{"skins/restore.png", 26, 18};
inline constexpr SkinPicture kRestoreHover{"skins/restore_hover.png", 26, 18};
inline constexpr SkinPicture kClose{"skins/close.png", 43, 18};
inline constexpr SkinPicture kCloseHover{"skins/close_hover.png", 43, 18};

// Transport buttons of the control bar: normal and hover.
inline constexpr SkinPicture kPlay{"skins/play.png", 31, 32};
inline constexpr SkinPicture kPlayHover{"skins/play_hover.png", 31, 32};
inline constexpr SkinPicture kMusic{"skins/music.png", 31, 32};
inline constexpr SkinPicture kPause{"skins/pause.png", 23, 24};
inline constexpr SkinPicture kPauseHover{"skins/pause_hover.png", 23, 24};
inline constexpr SkinPicture kPrevious{"skins/previous.png", 26, 24};
inline constexpr SkinPicture kPreviousHover{"skins/previous_hover.png", 26, 24};
inline constexpr SkinPicture kNext{"skins/next.png", 25, 24};
inline constexpr SkinPicture kNextHover{"skins/next_hover.png", 25, 24};
inline constexpr SkinPicture kPlaySelected{"skins/play_selected.png", 24, 24};
inline constexpr SkinPicture kPlaySelectedHover{"skins/play_selected_hover.png", 24, 24};
inline constexpr SkinPicture kStop{"skins/stop.png", 23, 24};
inline constexpr SkinPicture kStopHover{"skins/stop_hover.png", 23, 24};
inline constexpr SkinPicture kFullScreen{"skins/full_screen.png", 24, 24};

// Channel selectors (150 twips high), normal and selected. The three overlap: each one draws
// its segment where the ones in front of it leave it visible.
inline constexpr SkinPicture kChannelLeft{"skins/channel_left.png", 27, 10};
inline constexpr SkinPicture kChannelLeftOn{"skins/channel_left_on.png", 27, 10};
inline constexpr SkinPicture kChannelBoth{"skins/channel_both.png", 37, 10};
inline constexpr SkinPicture kChannelBothOn{"skins/channel_both_on.png", 37, 10};
inline constexpr SkinPicture kChannelRight{"skins/channel_right.png", 27, 10};
inline constexpr SkinPicture kChannelRightOn{"skins/channel_right_on.png", 27, 10};

inline constexpr std::initializer_list<SkinPicture> kWindowSkin{
    kTitleLeft,      kTitleMiddle,    kTitleRight,    kEdgeLeft,
    kEdgeRight,      kBarLeft,        kBarMiddle,     kBarRight,
    kGrip,           kTitleIcon,      kVolumeIcon,    kMenu,
    kMenuHover,      kMinimise,       kMinimiseHover, kMaximise,
    kMaximiseHover,  kRestore,        kRestoreHover,  kClose,
    kCloseHover,     kPlay,           kPlayHover,     kMusic,
    kPause,          kPauseHover,     kPrevious,      kPreviousHover,
    kNext,           kNextHover,      kPlaySelected,  kPlaySelectedHover,
    kStop,           kStopHover,      kFullScreen,    kChannelLeft,
    kChannelLeftOn,  kChannelBoth,    kChannelBothOn, kChannelRight,
    kChannelRightOn, kVolumeIconMuted};

// The program icon for the desktop: PNGs of the freedesktop icon theme layout under
// icons/hicolor/<size>x<size>/apps/ and a scalable SVG under icons/hicolor/scalable/apps/.
inline constexpr const char* kIconName = "korvelin";
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The icon file of one size relative to the application folder (size 0: the SVG).
inline std::string iconFile(int size) {
  const std::string name = std::string(kIconName);
  if (size == 0) return "icons/hicolor/scalable/apps/" + name + ".svg";
  const std::string folder = std::to_string(size) + "x" + std::to_string(size);
  return "icons/hicolor/" + folder + "/apps/" + name + ".png";
}

}  // namespace kv::window
