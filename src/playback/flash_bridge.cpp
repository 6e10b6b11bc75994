// The commands a running Flash movie sends through FSCommand: the display modes of the Flash
// component here, the player movie's end and reset in the playback session.

#include "app/form1.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {
namespace {

// Scale modes of the Flash component.
constexpr int kShowAll = 0;
constexpr int kNoBorder = 1;
constexpr int kExactFit = 2;

}  // namespace

void Form1::ShockwaveFlash1_FSCommand(const std::string& command, const std::string& /*args*/) {
  auto& flash = ShockwaveFlash1.object();

  const auto fullScreen = [&](int scaleMode) {
    for (forms::PictureBox* piece : {&Picture2, &Picture3, &Picture4, &Picture5, &Picture7})
      step([&] { piece->setVisible(false); });
    step([&] { setWindowState(forms::kMaximized); });
    step([&] { flash.setScaleMode(scaleMode); });
    step([&] { ShockwaveFlash1.setTop(0); });
    step([&] { ShockwaveFlash1.setLeft(0); });
    step([&] { ShockwaveFlash1.setWidth(services_.screen.widthTwips()); });
    step([&] { ShockwaveFlash1.setHeight(services_.screen.heightTwips()); });
    step([&] { Frame1.setVisible(false); });
  };

  if (command == "oknext") {
    session_.videoEnded();
  } else if (command == "full") {
    fullScreen(kNoBorder);
  } else if (command == "juyuan") {
    fullScreen(kShowAll);
  } else if (command == "yanshen") {
    fullScreen(kExactFit);
  } else if (command == "normal") {
    step([&] { setWindowState(forms::kNormal); });
    step([&] { Frame1.setVisible(false); });
    step([&] { Image16.setVisible(true); });
    step([&] { Image19.setVisible(false); });
    for (forms::PictureBox* piece : {&Picture2, &Picture3, &Picture4, &Picture5, &Picture7})
      step([&] { piece->setVisible(true); });
    step([&] { flash.setScaleMode(kShowAll); });
    step([&] { ShockwaveFlash1.setTop(645); });
    step([&] { ShockwaveFlash1.setLeft(120); });
    step([&] { ShockwaveFlash1.setWidth(Width() - 240); });
    step([&] { ShockwaveFlash1.setHeight(Height() - 1635); });
    step([&] { ShowCursorUntilVisible(services_.cursor); });
  } else if (command == "close") {
    step([&] { Unload(); });
  } else {
    // Anything else, "stop" among them, leaves a fresh player movie.
    session_.resetPlayerMovie();
    step([&] { ShowCursorUntilVisible(services_.cursor); });
  }
}

}  // namespace kv::app
