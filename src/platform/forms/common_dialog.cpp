#include "platform/forms/common_dialog.h"

#include "platform/forms/form.h"
#include "platform/window_host.h"

namespace kv::forms {

void CommonDialog::ShowOpen() {
  WindowHost* host = owner_.host();
  fileName_ = host ? host->showOpen(owner_, filter_, fileName_) : std::string();
}

}  // namespace kv::forms
