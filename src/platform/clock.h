#pragma once
// Time and timer scheduling. Every "now" and every timer tick of the program comes from here,
// so that tests can run minutes of timer behaviour on a virtual clock in microseconds.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace kv {

class Clock {
 public:
  using TimerId = std::uint64_t;
  virtual ~Clock() = default;

  // Wall-clock date-time, milliseconds since the Unix epoch.
  virtual std::int64_t now() const = 0;
  // A repeating tick every intervalMs (> 0) until cancelled.
  virtual TimerId schedule(int intervalMs, std::function<void()> tick) = 0;
  virtual void cancel(TimerId id) = 0;
  // Queue work to run on the user-interface thread after the current handler.
  virtual void post(std::function<void()> work) = 0;
  // Let pending window events and queued work run once.
  virtual void doEvents() = 0;
};

// The test clock: time moves only through advance(), which fires due ticks in time order.
class VirtualClock final : public Clock {
 public:
  explicit VirtualClock(std::int64_t startMs = 1'800'000'000'000) : now_(startMs) {}

  std::int64_t now() const override { return now_; }
  TimerId schedule(int intervalMs, std::function<void()> tick) override;
  void cancel(TimerId id) override;
  void post(std::function<void()> work) override { posted_.push_back(std::move(work)); }
  void doEvents() override;

  // Moves time forward by ms, firing every tick that falls due on the way (time order,
  // then scheduling order), with now() equal to each tick's due time while it runs.
  void advance(std::int64_t ms);
  std::size_t activeTimers() const { return timers_.size(); }
  int doEventsCalls() const { return doEventsCalls_; }

 private:
  void drainPosted();
  struct Entry {
    int interval;
    std::int64_t due;
    std::function<void()> tick;
  };
  std::int64_t now_;
  TimerId next_ = 1;
  std::map<TimerId, Entry> timers_;
  std::vector<std::function<void()>> posted_;
  int doEventsCalls_ = 0;
};

}  // namespace kv
