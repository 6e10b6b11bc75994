#include "platform/qt/language.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/qt/shown_text.h"

namespace kv::view {

QString localeName(Language language) {
  return language == Language::English ? QStringLiteral("en_US") : QStringLiteral("zh_CN");
}

bool loadProgramTranslations(QApplication& application, Language language) {
  // The translators of the language shown, owned by the application.
  static QTranslator* qt = nullptr;
  static QTranslator* program = nullptr;
  for (QTranslator** t : {&qt, &program})
    if (*t) {
      QApplication::removeTranslator(*t);
      delete *t;
      *t = nullptr;
    }
  setShownLanguage(language);
  // Texts composed outside the view (messages over the video, track names) are translated
  // with the same catalogue as the view's own.
  setTextLookup([](const std::string& chinese) { return shownText(chinese).toStdString(); });
  const QLocale locale(localeName(language));
  QLocale::setDefault(locale);
  // The program's texts are written in Chinese; Qt's own strings in English.
  const bool english = language == Language::English;
  auto* translator = new QTranslator(&application);
  // "qt_" pulls in the modules' catalogues (qtbase_, qtmultimedia_, ...).
  const bool loaded = english
                          ? translator->load(QStringLiteral(":/translations/korvelin_en.qm"))
                          : translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (!loaded) {
    delete translator;
    return false;
  }
  QApplication::installTranslator(translator);
  (english ? program : qt) = translator;
  return true;
}

}  // namespace kv::view
