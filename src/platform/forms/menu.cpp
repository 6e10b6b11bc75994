#include "platform/forms/menu.h"

#include <vector>

namespace kv::forms {

MenuItem::MenuItem(std::string name, std::string caption, MenuItem* parent)
    : name_(std::move(name)), caption_(std::move(caption)), parent_(parent) {
  if (parent_) parent_->items_.push_back(this);
}

MenuItem::~MenuItem() {
  // A deleted item leaves its menu, and its own items no longer name it as their parent.
  if (parent_) std::erase(parent_->items_, this);
  for (MenuItem* item : items_) item->parent_ = nullptr;
}

void MenuItem::changed() {
  MenuItem* top = this;
  while (top->parent_) top = top->parent_;
  top->ItemChanged.raise(*this);
}

void MenuItem::setCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  changed();
}

void MenuItem::setLiteral(bool v) {
  if (v == literal_) return;
  literal_ = v;
  changed();
}

void MenuItem::setChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  changed();
}

void MenuItem::setEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  changed();
}

void MenuItem::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  changed();
}

}  // namespace kv::forms
