#include "app/language_menu.h"

namespace kv::app {

LanguageMenu::LanguageMenu(forms::MenuItem& menu, WindowHost& windows)
    : separator("menuLanguageSeparator", "-", &menu),
      chinese("menuChinese", "中文", &menu),
      english("menuEnglish", "English", &menu),
      windows_(windows) {
  chinese.Click.connect([this] { choose(Language::Chinese); });
  english.Click.connect([this] { choose(Language::English); });
  mark();
}

void LanguageMenu::choose(Language language) {
  windows_.chooseLanguage(language);
  mark();
}

void LanguageMenu::mark() {
  const Language shown = windows_.language();
  chinese.setChecked(shown == Language::Chinese);
  english.setChecked(shown == Language::English);
}

}  // namespace kv::app
