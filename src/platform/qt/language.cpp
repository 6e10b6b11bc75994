#include "platform/qt/language.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kv::view {

QString programLanguage() {
  return QStringLiteral("zh_CN");
}

bool loadProgramTranslations(QApplication& application, const QString& language) {
  // One translator of Qt's for the whole program, owned by the application.
  static QTranslator* translator = nullptr;
  if (translator) {
    QApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
  }
  const QLocale locale(language);
  QLocale::setDefault(locale);
  auto* qt = new QTranslator(&application);
  // "qt_" pulls in the modules' catalogues (qtbase_, qtmultimedia_, ...).
  if (!qt->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete qt;
    return false;
  }
  QApplication::installTranslator(qt);
  translator = qt;
  return true;
}

}  // namespace kv::view
