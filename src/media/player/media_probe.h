#pragma once
// Asks the engine what a file holds without playing it (the --probe command line).

#include <memory>
#include <string>

namespace kv::media {

struct MediaProbe {
  bool ok = false;      // the engine can play the file
  double duration = 0;  // seconds; 0 for a still picture or an unknown length
  bool video = false;   // it has a picture track (video or still image, not cover art)
  std::string error;    // why not, when !ok
};

// Probes file after file on one headless engine core, made on first use: opening a core costs
// far more than opening a small file. A file opens the way the player opens it (mpv_open.h).
// Needs no Qt application; each probe blocks the calling thread for at most about the timeout.
// Meant for a process that probes: the first probe keeps the engine's large per-file buffers
// on the heap for the rest of the process instead of in mappings of their own.
class MediaProber {
 public:
  explicit MediaProber(int timeoutMs = 10000);
  ~MediaProber();
  MediaProber(const MediaProber&) = delete;
  MediaProber& operator=(const MediaProber&) = delete;

  MediaProbe probe(const std::string& path);

  // A playlist (opened as one because of its name) may lead to another at most this often.
  static constexpr int kMaxRedirects = 8;

 private:
  struct Core;
  int timeoutMs_;
  std::unique_ptr<Core> core_;
};

// One file on a core of its own.
MediaProbe probeMedia(const std::string& path, int timeoutMs = 10000);

}  // namespace kv::media
