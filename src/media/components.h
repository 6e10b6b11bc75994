#pragma once
// The components hosted by the main window, created by the caller (real engines in the player,
// test doubles in tests) and living as long as the window.

#include "media/flash/flash_player.h"
#include "media/player/media_player.h"
#include "media/web/web_page.h"

namespace kv::media {

struct Components {
  MediaPlayer& player1;  // video, audio and pictures
  MediaPlayer& player2;  // background music of the slide show
  FlashPlayer& flash;
  WebPage& web;
};

}  // namespace kv::media
