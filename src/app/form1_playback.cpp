// Where the main window meets playback: the session's layout calls on this window's controls,
// the controls the transport works on, and the described handlers that forward to the session
// and the transport.

#include "app/form1.h"
#include "platform/errors.h"
#include "platform/input_codes.h"

namespace kv::app {
namespace {

class FormLayout : public playback::PlaybackLayout {
 public:
  explicit FormLayout(Form1& form) : f_(form) {}

  void showButtonLayout(bool picture) override { f_.showButtonLayout(picture); }
  void showPlayer(bool shown) override { f_.WindowsMediaPlayer1.setVisible(shown); }
  void showFlash(bool shown) override { f_.ShockwaveFlash1.setVisible(shown); }

  void placePlayer(media::OpenPlace place) override {
    auto& player = f_.WindowsMediaPlayer1;
    if (place == media::OpenPlace::Whole) step([&] { player.setTop(645); });
    if (place != media::OpenPlace::Keep) {
      step([&] { player.setLeft(120); });
      step([&] { player.setWidth(f_.Width() - 240); });
    }
    if (place == media::OpenPlace::Whole) step([&] { player.setHeight(f_.Height() - 1650); });
  }

  void placeFlash(media::OpenPlace place) override {
    auto& flash = f_.ShockwaveFlash1;
    if (place == media::OpenPlace::Whole) {
      step([&] { flash.setTop(645); });
      step([&] { flash.setLeft(120); });
      step([&] { flash.setWidth(f_.Width() - 240); });
    }
    if (place != media::OpenPlace::Keep) step([&] { flash.setHeight(f_.Height() - 1635); });
  }

  void flashToFront() override { f_.ShockwaveFlash1.ZOrder(0); }
  void filePanelToFront() override { f_.Frame1.ZOrder(0); }
  void hideFilePanel() override { f_.Frame1.setVisible(false); }
  void hideWebPage() override { f_.WebBrowser1.setVisible(false); }

  void setTimeLabels(const std::string& elapsed, const std::string& length) override {
    step([&] { f_.Label1.setCaption(elapsed); });
    step([&] { f_.Label2.setCaption(length); });
  }

  void repaintControlBar() override {
    for (forms::Image* skin : {&f_.Image34, &f_.Image40, &f_.Image41})
      step([&] { skin->Refresh(); });
  }

 private:
  Form1& f_;
};

}  // namespace

std::unique_ptr<playback::PlaybackLayout> Form1::makePlaybackLayout() {
  return std::make_unique<FormLayout>(*this);
}

playback::TransportControls Form1::transportControls() {
  return {tVate1,
          volume,
          WindowsMediaPlayer1,
          ShockwaveFlash1,
          Label1,
          Label2,
          Timer8,
          BUT12,
          BUT14,
          BUT15,
          {&BUT9A, &BUT9B, &BUT9C},
          {&BUT13A, &BUT13B, &BUT13C}};
}

void Form1::File1_Click() {
  session_.openSelected();
}
void Form1::Image4_Click() {
  session_.pause();
}
void Form1::Image9_Click() {
  session_.stop();
}
void Form1::Image6_Click() {
  session_.listButton(false, false);
}
void Form1::Image8_Click() {
  session_.listButton(true, false);
}
void Form1::Image5_Click() {
  session_.listButton(false, true);
}
void Form1::Image7_Click() {
  session_.listButton(true, true);
}
void Form1::Timer1_Timer() {
  session_.slideShowTick();
}
void Form1::Timer2_Timer() {
  session_.flashStartTick();
}
void Form1::Timer4_Timer() {
  session_.followUpTick();
}
void Form1::Timer5_Timer() {
  session_.flashLimitTick();
}
void Form1::Timer7_Timer() {
  session_.videoEndedTick();
}
void Form1::Timer6_Timer() {
  session_.listSearch(Timer6, startFileName);
}
void Form1::Timer10_Timer() {
  session_.listSearch(Timer10, startFileName);
}
void Form1::WindowsMediaPlayer2_PlayStateChange(int newState) {
  session_.musicStateChanged(newState);
}

void Form1::BUT4_Click() {
  transport_.playPause();
}
void Form1::BUT5_Click() {
  transport_.closePlayer();
}
void Form1::BUT6_Click() {
  transport_.fastForward();
}
void Form1::BUT7_Click() {
  transport_.fastReverse();
}
void Form1::BUT12_Click() {
  transport_.loopItem();
}
void Form1::BUT14_Click() {
  transport_.nextItem();
}
void Form1::BUT15_Click() {
  transport_.previousItem();
}
void Form1::Timer8_Timer() {
  transport_.positionTick();
}
void Form1::tVate1_MouseDown(short& button, short&, float&, float&) {
  transport_.seekPress(button);
}
void Form1::tVate1_MouseMove(short& button, short&, float&, float&) {
  transport_.seekDrag(button);
}
void Form1::tVate1_MouseUp(short&, short&, float&, float&) {
  transport_.seekRelease();
}
void Form1::tVate1_MouseOverCmd() {
  step([&] { tVate1.setcMousePointer(forms::kHand); });
}
void Form1::tVate1_MouseOutCmd() {
  step([&] { tVate1.setcMousePointer(forms::kDefault); });
}
void Form1::volume_MouseOverCmd() {
  step([&] { volume.setcMousePointer(forms::kHand); });
}
void Form1::volume_MouseOutCmd() {
  step([&] { volume.setcMousePointer(forms::kDefault); });
}
void Form1::volume_Click() {
  transport_.volumeFromBar();
}
void Form1::volume_MouseDown(short& button, short&, float&, float&) {
  if (button == input::kLeftButton) transport_.volumeFromBar();
}
void Form1::volume_MouseMove(short& button, short&, float&, float&) {
  if (button == input::kLeftButton) transport_.volumeFromBar();
}
void Form1::BUT9A_Click() {
  transport_.volumePreset(0);
}
void Form1::BUT9B_Click() {
  transport_.volumePreset(1);
}
void Form1::BUT9C_Click() {
  transport_.volumePreset(2);
}
void Form1::BUT13A_Click() {
  transport_.channel(0);
}
void Form1::BUT13B_Click() {
  transport_.channel(1);
}
void Form1::BUT13C_Click() {
  transport_.channel(2);
}

}  // namespace kv::app
