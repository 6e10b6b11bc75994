#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>

namespace kv::music {
namespace {

void put16(std::vector<unsigned char>& out, std::uint16_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
  put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  put16(out, static_cast<std::uint16_t>(v >> 16));
}

void putTag(std::vector<unsigned char>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

std::int16_t toPcm(float v) {
  const double clipped = std::clamp(static_cast<double>(v), -1.0, 1.0);
  return static_cast<std::int16_t>(std::lround(clipped * 32767));
}

}  // namespace

std::vector<unsigned char> encodeWav(const Audio& audio) {
  constexpr std::uint16_t kChannels = 2, kBits = 16;
  const std::size_t frames = std::min(audio.left.size(), audio.right.size());
  const auto dataBytes = static_cast<std::uint32_t>(frames * kChannels * kBits / 8);
  std::vector<unsigned char> out;
  out.reserve(44 + dataBytes);
  putTag(out, "RIFF");
  put32(out, 36 + dataBytes);
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, kChannels);
  put32(out, static_cast<std::uint32_t>(audio.sampleRate));
  put32(out, static_cast<std::uint32_t>(audio.sampleRate) * kChannels * kBits / 8);
  put16(out, kChannels * kBits / 8);
  put16(out, kBits);
  putTag(out, "data");
  put32(out, dataBytes);
  for (std::size_t i = 0; i < frames; ++i) {
    put16(out, static_cast<std::uint16_t>(toPcm(audio.left[i])));
    put16(out, static_cast<std::uint16_t>(toPcm(audio.right[i])));
  }
  return out;
}

bool writeWav(const Audio& audio, const std::string& path) {
  const std::vector<unsigned char> bytes = encodeWav(audio);
  const std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace kv::music
