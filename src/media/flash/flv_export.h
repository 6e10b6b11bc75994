#pragma once
// Re-wraps the embedded streams of a SWF (VideoFrame tags of one DefineVideoStream and the
// SoundStreamBlock tags of the root SoundStreamHead) into an FLV file that libmpv plays. SWF
// and FLV share their codec ids and the sound format byte, so the payloads are copied as they
// are (VP6 gets the FLV adjustment byte). Timestamps follow the timeline: a chunk held by frame
// f is stamped f / frameRate, so FLV time equals timeline time.

#include <cstdint>
#include <string>
#include <vector>

#include "media/flash/swf_reader.h"

namespace kv::media::swf {

struct FlvExport {
  std::vector<std::uint8_t> bytes;  // empty when the movie has no playable stream
  bool hasVideo = false;
  bool hasAudio = false;
  int videoFrames = 0;
  int audioBlocks = 0;
  double durationSeconds = 0;
};

// frameRate: the rate the timeline runs at (the runtime's effective rate).
FlvExport exportStreamsToFlv(const Movie& movie, double frameRate);

}  // namespace kv::media::swf
