#pragma once
// How the forms runtime's values look on the desktop: twips to pixels, colours, fonts and
// pointer shapes. Values Qt would refuse (huge or not-a-number sizes, a font of a thousand
// points) are brought into range here, so that no widget ever sees them.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QRect>
#include <cstdint>
#include <optional>

#include "platform/qt/input_codes.h"

namespace kv::forms {
class Control;
}

namespace kv::view {

// Twips to logical pixels (15 to the pixel; Qt applies the screen's device pixel ratio).
int pixels(float twips);
// The control's rectangle in its container, in logical pixels. A line without width or height
// still gets one pixel, so that it can be drawn.
QRect pixelRect(const forms::Control& control);
// Logical pixels (fractions allowed) to twips.
float twips(double pixels);

// A colour of the runtime (blue-green-red; with the high bit set, a system colour index).
QColor colour(std::uint32_t bgr);

// The colours a control is shown in: its own, except where a framed window (a dialog) keeps
// the runtime's defaults, white ground and black text, which no design chose: there the
// desktop look's window and text colours, so every dialog has the one look.
QColor shownBackColour(const forms::Control& control);
QColor shownForeColour(const forms::Control& control);

// The installed family that has the Chinese captions, the first of a few common ones; empty
// when none is installed.
QString chineseFamily();

// The caption font of a control: its family, or the CJK family when it names none (the
// captions are Chinese), its size clamped to what can be drawn, bold or not.
QFont captionFont(const forms::Control& control);

// The pointer shape a control asks for; nothing means "the container's" (MousePointer 0 on a
// control without a window of its own).
std::optional<QCursor> pointerShape(const forms::Control& control);

// A key as the runtime's KeyDown carries it (the classic virtual-key numbers: letters and
// digits as their upper-case characters, 13 Enter, 27 Escape, 32 Space, 33/34 Page Up/Down,
// 37-40 the arrows); 0 for a key the runtime has no code for.
int keyCode(int qtKey);

}  // namespace kv::view
