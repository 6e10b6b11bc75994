#pragma once
// Whole files replaced at once: written beside the target, flushed to the disk and renamed over
// it only when every byte is there, so that a crash or a full disk leaves the old file or the
// new one, never half of either (nor an empty one).

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace kv::host {

// The system calls that carry the bytes to the disk. Tests replace them to play out a disk
// that fails at any one of them.
struct WriteCalls {
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  std::function<int(int fd)> sync;
  std::function<int(int fd)> close;
  std::function<int(const char* from, const char* to)> rename;
  static const WriteCalls& system();
};

// Replaces the file with text; its folder must exist. A symbolic link is followed and the file
// it names is replaced; anything there other than a regular file is left alone. On any failure
// (no space, a short write, an error of the write, flush or close, the rename) the old file
// stays as it was, nothing is left beside it, the reason goes to standard error and false is
// returned.
bool replaceFileAtomically(const std::string& path, const std::string& text,
                           const WriteCalls& calls = WriteCalls::system());
// The same after making the missing folders of path.
bool writeFileAtomically(const std::string& path, const std::string& text);

// The whole file; "" when it does not exist; nothing when it exists but cannot be read whole
// (not a regular file, unreadable, or larger than maxBytes).
std::optional<std::string> readWholeFile(const std::string& path, long long maxBytes);

}  // namespace kv::host
