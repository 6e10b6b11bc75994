#pragma once
// Disks that run out of room for a test: a small tmpfs of its own filled to the last byte or
// to a few pages (needs the right to mount, as root has), and a file size limit, which makes
// the kernel cut and refuse writes the same way for anyone.

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace kv::test {

// A tmpfs mounted on a new folder for as long as the object lives.
class SmallTmpfs {
 public:
  explicit SmallTmpfs(const std::string& folder, const char* size = "1m") : path_(folder) {
    std::filesystem::create_directories(path_);
    mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                       (std::string("mode=0755,size=") + size).c_str()) == 0;
  }
  ~SmallTmpfs() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
  }
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;
  bool mounted() const { return mounted_; }
  const std::string& path() const { return path_; }

  // Fills the file system with one file until exactly leaveFree bytes (whole pages) are left.
  bool fill(long long leaveFree) {
    const std::string filler = path_ + "/filler";
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const std::vector<char> block(64 * 1024, 'f');
    off_t size = 0;
    for (ssize_t n; (n = ::write(fd, block.data(), block.size())) > 0;) size += n;
    const bool full = errno == ENOSPC && ::ftruncate(fd, size - leaveFree) == 0;
    ::close(fd);
    return full && free() == leaveFree;
  }
  long long free() const {
    struct statvfs st {};
    ::statvfs(path_.c_str(), &st);
    return static_cast<long long>(st.f_bavail) * static_cast<long long>(st.f_frsize);
  }

 private:
  std::string path_;
  bool mounted_ = false;
};

// While it lives, no file of this process grows past bytes: a write that would is cut short
// and the next one fails with EFBIG (its signal ignored), as on a disk with that much room.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldSignal_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  sighandler_t oldSignal_ = SIG_DFL;
};

// What the code under test writes to standard error while the object lives.
class StderrCapture {
 public:
  StderrCapture() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
  ~StderrCapture() { std::cerr.rdbuf(old_); }
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;
  std::string text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* old_;
};

// The names in a folder, sorted: nothing left beside a file that was not replaced.
inline std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kv::test
