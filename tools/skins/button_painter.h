#pragma once
// The buttons of the title bar and the control bar, drawn on the bar behind them: light
// symbols at rest; under the mouse a soft key (red for close) with a white symbol. The main
// play button is a light disc like the sliders' thumbs and turns blue under the mouse.

#include <QImage>

namespace kv::skins {

enum class TitleGlyph { Menu, Minimise, Maximise, Restore, Close };
enum class BarGlyph { Play, Music, Pause, Previous, Next, PlaySelected, Stop, FullScreen };
enum class Channel { Left, Both, Right };

// A title button hanging from the top of the title bar.
QImage paintTitleButton(TitleGlyph glyph, int width, int height, bool hover);

// A control-bar button whose top is `top` pixels below the control bar's top.
QImage paintBarButton(BarGlyph glyph, int width, int height, int top, bool hover);

// The speaker beside the volume bar.
// With muted, a cross instead of the sound waves.
QImage paintVolumeIcon(int width, int height, int top, bool muted = false);

// One channel selector: its segment of the three-part pill, lit when selected.
QImage paintChannel(Channel which, int width, int height, int top, bool selected);

}  // namespace kv::skins
