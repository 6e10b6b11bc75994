#include "platform/qt/shown_text.h"

#include <QCoreApplication>

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

bool isTranslated(const QString& text) {
  return !needsTranslation(shownText(text));
}

}  // namespace kv::view
