#include "platform/forms/menu.h"

namespace kv::forms {

MenuItem::MenuItem(std::string name, std::string caption, MenuItem* parent)
    : name_(std::move(name)), caption_(std::move(caption)), parent_(parent) {
  if (parent_) parent_->items_.push_back(this);
}

}  // namespace kv::forms
