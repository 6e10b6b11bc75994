// The main window's pictures: the skin staged under the application folder goes into the
// panels, the buttons and the picture store. A missing file leaves its control without a
// picture, showing the back colour behind it.

#include "app/form1.h"
#include "slider/bar_setup.h"
#include "window/skin_pictures.h"

namespace kv::app {

namespace skin = window;

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

  // Picture store pairs: the button starts with the normal picture (both channels selected,
  // as the balance starts centred).
  struct Stored {
    forms::Image& normal;
    const skin::SkinPicture& normalPicture;
    forms::Image& hover;
    const skin::SkinPicture& hoverPicture;
    forms::Image& button;
    bool startsSelected;
  };
  for (const Stored& s : {
           Stored{Image30, skin::kMenu, Image31, skin::kMenuHover, Image21, false},
           Stored{Image22, skin::kMinimise, Image23, skin::kMinimiseHover, Image17, false},
           Stored{Image24, skin::kClose, Image25, skin::kCloseHover, Image18, false},
           Stored{Image26, skin::kMaximise, Image27, skin::kMaximiseHover, Image16, false},
           Stored{Image28, skin::kRestore, Image29, skin::kRestoreHover, Image19, false},
           Stored{Image52, skin::kPlay, Image53, skin::kPlayHover, Image3, false},
           Stored{Image54, skin::kPause, Image55, skin::kPauseHover, Image4, false},
           Stored{Image56, skin::kPrevious, Image57, skin::kPreviousHover, Image6, false},
           Stored{Image58, skin::kNext, Image59, skin::kNextHover, Image8, false},
           Stored{Image60, skin::kPlaySelected, Image61, skin::kPlaySelectedHover, Image20, false},
           Stored{Image62, skin::kStop, Image63, skin::kStopHover, Image9, false},
           Stored{Image48, skin::kChannelLeft, Image45, skin::kChannelLeftOn, Image42, false},
           Stored{Image49, skin::kChannelBoth, Image46, skin::kChannelBothOn, Image43, true},
           Stored{Image50, skin::kChannelRight, Image47, skin::kChannelRightOn, Image44, false},
       }) {
    s.normal.setPicture(load(s.normalPicture.file));
    s.hover.setPicture(load(s.hoverPicture.file));
    s.button.setPicture(s.startsSelected ? s.hover.Picture() : s.normal.Picture());
  }
  // The picture-layout list buttons look like their media-layout twins.
  Image5.setPicture(Image56.Picture());
  Image7.setPicture(Image58.Picture());
}

}  // namespace kv::app
