#include "dialogs/form4.h"

namespace kv::dialogs {

Form4::Form4(Services& services) : forms::Form("Form4", &services.screen, &services.windows) {
  setCaption("文件类型关联");
  design(0, 0, 6000, 5400);
  setTopmost(true);
}

}  // namespace kv::dialogs
