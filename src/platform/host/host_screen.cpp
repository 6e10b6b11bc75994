#include <QGuiApplication>
#include <QScreen>

#include "platform/forms/control.h"
#include "platform/host/host_services.h"

namespace kv::host {
namespace {
QSize screenPixels() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    // The area windows may take: a maximised window leaves the desktop's panels visible.
    if (const QScreen* s = QGuiApplication::primaryScreen()) return s->availableGeometry().size();
  return {1920, 1080};  // no display: a common desktop size
}
}  // namespace

float HostScreen::widthTwips() const {
  return static_cast<float>(screenPixels().width()) * forms::kTwipsPerPixel;
}
float HostScreen::heightTwips() const {
  return static_cast<float>(screenPixels().height()) * forms::kTwipsPerPixel;
}

}  // namespace kv::host
