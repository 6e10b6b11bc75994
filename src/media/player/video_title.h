#pragma once
// The title of a file without a picture of its own (an audio file), as the video area shows it.

#include <QPainter>
#include <QRect>
#include <string>

namespace kv::media {

// Draws the title centred in area, light on the black already there; nothing where there is no
// room for it.
void drawVideoTitle(QPainter& painter, const QRect& area, const std::string& title);

}  // namespace kv::media
