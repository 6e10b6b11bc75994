#pragma once
// Showing and hiding the mouse cursor drives the display count across 0 whatever it was, so
// repeated hides or shows never accumulate.

#include "platform/services.h"

namespace kv {

void ShowCursorUntilVisible(CursorService& cursor);
void HideCursorUntilHidden(CursorService& cursor);

}  // namespace kv
