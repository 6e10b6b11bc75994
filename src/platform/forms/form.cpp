#include "platform/forms/form.h"

#include "platform/errors.h"
#include "platform/services.h"
#include "platform/window_host.h"

namespace kv::forms {

namespace {
void refuseUnlessNormal(int state, const std::string& name) {
  if (state != kNormal)
    throw RuntimeError(ErrorNumber::CantMoveMaximised,
                       name + ": can't move or size a minimized or maximized window");
}
}  // namespace

Form::Form(std::string name, ScreenService* screen, WindowHost* host)
    : Control(Kind::Form, std::move(name), nullptr), screen_(screen), host_(host) {
  setVisible(false);
}

Form::~Form() {
  if (host_) host_->formDestroyed(*this);
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
  changed(kChangeWindowState);
  Resize.raise();
}

void Form::desktopMoved(float left, float top) {
  if (left == Left() && top == Top()) return;
  if (windowState_ == kNormal) {
    normalLeft_ = left;
    normalTop_ = top;
  }
  storeGeometry(left, top, Width(), Height());
  changed(kChangeGeometry | kChangeFromDesktop);
}

void Form::desktopResized(float width, float height) {
  if (width < 0 || height < 0 || (width == Width() && height == Height())) return;
  if (windowState_ == kNormal) {
    normalWidth_ = width;
    normalHeight_ = height;
  }
  storeGeometry(Left(), Top(), width, height);
  changed(kChangeGeometry | kChangeFromDesktop);
  Resize.raise();
}

void Form::desktopStateChanged(int state, float left, float top, float width, float height) {
  if (state < kNormal || state > kMaximized || width < 0 || height < 0) return;
  if (state == windowState_ && left == Left() && top == Top() && width == Width() &&
      height == Height())
    return;
  if (windowState_ == kNormal && state != kNormal) {
    normalLeft_ = Left();
    normalTop_ = Top();
    normalWidth_ = Width();
    normalHeight_ = Height();
  }
  windowState_ = state;
  storeGeometry(left, top, width, height);
  changed(kChangeWindowState | kChangeGeometry | kChangeFromDesktop);
  Resize.raise();
}

void Form::setWindowStyle(std::uint32_t style) {
  if (style == style_) return;
  style_ = style;
  changed(kChangeStyle);
}

void Form::setTopmost(bool v) {
  if (v == topmost_) return;
  topmost_ = v;
  changed(kChangeStyle);
}

void Form::Show() {
  if (!loaded_) {
    loaded_ = true;
    Load.raise();
    if (!loaded_) return;  // Load unloaded the window
  }
  setVisible(true);
  if (host_) host_->formShown(*this);
}

void Form::Hide() {
  setVisible(false);
  if (host_) host_->formHidden(*this);
}

void Form::Unload() {
  if (!loaded_ && unloadCount_ > 0) return;
  ++unloadCount_;
  Unload_.raise();
  loaded_ = false;
  setVisible(false);
  if (host_) host_->formUnloaded(*this);
}

}  // namespace kv::forms
