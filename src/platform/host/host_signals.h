#pragma once
// SIGTERM, SIGINT and SIGHUP (the session logging out, Ctrl+C, the terminal closing) turned
// into one call on the user-interface thread, through a pipe the signal handler writes to.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace kv::host {

class TerminationSignals {
 public:
  // onSignal runs once, on the thread of the event loop; a second signal after it ends the
  // process the default way (a shutdown that hangs can still be interrupted).
  explicit TerminationSignals(std::function<void()> onSignal);
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  bool installed() const { return installed_; }

 private:
  std::function<void()> onSignal_;
  std::unique_ptr<QSocketNotifier> notifier_;
  bool installed_ = false;
};

}  // namespace kv::host
