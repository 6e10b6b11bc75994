#include "platform/qt/shown_text.h"

#include <QCoreApplication>
#include <QTextDocument>

namespace kv::view {
namespace {

// The translation of text, or a null string when there is none.
QString lookUp(const QString& text) {
  const QByteArray source = text.toUtf8();
  const QString found = QCoreApplication::translate(kTextContext, source.constData());
  return found == text ? QString() : found;
}

// A caption ending in a number the program fills in ("版本 9.0.0") is translated without it.
qsizetype numberTail(const QString& text) {
  qsizetype at = text.size();
  while (at > 0 && (text[at - 1].isDigit() || text[at - 1] == QLatin1Char('.'))) --at;
  return at;
}

}  // namespace

bool needsTranslation(const QString& text) {
  for (const QChar c : text)
    if (c.script() == QChar::Script_Han || (c.unicode() >= 0x3000 && c.unicode() <= 0x303F) ||
        (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF))
      return true;
  return false;
}

QString shownText(const QString& text) {
  if (text.isEmpty() || !needsTranslation(text)) return text;
  if (QString found = lookUp(text); !found.isNull()) return found;
  if (const qsizetype head = numberTail(text); head > 0 && head < text.size())
    if (const QString found = lookUp(text.left(head)); !found.isNull())
      return found + text.mid(head);
  return text;
}

QString shownText(const std::string& text) {
  return shownText(QString::fromStdString(text));
}

QString literalText(const std::string& text, TextPlace place) {
  QString shown = QString::fromStdString(text);
  switch (place) {
    case TextPlace::Menu:
      shown.replace(QLatin1Char('\t'), QLatin1Char(' '));
      [[fallthrough]];
    case TextPlace::Caption:
      shown.replace(QLatin1Char('&'), QLatin1String("&&"));
      break;
    case TextPlace::Title:
      shown.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
      break;
    case TextPlace::ToolTip:
      // Tool tips guess rich text; a literal one goes as the HTML that shows it unchanged
      // (a tab as one space, as in a menu).
      shown.replace(QLatin1Char('\t'), QLatin1Char(' '));
      if (!shown.isEmpty()) shown = Qt::convertFromPlainText(shown, Qt::WhiteSpacePre);
      break;
  }
  return shown;
}

QString shownText(const std::string& text, bool literal, TextPlace place) {
  return literal ? literalText(text, place) : shownText(text);
}

bool isTranslated(const QString& text) {
  return !needsTranslation(shownText(text));
}

}  // namespace kv::view
