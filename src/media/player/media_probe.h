#pragma once
// Asks the engine what a file holds without playing it (the --probe command line).

#include <string>

namespace kv::media {

struct MediaProbe {
  bool ok = false;      // the engine can play the file
  double duration = 0;  // seconds; 0 for a still picture or an unknown length
  bool video = false;   // it has a picture track (video or still image, not cover art)
  std::string error;    // why not, when !ok
};

// Opens the file paused in a headless engine and waits at most timeoutMs for it to load.
// Needs no Qt application; blocks the calling thread for at most about the timeout.
MediaProbe probeMedia(const std::string& path, int timeoutMs = 10000);

}  // namespace kv::media
