#pragma once
// A session bus of the test's own: the code under test and the clients the test runs (or the
// services it fakes) meet there, never on the person's bus.

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace kv::test {

struct PrivateBus {
  QProcess daemon;
  QString address;
  PrivateBus() {
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (daemon.waitForStarted(10000) && daemon.waitForReadyRead(10000))
      address = QString::fromUtf8(daemon.readLine()).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
  }
  ~PrivateBus() {
    daemon.kill();
    daemon.waitForFinished(10000);
  }
};

}  // namespace kv::test
