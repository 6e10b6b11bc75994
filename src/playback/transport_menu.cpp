// The transport items of the context menu. They act on the first player only, whatever the
// selected file is.

#include "platform/errors.h"
#include "playback/transport.h"

namespace kv::playback {

Transport::Transport(PlaybackSession& session, TransportControls controls)
    : session_(session), c_(controls) {}

void Transport::playPause() {
  auto& player = session_.components().player1;
  step([&] {
    if (player.playState() == media::kPlaying)
      player.pause();
    else
      player.play();
  });
}

void Transport::closePlayer() {
  step([&] { session_.components().player1.close(); });
}

void Transport::fastForward() {
  step([&] { session_.components().player1.fastForward(); });
}

void Transport::fastReverse() {
  step([&] { session_.components().player1.fastReverse(); });
}

void Transport::loopItem() {
  if (c_.loopItem.Checked()) {
    c_.loopItem.setChecked(false);
    return;
  }
  c_.loopItem.setChecked(true);
  session_.openSelected();  // starts the selected file again
}

namespace {

// Checked: plays and removes the mark. Unchecked: takes the mark from the other item and moves
// along the list with the media layout's list button.
void nextPrevious(PlaybackSession& session, forms::MenuItem& item, forms::MenuItem& other,
                  bool down) {
  if (item.Checked()) {
    step([&] { session.components().player1.play(); });
    item.setChecked(false);
    return;
  }
  item.setChecked(true);
  other.setChecked(false);
  session.listButton(down, false);
}

}  // namespace

// "Next file" moves up the list and "previous file" down it: the pairing is as it always was.
void Transport::nextItem() {
  nextPrevious(session_, c_.nextItem, c_.previousItem, false);
}

void Transport::previousItem() {
  nextPrevious(session_, c_.previousItem, c_.nextItem, true);
}

}  // namespace kv::playback
