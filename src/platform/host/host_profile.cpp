#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host/atomic_file.h"
#include "platform/host/host_services.h"

namespace kv::host {

DocumentProfile::Loaded HostProfile::load(const std::string& path) {
  // Non-blocking, so that a FIFO or a device at the path answers at once instead of holding
  // start-up; only a regular file is then read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return {Loaded::Status::Unreadable, {}};
  }
  Loaded result{Loaded::Status::Unreadable, {}};
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::size_t>(st.st_size) <= kMaxBytes) {
    std::string text;
    char buffer[64 * 1024];
    bool ok = true;
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 || text.size() + static_cast<std::size_t>(n) > kMaxBytes) {
        ok = false;  // a read error, or the file grew past the limit while being read
        break;
      }
      if (n == 0) break;
      text.append(buffer, static_cast<std::size_t>(n));
    }
    if (ok) result = {Loaded::Status::Read, std::move(text)};
  }
  ::close(fd);
  return result;
}

bool HostProfile::store(const std::string& path, const std::string& text) {
  // The folder is not made: a settings file whose folder is missing is simply not written.
  return replaceFileAtomically(path, text);
}

}  // namespace kv::host
