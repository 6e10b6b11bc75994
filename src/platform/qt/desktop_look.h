#pragma once
// The look of what the view draws with Qt's own widgets (menus, dialogs, lists, tool tips):
// one dark style that matches the skin, and a font that has the Chinese captions.

class QApplication;

namespace kv::view {

void applyDesktopLook(QApplication& application);

// Two waits of the first window, made to overlap: the font configuration is read on a thread
// while the toolkit connects its accessibility bridge to the session bus (which it would
// otherwise do, and wait for, at the first widget shown). Call it after the application is
// made and before applyDesktopLook.
void overlapStartupWaits();

}  // namespace kv::view
