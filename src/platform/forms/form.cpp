#include "platform/forms/form.h"

#include "platform/errors.h"
#include "platform/services.h"

namespace kv::forms {

namespace {
void refuseUnlessNormal(int state, const std::string& name) {
  if (state != kNormal)
    throw RuntimeError(ErrorNumber::CantMoveMaximised,
                       name + ": can't move or size a minimized or maximized window");
}
}  // namespace

Form::Form(std::string name, ScreenService* screen)
    : Control(Kind::Form, std::move(name), nullptr), screen_(screen) {
  setVisible(false);
}

void Form::setLeft(float v) {
  refuseUnlessNormal(windowState_, name());
  Control::setLeft(v);
  normalLeft_ = v;
}

void Form::setTop(float v) {
  refuseUnlessNormal(windowState_, name());
  Control::setTop(v);
  normalTop_ = v;
}

void Form::setWidth(float v) {
  refuseUnlessNormal(windowState_, name());
  if (v < 0) throw RuntimeError(ErrorNumber::InvalidPropertyValue, name() + ": negative width");
  normalWidth_ = v;
  resizeTo(v, Height());
}

void Form::setHeight(float v) {
  refuseUnlessNormal(windowState_, name());
  if (v < 0) throw RuntimeError(ErrorNumber::InvalidPropertyValue, name() + ": negative height");
  normalHeight_ = v;
  resizeTo(Width(), v);
}

void Form::resizeTo(float width, float height) {
  if (width == Width() && height == Height()) return;
  setGeometry(Left(), Top(), width, height);
  Resize.raise();
}

void Form::setWindowState(int state) {
  if (state < kNormal || state > kMaximized)
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, name() + ": window state");
  if (state == windowState_) return;
  if (windowState_ == kNormal) {
    normalLeft_ = Left();
    normalTop_ = Top();
    normalWidth_ = Width();
    normalHeight_ = Height();
  }
  windowState_ = state;
  if (state == kMaximized && screen_)
    setGeometry(0, 0, screen_->widthTwips(), screen_->heightTwips());
  else if (state == kNormal)
    setGeometry(normalLeft_, normalTop_, normalWidth_, normalHeight_);
  changed();
  Resize.raise();
}

void Form::setWindowStyle(std::uint32_t style) {
  style_ = style;
  changed();
}

void Form::setTopmost(bool v) {
  topmost_ = v;
  changed();
}

void Form::Show() {
  if (!loaded_) {
    loaded_ = true;
    Load.raise();
    if (!loaded_) return;  // Load unloaded the window
  }
  setVisible(true);
}

void Form::Unload() {
  if (!loaded_ && unloadCount_ > 0) return;
  ++unloadCount_;
  Unload_.raise();
  loaded_ = false;
  setVisible(false);
}

}  // namespace kv::forms
