#pragma once
// FLV helpers of the Flash tests: a plain FLV tag walk, and a SWF that embeds the video and MP3
// sound of an FLV the way the Flash authoring tool embeds a clip in the timeline.

#include <cstdint>
#include <utility>
#include <vector>

#include "media/flash/swf_writer.h"

namespace kv::media::test {

using swf::Bytes;

struct FlvTag {
  int type;
  std::uint32_t timestamp;
  Bytes data;
};

inline std::uint32_t be24(const std::uint8_t* p) {
  return (p[0] << 16) | (p[1] << 8) | p[2];
}

// A plain FLV tag walk, written for the tests.
inline std::vector<FlvTag> flvTags(const Bytes& f) {
  std::vector<FlvTag> tags;
  if (f.size() < 13 || f[0] != 'F' || f[1] != 'L' || f[2] != 'V') return tags;
  std::size_t pos = 13;
  while (pos + 11 <= f.size()) {
    FlvTag t;
    t.type = f[pos];
    const std::uint32_t size = be24(&f[pos + 1]);
    t.timestamp = be24(&f[pos + 4]) | (static_cast<std::uint32_t>(f[pos + 7]) << 24);
    if (pos + 11 + size + 4 > f.size()) break;
    t.data.assign(f.begin() + static_cast<std::ptrdiff_t>(pos + 11),
                  f.begin() + static_cast<std::ptrdiff_t>(pos + 11 + size));
    tags.push_back(std::move(t));
    pos += 11 + size + 4;
  }
  return tags;
}

// Builds a SWF that embeds the video (Sorenson H.263) and MP3 sound of an FLV, one SWF frame
// per video frame, the way the Flash authoring tool embeds a clip in the timeline.
inline Bytes swfFromFlv(const Bytes& flv, double fps, int width, int height) {
  std::vector<Bytes> video;
  std::vector<std::pair<std::uint32_t, Bytes>> audio;
  std::uint8_t audioFlags = 0;
  for (const auto& t : flvTags(flv)) {
    if (t.type == 9 && !t.data.empty() && (t.data[0] & 0x0F) == 2)
      video.emplace_back(t.data.begin() + 1, t.data.end());
    if (t.type == 8 && !t.data.empty()) {
      audioFlags = t.data[0];
      audio.emplace_back(t.timestamp, Bytes(t.data.begin() + 1, t.data.end()));
    }
  }
  swf::Writer w(8, width, height, fps);
  Bytes dvs;
  swf::putU16(dvs, 1);
  swf::putU16(dvs, static_cast<std::uint32_t>(video.size()));
  swf::putU16(dvs, static_cast<std::uint32_t>(width));
  swf::putU16(dvs, static_cast<std::uint32_t>(height));
  dvs.push_back(0);
  dvs.push_back(2);
  w.tag(60, dvs);
  w.tag(26, Bytes{0x06, 1, 0, 1, 0, 0});  // PlaceObject2 of the video at depth 1
  if (!audio.empty()) w.tag(45, Bytes{audioFlags, audioFlags, 0x00, 0x04, 0, 0});
  std::size_t ai = 0;
  for (std::size_t f = 0; f < video.size(); ++f) {
    Bytes block = {0x80, 0x04, 0, 0};  // sample count, seek samples
    const double frameEnd = (f + 1) * 1000.0 / fps;
    bool any = false;
    while (ai < audio.size() && audio[ai].first < frameEnd) {
      block.insert(block.end(), audio[ai].second.begin(), audio[ai].second.end());
      ++ai;
      any = true;
    }
    if (any) w.tag(19, block);
    Bytes vf;
    swf::putU16(vf, 1);
    swf::putU16(vf, static_cast<std::uint32_t>(f));
    vf.insert(vf.end(), video[f].begin(), video[f].end());
    w.tag(61, vf);
    w.showFrame();
  }
  w.end();
  return w.build(swf::Compression::Zlib);
}

}  // namespace kv::media::test
