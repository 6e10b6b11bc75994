#include "platform/cursor.h"

namespace kv {
namespace {
// A display count can only be a few steps away from 0; the bound keeps a misbehaving cursor
// service from hanging the user-interface thread.
constexpr int kMaxSteps = 1024;
}  // namespace

void ShowCursorUntilVisible(CursorService& cursor) {
  for (int i = 0; i < kMaxSteps; ++i)
    if (cursor.ShowCursor(true) >= 0) return;
}

void HideCursorUntilHidden(CursorService& cursor) {
  for (int i = 0; i < kMaxSteps; ++i)
    if (cursor.ShowCursor(false) < 0) return;
}

}  // namespace kv
