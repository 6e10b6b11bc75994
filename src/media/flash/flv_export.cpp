#include "media/flash/flv_export.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace kv::media::swf {

namespace {

using Bytes = std::vector<std::uint8_t>;

void put24(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

void put32be(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  put24(out, v);
}

void putTag(Bytes& out, std::uint8_t type, std::uint32_t timestampMs, const Bytes& data) {
  const std::size_t start = out.size();
  out.push_back(type);
  put24(out, static_cast<std::uint32_t>(data.size()));
  put24(out, timestampMs & 0xFFFFFF);
  out.push_back(static_cast<std::uint8_t>(timestampMs >> 24));
  put24(out, 0);  // stream id
  out.insert(out.end(), data.begin(), data.end());
  put32be(out, static_cast<std::uint32_t>(out.size() - start));  // previous tag size
}

void amfString(Bytes& out, const std::string& s) {
  out.push_back(static_cast<std::uint8_t>(s.size() >> 8));
  out.push_back(static_cast<std::uint8_t>(s.size()));
  out.insert(out.end(), s.begin(), s.end());
}

void amfNumberProperty(Bytes& out, const std::string& name, double v) {
  amfString(out, name);
  out.push_back(0);  // number
  std::uint64_t bits;
  std::memcpy(&bits, &v, 8);
  for (int i = 7; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

// Key frame or not, from the codec's own picture header.
bool isKeyFrame(std::uint8_t codec, const std::uint8_t* p, std::size_t n, bool first) {
  switch (codec) {
    case 2: {  // Sorenson H.263: start code 17, version 5, temporal ref 8, size 3, [w h], type 2
      if (n < 4) return first;
      std::uint64_t bits = 0;
      const std::size_t take = std::min<std::size_t>(n, 8);
      for (std::size_t i = 0; i < take; ++i)
        bits |= static_cast<std::uint64_t>(p[i]) << (56 - 8 * i);
      int pos = 17 + 5 + 8;
      const int size = static_cast<int>((bits >> (64 - pos - 3)) & 7);
      pos += 3;
      if (size == 0)
        pos += 16;
      else if (size == 1)
        pos += 32;
      if (pos + 2 > static_cast<int>(take * 8)) return first;
      return ((bits >> (64 - pos - 2)) & 3) == 0;
    }
    case 4:  // VP6: frame mode bit (0 = intra)
      return n >= 1 && (p[0] & 0x80) == 0;
    case 5:  // VP6 alpha: UI24 offset to alpha, then the VP6 data
      return n >= 4 && (p[3] & 0x80) == 0;
    default:
      return first;
  }
}

}  // namespace

FlvExport exportStreamsToFlv(const Movie& movie, double frameRate) {
  FlvExport result;
  if (!movie.body || frameRate <= 0) return result;
  const Bytes& body = *movie.body;

  // Video: the stream of the first VideoFrame whose DefineVideoStream is known (the last
  // definition of an id counts). One pass over the chunks, whatever their number.
  std::unordered_map<std::uint16_t, const VideoStream*> streams;
  for (const auto& v : movie.videoStreams) streams[v.id] = &v;
  const VideoStream* video = nullptr;
  for (const auto& c : movie.videoChunks) {
    if (auto it = streams.find(c.streamId); it != streams.end()) {
      video = it->second;
      break;
    }
  }
  std::vector<const StreamChunk*> vchunks;
  if (video)
    for (const auto& c : movie.videoChunks)
      if (c.streamId == video->id) vchunks.push_back(&c);
  const bool audio = movie.sound.present && !movie.soundChunks.empty();
  if (vchunks.empty() && !audio) return result;

  Bytes out = {
      'F', 'L', 'V', 1, static_cast<std::uint8_t>((audio ? 4 : 0) | (vchunks.empty() ? 0 : 1)),
      0,   0,   0,   9};
  {
    std::size_t size = 512;
    for (const auto* c : vchunks) size += c->length + 17;
    if (audio)
      for (const auto& c : movie.soundChunks) size += c.length + 16;
    out.reserve(size);
  }
  put32be(out, 0);

  auto stamp = [&](std::int32_t frame) {
    return static_cast<std::uint32_t>(std::llround(frame * 1000.0 / frameRate));
  };
  std::int32_t lastFrame = 0;
  for (auto* c : vchunks) lastFrame = std::max(lastFrame, c->frame);
  if (audio) lastFrame = std::max(lastFrame, movie.soundChunks.back().frame);
  result.durationSeconds = (lastFrame + 1) / frameRate;

  // onMetaData, so that the player knows the length at once.
  {
    Bytes meta;
    meta.push_back(2);  // string
    amfString(meta, "onMetaData");
    meta.push_back(8);  // ECMA array
    const int count = 2 + (vchunks.empty() ? 0 : 4) + (audio ? 1 : 0);
    put32be(meta, static_cast<std::uint32_t>(count));
    amfNumberProperty(meta, "duration", result.durationSeconds);
    amfNumberProperty(meta, "framerate", frameRate);
    if (!vchunks.empty()) {
      amfNumberProperty(meta, "width", video->width);
      amfNumberProperty(meta, "height", video->height);
      amfNumberProperty(meta, "videocodecid", video->codec);
      amfNumberProperty(meta, "videodatarate", 0);
    }
    if (audio) amfNumberProperty(meta, "audiocodecid", movie.sound.format());
    meta.push_back(0);
    meta.push_back(0);
    meta.push_back(9);  // object end
    putTag(out, 18, 0, meta);
  }

  // Merge both lists in timeline order (audio first within a frame).
  std::size_t vi = 0, ai = 0;
  const auto& achunks = movie.soundChunks;
  while (vi < vchunks.size() || (audio && ai < achunks.size())) {
    const bool takeAudio = audio && ai < achunks.size() &&
                           (vi >= vchunks.size() || achunks[ai].frame <= vchunks[vi]->frame);
    if (takeAudio) {
      const StreamChunk& c = achunks[ai++];
      const std::uint8_t* p = body.data() + c.offset;
      std::size_t n = c.length;
      if (movie.sound.format() == 2) {  // MP3: sample count and seek samples come first
        if (n <= 4) continue;
        p += 4;
        n -= 4;
      }
      Bytes data{movie.sound.formatByte};
      data.insert(data.end(), p, p + n);
      putTag(out, 8, stamp(c.frame), data);
      ++result.audioBlocks;
    } else {
      const StreamChunk& c = *vchunks[vi++];
      const std::uint8_t* p = body.data() + c.offset;
      const std::size_t n = c.length;
      const bool key = isKeyFrame(video->codec, p, n, result.videoFrames == 0);
      Bytes data{static_cast<std::uint8_t>(((key ? 1 : 2) << 4) | (video->codec & 0x0F))};
      if (video->codec == 4 || video->codec == 5) data.push_back(0);  // FLV adjustment byte
      data.insert(data.end(), p, p + n);
      putTag(out, 9, stamp(c.frame), data);
      ++result.videoFrames;
    }
  }
  result.hasVideo = result.videoFrames > 0;
  result.hasAudio = result.audioBlocks > 0;
  result.bytes = std::move(out);
  return result;
}

}  // namespace kv::media::swf
