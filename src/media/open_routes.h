#pragma once
// Open-by-kind: the three routes by which a file reaches an engine (the file list, a file
// chosen in the Open dialog or dropped, the file of the command line) hand each kind over the
// same way and differ only in the rows of this table.

#include <array>

#include "media/kinds.h"

namespace kv::media {

enum class OpenRoute {
  List,     // the open step: a name selected in the file list
  Chosen,   // the browse tab: a file chosen in the Open dialog or dropped on the window
  Start,    // the file of the command line, by the start rule
  Address,  // a network address a person typed: played apart from the file list
};

// How the engine that takes the file is placed before it is shown.
enum class OpenPlace {
  Keep,   // where the layout put it
  Refit,  // the player at the width of the video area, the Flash component at its height
  Whole,  // every side of the video area, as at start-up
};

// What the Flash component is given.
enum class FlashLoad {
  None,          // nothing (the player takes the file and the Flash component is left as is)
  Idle,          // the idle movie (the player takes the file)
  Movie,         // the file as the movie
  MovieAndPlay,  // the file as the movie, then Play
  Video,         // idle movie, player movie, the file's path in "testVar", Play
  VideoLater,    // idle movie, player movie, Play: the list search hands the path over
  VideoAtStart,  // player movie, the file's path in "testVar", Play
};

// The follow-up timers of a route, in the order they are switched.
enum class OpenTimer { None, SlideShow, FlashStart, FollowUp, ListSearch, Position, VideoSearch };
using OpenTimers = std::array<OpenTimer, 3>;

struct OpenWay {
  bool opens = true;              // false: the route never opens this kind
  bool address = false;           // the player is given a network address, not a file
  bool buttons = true;            // sets the button layout of the kind
  const char* pattern = nullptr;  // the file list's pattern for the kind; nullptr keeps it
  OpenPlace place = OpenPlace::Keep;
  bool closePlayer = false;  // a Flash kind closes the player's file before hiding it
  bool flashToFront = false;
  bool panelToFront = false;  // the hidden file panel above the Flash component when it returns
  FlashLoad flash = FlashLoad::None;
  OpenTimers off{};  // switched off before the hand-over
  OpenTimers on{};   // switched on after it
};

// The row of a route and a kind.
const OpenWay& openWay(OpenRoute route, MediaKind kind);

// Whether the kind plays on the media player component (else on the Flash component).
bool playsOnPlayer(MediaKind kind);

}  // namespace kv::media
