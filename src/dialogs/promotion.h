#pragma once
// The main window's promotion: the promotion window comes back every 30 minutes.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/forms/timer.h"
#include "platform/services.h"

namespace kv::dialogs {

class Form0;

class Promotion {
 public:
  static constexpr std::int64_t kPeriodMs = 30LL * 60 * 1000;

  // `due` is the main window's one deadline that the Flash movie limit shares.
  Promotion(Services& services, forms::Timer& timer, std::int64_t& due);
  ~Promotion();

  void Timer12_Timer(const std::string& appFolder);
  Form0* window() const { return form0_.get(); }

 private:
  Services& services_;
  forms::Timer& timer_;
  std::int64_t& due_;
  std::unique_ptr<Form0> form0_;
};

}  // namespace kv::dialogs
