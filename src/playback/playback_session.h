#pragma once
// The playback session: the open file and its index in the file list, the list buttons'
// position, the automatic advance and the exchange with the Flash video player movie. The main
// window's handlers, its keys and the desktop's media controls all drive playback through it;
// it reaches the window's controls only through PlaybackLayout.

#include <cstdint>
#include <string>

#include "media/components.h"
#include "media/open_routes.h"
#include "media/open_step.h"
#include "platform/event.h"
#include "platform/forms/lists.h"
#include "platform/forms/timer.h"
#include "platform/services.h"
#include "playback/playback_layout.h"
#include "playback/selected_engine.h"

namespace kv::playback {

// The window's timers that follow playback.
struct PlaybackTimers {
  forms::Timer& slideShow;    // Timer1: the next picture
  forms::Timer& flashStart;   // Timer2: start delay of a Flash movie
  forms::Timer& followUp;     // Timer4: the next entry after player media or a Flash movie
  forms::Timer& flashLimit;   // Timer5: three-minute limit of a Flash movie
  forms::Timer& listSearch;   // Timer6: selects the file opened from elsewhere
  forms::Timer& videoEnded;   // Timer7: the next entry after a Flash video
  forms::Timer& position;     // Timer8: position and time display
  forms::Timer& paused;       // Timer9: the paused marker (never ticks)
  forms::Timer& videoSearch;  // Timer10: the list search of a Flash video
};

// What changed in playback, as those who follow it (the desktop's media controls) hear it.
enum class PlaybackChange { File, PlayState, Position, Volume };

class PlaybackSession {
 public:
  // `flashDeadline` is the window's one deadline that the Flash movie limit shares with the
  // promotion window.
  PlaybackSession(media::Components& components, forms::FileListBox& list, PlaybackTimers timers,
                  Services& services, PlaybackLayout& layout, std::int64_t& flashDeadline);

  // ---- Shared state ----------------------------------------------------------------------
  std::string currentFile;        // full path of the file last opened from the file list
  std::int32_t currentIndex = 0;  // its entry; the automatic advance works from it
  std::int16_t navIndex = 0;      // the entry the list buttons move, theirs alone
  // The player movie's last position and length read, and the last seek target written.
  FlashVideoTexts flv;
  // The player movie reported a length for the open video (it played).
  bool flashVideoPlayed = false;

  // Raised after each change, once the engines were told.
  Event<PlaybackChange> Changed;
  // A file a person opened (from the list, the Open dialog, a drop, the command line), with its
  // path, after it went to its engine; not the files the automatic advance or the list search
  // open on their way.
  Event<const std::string&> Chosen;

  // The engine of the selected entry, or the player while an address plays.
  SelectedEngine selected();
  // The network address playing apart from the list, "" when a file is open.
  const std::string& address() const { return address_; }
  media::Components& components() { return components_; }
  forms::FileListBox& list() { return list_; }

  // ---- Opening ---------------------------------------------------
  // The open step: the name selected in the file list goes to the engine of its kind.
  void openSelected();
  // Hands `path` of `kind` to its engine the way `route` does (the table of open_routes.h).
  void open(media::OpenRoute route, media::MediaKind kind, const std::string& path);
  // Plays a network address a person typed on the player, as player media; the file list stays
  // where it was and nothing follows the address when it ends.
  void openAddress(const std::string& address);

  // ---- Transport ---------------------------------------------------------------------------
  void pause();
  void stop();
  // Clears the paused marker and resumes the selected file's engine; false when nothing was
  // paused.
  bool resumeIfPaused();
  // The list buttons: up or down from navIndex with a wrap at both ends; the picture layout's
  // keep the slide show going.
  void listButton(bool down, bool pictureLayout);

  // ---- Automatic advance -------------------------------------------------------------------
  // The next-entry rule: wraps currentIndex to -1 past the last entry; returns the next index.
  int nextEntry();
  void slideShowTick();
  void flashStartTick();
  void followUpTick();
  void flashLimitTick();
  void videoEndedTick();
  // Selects the entry named `name` (the list search of a file opened from elsewhere).
  void listSearch(forms::Timer& timer, const std::string& name);

  // ---- The Flash video player movie ----------------------------------------------------------
  // Idle movie, then the player movie, then the video path and Play.
  void loadFlashVideo(const std::string& path);
  // Idle movie, then a fresh player movie with no video.
  void resetPlayerMovie();
  // The player movie reported the end of its video: the next entry a second later.
  void videoEnded();
  // The background music plays on for ever: a stop starts it again.
  void musicStateChanged(int newState);

 private:
  std::string appFolder() const;
  void mediaListCommand();
  void pictureListCommand(bool down);
  void moveNavIndex(bool down);
  // Whether the Flash component still holds the Flash movie the open step gave it.
  bool flashMovieOpen() const;
  // Selects the next entry (which opens it); `played` says whether the entry being left was
  // seen playing. Returns false when the advance stopped instead: a whole pass of entries that
  // would not play.
  bool advanceToNextEntry(bool played);
  void stopAutomaticAdvance();
  void armFlashLimit();

  media::Components& components_;
  forms::FileListBox& list_;
  PlaybackTimers timers_;
  Services& services_;
  PlaybackLayout& layout_;
  std::int64_t& flashDeadline_;
  media::OpenStep openStep_;
  ScopedConnection playStateLink_;
  // Consecutive automatic advances away from entries that did not play.
  int unplayedAdvances_ = 0;
  bool advancing_ = false;  // the open step runs for an automatic advance
  bool searching_ = false;  // the list search selects the file opened from elsewhere
  std::string address_;
};

}  // namespace kv::playback
