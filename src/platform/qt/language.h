#pragma once
// The language of the program's own texts and of Qt's (standard buttons, the file dialog).
// The texts are Chinese whatever the desktop's locale: this is the one place where that is
// decided, so that a choice of language can take over here.

#include <QString>

class QApplication;

namespace kv::view {

// The language the program shows, as a locale name ("zh_CN").
QString programLanguage();

// Loads Qt's translations for the language into the application (replacing any loaded before)
// and makes it the default locale of the widgets. False when Qt has no translation for it: the
// standard texts then stay English.
bool loadProgramTranslations(QApplication& application, const QString& language);

}  // namespace kv::view
