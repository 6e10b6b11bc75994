#include "app/mpris/cover_art.h"

#include <string_view>

namespace kv::app::mpris {
namespace {

std::uint32_t be32(std::string_view b, std::size_t at) {
  return (std::uint32_t(std::uint8_t(b[at])) << 24) |
         (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
         (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint32_t(std::uint8_t(b[at + 3]));
}

std::uint32_t syncsafe(std::string_view b, std::size_t at) {
  return (std::uint32_t(b[at] & 0x7F) << 21) | (std::uint32_t(b[at + 1] & 0x7F) << 14) |
         (std::uint32_t(b[at + 2] & 0x7F) << 7) | std::uint32_t(b[at + 3] & 0x7F);
}

// Told by the picture's own signature: what a tag says it is may be wrong.
std::string pictureType(std::string_view data) {
  if (data.substr(0, 3) == "\xFF\xD8\xFF") return "image/jpeg";
  if (data.substr(0, 8) == "\x89PNG\r\n\x1A\n") return "image/png";
  return "";
}

// The end of a text of the given ID3 encoding that starts at `at` (past its terminator).
std::optional<std::size_t> pastText(std::string_view b, std::size_t at, int encoding) {
  const bool wide = encoding == 1 || encoding == 2;
  for (std::size_t i = at; i + (wide ? 1 : 0) < b.size(); i += wide ? 2 : 1)
    if (b[i] == 0 && (!wide || b[i + 1] == 0)) return i + (wide ? 2 : 1);
  return std::nullopt;
}

// An APIC frame's picture: encoding, MIME type, picture type, description, data.
std::optional<std::pair<int, CoverArt>> apic(std::string_view frame) {
  if (frame.size() < 4) return std::nullopt;
  const int encoding = frame[0];
  const auto mimeEnd = frame.find('\0', 1);
  if (mimeEnd == std::string_view::npos || mimeEnd + 2 > frame.size()) return std::nullopt;
  const int kind = std::uint8_t(frame[mimeEnd + 1]);
  const auto dataAt = pastText(frame, mimeEnd + 2, encoding);
  if (!dataAt || *dataAt >= frame.size()) return std::nullopt;
  const std::string_view data = frame.substr(*dataAt);
  const std::string type = pictureType(data);
  if (type.empty()) return std::nullopt;
  return std::pair{kind, CoverArt{type, std::string(data)}};
}

std::optional<CoverArt> id3Cover(const ReadAt& read) {
  const std::string head = read(0, 10);
  if (head.size() < 10 || head.compare(0, 3, "ID3") != 0) return std::nullopt;
  const int version = head[3];
  const int flags = std::uint8_t(head[5]);
  if ((version != 3 && version != 4) || (flags & 0x80)) return std::nullopt;  // unsynchronised
  const std::uint32_t size = syncsafe(head, 6);
  if (size > kMaxCoverBytes + (1 << 20)) return std::nullopt;
  const std::string tag = read(10, size);
  std::string_view b(tag);
  std::size_t at = 0;
  if (flags & 0x40) {  // extended header
    if (b.size() < 4) return std::nullopt;
    at = version == 3 ? be32(b, 0) + 4 : syncsafe(b, 0);
  }
  std::optional<CoverArt> first;
  while (at + 10 <= b.size() && b[at] != 0) {
    const std::string_view id = b.substr(at, 4);
    const std::uint32_t frameSize = version == 4 ? syncsafe(b, at + 4) : be32(b, at + 4);
    at += 10;
    if (frameSize > b.size() - at) break;
    if (id == "APIC") {
      if (auto picture = apic(b.substr(at, frameSize))) {
        if (picture->first == 3) return std::move(picture->second);  // the front cover
        if (!first) first = std::move(picture->second);
      }
    }
    at += frameSize;
  }
  return first;
}

// Atoms of an MP4 file: size, type, body.
struct Atom {
  std::uint64_t body = 0;  // offset of the body in the file
  std::uint64_t size = 0;  // bytes of the body
};

std::optional<Atom> findAtom(const ReadAt& read, std::uint64_t from, std::uint64_t end,
                             std::string_view type) {
  while (from + 8 <= end) {
    const std::string head = read(from, 16);
    if (head.size() < 8) return std::nullopt;
    std::uint64_t size = be32(head, 0);
    std::uint64_t headSize = 8;
    if (size == 1) {
      if (head.size() < 16) return std::nullopt;
      size = (std::uint64_t(be32(head, 8)) << 32) | be32(head, 12);
      headSize = 16;
    } else if (size == 0) {
      size = end - from;
    }
    if (size < headSize || size > end - from) return std::nullopt;
    if (std::string_view(head).substr(4, 4) == type) return Atom{from + headSize, size - headSize};
    from += size;
  }
  return std::nullopt;
}

std::optional<CoverArt> mp4Cover(const ReadAt& read) {
  const std::string head = read(4, 4);
  if (head != "ftyp") return std::nullopt;
  constexpr std::uint64_t kAnyEnd = ~std::uint64_t(0) >> 1;
  std::optional<Atom> atom = findAtom(read, 0, kAnyEnd, "moov");
  for (std::string_view type : {"udta", "meta", "ilst", "covr", "data"}) {
    if (!atom) return std::nullopt;
    std::uint64_t from = atom->body;
    if (type == "ilst") from += 4;  // "meta" is a full atom: version and flags come first
    if (from > atom->body + atom->size) return std::nullopt;
    atom = findAtom(read, from, atom->body + atom->size, type);
  }
  if (!atom || atom->size <= 8 || atom->size - 8 > kMaxCoverBytes) return std::nullopt;
  const std::string data = read(atom->body + 8, static_cast<std::size_t>(atom->size - 8));
  if (data.size() != atom->size - 8) return std::nullopt;
  const std::string type = pictureType(data);
  if (type.empty()) return std::nullopt;
  return CoverArt{type, data};
}

}  // namespace

std::optional<CoverArt> embeddedCover(const ReadAt& read) {
  if (auto cover = id3Cover(read)) return cover;
  return mp4Cover(read);
}

}  // namespace kv::app::mpris
