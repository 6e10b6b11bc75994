#pragma once
// A component placed on a form: the extender (geometry, Visible, ZOrder) is a control of the
// forms runtime, and object() is the component itself behind its interface.

#include "platform/forms/control.h"

namespace kv::forms {

template <class Component>
class ComponentControl : public Control {
 public:
  ComponentControl(std::string name, Control* parent, Component& component)
      : Control(Kind::Component, std::move(name), parent), component_(&component) {}

  Component& object() const { return *component_; }

 private:
  Component* component_;
};

}  // namespace kv::forms
