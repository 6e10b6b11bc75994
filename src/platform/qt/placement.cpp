#include "platform/qt/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kv::view {

QPoint centredOver(QSize size, const QWidget* owner) {
  const bool shown = owner && owner->isVisible() && !owner->isMinimized();
  const QScreen* screen =
      shown && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
  const QRect free = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  const QRect over = shown ? owner->frameGeometry() : free;
  QPoint at = over.center() - QPoint(size.width() / 2, size.height() / 2);
  // Never half off the screen: its title bar stays where the mouse can take it.
  at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() + 1 - size.width())));
  at.setY(std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() + 1 - size.height())));
  return at;
}

}  // namespace kv::view
