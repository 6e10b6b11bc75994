#pragma once
// The program icon: a blue rounded square with a white play symbol. One description serves
// the PNG sizes of the icon theme, the title bar's small icon and the scalable SVG.

#include <QColor>
#include <QImage>
#include <QString>

namespace kv::skins {

// The icon at size x size pixels on a transparent background.
QImage paintIcon(int size);

// The icon drawn on an opaque background (the title bar behind it).
QImage paintIconOn(const QImage& background);

// The same icon as an SVG document.
QString iconSvg();

}  // namespace kv::skins
