#include "media/open_routes.h"

namespace kv::media {
namespace {

using T = OpenTimer;
using L = FlashLoad;
using P = OpenPlace;

// Rows by route, then by kind in the order of MediaKind: Picture, FlashMovie, FlashVideo,
// PlayerMedia.
const std::array<std::array<OpenWay, 4>, 4>& table() {
  static const std::array<std::array<OpenWay, 4>, 4> rows{{
      // The file list: the open step stopped every follow-up before; the kind starts its own.
      {{
          {.place = P::Refit, .flash = L::Idle, .on = {T::SlideShow}},
          {.place = P::Refit,
           .closePlayer = true,
           .flash = L::Movie,
           .off = {T::FollowUp},
           .on = {T::FlashStart}},
          {.place = P::Refit,
           .closePlayer = true,
           .flashToFront = true,
           .flash = L::Video,
           .off = {T::FollowUp}},
          {.place = P::Refit, .flash = L::Idle, .on = {T::FollowUp}},
      }},
      // The browse tab: the list moves to the file's folder with a pattern of its kind, and
      // the list search selects the file there where the kind keeps to the list.
      {{
          {.pattern = PicturePattern, .flash = L::Idle, .on = {T::SlideShow}},
          {.pattern = FlashMoviePattern,
           .closePlayer = true,
           .flashToFront = true,
           .flash = L::Movie,
           .on = {T::FlashStart, T::Position}},
          {.pattern = FlashVideoPattern,
           .closePlayer = true,
           .flashToFront = true,
           .panelToFront = true,
           .flash = L::VideoLater,
           .off = {T::FollowUp},
           .on = {T::VideoSearch}},
          {.pattern = MediaPatternMusicFirst,
           .flash = L::Idle,
           .on = {T::ListSearch, T::FollowUp, T::Position}},
      }},
      // The command line: the window has its start-up layout and nothing to close; the start
      // rule yields no pictures.
      {{
          {.opens = false},
          {.buttons = false,
           .place = P::Whole,
           .flash = L::MovieAndPlay,
           .on = {T::ListSearch, T::Position, T::FollowUp}},
          {.buttons = false,
           .place = P::Whole,
           .flashToFront = true,
           .flash = L::VideoAtStart,
           .on = {T::VideoSearch}},
          {.buttons = false,
           .place = P::Whole,
           .flash = L::None,
           .on = {T::ListSearch, T::Position, T::FollowUp}},
      }},
      // An address: only the player takes it; the list stays as it is and, with no follow-up,
      // nothing plays after it.
      {{
          {.opens = false},
          {.opens = false},
          {.opens = false},
          {.address = true, .flash = L::Idle, .off = {T::FollowUp}, .on = {T::Position}},
      }},
  }};
  return rows;
}

}  // namespace

const OpenWay& openWay(OpenRoute route, MediaKind kind) {
  return table()[static_cast<int>(route)][static_cast<int>(kind)];
}

bool playsOnPlayer(MediaKind kind) {
  return kind == MediaKind::Picture || kind == MediaKind::PlayerMedia;
}

}  // namespace kv::media
