// Where the main window meets the playback session: the session's layout calls on this
// window's controls, and the described handlers that forward to the session.

#include "app/form1.h"
#include "platform/errors.h"

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

// Always in this order, whichever group is shown.
void Form1::showButtonLayout(bool picture) {
  for (forms::Image* b : {&Image2, &Image5, &Image7}) step([&] { b->setVisible(picture); });
  for (forms::Image* b : {&Image3, &Image6, &Image8}) step([&] { b->setVisible(!picture); });
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

}  // namespace kv::app
