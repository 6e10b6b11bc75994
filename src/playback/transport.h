#pragma once
// What a person does to the open file: the transport items of the context menu, the seek bar,
// the volume bar with its presets and channels, and the position display that follows the
// engine 20 times a second. Handlers, keys and the desktop's media controls all come here, so
// each runs exactly the same steps; each change is announced through the session's Changed.

#include <array>

#include "platform/forms/control.h"
#include "platform/forms/menu.h"
#include "platform/forms/timer.h"
#include "playback/playback_session.h"
#include "slider/tvate.h"

namespace kv::playback {

// The window's controls that the transport reads and moves.
struct TransportControls {
  slider::tVate& seekBar;         // tVate1
  slider::tVate& volumeBar;       // volume
  forms::Control& player;         // WindowsMediaPlayer1's place: shown for player media
  forms::Control& flash;          // ShockwaveFlash1's place
  forms::Label& elapsed;          // Label1
  forms::Label& length;           // Label2
  forms::Timer& positionTimer;    // Timer8
  forms::MenuItem& loopItem;      // BUT12
  forms::MenuItem& nextItem;      // BUT14
  forms::MenuItem& previousItem;  // BUT15
  std::array<forms::MenuItem*, 3> volumeItems;   // louder, softer, mute (BUT9A-C)
  std::array<forms::MenuItem*, 3> channelItems;  // left, right, stereo (BUT13A-C)
};

class Transport {
 public:
  Transport(PlaybackSession& session, TransportControls controls);

  // ---- Context menu items (they act on the first player whatever is selected) ------------
  void playPause();     // BUT4
  void closePlayer();   // BUT5
  void fastForward();   // BUT6
  void fastReverse();   // BUT7
  void loopItem();      // BUT12: the mark, and a new start of the selected entry
  void nextItem();      // BUT14: moves up the list
  void previousItem();  // BUT15: moves down the list

  // ---- Seek bar ------------------------------------------------------------------------------
  void seekPress(short button);  // MouseDown: the display stands still, the left button holds
  void seekDrag(short button);   // MouseMove
  void seekRelease();            // MouseUp: seeks once more and plays
  // The bar moved by the share of the length the seconds make (at least one step), released.
  void seekBySeconds(double seconds);
  // The bar moved to the share of the length, released; nothing for a file without seconds.
  void seekToSeconds(double seconds);

  // ---- Volume --------------------------------------------------------------------------------
  void volumeFromBar();          // Click, and a left-button press or drag
  void stepVolume(int delta);    // the bar by steps, then as clicked
  void setVolume(int level);     // the bar to a level, then as clicked
  void volumePreset(int index);  // louder (90), softer (10), mute: the item marked alone
  void channel(int index);       // left, right, stereo: the item marked alone
  // Mute as a person toggles it: muting is the mute item, unmuting only gives the sound back.
  void toggleMute();
  bool muted();
  int volumeLevel() const { return c_.volumeBar.Value(); }

  // ---- Position display (Timer8) -------------------------------------------------------------
  void positionTick();

 private:
  void seekSelected(bool hold);

  PlaybackSession& session_;
  TransportControls c_;
};

}  // namespace kv::playback
