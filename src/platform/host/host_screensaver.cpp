#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "platform/host/host_services.h"

namespace kv::host {

struct HostScreenSaver::State {
  bool started = false;
  bool wantInhibited = false;
  // The Inhibit call is on its way: its cookie is not known yet.
  bool asking = false;
  std::optional<unsigned> cookie;

  static QDBusMessage call(const char* method) {
    return QDBusMessage::createMethodCall("org.freedesktop.ScreenSaver",
                                          "/org/freedesktop/ScreenSaver",
                                          "org.freedesktop.ScreenSaver", method);
  }

  // Brings the bus in line with the wish; at most one Inhibit is outstanding.
  static void apply(const std::shared_ptr<State>& self) {
    if (!self->started || self->asking) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    if (self->wantInhibited && !self->cookie) {
      QDBusMessage inhibit = call("Inhibit");
      inhibit << QStringLiteral("korvelin") << QStringLiteral("Playing media");
      self->asking = true;
      auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(inhibit));
      std::weak_ptr<State> weak = self;
      QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                       [weak](QDBusPendingCallWatcher* w) {
                         w->deleteLater();
                         const QDBusPendingReply<unsigned> reply = *w;
                         const std::shared_ptr<State> state = weak.lock();
                         if (!state) {  // gone meanwhile: give the cookie straight back
                           if (reply.isValid()) unInhibit(reply.value());
                           return;
                         }
                         state->asking = false;
                         // Without an answer (no screen saver service) nothing more is tried
                         // until the next wish; with one, a wish changed meanwhile is applied.
                         if (!reply.isValid()) return;
                         state->cookie = reply.value();
                         apply(state);
                       });
    } else if (!self->wantInhibited && self->cookie) {
      unInhibit(*self->cookie);
      self->cookie.reset();
    }
  }

  static void unInhibit(unsigned cookie) {
    QDBusMessage message = call("UnInhibit");
    message << cookie;
    QDBusConnection::sessionBus().call(message, QDBus::NoBlock);
  }
};

HostScreenSaver::HostScreenSaver() : state_(std::make_shared<State>()) {}

HostScreenSaver::~HostScreenSaver() {
  if (state_->cookie) State::unInhibit(*state_->cookie);
}

bool HostScreenSaver::setActive(bool active) {
  state_->wantInhibited = !active;
  State::apply(state_);
  // Before start() the wish is kept; after it, a desktop without a session bus has no screen
  // saver of ours to hold back.
  return !state_->started || QDBusConnection::sessionBus().isConnected();
}

void HostScreenSaver::start() {
  if (state_->started) return;
  state_->started = true;
  State::apply(state_);
}

}  // namespace kv::host
