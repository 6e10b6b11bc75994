// The main window's pictures: the skin staged under the application folder goes into the
// panels, the buttons and the picture store. A missing file leaves its control without a
// picture, showing the back colour behind it.

#include "app/form1.h"
#include "slider/bar_setup.h"
#include "window/button_pictures.h"
#include "window/skin_pictures.h"

namespace kv::app {

namespace skin = window;

std::vector<window::ButtonPictures> Form1::buttonPictures() {
  using G = window::ButtonGroup;
  return {
      {G::Title, Image21, Image30, skin::kMenu, Image31, skin::kMenuHover, false},
      {G::Title, Image17, Image22, skin::kMinimise, Image23, skin::kMinimiseHover, false},
      {G::Title, Image18, Image24, skin::kClose, Image25, skin::kCloseHover, false},
      {G::Title, Image16, Image26, skin::kMaximise, Image27, skin::kMaximiseHover, false},
      {G::Title, Image19, Image28, skin::kRestore, Image29, skin::kRestoreHover, false},
      {G::Bar, Image3, Image52, skin::kPlay, Image53, skin::kPlayHover, false},
      {G::Bar, Image4, Image54, skin::kPause, Image55, skin::kPauseHover, false},
      {G::Bar, Image6, Image56, skin::kPrevious, Image57, skin::kPreviousHover, false},
      {G::Bar, Image8, Image58, skin::kNext, Image59, skin::kNextHover, false},
      {G::Bar, Image20, Image60, skin::kPlaySelected, Image61, skin::kPlaySelectedHover, false},
      {G::Bar, Image9, Image62, skin::kStop, Image63, skin::kStopHover, false},
      {G::Channel, Image42, Image48, skin::kChannelLeft, Image45, skin::kChannelLeftOn, false},
      {G::Channel, Image43, Image49, skin::kChannelBoth, Image46, skin::kChannelBothOn, true},
      {G::Channel, Image44, Image50, skin::kChannelRight, Image47, skin::kChannelRightOn, false},
  };
}

void Form1::loadPictureStore() {
  const std::string app = appFolder();
  auto load = [&app](const char* file) {
    return forms::Picture::fromFile(slider::skinPath(app, file));
  };

  Image1.setPicture(load(slider::kSeekBarSkinFile));
  Image14.setPicture(load(slider::kVolumeBarSkinFile));
  Image51.setPicture(load(slider::kSliderCursorFile));

  // Frame pieces, icons and the buttons without a hover picture.
  struct Shown {
    forms::Control& control;
    const skin::SkinPicture& picture;
  };
  for (const Shown& s : {Shown{Image33, skin::kTitleLeft}, Shown{Image38, skin::kTitleMiddle},
                         Shown{Image39, skin::kTitleRight}, Shown{Image35, skin::kEdgeLeft},
                         Shown{Image36, skin::kEdgeRight}, Shown{Image34, skin::kBarLeft},
                         Shown{Image41, skin::kBarMiddle}, Shown{Image40, skin::kBarRight},
                         Shown{Picture7, skin::kGrip}, Shown{Image15, skin::kTitleIcon},
                         Shown{Image37, skin::kVolumeIcon}, Shown{Image2, skin::kMusic},
                         Shown{Image10, skin::kFullScreen}, Shown{Image11, skin::kRestore}})
    s.control.setPicture(load(s.picture.file));

  // The picture store: each button starts with its normal picture (both channels selected,
  // as the balance starts centred).
  for (const window::ButtonPictures& s : buttonPictures()) {
    s.normal.setPicture(load(s.normalPicture.file));
    s.hover.setPicture(load(s.hoverPicture.file));
    s.button.setPicture(s.startsSelected ? s.hover.Picture() : s.normal.Picture());
  }
  // The picture-layout list buttons look like their media-layout twins.
  Image5.setPicture(Image56.Picture());
  Image7.setPicture(Image58.Picture());
}

}  // namespace kv::app
