// Mute for a person: the volume icon shows whether the sound is muted, and a click on it or
// the M key switches it. Muting is the mute item's own command, so its mark moves as the menu
// does; unmuting only gives the sound back and leaves every mark where it is.

#include "app/form1.h"
#include "comfort/comfort.h"
#include "platform/errors.h"
#include "slider/bar_setup.h"
#include "window/skin_pictures.h"

namespace kv::app {

void Form1::connectMuteToggle() {
  Image37.Click.connect([this] { toggleMute(); });
  // After the item's own handler, which runs first.
  BUT9C.Click.connect([this] { showMuteState(); });
}

void Form1::toggleMute() {
  bool muted = false;
  step([&] { muted = WindowsMediaPlayer1.object().mute(); });
  if (muted)
    step([&] { WindowsMediaPlayer1.object().setMute(false); });
  else
    BUT9C_Click();
  showMuteState();
}

void Form1::showMuteState() {
  bool muted = false;
  step([&] { muted = WindowsMediaPlayer1.object().mute(); });
  const window::SkinPicture& picture = muted ? window::kVolumeIconMuted : window::kVolumeIcon;
  step([&] {
    Image37.setPicture(forms::Picture::fromFile(slider::skinPath(appFolder(), picture.file)));
  });
  comfort_->muteChanged();
}

}  // namespace kv::app
