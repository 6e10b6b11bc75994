#include "media/player/covered_region.h"

#include <QWidget>

namespace kv::media {

QRegion coveredByWidgetsAbove(const QWidget& widget) {
  QRegion covered;
  const QRect own = widget.rect();
  for (const QWidget* w = &widget; w && !w->isWindow(); w = w->parentWidget()) {
    const QWidget* parent = w->parentWidget();
    if (!parent) break;
    // Widgets are stacked in the order of their parent's children, the last one on top.
    const QPoint offset = widget.mapTo(parent, QPoint(0, 0));
    bool above = false;
    for (const QObject* object : parent->children()) {
      if (object == w) {
        above = true;
        continue;
      }
      const auto* sibling = qobject_cast<const QWidget*>(object);
      if (!above || !sibling || sibling->isWindow() || sibling->isHidden()) continue;
      const QRect r = sibling->geometry().translated(-offset) & own;
      if (!r.isEmpty()) covered += r;
    }
  }
  return covered;
}

}  // namespace kv::media
