#include "platform/qt/component_place.h"

#include <QChildEvent>
#include <QPaintEvent>
#include <QPainter>

namespace kv::view {

ComponentPlace::ComponentPlace(FormWindow& owner, forms::Control& control, QWidget* parent)
    : QWidget(parent), ViewWidget(owner, control) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void ComponentPlace::apply(unsigned) {}

void ComponentPlace::setContent(QWidget* content) {
  if (!content) return;
  content->setParent(this);
  content->setGeometry(rect());
  content->show();
  content->raise();
}

void ComponentPlace::setBackground(const QColor& colour) {
  if (colour == background_) return;
  background_ = colour;
  update();
}

bool ComponentPlace::event(QEvent* event) {
  // A component may create its widget in the place by itself (the web page does, on its first
  // page): it fills the place like the rest.
  if (event->type() == QEvent::ChildPolished)
    if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
        child && !child->isWindow())
      child->setGeometry(rect());
  return QWidget::event(event);
}

void ComponentPlace::resizeEvent(QResizeEvent*) {
  fitChildren();
}

void ComponentPlace::fitChildren() {
  for (QObject* object : children())
    if (auto* child = qobject_cast<QWidget*>(object); child && !child->isWindow())
      child->setGeometry(rect());
}

void ComponentPlace::paintEvent(QPaintEvent* event) {
  QPainter(this).fillRect(event->rect(), background_);
}

}  // namespace kv::view
