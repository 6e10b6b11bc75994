#pragma once
// A headless player (no picture, no sound device) on a running Qt event loop.

#include <gtest/gtest.h>
#include <mpv/client.h>

#include <QCoreApplication>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "media/player/mpv_player.h"
#include "test_media.h"

namespace kv::test {

// An engine property as text ("" when the engine has none).
inline std::string engineText(media::MpvPlayer& p, const char* name) {
  char* text = mpv_get_property_string(p.core(), name);
  std::string out = text ? text : "";
  mpv_free(text);
  return out;
}

inline void ensureCoreApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "player_test";
  static char* argv[] = {name, nullptr};
  new QCoreApplication(argc, argv);  // lives until the process ends
  media::useCNumericLocale();
}

class PlayerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ensureCoreApplication(); }

  void SetUp() override {
    player = std::make_unique<media::MpvPlayer>(playerOptions());
    player->PlayStateChange.connect([this](int s) { states.push_back(s); });
  }
  virtual media::MpvOptions playerOptions() { return media::MpvOptions::headless(); }

  bool waitForState(int state, int timeoutMs = 10000) {
    return pumpUntil([&] { return player->playState() == state; }, timeoutMs);
  }
  // Opens the file and waits until it plays (or has played: a short clip on a busy machine
  // may be at its end by the time we look, and the engine may report its start and its end in
  // one batch, so that "playing" is never raised). Bounded only against a hang.
  void openPlaying(const std::string& path) {
    const std::size_t before = states.size();
    player->setURL(path);
    ASSERT_TRUE(pumpUntil(
        [&] {
          const auto since = states.begin() + static_cast<std::ptrdiff_t>(before);
          const bool playedThrough = player->playState() == media::kStopped &&
                                     player->errorText().empty() && since != states.end();
          return player->playState() == media::kPlaying || playedThrough ||
                 std::find(since, states.end(), media::kPlaying) != states.end();
        },
        30000))
        << "state " << player->playState() << " " << player->errorText();
  }

  TestMedia media;
  std::unique_ptr<media::MpvPlayer> player;
  std::vector<int> states;  // every PlayStateChange, in order
};

}  // namespace kv::test
