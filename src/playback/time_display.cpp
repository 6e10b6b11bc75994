// The position display: 20 times a second the seek bar and the two time labels follow the
// engine that is visible.

#include <cmath>
#include <limits>

#include "app/form1.h"
#include "media/kinds.h"
#include "platform/errors.h"

namespace kv::app {
namespace {

// The integer part, rounded down; a value the bar cannot hold fails like the original.
int floorToInt(double value) {
  const double f = std::floor(value);
  if (!std::isfinite(f) || f > std::numeric_limits<int>::max() ||
      f < std::numeric_limits<int>::min())
    throw RuntimeError(ErrorNumber::Overflow, "overflow");
  return static_cast<int>(f);
}

}  // namespace

void Form1::Timer8_Timer() {
  std::string extension;
  step([&] { extension = media::ListFileExtension(File1.FileName()); });
  step([&] {
    if (tVate1.Value() > 100) tVate1.setValue(0);
  });

  if (WindowsMediaPlayer1.Visible()) {
    const auto& player = WindowsMediaPlayer1.object();
    step([&] {
      const double position = player.currentPosition();
      tVate1.setValue(floorToInt(divide(position, player.duration()) * 100));
    });
    step([&] { Label1.setCaption(player.currentPositionString()); });
    step([&] { Label2.setCaption("/" + player.durationString()); });
    return;
  }
  if (!ShockwaveFlash1.Visible()) return;

  const auto& flash = ShockwaveFlash1.object();
  if (extension == "flv") {
    step([&] { flvPositionText = flash.GetVariable("curent1"); });
    step([&] { flvLengthText = flash.GetVariable("total1"); });
    step([&] {
      const double length = toNumber(flvLengthText);
      if (length > 0) session_.flashVideoPlayed = true;
      tVate1.setValue(floorToInt(divide(toNumber(flvPositionText), length) * 100));
    });
    step([&] { Label1.setCaption(flash.GetVariable("curentvar")); });
    step([&] { Label2.setCaption(flash.GetVariable("timevar")); });
  } else if (extension == "swf") {
    int frame = 0, total = 0;
    step([&] { frame = flash.FrameNum(); });
    step([&] { total = flash.TotalFrames(); });
    step([&] {
      tVate1.setValue(static_cast<int>(roundHalfEven(divide(frame, total - 1.0) * 100)));
    });
    step([&] {
      Label1.setCaption(std::to_string(frame + 1LL) + "/" + std::to_string(total + 1LL));
    });
    step([&] { Label2.setCaption("/" + std::to_string(tVate1.Value()) + "%"); });
  }
}

}  // namespace kv::app
