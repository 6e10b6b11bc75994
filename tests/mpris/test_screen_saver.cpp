// The screen saver held back over a private session bus, against a fake of the desktop's
// service: nothing reaches the bus before start(), only the latest wish is applied, a cookie
// is always given back (also when the release comes before the cookie, or with the player's
// end), and calls never wait for the service.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QObject>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "doubles/private_bus.h"
#include "platform/host/host_services.h"

namespace kv::test {

// The desktop's org.freedesktop.ScreenSaver, recording what it is asked.
class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

 public:
  std::vector<std::string> calls;

 public slots:
  uint Inhibit(const QString& application, const QString& reason) {
    calls.push_back("Inhibit " + application.toStdString() + ": " + reason.toStdString());
    return 40 + static_cast<uint>(calls.size());
  }
  void UnInhibit(uint cookie) { calls.push_back("UnInhibit " + std::to_string(cookie)); }
};

namespace {

// Serves the bus until `done` holds (up to 10 s on a loaded machine), then a little longer so
// that a call too many would be seen.
void settle(const std::function<bool()>& done = [] { return true; }) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 10000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  timer.restart();
  while (timer.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(ScreenSaverBus, OnlyTheLatestWishReachesTheDesktopAndEveryCookieGoesBack) {
  PrivateBus bus;
  ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
  int argc = 1;
  char name[] = "test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  QDBusConnection service = QDBusConnection::connectToBus(bus.address, "fake-screen-saver");
  FakeScreenSaver fake;
  ASSERT_TRUE(service.registerService("org.freedesktop.ScreenSaver"));
  ASSERT_TRUE(service.registerObject("/org/freedesktop/ScreenSaver", &fake,
                                     QDBusConnection::ExportAllSlots));
  const std::string inhibit = "Inhibit korvelin: Playing media";

  // Steps: h holds the screen saver back, l lets it go, s starts (the window is shown), w waits
  // for the bus, e ends the player.
  struct Case {
    const char* what;
    const char* steps;
    std::vector<std::string> calls;  // cookies count up from 41 with every call received
  };
  const Case cases[] = {
      {"held back before the window is shown: asked once shown", "hws", {inhibit}},
      {"held back and let go before the window is shown: nothing", "hls", {}},
      {"let go before the cookie came: it is given back", "shl", {inhibit, "UnInhibit 41"}},
      {"asked twice: one cookie", "shwh", {inhibit}},
      {"held back when the player ends: given back", "shwe", {inhibit, "UnInhibit 41"}},
  };
  const auto balanced = [&] {  // every cookie given was given back
    const auto given = std::count_if(fake.calls.begin(), fake.calls.end(),
                                     [](const std::string& s) { return s.starts_with("Inhibit"); });
    return given * 2 == static_cast<std::ptrdiff_t>(fake.calls.size());
  };
  for (const Case& c : cases) {
    fake.calls.clear();
    auto saver = std::make_unique<host::HostScreenSaver>();
    for (const char* step = c.steps; *step; ++step) {
      if (*step == 'h' || *step == 'l') saver->setActive(*step == 'l');
      if (*step == 's') saver->start();
      if (*step == 'w') settle();
      if (*step == 'e') saver.reset();
    }
    settle([&] { return fake.calls.size() >= c.calls.size(); });
    EXPECT_EQ(fake.calls, c.calls) << c.what;
    saver.reset();  // whatever happened, the player's end gives every cookie back
    settle(balanced);
    EXPECT_TRUE(balanced()) << c.what;
  }

  // A desktop without the service: the wish is taken, nothing waits or breaks.
  service.unregisterService("org.freedesktop.ScreenSaver");
  fake.calls.clear();
  host::HostScreenSaver saver;
  saver.start();
  EXPECT_TRUE(saver.setActive(false));
  settle();
  EXPECT_TRUE(saver.setActive(true));
  EXPECT_TRUE(fake.calls.empty());
}

}  // namespace
}  // namespace kv::test

#include "test_screen_saver.moc"
