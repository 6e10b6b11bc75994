// The cursor-wake check shared by the main window's mouse-move handlers: the first move records
// a reference point, and any later move more than one unit away from it shows the cursor.

#include <cmath>

#include "platform/cursor.h"
#include "platform/errors.h"
#include "window/presentation.h"

namespace kv::window {

void Presentation::CursorWakeCheck(float x, float y, bool maximisedOnly, bool arming) {
  if (maximisedOnly && s_.form.WindowState() != forms::kMaximized) return;
  if (s_.form.CurrentX() == 0 && s_.form.CurrentY() == 0) {
    s_.form.setCurrentX(x);
    s_.form.setCurrentY(y);
    return;
  }
  // The reference point stays where it was first recorded.
  if (std::fabs(y - s_.form.CurrentY()) > 1 || std::fabs(x - s_.form.CurrentX()) > 1) {
    step([&] { ShowCursorUntilVisible(services_.cursor); });
    if (arming) step([&] { s_.Timer3.setEnabled(true); });
  }
}

}  // namespace kv::window
