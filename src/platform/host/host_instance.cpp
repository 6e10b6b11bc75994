#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/host/host_runtime_folder.h"
#include "platform/host/host_services.h"

namespace kv::host {

HostInstance::HostInstance(std::string lockPath) : path_(std::move(lockPath)) {}

HostInstance::~HostInstance() {
  // Closing drops the lock. The file stays: removing it could race with a starting instance
  // that has just opened it.
  if (fd_ >= 0) ::close(fd_);
}

std::string HostInstance::defaultLockPath() {
  return privateRuntimePath("korvelin-" + std::to_string(::geteuid()) + ".lock");
}

bool HostInstance::PrevInstance() {
  if (!answer_) answer_ = !lock();
  return *answer_;
}

// Whether this start may go on: the lock is ours now, or no lock can be had at all. Only a live
// instance holding the lock refuses a start; a path we cannot lock (something that is not our
// regular file, which we remove once, a folder we cannot write, or no private folder to hold
// the lock at all) never does.
bool HostInstance::lock() {
  if (path_.empty()) return true;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int flags = O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    int fd = ::open(path_.c_str(), O_RDWR | flags, 0600);
    if (fd < 0 && errno == EACCES) fd = ::open(path_.c_str(), O_RDONLY | flags, 0600);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())) {
      ::close(fd);
      fd = -1;
    }
    if (fd < 0) {
      if (attempt == 0 && ::unlink(path_.c_str()) == 0) continue;
      return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      fd_ = fd;
      // For people who look: the process that holds the lock.
      const std::string pid = std::to_string(::getpid()) + "\n";
      if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.data(), pid.size(), 0) < 0) {
        // Informational only.
      }
      return true;
    }
    const int error = errno;
    ::close(fd);
    return error != EWOULDBLOCK;
  }
  return true;
}

}  // namespace kv::host
