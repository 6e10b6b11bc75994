#pragma once
// What every widget of a form window shares: the control it shows and the window that owns
// it. Once the window has let go of its form (the form is unloaded or destroyed), attached()
// is false and a widget must not look at its control any more.

namespace kv::forms {
class Control;
}

namespace kv::view {

class FormWindow;

class ViewWidget {
 public:
  ViewWidget(FormWindow& owner, forms::Control& control) : owner_(owner), control_(control) {}
  virtual ~ViewWidget() = default;
  ViewWidget(const ViewWidget&) = delete;
  ViewWidget& operator=(const ViewWidget&) = delete;

  // Whether the control may be looked at: the window still follows its form and the control
  // has not left it.
  bool attached() const;
  // The control has gone (or is going): the widget stays blank until it is deleted.
  void release() { released_ = true; }
  forms::Control& control() const { return control_; }
  FormWindow& owner() const { return owner_; }

  // Bring the widget in step with the given changes of its control (kChange* bits).
  virtual void apply(unsigned changes) = 0;

 private:
  FormWindow& owner_;
  forms::Control& control_;
  bool released_ = false;
};

}  // namespace kv::view
