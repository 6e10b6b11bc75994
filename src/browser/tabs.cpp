// The tab strip above the video area.

#include "app/form1.h"
#include "platform/errors.h"
#include "window/cursor.h"

namespace kv::app {
namespace {
constexpr std::uint32_t kTabHighlight = 16750899;  // RGB 51, 153, 255
constexpr std::uint32_t kTabPlain = 0xFFFFFF;
}  // namespace

void Form1::Label8_Click() {
  step([&] { window::ShowCursorUntilVisible(services_.cursor); });
  step([&] { Timer1.setEnabled(false); });
  step([&] { Timer2.setEnabled(false); });
  step([&] { Timer4.setEnabled(false); });
  step([&] { WindowsMediaPlayer1.setVisible(false); });
  step([&] { WindowsMediaPlayer1.object().close(); });
  step([&] { ShockwaveFlash1.setVisible(false); });
  step([&] { ShockwaveFlash1.object().Stop(); });
  step([&] { ShockwaveFlash1.object().setMovie(appFolder() + "/0.swf"); });
  step([&] { WebBrowser1.setVisible(true); });
  step([&] { WebBrowser1.ZOrder(0); });
  step([&] { WebBrowser1.object().Navigate(kBlogAddress); });
  step([&] { Label8.setForeColor(kTabHighlight); });
  for (forms::Label* plain : {&Label3, &Label7, &Label6, &Label9})
    step([&] { plain->setForeColor(kTabPlain); });
}

}  // namespace kv::app
