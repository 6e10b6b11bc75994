// The main window's promotion timer: the promotion window comes back every 30 minutes.

#include "app/form1.h"
#include "dialogs/form0.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::Timer12_Timer() {
  if (services_.clock.now() < promotionDue) return;
  step([&] { Timer12.setEnabled(false); });
  step([&] {
    // A window that is still up is only shown again; a closed one starts afresh on page 1.
    if (form0_ && !form0_->loaded()) form0_.reset();
    if (!form0_) form0_ = std::make_unique<dialogs::Form0>(services_, appFolder());
    form0_->Show();
  });
  step([&] { promotionDue = services_.clock.now() + kPromotionPeriodMs; });
  step([&] { Timer12.setEnabled(true); });
}

}  // namespace kv::app
