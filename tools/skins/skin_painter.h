#pragma once
// Drawing of the slider skins: a track with rounded ends on the control bar's colour and round
// thumbs on magenta (the colour the slider leaves transparent).

#include <QColor>
#include <QImage>

#include "slider/bar_setup.h"

namespace kv::skins {

struct Palette {
  QColor background;   // the control bar
  QColor played;       // track before the thumb
  QColor playedLight;  // its upper edge
  QColor remaining;    // track after the thumb
  QColor remainingLight;
};

// The thumb looks of the four states, left to right in the strip.
struct ThumbLook {
  double diameter;
  QColor fill;
  QColor ring;  // transparent: no ring
  double ringWidth;
  QColor dot;  // transparent: no centre dot
  double dotDiameter;
};

// A whole skin: caps, tiles and four thumbs side by side, as the slider cuts it.
QImage paintSkin(const slider::SkinLayout& layout, const Palette& palette, int trackThickness,
                 const ThumbLook (&thumbs)[4]);

// The pointing hand of the slider's custom cursor, 32 x 32 with transparency.
QImage paintCursor();

}  // namespace kv::skins
