// Seeking with the seek bar: a press or a left-button drag moves the engine of the selected
// file to the bar's value and holds it there; the release seeks once more and plays.

#include "app/form1.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "platform/input_codes.h"

namespace kv::app {
namespace {

// The frame of a Flash movie at the bar's value, to the nearest frame (halves to even).
int frameAt(int barValue, int totalFrames) {
  return static_cast<int>(roundHalfEven(barValue * 0.01 * (totalFrames - 1.0)));
}

}  // namespace

void Form1::seekFlashVideo(double barValue, const char* command) {
  auto& flash = ShockwaveFlash1.object();
  step([&] { flvLengthText = flash.GetVariable("total1"); });
  // A length that is not a number leaves the previous target, which is sent again.
  step([&] { flvSeekText = numberText(toNumber(flvLengthText) * (barValue / 100)); });
  step([&] { flash.SetVariable("kkk", flvSeekText); });
  step([&] { flash.SetVariable("testVar2", command); });
}

void Form1::seekSelected(bool hold) {
  const std::string extension = media::ListFileExtension(File1.FileName());
  const int v = tVate1.Value();
  if (extension == "swf") {
    auto& flash = ShockwaveFlash1.object();
    step([&] { flash.GotoFrame(frameAt(v, flash.TotalFrames())); });
    step([&] {
      if (hold)
        flash.StopPlay();
      else
        flash.Play();
    });
  } else if (extension == "flv") {
    seekFlashVideo(v, hold ? "vbdown" : "vbplay");
  } else {
    auto& player = WindowsMediaPlayer1.object();
    step([&] { player.setCurrentPosition(v / 100.0 * player.duration()); });
    step([&] {
      if (hold)
        player.pause();
      else
        player.play();
    });
  }
}

void Form1::seekHold(short button) {
  // The display stands still for any button; only the left one seeks.
  step([&] { Timer8.setEnabled(false); });
  if (button == input::kLeftButton) seekSelected(true);
}

void Form1::seekRelease() {
  seekSelected(false);
  step([&] { Timer8.setEnabled(true); });
}

void Form1::tVate1_MouseDown(short& button, short&, float&, float&) {
  seekHold(button);
}

void Form1::tVate1_MouseMove(short& button, short&, float&, float&) {
  if (button == input::kLeftButton) seekHold(button);
}

void Form1::tVate1_MouseUp(short&, short&, float&, float&) {
  seekRelease();
}

void Form1::tVate1_MouseOverCmd() {
  step([&] { tVate1.setcMousePointer(forms::kHand); });
}

void Form1::tVate1_MouseOutCmd() {
  step([&] { tVate1.setcMousePointer(forms::kDefault); });
}

}  // namespace kv::app
