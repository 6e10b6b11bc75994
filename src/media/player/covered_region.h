#pragma once
// What other widgets of the same window cover of a widget.

#include <QRegion>

class QWidget;

namespace kv::media {

// The parts of widget that visible widgets stacked above it cover: later siblings of the widget
// and of each of its ancestors up to its window, in the widget's own coordinates.
QRegion coveredByWidgetsAbove(const QWidget& widget);

}  // namespace kv::media
