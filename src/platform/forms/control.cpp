#include "platform/forms/control.h"

#include <algorithm>

#include "platform/errors.h"

namespace kv::forms {

Control::Control(Kind kind, std::string name, Control* parent)
    : kind_(kind), name_(std::move(name)), parent_(parent) {
  if (parent_) {
    parent_->children_.push_back(this);
    parent_->changed(kChangeChildren);
  }
}

Control::~Control() {
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (Control* child : children_) child->parent_ = nullptr;
}

Control& Control::root() {
  Control* c = this;
  while (c->parent_) c = c->parent_;
  return *c;
}

void Control::changed(Changes what) {
  root().ControlChanged.raise(*this, what);
}

void Control::setGeometry(float left, float top, float width, float height) {
  if (width < 0 || height < 0)
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, name_ + ": negative size");
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  changed(kChangeGeometry);
}

void Control::setLeft(float v) {
  setGeometry(v, top_, width_, height_);
}
void Control::setTop(float v) {
  setGeometry(left_, v, width_, height_);
}
void Control::setWidth(float v) {
  setGeometry(left_, top_, v, height_);
}
void Control::setHeight(float v) {
  setGeometry(left_, top_, width_, v);
}

void Control::Move(float left, float top) {
  setLeft(left);
  setTop(top);
}

void Control::Move(float left, float top, float width, float height) {
  setLeft(left);
  setTop(top);
  setWidth(width);
  setHeight(height);
}

Control& Control::design(float left, float top, float width, float height) {
  Move(left, top, width, height);
  return *this;
}

void Control::setVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  changed(kChangeVisible);
}

void Control::setEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  changed(kChangeEnabled);
}

void Control::setCaption(const std::string& v) {
  if (caption_ == v) return;
  caption_ = v;
  changed(kChangeCaption);
}

void Control::setToolTipText(const std::string& v) {
  toolTip_ = v;
  changed(kChangeToolTip);
}

void Control::setForeColor(std::uint32_t bgr) {
  if (foreColor_ == bgr) return;
  foreColor_ = bgr;
  changed(kChangeColours);
}

void Control::setBackColor(std::uint32_t bgr) {
  if (backColor_ == bgr) return;
  backColor_ = bgr;
  changed(kChangeColours);
}

void Control::setPicture(PictureRef p) {
  picture_ = std::move(p);
  changed(kChangePicture);
}

void Control::setMousePointer(int shape) {
  if (mousePointer_ == shape) return;
  mousePointer_ = shape;
  changed(kChangePointer);
}

void Control::setMouseIcon(PictureRef p) {
  mouseIcon_ = std::move(p);
  changed(kChangePointer);
}

void Control::setValue(int v) {
  if (value_ == v) return;
  value_ = v;
  changed(kChangeValue);
  // Setting the value of an option button or check box from code clicks it.
  if (kind_ == Kind::CheckBox || (kind_ == Kind::OptionButton && v != 0)) Click.raise();
}

void Control::ZOrder(int position) {
  if (!parent_) return;
  auto& siblings = parent_->children_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  if (position == 0)
    siblings.push_back(this);
  else
    siblings.insert(siblings.begin(), this);
  changed(kChangeZOrder);
}

void Control::Refresh() {
  ++refreshCount_;
  changed(kChangeRefresh);
}

}  // namespace kv::forms
