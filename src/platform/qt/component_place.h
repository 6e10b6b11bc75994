#pragma once
// Components on the desktop. The view keeps a place for each component control: a container
// at the control's geometry, z-order and visibility, showing a background colour. What the
// component shows (a video picture, a web page, a Flash stage) is put into the place by
// whoever created the component, through the registry: the view never needs to know the
// component's type. Every widget in a place fills it.

#include <QColor>
#include <QWidget>
#include <functional>
#include <unordered_map>

#include "platform/qt/view_widget.h"

namespace kv::view {

class ComponentPlace final : public QWidget, public ViewWidget {
  Q_OBJECT

 public:
  ComponentPlace(FormWindow& owner, forms::Control& control, QWidget* parent);
  void apply(unsigned changes) override;

  // Takes the widget into the place, in front of what is there, filling it.
  void setContent(QWidget* content);
  // The colour shown where no content covers the place.
  void setBackground(const QColor& colour);
  QColor background() const { return background_; }

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void fitChildren();
  QColor background_ = Qt::black;
};

class ComponentRegistry {
 public:
  // Called with the control's place each time the view makes one (a window that is unloaded
  // and shown again gets a new place). The function may fill the place now or keep a guarded
  // pointer (QPointer) and fill it later, when its engine is ready.
  using Fill = std::function<void(ComponentPlace& place)>;

  void add(const forms::Control& control, Fill fill) { fills_[&control] = std::move(fill); }
  void remove(const forms::Control& control) { fills_.erase(&control); }
  void fill(const forms::Control& control, ComponentPlace& place) const {
    if (auto it = fills_.find(&control); it != fills_.end() && it->second) it->second(place);
  }

 private:
  std::unordered_map<const forms::Control*, Fill> fills_;
};

}  // namespace kv::view
