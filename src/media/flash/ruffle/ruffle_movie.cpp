#include "media/flash/ruffle/ruffle_movie.h"

#include <filesystem>
#include <fstream>

#include "media/flash/resource_movies.h"
#include "media/flash/swf_writer.h"

namespace kv::media::ruffle {

namespace {

constexpr std::uint32_t kActionScript3Flag = 0x08;  // FileAttributes
constexpr int kFirstVersionWithExternalInterface = 8;

std::uint32_t u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Offset into body of the tag before which frame 1's first action belongs: the first
// DoAction, ShowFrame or End of the root timeline, or the end of the body.
std::size_t insertionPoint(const std::vector<std::uint8_t>& body) {
  const std::size_t rectBytes = (5 + 4 * static_cast<std::size_t>(body[0] >> 3) + 7) / 8;
  std::size_t pos = rectBytes + 4;
  while (pos + 2 <= body.size()) {
    const int codeAndLength = body[pos] | (body[pos + 1] << 8);
    const int code = codeAndLength >> 6;
    std::size_t length = codeAndLength & 0x3F;
    std::size_t header = 2;
    if (length == 0x3F) {
      if (pos + 6 > body.size()) break;
      length = u32(&body[pos + 2]);
      header = 6;
    }
    if (code == 0 || code == 1 || code == 12) return pos;
    if (length > body.size() - pos - header) break;
    pos += header + length;
  }
  return body.size();
}

}  // namespace

const char* engineName(FlashEngine engine) {
  return engine == FlashEngine::Native ? "native" : "ruffle";
}

const char* tierName(SeekTier tier) {
  switch (tier) {
    case SeekTier::Actions:
      return "actions";
    case SeekTier::Menu:
      return "menu";
    case SeekTier::Model:
      return "model";
  }
  return "model";
}

bool isActionScript3(const swf::Movie& movie) {
  return (movie.fileAttributes & kActionScript3Flag) != 0;
}

FlashEngine engineFor(const swf::Movie& movie) {
  return isResourceMovie(movie) ? FlashEngine::Native : FlashEngine::Ruffle;
}

SeekTier predictedTier(const swf::Movie& movie) {
  if (!isActionScript3(movie) && movie.version >= kFirstVersionWithExternalInterface)
    return SeekTier::Actions;
  // The built-in menu has no timeline items for a movie of one frame.
  return movie.frameCount > 1 ? SeekTier::Menu : SeekTier::Model;
}

bool addBridge(std::span<const std::uint8_t> file, const swf::ReadOptions& options,
               std::vector<std::uint8_t>& out, std::string& error) {
  std::vector<std::uint8_t> body;
  swf::Compression compression;
  if (!swf::decompressBody(file, options, body, compression, error)) return false;
  if (body.empty() || body.size() < (5 + 4 * static_cast<std::size_t>(body[0] >> 3) + 7) / 8 + 4) {
    error = "truncated SWF header";
    return false;
  }
  std::vector<std::uint8_t> actions = bridgeActions();
  actions.push_back(0);
  const swf::Bytes tag = swf::Writer::tagBytes(12, actions, /*forceLong=*/true);
  const std::size_t at = insertionPoint(body);
  out.clear();
  out.reserve(8 + body.size() + tag.size());
  out.insert(out.end(), {'F', 'W', 'S', file[3]});
  swf::putU32(out, static_cast<std::uint32_t>(8 + body.size() + tag.size()));
  out.insert(out.end(), body.begin(), body.begin() + static_cast<std::ptrdiff_t>(at));
  out.insert(out.end(), tag.begin(), tag.end());
  out.insert(out.end(), body.begin() + static_cast<std::ptrdiff_t>(at), body.end());
  return true;
}

bool readMovieFile(const std::string& path, const swf::ReadOptions& options,
                   std::vector<std::uint8_t>& bytes, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  bytes.clear();
  const auto size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
  if (ec || !fs::is_regular_file(path, ec)) {
    error = "cannot open " + path;
    return false;
  }
  if (size > options.maxFileBytes) {
    error = "file too large (" + std::to_string(size) + " bytes)";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  bytes.resize(static_cast<std::size_t>(size));
  if (!in || (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()),
                                   static_cast<std::streamsize>(size)))) {
    bytes.clear();
    error = "cannot read " + path;
    return false;
  }
  return true;
}

bool ruffleFilesPresent(const std::string& dir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (dir.empty() || !fs::is_regular_file(fs::path(dir) / "ruffle.js", ec)) return false;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (entry.path().extension() == ".wasm" && entry.is_regular_file(ec)) return true;
  return false;
}

}  // namespace kv::media::ruffle
