#include "xvfb_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

extern char** environ;

namespace kv::test {

namespace {

// The server's own descriptors start above these, so that putting /dev/null on 0-2 and the
// report pipe on 3 in the child cannot overwrite one with another.
constexpr int kFirstPrivateFd = 10;

// Xvfb's full path from PATH, found before fork: the child may only make async-signal-safe calls.
std::string findOnPath(const char* name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start);
    candidate = (candidate.empty() ? "." : candidate) + "/" + name;
    struct stat st {};
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        access(candidate.c_str(), X_OK) == 0)
      return candidate;
    start = end + 1;
  }
  return {};
}

int privateFd(int fd) {
  if (fd < 0) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, kFirstPrivateFd);
  close(fd);
  return moved;
}

// Runs in the forked child until exec; returns only by _exit.
[[noreturn]] void execServer(const char* program, char* const argv[], pid_t parent, int devnull,
                             int report) {
  // The server must not outlive the test, however the test ends (a crash, a sanitizer abort,
  // exit() without destructors, SIGKILL): it would keep running with nobody to stop it.
  // The signal follows the thread that forked, which is the main thread here.
  if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(127);
  // Nothing of the test's stdio: a test runner reading the test's output waits for every
  // holder of that pipe to close it, and the server would hold it for as long as it lived.
  if (dup2(devnull, 0) < 0 || dup2(devnull, 1) < 0 || dup2(devnull, 2) < 0 || dup2(report, 3) < 0)
    _exit(127);
  // Whatever else the test inherited (a runner's pipes among them) stays behind too.
  if (close_range(4, ~0U, 0) != 0)
    for (int fd = 4; fd < 1024; ++fd) close(fd);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  execve(program, argv, environ);
  _exit(127);
}

}  // namespace

XvfbDisplay::XvfbDisplay() {
  const std::string program = findOnPath("Xvfb");
  if (program.empty()) {
    error_ = "Xvfb could not be started (is the xvfb package installed?)";
    return;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    error_ = "pipe failed";
    return;
  }
  const int readEnd = privateFd(fds[0]), writeEnd = privateFd(fds[1]);
  const int devnull = privateFd(open("/dev/null", O_RDWR | O_CLOEXEC));
  if (readEnd < 0 || writeEnd < 0 || devnull < 0) {
    for (int fd : {readEnd, writeEnd, devnull})
      if (fd >= 0) close(fd);
    error_ = "descriptors for Xvfb could not be set up";
    return;
  }
  // Xvfb writes the display number it chose to descriptor 3 once it accepts clients.
  char prog[] = "Xvfb", displayfd[] = "-displayfd", fd[] = "3", screen[] = "-screen", zero[] = "0",
       geometry[] = "1024x768x24", nolisten[] = "-nolisten", tcp[] = "tcp";
  char* argv[] = {prog, displayfd, fd, screen, zero, geometry, nolisten, tcp, nullptr};
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ == 0) execServer(program.c_str(), argv, parent, devnull, writeEnd);
  close(devnull);
  close(writeEnd);
  if (pid_ < 0) {
    close(readEnd);
    error_ = "Xvfb could not be started (fork failed)";
    return;
  }
  std::string number;
  pollfd pfd{readEnd, POLLIN, 0};
  while (poll(&pfd, 1, 15000) > 0) {
    char c;
    if (read(readEnd, &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(readEnd);
  if (number.empty()) {
    error_ = "Xvfb did not report a display";
    return;
  }
  name_ = ":" + number;
  setenv("DISPLAY", name_.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  unsetenv("WAYLAND_DISPLAY");
}

XvfbDisplay::~XvfbDisplay() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  // Xvfb ends at once on SIGTERM; should it not, it is killed rather than waited for forever.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    const pid_t done = waitpid(pid_, nullptr, WNOHANG);
    if (done == pid_ || (done < 0 && errno != EINTR)) return;
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace kv::test
