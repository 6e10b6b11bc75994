#include "platform/qt/window_picture.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "platform/host/atomic_file.h"

namespace kv::view {

QImage windowPicture(QWidget& window) {
  // grab() composes OpenGL widgets (the video) and the browser's view into the picture.
  return window.grab().toImage();
}

bool saveWindowPicture(QWidget& window, const std::string& path, std::string* error) {
  const QImage picture = windowPicture(window);
  const auto fail = [error](const QString& why) {
    if (error) *error = why.toStdString();
    return false;
  };
  if (picture.isNull()) return fail(QStringLiteral("the window has no picture"));
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
    return fail(QStringLiteral("the picture could not be encoded"));
  if (!host::replaceFileAtomically(path, png.toStdString()))
    return fail(QStringLiteral("the file could not be written"));
  return true;
}

}  // namespace kv::view
