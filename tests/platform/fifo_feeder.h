#pragma once
// Writes text into a FIFO whenever someone opens it for reading, until destroyed: code that
// opens the FIFO and blocks on it gets the text, and so gives itself away.

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace kv::test {

class FifoFeeder {
 public:
  FifoFeeder(std::string path, std::string text)
      : thread_([this, path = std::move(path), text = std::move(text)] {
          // A reader that closes early must not end the test with SIGPIPE.
          sigset_t pipe;
          sigemptyset(&pipe);
          sigaddset(&pipe, SIGPIPE);
          pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
          while (!stop_) {
            // Succeeds only while a reader has the FIFO open.
            const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
              (void)!::write(fd, text.data(), text.size());
              ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
          }
        }) {}
  ~FifoFeeder() {
    stop_ = true;
    thread_.join();
  }
  FifoFeeder(const FifoFeeder&) = delete;
  FifoFeeder& operator=(const FifoFeeder&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace kv::test
