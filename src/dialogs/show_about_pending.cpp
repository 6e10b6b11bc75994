// The About box comes with its own window; until then the menu item only closes the menu.

#include "app/form1.h"

namespace kv::app {

void Form1::showAbout() {}

}  // namespace kv::app
