#pragma once
// The buttons of the main window that take their pictures from the picture store: each with
// its normal and its hover (or selected) picture and the skin files they come from. Loading the
// store and the hover pictures both read this one table.

#include "platform/forms/control.h"
#include "window/skin_pictures.h"

namespace kv::window {

enum class ButtonGroup {
  Title,    // title-bar buttons: hover picture while the mouse is over one
  Bar,      // control-bar buttons: the same
  Channel,  // channel selectors: the "hover" picture marks the chosen channel
};

struct ButtonPictures {
  ButtonGroup group;
  forms::Image& button;
  forms::Image& normal;
  const SkinPicture& normalPicture;
  forms::Image& hover;
  const SkinPicture& hoverPicture;
  bool startsSelected;  // shows the hover picture at start (both channels, balance centred)
};

}  // namespace kv::window
