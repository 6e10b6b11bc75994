#pragma once
// The colours every skin picture is drawn with: a flat dark charcoal, the player's highlight
// blue and light glyphs, the same as the slider bars use.

#include <QColor>

#include "slider/bar_setup.h"

namespace kv::skins::style {

inline QColor fromBgr(unsigned bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// The control bar (the colour the bar skins were drawn on), the edges and the title bar's foot.
inline QColor base() {
  return fromBgr(kv::slider::kSkinBackgroundBgr);
}  // 30, 31, 36
inline const QColor kTitleTop(40, 42, 49);   // the title bar fades from this into base()
inline const QColor kHighlight(54, 56, 65);  // top rim of the title bar and the control bar
inline const QColor kAccent(51, 153, 255);   // the tabs' highlight blue
inline const QColor kAccentLight(98, 178, 255);
inline const QColor kThumb(236, 239, 243);  // the sliders' thumbs
inline const QColor kGlyph(196, 200, 209);  // button symbols at rest
inline const QColor kGlyphHover(255, 255, 255);
inline const QColor kGlyphDim(132, 137, 148);
inline const QColor kHoverFill(52, 54, 63);  // behind a symbol under the mouse
inline const QColor kCloseFill(229, 72, 77);
inline const QColor kSegment(50, 52, 61);  // channel selector at rest

}  // namespace kv::skins::style
