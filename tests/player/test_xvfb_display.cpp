// The private X server of the display tests: it must hold none of the test's output and must go
// when the test goes, or a test runner waiting for the end of that output waits forever.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QThread>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

#include "xvfb_display.h"

namespace kv::test {
namespace {

// Gone, or a zombie nobody has reaped yet: either way it holds nothing open any more.
bool processGone(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  const auto close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

bool waitUntilGone(pid_t pid, int timeoutMs) {
  QElapsedTimer waited;
  waited.start();
  while (!processGone(pid) && waited.elapsed() < timeoutMs) QThread::msleep(10);
  return processGone(pid);
}

std::string link(pid_t pid, int fd) {
  char target[256];
  const std::string path = "/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd);
  const ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
  return n < 0 ? std::string() : std::string(target, static_cast<std::size_t>(n));
}

// Reads until end of file or until timeoutMs passed; true at end of file.
bool readsToEnd(int fd, int timeoutMs) {
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    const int left = timeoutMs - static_cast<int>(waited.elapsed());
    if (left <= 0) return false;
    pollfd pfd{fd, POLLIN, 0};
    const int ready = poll(&pfd, 1, left);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    char buf[256];
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n == 0) return true;
    if (n < 0 && errno != EINTR) return false;
  }
}

TEST(XvfbDisplay, TheServerHoldsNoneOfTheTestsStandardStreams) {
  XvfbDisplay display;
  ASSERT_TRUE(display.ok()) << display.error();
  for (int fd = 0; fd <= 2; ++fd) EXPECT_EQ(link(display.serverPid(), fd), "/dev/null") << fd;
}

TEST(XvfbDisplay, TheServerIsReapedWithTheDisplay) {
  pid_t server = -1;
  {
    XvfbDisplay display;
    ASSERT_TRUE(display.ok()) << display.error();
    server = display.serverPid();
    EXPECT_FALSE(processGone(server));
  }
  // Reaped, not left as a zombie of this process.
  const pid_t reaped = waitpid(server, nullptr, WNOHANG);
  const int error = errno;
  EXPECT_EQ(reaped, -1);
  EXPECT_EQ(error, ECHILD);
  EXPECT_TRUE(processGone(server));
}

// A test process killed outright runs no destructor. Its output must still end, and its
// server must go with it.
TEST(XvfbDisplay, TheServerGoesWhenTheTestIsKilled) {
  int output[2], report[2];
  ASSERT_EQ(pipe2(output, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(report, O_CLOEXEC), 0);
  const pid_t test = fork();
  ASSERT_GE(test, 0);
  if (test == 0) {
    // Stands in for a test run by a runner that reads its output through a pipe.
    dup2(output[1], 1);
    dup2(output[1], 2);
    alarm(60);  // never outlives a broken parent for long
    XvfbDisplay display;
    const pid_t server = display.ok() ? display.serverPid() : -1;
    if (write(report[1], &server, sizeof server) != sizeof server) _exit(1);
    for (;;) pause();
  }
  close(output[1]);
  close(report[1]);
  pid_t server = -1;
  pollfd pfd{report[0], POLLIN, 0};
  const bool reported =
      poll(&pfd, 1, 30000) == 1 && read(report[0], &server, sizeof server) == sizeof server;
  close(report[0]);
  kill(test, SIGKILL);
  waitpid(test, nullptr, 0);
  ASSERT_TRUE(reported);
  ASSERT_GT(server, 0) << "no display in the child";
  EXPECT_TRUE(readsToEnd(output[0], 10000)) << "the output stayed open";
  close(output[0]);
  EXPECT_TRUE(waitUntilGone(server, 10000));
  if (!processGone(server)) kill(server, SIGKILL);  // not left behind by a failing run
}

}  // namespace
}  // namespace kv::test
