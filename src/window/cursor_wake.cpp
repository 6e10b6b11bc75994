// The cursor-wake check shared by the main window's mouse-move handlers: the first move records
// a reference point, and any later move more than one unit away from it shows the cursor.

#include <cmath>

#include "app/form1.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::CursorWakeCheck(float x, float y, bool maximisedOnly, bool arming) {
  if (maximisedOnly && WindowState() != forms::kMaximized) return;
  if (CurrentX() == 0 && CurrentY() == 0) {
    setCurrentX(x);
    setCurrentY(y);
    return;
  }
  // The reference point stays where it was first recorded.
  if (std::fabs(y - CurrentY()) > 1 || std::fabs(x - CurrentX()) > 1) {
    step([&] { ShowCursorUntilVisible(services_.cursor); });
    if (arming) step([&] { Timer3.setEnabled(true); });
  }
}

}  // namespace kv::app
