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
  for (Control* child : children_) child->parent_ = nullptr;
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    // A view that shows this control lets go of it now.
    parent_->changed(kChangeChildren);
  }
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

void Control::setLiteralText(bool v) {
  if (literalText_ == v) return;
  literalText_ = v;
  changed(kChangeCaption | kChangeToolTip);
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
  if (kind_ == Kind::OptionButton && v != 0 && parent_)
    for (Control* sibling : parent_->children_)
      if (sibling != this && sibling->kind_ == Kind::OptionButton && sibling->value_ != 0) {
        sibling->value_ = 0;
        sibling->changed(kChangeValue);
      }
  changed(kChangeValue);
  // Setting the value of an option button or check box from code clicks it.
  if (kind_ == Kind::CheckBox || (kind_ == Kind::OptionButton && v != 0)) Click.raise();
}

void Control::inputClick() {
  if (kind_ == Kind::OptionButton && value_ == 0)
    setValue(1);  // raises Click
  else if (kind_ == Kind::CheckBox)
    setValue(value_ == 0 ? 1 : 0);  // raises Click
  else
    Click.raise();
}

void Control::setBackStyle(int style) {
  if (style != 0 && style != 1)
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, name_ + ": BackStyle");
  if (style == backStyle_) return;
  backStyle_ = style;
  changed(kChangeColours);
}

void Control::setStretch(bool v) {
  if (v == stretch_) return;
  stretch_ = v;
  changed(kChangePicture);
}

void Control::setFontName(const std::string& v) {
  if (v == fontName_) return;
  fontName_ = v;
  changed(kChangeFont);
}

void Control::setFontSize(float points) {
  // The sizes a font dialog offers; anything else would be refused by the original too.
  if (!(points > 0 && points <= 2160))
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, name_ + ": FontSize");
  if (points == fontSize_) return;
  fontSize_ = points;
  changed(kChangeFont);
}

void Control::setFontBold(bool v) {
  if (v == fontBold_) return;
  fontBold_ = v;
  changed(kChangeFont);
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
