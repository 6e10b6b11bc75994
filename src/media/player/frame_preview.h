#pragma once
// Small pictures of a video at any moment, for the preview over the seek bar. An engine core of
// its own is made on the first request and freed by release(); it works on a thread of its
// own, so a request never waits. Only the newest request counts: one made while another is
// being answered replaces the ones still waiting.

#include <QImage>
#include <string>

#include "platform/event.h"

namespace kv::media {

class FramePreview {
 public:
  virtual ~FramePreview() = default;
  // The picture of `path` at `seconds`; Ready follows on the GUI thread, unless a newer request
  // comes first. A file without a picture of its own (sound, a cover) gives none.
  virtual void request(const std::string& path, double seconds) = 0;
  // Frees the engine core (the file changed); the next request makes a new one.
  virtual void release() = 0;

  // path, seconds asked for, picture (at most kPreviewWidth wide).
  Event<const std::string&, double, const QImage&> Ready;
};

inline constexpr int kPreviewWidth = 160;

}  // namespace kv::media
