#pragma once
// The file-type association dialog. Its check boxes, registry writes and settings file come
// with the association feature; for now the window exists with its caption.

#include "platform/forms/form.h"
#include "platform/services.h"

namespace kv::dialogs {

class Form4 : public forms::Form {
 public:
  explicit Form4(Services& services);
};

}  // namespace kv::dialogs
