#pragma once
// Pieces shared by the SWF reader's files: little-endian reads, messages, and the two parts
// that the tag walk calls (body decompression and the action scan).

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "media/flash/swf_reader.h"

namespace kv::media::swf::detail {

inline constexpr std::size_t kHeaderBytes = 8;
inline constexpr std::size_t kMaxFscommands = 1000;
inline constexpr std::size_t kMaxLabels = 65536;
inline constexpr std::size_t kMaxWarnings = 32;

inline std::uint16_t u16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

template <class... Args>
std::string format(const char* fmt, Args... args) {
  char buf[256];
  std::snprintf(buf, sizeof buf, fmt, args...);
  return buf;
}

inline void warn(std::vector<std::string>* warnings, std::string text) {
  if (!warnings || warnings->size() >= kMaxWarnings) return;
  warnings->push_back(std::move(text));
}

inline bool startsWithNoCase(std::string_view s, const char* prefix) {
  const std::size_t n = std::strlen(prefix);
  if (s.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

// The NUL-terminated string at p[pos..end), as a view into p; without a terminator the rest is
// the string.
inline std::string_view cString(const std::uint8_t* p, std::size_t& pos, std::size_t end) {
  const std::size_t start = pos;
  while (pos < end && p[pos] != 0) ++pos;
  std::string_view s(reinterpret_cast<const char*>(p + start), pos - start);
  if (pos < end) ++pos;  // the terminator
  return s;
}

// What one read may spend besides walking the body once: the bytes it keeps (the body, actions,
// labels, stream chunks) and the string bytes it copies or hashes. Proportional to the file,
// so that a small file cannot make the reader build something huge.
class Budget {
 public:
  // limit: the bytes allowed for a file of fileBytes bytes.
  Budget(std::size_t limit, std::size_t fileBytes)
      : limit_(limit), left_(limit), fileBytes_(fileBytes) {}
  // false (and exceeded() from then on) when bytes do not fit.
  bool charge(std::size_t bytes) {
    if (exceeded_ || bytes > left_) {
      exceeded_ = true;
      return false;
    }
    left_ -= bytes;
    return true;
  }
  bool exceeded() const { return exceeded_; }
  std::size_t limit() const { return limit_; }
  std::string error() const {
    return format("the movie needs more than %zu MiB to read, the limit for a file of %zu bytes",
                  limit_ >> 20, fileBytes_);
  }

 private:
  std::size_t limit_;
  std::size_t left_;
  std::size_t fileBytes_;
  bool exceeded_ = false;
};

// zlib body of a CWS file, at most expected bytes.
bool inflateBody(std::span<const std::uint8_t> in, std::size_t expected,
                 std::vector<std::uint8_t>& out, std::string& error,
                 std::vector<std::string>* warnings);
// LZMA body of a ZWS file (the whole file is passed: its header holds the LZMA properties).
bool unlzmaBody(std::span<const std::uint8_t> file, std::size_t expected, std::uint64_t memLimit,
                std::vector<std::uint8_t>& out, std::string& error,
                std::vector<std::string>* warnings);

// Scans the action records of DoAction/DoInitAction tags into the movie.
class ActionScanner {
 public:
  ActionScanner(Movie& movie, const ReadOptions& options, Budget& budget);
  ~ActionScanner();
  ActionScanner(const ActionScanner&) = delete;
  ActionScanner& operator=(const ActionScanner&) = delete;
  // root: the list belongs to the root timeline; frame: the root frame it runs at.
  void scan(const std::uint8_t* p, std::size_t n, bool root, std::int32_t frame, bool once = false);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kv::media::swf::detail
