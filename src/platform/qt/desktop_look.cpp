#include "platform/qt/desktop_look.h"

#include <fontconfig/fontconfig.h>

#include <QAccessible>
#include <QApplication>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <thread>

#include "platform/qt/convert.h"

namespace kv::view {

namespace {
// The standard buttons of message boxes and dialogs carry their text alone, as the program's
// own buttons do: no tick or cross beside "确定" and "取消".
class ProgramStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};
}  // namespace

void applyDesktopLook(QApplication& application) {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
    QApplication::setStyle(new ProgramStyle(fusion));
  // The skin's colours: panels RGB 30, 31, 36, text light grey, the tabs' highlight blue.
  const QColor panel(30, 31, 36), base(22, 23, 27), text(225, 227, 232), accent(51, 153, 255);
  QPalette p;
  p.setColor(QPalette::Window, panel);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, panel);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, panel.lighter(130));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::Highlight, accent);
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, text.darker(160));
  p.setColor(QPalette::Light, panel.lighter(160));
  p.setColor(QPalette::Midlight, panel.lighter(130));
  p.setColor(QPalette::Mid, panel.darker(120));
  p.setColor(QPalette::Dark, panel.darker(160));
  p.setColor(QPalette::Shadow, Qt::black);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, text.darker(190));
  application.setPalette(p);

  QFont font = QApplication::font();
  QStringList families{font.family()};
  if (const QString chinese = chineseFamily(); !chinese.isEmpty()) families << chinese;
  font.setFamilies(families);
  QApplication::setFont(font);
}

void overlapStartupWaits() {
  std::jthread fonts([] { FcInit(); });
  QAccessible::isActive();
  // Joined before the toolkit needs fonts: a second configuration read alongside would cost
  // more than waiting for the rest of the first.
}

}  // namespace kv::view
