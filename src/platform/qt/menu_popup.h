#pragma once
// A menu of the forms runtime as a Qt popup at the mouse pointer: captions with their access
// keys, check marks, disabled and hidden items, separators and sub-menus. While it is open
// it follows changes to the items (a timer may tick a mark meanwhile).

class QWidget;

namespace kv::forms {
class MenuItem;
}

namespace kv::view {

// Runs the popup (modal) and returns the item chosen, or nullptr when it was dismissed. The
// caller raises the item's Click once the menu has closed.
forms::MenuItem* runPopupMenu(forms::MenuItem& menu, QWidget* parent);

}  // namespace kv::view
