#include "media/flash/swf_reader.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "media/flash/swf_detail.h"

namespace kv::media::swf {

using namespace detail;

namespace {

// ---------------------------------------------------------------------------------------------
// Tag walk.

class TagWalker {
 public:
  TagWalker(Movie& movie, const ReadOptions& options, const std::vector<std::uint8_t>& body,
            Budget& budget)
      : movie_(movie),
        options_(options),
        body_(body),
        budget_(budget),
        decoder_(movie.version, options.legacyEncoding),
        scanner_(movie, options, budget) {}

  // Walks the tags in body[pos, end). sprite: inside a DefineSprite.
  bool walk(std::size_t pos, std::size_t end, bool sprite, std::string& error) {
    std::int32_t frame = 0;
    const std::uint8_t* b = body_.data();
    while (pos < end) {
      const std::size_t tagStart = pos;
      if (end - pos < 2) {
        error = format("truncated tag header at offset %zu", tagStart + kHeaderBytes);
        return false;
      }
      const std::uint16_t codeAndLength = u16(b + pos);
      pos += 2;
      const int code = codeAndLength >> 6;
      std::size_t length = codeAndLength & 0x3F;
      if (length == 0x3F) {
        if (end - pos < 4) {
          error = format("truncated long tag header at offset %zu", tagStart + kHeaderBytes);
          return false;
        }
        length = u32(b + pos);
        pos += 4;
      }
      if (length > end - pos) {
        error =
            format("tag %d at offset %zu: length %zu runs past the end of the %s (%zu bytes left)",
                   code, tagStart + kHeaderBytes, length, sprite ? "sprite" : "data", end - pos);
        return false;
      }
      const std::uint8_t* t = b + pos;
      const std::size_t tagPos = pos;
      pos += length;
      if (!sprite) ++movie_.tagCount;
      if (code == 0) return true;  // End
      if (!handle(code, t, tagPos, length, sprite, frame, error)) return false;
      if (budget_.exceeded()) {
        error = budget_.error();
        return false;
      }
    }
    if (!sprite && pos == end) warn(&movie_.warnings, "the root timeline has no End tag");
    return true;
  }

 private:
  bool handle(int code, const std::uint8_t* t, std::size_t tagPos, std::size_t n, bool sprite,
              std::int32_t& frame, std::string& error) {
    switch (code) {
      case 1:  // ShowFrame
        ++frame;
        if (!sprite) movie_.frameCount = frame;
        break;
      case 9:  // SetBackgroundColor
        if (sprite) break;
        if (n >= 3) {
          movie_.hasBackground = true;
          movie_.background = Rgb{t[0], t[1], t[2]};
        } else {
          warn(&movie_.warnings, "SetBackgroundColor tag is too short");
        }
        break;
      case 12:  // DoAction
        scanner_.scan(t, n, !sprite, frame);
        break;
      case 59:  // DoInitAction: sprite id, actions
        if (n >= 2) scanner_.scan(t + 2, n - 2, !sprite, frame, /*once=*/true);
        break;
      case 43: {  // FrameLabel
        if (sprite || movie_.labels.size() >= kMaxLabels) break;
        std::size_t q = 0;
        const std::string_view label = cString(t, q, n);
        // The label, and its two index entries later.
        if (budget_.charge(3 * (label.size() + 48)))
          movie_.labels.emplace_back(decoder_.decode(label), frame);
        break;
      }
      case 39: {  // DefineSprite: id, frame count, control tags
        if (sprite) {
          warn(&movie_.warnings, "DefineSprite inside a sprite is ignored");
          break;
        }
        if (n < 4) {
          warn(&movie_.warnings, "DefineSprite tag is too short");
          break;
        }
        if (!walk(tagPos + 4, tagPos + n, true, error)) return false;
        break;
      }
      case 69:  // FileAttributes
        if (!sprite && n >= 4) movie_.fileAttributes = u32(t);
        break;
      case 77:  // Metadata
        if (!sprite) {
          std::size_t q = 0;
          movie_.metadata = decoder_.decode(cString(t, q, n));
        }
        break;
      case 60:  // DefineVideoStream
        if (n >= 10 && movie_.videoStreams.size() < 256) {
          VideoStream v;
          v.id = u16(t);
          v.frameCount = u16(t + 2);
          v.width = u16(t + 4);
          v.height = u16(t + 6);
          v.flags = t[8];
          v.codec = t[9];
          movie_.videoStreams.push_back(v);
        }
        break;
      case 61:  // VideoFrame: stream id, frame number, data
        if (options_.keepStreams && n > 4 && budget_.charge(kChunkCost)) {
          StreamChunk c;
          c.streamId = u16(t);
          c.frame = frame;
          c.inSprite = sprite;
          c.offset = static_cast<std::uint32_t>(tagPos + 4);
          c.length = static_cast<std::uint32_t>(n - 4);
          movie_.videoChunks.push_back(c);
        }
        break;
      case 18:  // SoundStreamHead
      case 45:  // SoundStreamHead2
        if (!sprite && n >= 4 && !movie_.sound.present) {
          movie_.sound.present = true;
          movie_.sound.formatByte = t[1];
          movie_.sound.samplesPerBlock = u16(t + 2);
        }
        break;
      case 19:  // SoundStreamBlock
        if (!sprite && options_.keepStreams && movie_.sound.present && n > 0 &&
            budget_.charge(kChunkCost)) {
          StreamChunk c;
          c.frame = frame;
          c.offset = static_cast<std::uint32_t>(tagPos);
          c.length = static_cast<std::uint32_t>(n);
          movie_.soundChunks.push_back(c);
        }
        break;
      default:
        break;
    }
    return true;
  }

  // A stream chunk's entry here and its tag header in the FLV it is re-wrapped into.
  static constexpr std::size_t kChunkCost = sizeof(StreamChunk) + 24;

  Movie& movie_;
  const ReadOptions& options_;
  const std::vector<std::uint8_t>& body_;
  Budget& budget_;
  TextDecoder decoder_;
  ActionScanner scanner_;
};

}  // namespace

const char* signatureText(Compression c) {
  switch (c) {
    case Compression::None:
      return "FWS";
    case Compression::Zlib:
      return "CWS";
    case Compression::Lzma:
      return "ZWS";
  }
  return "";
}

int Movie::widthPixels() const {
  return static_cast<int>(
      std::lround((static_cast<double>(frameRect.xMax) - frameRect.xMin) / 20.0));
}
int Movie::heightPixels() const {
  return static_cast<int>(
      std::lround((static_cast<double>(frameRect.yMax) - frameRect.yMin) / 20.0));
}

std::pair<std::size_t, std::size_t> Movie::actionsOf(std::int32_t f) const {
  auto lo = std::lower_bound(actions.begin(), actions.end(), f,
                             [](const Action& a, std::int32_t v) { return a.frame < v; });
  auto hi = std::upper_bound(lo, actions.end(), f,
                             [](std::int32_t v, const Action& a) { return v < a.frame; });
  return {static_cast<std::size_t>(lo - actions.begin()),
          static_cast<std::size_t>(hi - actions.begin())};
}

namespace {
std::string folded(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}
}  // namespace

std::int32_t Movie::frameOfLabel(const std::string& label) const {
  if (auto it = labelFrames_.find(label); it != labelFrames_.end()) return it->second;
  if (auto it = foldedLabelFrames_.find(folded(label)); it != foldedLabelFrames_.end())
    return it->second;
  return -1;
}

void Movie::indexLabels() {
  labelFrames_.clear();
  foldedLabelFrames_.clear();
  for (const auto& [name, frame] : labels) {
    labelFrames_.emplace(name, frame);  // the first label of a name wins
    foldedLabelFrames_.emplace(folded(name), frame);
  }
  for (Action& a : actions)
    if (a.kind == Action::Kind::GotoLabel) a.target = frameOfLabel(a.text);
}

bool decompressBody(std::span<const std::uint8_t> file, const ReadOptions& options,
                    std::vector<std::uint8_t>& body, Compression& compression, std::string& error,
                    std::vector<std::string>* warnings) {
  body.clear();
  if (file.size() < kHeaderBytes) {
    error = "not a SWF file: shorter than the 8-byte header";
    return false;
  }
  const std::uint8_t* f = file.data();
  if (f[1] != 'W' || f[2] != 'S' || (f[0] != 'F' && f[0] != 'C' && f[0] != 'Z')) {
    error = "not a SWF file: no FWS, CWS or ZWS signature";
    return false;
  }
  compression = f[0] == 'F'   ? Compression::None
                : f[0] == 'C' ? Compression::Zlib
                              : Compression::Lzma;
  const std::uint32_t fileLength = u32(f + 4);
  if (fileLength < kHeaderBytes + 5) {
    error = format("file length field (%u) is smaller than a SWF header", fileLength);
    return false;
  }
  const std::size_t expected = fileLength - kHeaderBytes;
  if (expected > options.maxBodyBytes) {
    error = format("file length field (%u) exceeds the limit of %zu bytes", fileLength,
                   options.maxBodyBytes + kHeaderBytes);
    return false;
  }
  switch (compression) {
    case Compression::None: {
      const std::size_t available = file.size() - kHeaderBytes;
      if (available < expected)
        warn(warnings, format("file is %zu bytes shorter than its length field (%u)",
                              expected - available, fileLength));
      const std::size_t take = std::min(available, expected);
      body.assign(f + kHeaderBytes, f + kHeaderBytes + take);
      return true;
    }
    case Compression::Zlib:
      return inflateBody(file.subspan(kHeaderBytes), expected, body, error, warnings);
    case Compression::Lzma:
      return unlzmaBody(file, expected, options.lzmaMemLimit, body, error, warnings);
  }
  return false;
}

ReadResult read(std::span<const std::uint8_t> file, const ReadOptions& options) {
  ReadResult result;
  Movie& m = result.movie;
  auto body = std::make_shared<std::vector<std::uint8_t>>();
  if (!decompressBody(file, options, *body, m.compression, result.error, &m.warnings)) {
    if (file.size() >= kHeaderBytes && result.error.rfind("not a SWF", 0) != 0) {
      m.version = file[3];
      m.fileLength = u32(file.data() + 4);
    }
    return result;
  }
  m.version = file[3];
  m.fileLength = u32(file.data() + 4);
  m.bodyLength = static_cast<std::uint32_t>(body->size());

  // Frame rect: 5-bit field width, then four signed fields.
  const std::vector<std::uint8_t>& b = *body;
  if (b.empty()) {
    result.error = "truncated SWF header: no frame rectangle";
    return result;
  }
  const int nbits = b[0] >> 3;
  const std::size_t rectBytes = (5 + 4 * static_cast<std::size_t>(nbits) + 7) / 8;
  if (b.size() < rectBytes + 4) {
    result.error = "truncated SWF header";
    return result;
  }
  std::size_t bit = 5;
  auto field = [&]() {
    std::int64_t v = 0;
    for (int i = 0; i < nbits; ++i, ++bit) v = (v << 1) | ((b[bit / 8] >> (7 - bit % 8)) & 1);
    if (nbits > 0 && (v & (std::int64_t{1} << (nbits - 1)))) v -= std::int64_t{1} << nbits;
    return static_cast<std::int32_t>(v);
  };
  m.frameRect.xMin = field();
  m.frameRect.xMax = field();
  m.frameRect.yMin = field();
  m.frameRect.yMax = field();
  m.frameRateRaw = u16(b.data() + rectBytes);
  m.headerFrameCount = u16(b.data() + rectBytes + 2);
  result.headerRead = true;

  Budget budget(std::max(options.minBudgetBytes, options.budgetPerFileByte * file.size()),
                file.size());
  budget.charge(b.size());
  TagWalker walker(m, options, b, budget);
  if (budget.exceeded()) {
    result.error = budget.error();
  } else if (walker.walk(rectBytes + 4, b.size(), false, result.error)) {
    m.indexLabels();
    if (m.hasStreams()) m.body = std::move(body);
    return result;
  }
  // Keep the header fields only.
  m.actions = {};
  m.labels = {};
  m.fscommands = {};
  m.videoChunks = {};
  m.soundChunks = {};
  return result;
}

ReadResult readFile(const std::string& path, const ReadOptions& options) {
  ReadResult result;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    result.error = "cannot open " + path;
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.error = "cannot open " + path;
    return result;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) {
    result.error = "cannot read " + path;
    return result;
  }
  if (static_cast<std::uint64_t>(size) > options.maxFileBytes) {
    result.error = format("file too large (%lld bytes)", static_cast<long long>(size));
    return result;
  }
  in.seekg(0);
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size)) {
    result.error = "cannot read " + path;
    return result;
  }
  return read(data, options);
}

}  // namespace kv::media::swf
