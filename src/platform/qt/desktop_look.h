#pragma once
// The look of what the view draws with Qt's own widgets (menus, dialogs, lists, tool tips):
// one dark style that matches the skin, and a font that has the Chinese captions.

class QApplication;

namespace kv::view {

void applyDesktopLook(QApplication& application);

}  // namespace kv::view
