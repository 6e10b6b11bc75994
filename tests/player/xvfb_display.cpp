#include "xvfb_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

extern char** environ;

namespace kv::test {

XvfbDisplay::XvfbDisplay() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    error_ = "pipe failed";
    return;
  }
  // Xvfb writes the display number it chose to this descriptor once it accepts clients.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
  const int devnull = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (devnull >= 0) posix_spawn_file_actions_adddup2(&actions, devnull, 2);
  char prog[] = "Xvfb", displayfd[] = "-displayfd", fd[] = "3", screen[] = "-screen", zero[] = "0",
       geometry[] = "1024x768x24", nolisten[] = "-nolisten", tcp[] = "tcp";
  char* argv[] = {prog, displayfd, fd, screen, zero, geometry, nolisten, tcp, nullptr};
  const int rc = posix_spawnp(&pid_, prog, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (devnull >= 0) close(devnull);
  close(fds[1]);
  if (rc != 0) {
    pid_ = -1;
    close(fds[0]);
    error_ = "Xvfb could not be started (is the xvfb package installed?)";
    return;
  }
  std::string number;
  pollfd pfd{fds[0], POLLIN, 0};
  while (poll(&pfd, 1, 15000) > 0) {
    char c;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(fds[0]);
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
  int status = 0;
  waitpid(pid_, &status, 0);
}

}  // namespace kv::test
