#include "media/flash/swf_info.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "media/flash/resource_movies.h"
#include "media/flash/swf_reader.h"
#include "media/flash/swf_text.h"

namespace kv::media {

namespace {

SwfInfo fromResult(const swf::ReadResult& r) {
  SwfInfo info;
  const swf::Movie& m = r.movie;
  info.ok = r.ok();
  info.error = r.error;
  if (r.ok() || r.headerRead || m.fileLength != 0) {
    info.compression = swf::signatureText(m.compression);
    info.version = m.version;
    info.fileLength = m.fileLength;
  }
  if (r.ok() || r.headerRead) {
    info.width = m.widthPixels();
    info.height = m.heightPixels();
    info.frameRate = m.frameRate();
    info.frameCount = m.headerFrameCount;
  }
  if (!r.ok()) return info;
  info.shownFrames = m.frameCount;
  if (m.hasBackground) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", m.background.r, m.background.g, m.background.b);
    info.background = buf;
  }
  info.fscommands = m.fscommands;
  info.playerMovie = isPlayerMovie(m);
  info.videoStream = !m.videoChunks.empty();
  info.soundStream = m.sound.present && !m.soundChunks.empty();
  return info;
}

// A JSON string of s; bytes that are not UTF-8 (a path, a movie's text) become U+FFFD, so the
// answer stays valid JSON whatever the file held.
void jsonString(std::string& out, const std::string& text) {
  const std::string s = swf::isValidUtf8(text) ? text : swf::validUtf8(text);
  out += '"';
  for (unsigned char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);  // UTF-8 passes through
        }
    }
  }
  out += '"';
}

std::string number(double v) {
  if (!std::isfinite(v)) return "0";
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, v);  // shortest round trip
  return std::string(buf, result.ptr);
}

}  // namespace

SwfInfo probeSwf(const std::string& path) {
  swf::ReadOptions options;
  options.keepStreams = true;
  return fromResult(swf::readFile(path, options));
}

SwfInfo probeSwf(std::span<const std::uint8_t> bytes) {
  return fromResult(swf::read(bytes));
}

std::string toJson(const SwfInfo& info) {
  std::string out = "{";
  auto key = [&](const char* k) {
    if (out.size() > 1) out += ',';
    jsonString(out, k);
    out += ':';
  };
  if (!info.compression.empty()) {
    key("compression");
    jsonString(out, info.compression);
    key("version");
    out += std::to_string(info.version);
    key("fileLength");
    out += std::to_string(info.fileLength);
  }
  if (info.ok || info.width || info.height || info.frameCount) {
    key("width");
    out += std::to_string(info.width);
    key("height");
    out += std::to_string(info.height);
    key("frameRate");
    out += number(info.frameRate);
    key("frameCount");
    out += std::to_string(info.frameCount);
  }
  if (info.ok) {
    key("shownFrames");
    out += std::to_string(info.shownFrames);
    key("background");
    if (info.background.empty())
      out += "null";
    else
      jsonString(out, info.background);
    key("fscommands");
    out += '[';
    for (std::size_t i = 0; i < info.fscommands.size(); ++i) {
      if (i) out += ',';
      jsonString(out, info.fscommands[i]);
    }
    out += ']';
    key("playerMovie");
    out += info.playerMovie ? "true" : "false";
    key("videoStream");
    out += info.videoStream ? "true" : "false";
    key("soundStream");
    out += info.soundStream ? "true" : "false";
  } else {
    key("error");
    jsonString(out, info.error);
  }
  out += '}';
  return out;
}

}  // namespace kv::media
