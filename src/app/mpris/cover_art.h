#pragma once
// The cover picture a media file carries inside it: the picture of an MP3's ID3v2 tag (the
// front cover first), or the cover item of an MP4/M4A file. The file is untrusted: every length
// is checked against what was read, and nothing larger than kMaxCoverBytes is taken.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kv::app::mpris {

inline constexpr std::size_t kMaxCoverBytes = 16 << 20;

struct CoverArt {
  std::string mimeType;  // "image/jpeg", "image/png"
  std::string data;
  bool operator==(const CoverArt&) const = default;
};

// Reads up to size bytes of the file from offset (fewer at its end, none on failure).
using ReadAt = std::function<std::string(std::uint64_t offset, std::size_t size)>;

std::optional<CoverArt> embeddedCover(const ReadAt& read);

}  // namespace kv::app::mpris
