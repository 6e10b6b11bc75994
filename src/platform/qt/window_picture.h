#pragma once
// A picture of a window as it is on screen, video and web pages included, saved as PNG.

#include <string>

class QImage;
class QWidget;

namespace kv::view {

QImage windowPicture(QWidget& window);
// Written to a temporary file and renamed into place; false and why when it cannot be.
bool saveWindowPicture(QWidget& window, const std::string& path, std::string* error = nullptr);

}  // namespace kv::view
