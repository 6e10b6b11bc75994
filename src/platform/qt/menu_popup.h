#pragma once
// A menu of the forms runtime as a Qt popup at the mouse pointer: captions with their access
// keys, check marks, disabled and hidden items, separators and sub-menus. While it is open
// it follows changes to the items (a timer may tick a mark meanwhile).

#include <QPoint>
#include <optional>

class QWidget;

namespace kv::forms {
class MenuItem;
}

namespace kv::view {

// Runs the popup (modal) and returns the item chosen, or nullptr when it was dismissed. The
// caller raises the item's Click once the menu has closed.
// Opened at a point (global pixels) rather than the pointer, it starts with its first item
// selected, as a menu opened from the keyboard does.
forms::MenuItem* runPopupMenu(forms::MenuItem& menu, QWidget* parent,
                              std::optional<QPoint> at = std::nullopt);

}  // namespace kv::view
