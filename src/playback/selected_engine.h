#pragma once
// The engine of the file list's selected entry, chosen by its kind: the first player for
// pictures and player media, the Flash component for Flash movies (frames, no seconds) and for
// Flash video (seconds through the player movie's variables). Every decision of playback that
// depends on which engine holds the selected file is made here.

#include <string>

#include "media/components.h"
#include "media/kinds.h"
#include "platform/forms/lists.h"

namespace kv::playback {

// The kind of a file-list entry by its name (the list's own extension rule).
media::MediaKind entryKind(const std::string& name);

// What the program last read from and wrote to the player movie.
struct FlashVideoTexts {
  std::string position, length, seek;
};

class SelectedEngine {
 public:
  SelectedEngine(media::Components& components, const forms::FileListBox& list,
                 FlashVideoTexts& texts);
  // An engine of a kind given (an address plays on the player, not from the list).
  SelectedEngine(media::Components& components, media::MediaKind kind, FlashVideoTexts& texts)
      : components_(components), texts_(texts), kind_(kind) {}

  media::MediaKind kind() const { return kind_; }
  bool hasSeconds() const { return kind_ != media::MediaKind::FlashMovie; }
  // Seconds (0 for a Flash movie); each read fails on its own like the engine's call.
  double length() const;
  double position() const;
  // Moves the engine to a share of the file (the seek bar's 0..100) and holds it there or plays.
  void seekToBar(int barValue, bool hold);
  // The pause and resume of the selected kind; both players are paused or resumed for player
  // media, so that the background music follows the slide show.
  void pause();
  void resume();

 private:
  media::Components& components_;
  FlashVideoTexts& texts_;
  media::MediaKind kind_;
};

}  // namespace kv::playback
