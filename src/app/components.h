#pragma once
// The components hosted by the main window, created by the caller (real engines in the player,
// test doubles in tests) and living as long as the window.

#include "media/flash/flash_player.h"
#include "media/player/media_player.h"
#include "media/web/web_page.h"

namespace kv::app {

struct Components {
  media::MediaPlayer& player1;  // video, audio and pictures
  media::MediaPlayer& player2;  // background music of the slide show
  media::FlashPlayer& flash;
  media::WebPage& web;
};

}  // namespace kv::app
