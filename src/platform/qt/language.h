#pragma once
// The language of the program's own texts and of Qt's (standard buttons, the file dialog).
// Chinese whatever the desktop's locale, unless the person has chosen English: this is the one
// place where the translators are installed.

#include <QString>

#include "platform/language.h"

class QApplication;

namespace kv::view {

// The locale name of a language ("zh_CN", "en_US").
QString localeName(Language language);

// Makes the language the one shown (kv::shownLanguage) and the default locale of the widgets,
// and installs its translators in place of any loaded before: for Chinese Qt's translation of
// its own strings, for English ours of the program's texts (Qt's own strings are English).
// False when a translation is missing; the texts concerned then stay as written.
bool loadProgramTranslations(QApplication& application, Language language);

}  // namespace kv::view
