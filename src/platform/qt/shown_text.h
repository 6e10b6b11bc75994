#pragma once
// The program's texts as the view shows them: captions, tool tips, menu items, window titles
// and messages are written in Chinese and kept so in the forms; the view looks each one up in
// the translation of the language shown (the context "Korvelin" of
// resources/translations/korvelin_en.ts) when it draws it. Without a translation the text is
// shown as written.

#include <QString>
#include <string>

namespace kv::view {

inline constexpr char kTextContext[] = "Korvelin";

QString shownText(const std::string& text);
QString shownText(const QString& text);

// A text that is not a described caption (a title, a file name, a chapter name), as the place
// it goes shows it exactly: never translated, and nothing in it read as an access key ("&"), a
// shortcut column (a tab in a menu or tool tip shows as a space), markup (a tool tip) or the
// modified mark ("[*]" in a title).
enum class TextPlace { Caption, Menu, Title, ToolTip };
QString literalText(const std::string& text, TextPlace place);
// The text as shown in that place: literal or a described caption.
QString shownText(const std::string& text, bool literal, TextPlace place);

// Whether the text needs a translation to be read in English (it holds Chinese characters),
// and whether the installed translators give it one.
bool needsTranslation(const QString& text);
bool isTranslated(const QString& text);

}  // namespace kv::view
