#include "platform/forms/timer.h"

#include "platform/errors.h"

namespace kv::forms {

void Timer::setInterval(int ms) {
  if (ms < 0) throw RuntimeError(ErrorNumber::InvalidPropertyValue, name_ + ": interval");
  if (ms == interval_) return;
  interval_ = ms;
  stop();
  if (enabled_) start();
}

void Timer::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (on)
    start();
  else
    stop();
}

void Timer::start() {
  if (interval_ <= 0 || id_) return;
  id_ = clock_.schedule(interval_, [this] {
    if (enabled_) Tick.raise();
  });
}

void Timer::stop() {
  if (!id_) return;
  clock_.cancel(*id_);
  id_.reset();
}

}  // namespace kv::forms
