// The cursor-wake check shared by the mouse-move handlers of the main window.

#include <cmath>

#include "app/form1.h"
#include "platform/errors.h"
#include "window/cursor.h"

namespace kv::app {

void Form1::CursorWakeCheck(float X, float Y, bool arming) {
  if (WindowState() != forms::kMaximized) return;
  if (CurrentX() == 0 && CurrentY() == 0) {
    setCurrentX(X);
    setCurrentY(Y);
    return;
  }
  // The reference point stays where it was: every later move away from it counts.
  if (std::fabs(Y - CurrentY()) > 1 || std::fabs(X - CurrentX()) > 1) {
    step([&] { window::ShowCursorUntilVisible(services_.cursor); });
    if (arming) step([&] { Timer3.setEnabled(true); });
  }
}

}  // namespace kv::app
