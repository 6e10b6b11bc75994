#pragma once
// What the window's presentation works on: the main form and the controls it places, shows and
// marks, by their names in the design. Display modes have no variable of their own: a mode is
// what the menu marks, the window state and the panels' visibility say it is.

#include "media/flash/flash_player.h"
#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/forms/menu.h"
#include "platform/forms/timer.h"
#include "slider/tvate.h"

namespace kv::window {

struct Surface {
  forms::Form& form;
  forms::MenuItem& menu;  // the context menu
  // Skin panels and pieces, title and control-bar buttons, the grip.
  forms::PictureBox &Picture2, &Picture3, &Picture4, &Picture5, &Picture7;
  forms::Image &Image16, &Image17, &Image18, &Image19, &Image21, &Image22;
  forms::Image &Image2, &Image3, &Image5, &Image6, &Image7, &Image8;
  forms::Image &Image33, &Image34, &Image35, &Image36, &Image37, &Image38, &Image39, &Image40,
      &Image41;
  forms::Label &Label1, &Label2;
  slider::tVate &tVate1, &volume;
  // The component area and the file panel.
  forms::Control &WindowsMediaPlayer1, &ShockwaveFlash1, &WebBrowser1;
  media::FlashPlayer& flash;
  forms::Frame& Frame1;
  forms::DirListBox& Dir1;
  forms::FileListBox& File1;
  // The mode and zoom items.
  forms::MenuItem &BUT0, &BUT1, &BUT2, &BUT17, &BUT8A, &BUT8B, &BUT8C, &BUT8D;
  forms::Timer& Timer3;   // hides the cursor
  forms::Timer& Timer11;  // shows the grip once start-up is over
};

}  // namespace kv::window
