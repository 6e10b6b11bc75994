#include "platform/qt/window_picture.h"

#include <QImage>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

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
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
  if (!picture.save(&file, "PNG")) {
    file.cancelWriting();
    return fail(QStringLiteral("the picture could not be written"));
  }
  if (!file.commit()) return fail(file.errorString());
  return true;
}

}  // namespace kv::view
