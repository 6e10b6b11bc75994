#include "media/player/video_title.h"

#include <algorithm>

namespace kv::media {

void drawVideoTitle(QPainter& p, const QRect& area, const std::string& title) {
  if (title.empty() || area.width() < 40 || area.height() < 20) return;
  QFont font = p.font();
  font.setPixelSize(std::clamp(area.height() / 12, 12, 40));
  p.setFont(font);
  p.setPen(QColor(225, 227, 232));
  const QRect inner = area.adjusted(16, 16, -16, -16);
  const QString text =
      p.fontMetrics().elidedText(QString::fromStdString(title), Qt::ElideRight, inner.width());
  p.drawText(inner, Qt::AlignCenter, text);
}

}  // namespace kv::media
