#pragma once
// The choice of language at the end of the main window's context menu: "中文" and "English",
// each written in its own language, the one shown marked. The choice is the window host's:
// it shows the texts in that language from then on and keeps it for the next start.

#include "platform/forms/menu.h"
#include "platform/window_host.h"

namespace kv::app {

class LanguageMenu {
 public:
  // Appends the items to menu, after whatever it holds.
  LanguageMenu(forms::MenuItem& menu, WindowHost& windows);

  void choose(Language language);
  // Marks the language shown.
  void mark();

  forms::MenuItem separator;
  forms::MenuItem chinese;
  forms::MenuItem english;

 private:
  WindowHost& windows_;
};

}  // namespace kv::app
