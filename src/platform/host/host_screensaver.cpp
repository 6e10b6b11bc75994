#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

#include "platform/host/host_services.h"

namespace kv::host {
namespace {
QDBusInterface screenSaver() {
  return QDBusInterface("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                        "org.freedesktop.ScreenSaver", QDBusConnection::sessionBus());
}
}  // namespace

HostScreenSaver::~HostScreenSaver() {
  if (inhibited_) setActive(true);
}

bool HostScreenSaver::setActive(bool active) {
  if (!QDBusConnection::sessionBus().isConnected()) return false;
  auto iface = screenSaver();
  if (!iface.isValid()) return false;
  if (!active) {
    if (inhibited_) return true;
    QDBusReply<unsigned> reply = iface.call("Inhibit", "korvelin", "Playing media");
    if (!reply.isValid()) return false;
    cookie_ = reply.value();
    inhibited_ = true;
    return true;
  }
  if (!inhibited_) return true;
  QDBusReply<void> reply = iface.call("UnInhibit", cookie_);
  inhibited_ = false;
  return reply.isValid();
}

}  // namespace kv::host
