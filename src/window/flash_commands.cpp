// The commands a running Flash movie sends through FSCommand: the display modes of the Flash
// component here; the player movie's end and reset go to the playback session.

#include "platform/cursor.h"
#include "platform/errors.h"
#include "window/presentation.h"

namespace kv::window {
namespace {

// Scale modes of the Flash component.
constexpr int kShowAll = 0;
constexpr int kNoBorder = 1;
constexpr int kExactFit = 2;

}  // namespace

void Presentation::ShockwaveFlash1_FSCommand(const std::string& command,
                                             const std::string& /*args*/) {
  auto& flash = s_.flash;

  const auto fullScreen = [&](int scaleMode) {
    for (forms::PictureBox* piece :
         {&s_.Picture2, &s_.Picture3, &s_.Picture4, &s_.Picture5, &s_.Picture7})
      step([&] { piece->setVisible(false); });
    step([&] { s_.form.setWindowState(forms::kMaximized); });
    step([&] { flash.setScaleMode(scaleMode); });
    step([&] { s_.ShockwaveFlash1.setTop(0); });
    step([&] { s_.ShockwaveFlash1.setLeft(0); });
    step([&] { s_.ShockwaveFlash1.setWidth(services_.screen.widthTwips()); });
    step([&] { s_.ShockwaveFlash1.setHeight(services_.screen.heightTwips()); });
    step([&] { s_.Frame1.setVisible(false); });
  };

  if (command == "oknext") {
    host_.videoEnded();
  } else if (command == "full") {
    fullScreen(kNoBorder);
  } else if (command == "juyuan") {
    fullScreen(kShowAll);
  } else if (command == "yanshen") {
    fullScreen(kExactFit);
  } else if (command == "normal") {
    step([&] { s_.form.setWindowState(forms::kNormal); });
    step([&] { s_.Frame1.setVisible(false); });
    step([&] { s_.Image16.setVisible(true); });
    step([&] { s_.Image19.setVisible(false); });
    for (forms::PictureBox* piece :
         {&s_.Picture2, &s_.Picture3, &s_.Picture4, &s_.Picture5, &s_.Picture7})
      step([&] { piece->setVisible(true); });
    step([&] { flash.setScaleMode(kShowAll); });
    step([&] { s_.ShockwaveFlash1.setTop(645); });
    step([&] { s_.ShockwaveFlash1.setLeft(120); });
    step([&] { s_.ShockwaveFlash1.setWidth(s_.form.Width() - 240); });
    step([&] { s_.ShockwaveFlash1.setHeight(s_.form.Height() - 1635); });
    step([&] { ShowCursorUntilVisible(services_.cursor); });
  } else if (command == "close") {
    step([&] { s_.form.Unload(); });
  } else {
    // Anything else, "stop" among them, leaves a fresh player movie.
    host_.resetPlayerMovie();
    step([&] { ShowCursorUntilVisible(services_.cursor); });
  }
}

}  // namespace kv::window
