#pragma once
// The timer control: ticks every Interval ms while Enabled; an Interval of 0 never ticks.

#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/event.h"

namespace kv::forms {

class Timer {
 public:
  Timer(std::string name, Clock& clock) : name_(std::move(name)), clock_(clock) {}
  ~Timer() { stop(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& name() const { return name_; }
  int Interval() const { return interval_; }
  void setInterval(int ms);
  bool Enabled() const { return enabled_; }
  // Enabling an enabled timer lets its countdown run on.
  void setEnabled(bool on);

  Event<> Tick;

 private:
  void start();
  void stop();

  std::string name_;
  Clock& clock_;
  int interval_ = 0;
  bool enabled_ = false;
  std::optional<Clock::TimerId> id_;
};

}  // namespace kv::forms
