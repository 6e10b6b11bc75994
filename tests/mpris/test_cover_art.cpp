// Cover pictures inside media files: found where they are, and nothing (never a crash, never a
// read past the file) from files that lie about their sizes.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/mpris/cover_art.h"

using kv::app::mpris::CoverArt;
using kv::app::mpris::embeddedCover;

namespace {

const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "jpeg body";
const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + "png body";

std::string be32(std::uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}
std::string syncsafe(std::uint32_t v) {
  return {char((v >> 21) & 0x7F), char((v >> 14) & 0x7F), char((v >> 7) & 0x7F), char(v & 0x7F)};
}

// An ID3v2.3 (or .4) tag holding the frames, then some audio.
std::string id3(int version, const std::string& frames) {
  return std::string("ID3") + char(version) + '\0' + '\0' + syncsafe(frames.size()) + frames +
         "\xFF\xFB audio";
}
std::string frame(int version, const std::string& id, const std::string& body) {
  return id + (version == 4 ? syncsafe(body.size()) : be32(body.size())) + std::string(2, '\0') +
         body;
}
std::string apic(int kind, const std::string& picture, const std::string& mime = "image/jpeg") {
  return std::string(1, '\0') + mime + '\0' + char(kind) + "desc" + '\0' + picture;
}

std::string atom(const std::string& type, const std::string& body) {
  return be32(body.size() + 8) + type + body;
}
std::string mp4(const std::string& picture) {
  const std::string data = atom("data", be32(13) + be32(0) + picture);
  const std::string meta = atom("meta", std::string(4, '\0') + atom("ilst", atom("covr", data)));
  return atom("ftyp", "M4A isom") + atom("mdat", "....") + atom("moov", atom("udta", meta));
}

std::optional<CoverArt> coverOf(const std::string& file) {
  return embeddedCover([&file](std::uint64_t offset, std::size_t size) -> std::string {
    if (offset >= file.size()) return {};
    return file.substr(offset, size);
  });
}

}  // namespace

TEST(CoverArt, FoundInsideMp3AndMp4FilesAndNowhereElse) {
  struct Case {
    const char* name;
    std::string file;
    std::optional<CoverArt> expected;
  };
  const std::string front = frame(3, "APIC", apic(3, kPng, "image/png"));
  const std::string other = frame(3, "APIC", apic(0, kJpeg));
  const std::vector<Case> cases{
      {"ID3v2.3 front cover", id3(3, frame(3, "TIT2", "\0title") + front),
       CoverArt{"image/png", kPng}},
      {"ID3v2.4, sizes syncsafe", id3(4, frame(4, "APIC", apic(3, kJpeg))),
       CoverArt{"image/jpeg", kJpeg}},
      {"front cover before another picture", id3(3, other + front), CoverArt{"image/png", kPng}},
      {"any picture when no front cover", id3(3, other), CoverArt{"image/jpeg", kJpeg}},
      {"MP4 cover item", mp4(kJpeg), CoverArt{"image/jpeg", kJpeg}},
      {"tag without pictures", id3(3, frame(3, "TIT2", "\0title")), std::nullopt},
      {"frame longer than its tag", id3(3, frame(3, "APIC", apic(3, kJpeg)).substr(0, 20)),
       std::nullopt},
      {"tag longer than the file", id3(3, front).substr(0, 30), std::nullopt},
      {"picture that is neither JPEG nor PNG", id3(3, frame(3, "APIC", apic(3, "GIF89a"))),
       std::nullopt},
      {"MP4 atom longer than the file", mp4(kJpeg).substr(0, mp4(kJpeg).size() - 3), std::nullopt},
      {"MP4 atom of size 4", atom("ftyp", "M4A ") + be32(4) + "moov", std::nullopt},
      {"plain audio", "RIFF....WAVEfmt ", std::nullopt},
      {"empty file", "", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(coverOf(c.file), c.expected);
  }
}
