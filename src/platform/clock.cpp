#include "platform/clock.h"

#include <stdexcept>

namespace kv {

Clock::TimerId VirtualClock::schedule(int intervalMs, std::function<void()> tick) {
  if (intervalMs <= 0) throw std::invalid_argument("timer interval must be positive");
  const TimerId id = next_++;
  timers_[id] = Entry{intervalMs, now_ + intervalMs, std::move(tick)};
  return id;
}

void VirtualClock::cancel(TimerId id) {
  timers_.erase(id);
}

void VirtualClock::doEvents() {
  ++doEventsCalls_;
  drainPosted();
}

void VirtualClock::drainPosted() {
  auto work = std::move(posted_);
  posted_.clear();
  for (auto& w : work) w();
}

void VirtualClock::advance(std::int64_t ms) {
  const std::int64_t end = now_ + ms;
  for (;;) {
    drainPosted();
    // Earliest due tick; ties go to the timer scheduled first (lowest id).
    TimerId best = 0;
    std::int64_t bestDue = end + 1;
    for (const auto& [id, e] : timers_) {
      if (e.due < bestDue) {
        bestDue = e.due;
        best = id;
      }
    }
    if (best == 0 || bestDue > end) break;
    now_ = bestDue;
    auto& entry = timers_[best];
    entry.due += entry.interval;
    auto tick = entry.tick;  // the tick may cancel its own timer
    tick();
  }
  now_ = end;
  drainPosted();
}

}  // namespace kv
