#include "platform/host/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <random>
#include <system_error>

namespace kv::host {
namespace {

namespace fs = std::filesystem;

// Where a link chain ends; nothing when it does not end (a loop, or too long to follow).
std::optional<fs::path> linkTarget(fs::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return std::nullopt;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return std::nullopt;
}

// A new file beside target that nobody else has; -1 when none can be made.
int createTemporary(const fs::path& target, std::string& name) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix = ".";
    for (int i = 0; i < 8; ++i) suffix += kLetters[random() % (sizeof kLetters - 1)];
    name = target.string() + suffix;
    // 0666 less the umask, as for any new file; an existing file's mode is copied below.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Every byte of text, however many calls it takes; false on the first error.
bool writeAll(const WriteCalls& calls, int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = calls.write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {  // no progress and no reason given: the disk took nothing
      errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The rename itself is only lasting once the folder is on the disk too. The new file is already
// in place when this fails, so there is nothing to undo.
void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool fail(const std::string& path, const char* what, int error) {
  // One piece, so that the line is never broken up by another thread's output.
  std::cerr << ("korvelin: " + path + " was not written (" + what + ": " +
                std::error_code(error, std::generic_category()).message() +
                "); nothing was changed\n");
  return false;
}

}  // namespace

const WriteCalls& WriteCalls::system() {
  static const WriteCalls calls{
      [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
      [](int fd) { return ::fdatasync(fd); },
      [](int fd) { return ::close(fd); },
      [](const char* from, const char* to) { return ::rename(from, to); },
  };
  return calls;
}

bool replaceFileAtomically(const std::string& path, const std::string& text,
                           const WriteCalls& calls) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(fs::path(path), ec);
  if (ec) return fail(path, "finding its folder", ec.value());
  const auto target = linkTarget(absolute);
  if (!target) return fail(path, "following its link", ELOOP);
  struct stat old {};
  const bool existed = ::stat(target->c_str(), &old) == 0;
  if (existed && !S_ISREG(old.st_mode)) return fail(path, "not a regular file", EINVAL);
  // A file its owner made read-only stays as it is.
  if (existed && ::access(target->c_str(), W_OK) != 0) return fail(path, "it is read-only", errno);

  std::string temporary;
  int fd = createTemporary(*target, temporary);
  if (fd < 0) return fail(path, "creating a file beside it", errno);
  const auto abandon = [&](const char* what) {
    const int error = errno;
    if (fd >= 0) ::close(fd);
    ::unlink(temporary.c_str());
    return fail(path, what, error);
  };
  if (existed && ::fchmod(fd, old.st_mode & 07777) != 0) return abandon("keeping its mode");
  if (!writeAll(calls, fd, text)) return abandon("writing");
  if (calls.sync(fd) != 0) return abandon("flushing to the disk");
  // The descriptor is gone after close, whatever it answers.
  const int closed = calls.close(fd);
  fd = -1;
  if (closed != 0) return abandon("closing");
  if (calls.rename(temporary.c_str(), target->c_str()) != 0) return abandon("renaming");
  syncFolder(target->parent_path());
  return true;
}

bool writeFileAtomically(const std::string& path, const std::string& text) {
  std::error_code ec;
  const fs::path folder = fs::absolute(fs::path(path), ec).parent_path();
  if (!ec) fs::create_directories(folder, ec);
  if (ec) return fail(path, "making its folder", ec.value());
  return replaceFileAtomically(path, text);
}

std::optional<std::string> readWholeFile(const std::string& path, long long maxBytes) {
  QFile file(QString::fromStdString(path));
  const QFileInfo info(file);
  if (!info.exists() && !info.isSymLink()) return std::string();
  if (!info.isFile() || file.size() > maxBytes) return std::nullopt;
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes.toStdString();
}

}  // namespace kv::host
