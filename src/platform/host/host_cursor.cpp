#include <QCursor>
#include <QGuiApplication>

#include "platform/host/host_services.h"

namespace kv::host {

int HostCursor::ShowCursor(bool show) {
  count_ += show ? 1 : -1;
  // The desktop view hides the pointer over the player's windows while the count is negative.
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (count_ < 0 && !QGuiApplication::overrideCursor())
      app->setOverrideCursor(Qt::BlankCursor);
    else if (count_ >= 0 && QGuiApplication::overrideCursor())
      app->restoreOverrideCursor();
  }
  return count_;
}

Point HostCursor::GetCursorPos() const {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {};
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

const forms::Control* HostCursor::WindowFromPoint(Point p) const {
  return resolver_ ? resolver_(p) : nullptr;
}

}  // namespace kv::host
