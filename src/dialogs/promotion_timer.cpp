#include "dialogs/form0.h"
#include "dialogs/promotion.h"
#include "platform/errors.h"

namespace kv::dialogs {

Promotion::Promotion(Services& services, forms::Timer& timer, std::int64_t& due)
    : services_(services), timer_(timer), due_(due) {}

Promotion::~Promotion() = default;

void Promotion::Timer12_Timer(const std::string& appFolder) {
  if (services_.clock.now() < due_) return;
  step([&] { timer_.setEnabled(false); });
  step([&] {
    // A window that is still up is only shown again; a closed one starts afresh on page 1.
    if (form0_ && !form0_->loaded()) form0_.reset();
    if (!form0_) form0_ = std::make_unique<Form0>(services_, appFolder);
    form0_->Show();
  });
  step([&] { due_ = services_.clock.now() + kPeriodMs; });
  step([&] { timer_.setEnabled(true); });
}

}  // namespace kv::dialogs
