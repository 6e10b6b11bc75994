// The web page component on the real browser engine, on pages the test writes itself.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QPointer>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QUrl>
#include <QWidget>
#include <chrono>
#include <optional>
#include <thread>

#include "media/web/web_engine_environment.h"
#include "media/web/web_engine_page.h"

namespace kv::media {
namespace {

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < timeoutMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    // Outside exec() deferred deletions only happen when asked for.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return done();
}

class WebPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QObject::connect(&page, &WebEnginePage::loadFinished, [this](bool ok) { finished = ok; });
  }
  std::string writePage(const char* name, const char* html) {
    const QString path = dir.path() + "/" + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(html);
    return QUrl::fromLocalFile(path).toString().toStdString();
  }
  bool waitForLoad(int timeoutMs = 30000) {
    return pumpUntil([&] { return finished.has_value(); }, timeoutMs);
  }

  QTemporaryDir dir;
  WebEnginePage page;
  std::optional<bool> finished;
};

TEST(WebEngineEnvironment, PreparedBeforeTheApplication) {
  // main() of this test ran prepareWebEngineEnvironment() under the offscreen platform.
  EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
  EXPECT_EQ(qgetenv("QTWEBENGINE_DISABLE_SANDBOX") == "1", geteuid() == 0);
  EXPECT_TRUE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--disable-gpu"));
}

TEST(WebEngineEnvironment, KeepsTheUsersFlagsAndAddsNothingTwice) {
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--lang=zh-CN");
  prepareWebEngineEnvironment();
  prepareWebEngineEnvironment();
  EXPECT_EQ(
      qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"),
      QByteArray("--lang=zh-CN --disable-gpu --disable-gpu-compositing ") + kWebRtcPolicyFlag);
}

TEST_F(WebPageTest, NoViewBeforeTheFirstNavigate) {
  EXPECT_EQ(page.view(), nullptr);
  page.Stop();  // nothing to stop, nothing happens
  page.Quit();
  EXPECT_EQ(page.view(), nullptr);
  EXPECT_EQ(page.title(), "");
}

TEST_F(WebPageTest, ShowsALocalPage) {
  QWidget* created = nullptr;
  QObject::connect(&page, &WebEnginePage::viewCreated, [&](QWidget* v) { created = v; });
  const std::string url = writePage("blog.html",
                                    "<html><head><title>Korvelin blog</title></head>"
                                    "<body><p>Hello</p></body></html>");
  page.Navigate(url);
  ASSERT_NE(page.view(), nullptr);
  EXPECT_EQ(created, page.view());
  ASSERT_TRUE(waitForLoad());
  EXPECT_TRUE(*finished);
  EXPECT_EQ(page.title(), "Korvelin blog");
  EXPECT_EQ(page.url(), url);
}

TEST_F(WebPageTest, AnUnreachableAddressFailsWithoutHarm) {
  page.Navigate("http://127.0.0.1:9/");
  ASSERT_TRUE(waitForLoad());
  EXPECT_FALSE(*finished);
  // The view stays, showing the engine's error page, and takes the next address.
  ASSERT_NE(page.view(), nullptr);
  finished.reset();
  page.Navigate(writePage("after.html", "<title>After</title>"));
  ASSERT_TRUE(waitForLoad());
  EXPECT_TRUE(*finished);
  EXPECT_EQ(page.title(), "After");
}

TEST_F(WebPageTest, QuitReleasesTheViewAndNavigateMakesANewOne) {
  page.Navigate(writePage("one.html", "<title>One</title>"));
  ASSERT_TRUE(waitForLoad());
  QPointer<QWidget> first = page.view();
  page.Stop();
  page.Quit();
  EXPECT_EQ(page.view(), nullptr);
  EXPECT_TRUE(pumpUntil([&] { return first.isNull(); }, 5000));  // really released
  finished.reset();
  page.Navigate(writePage("two.html", "<title>Two</title>"));
  ASSERT_NE(page.view(), nullptr);
  ASSERT_TRUE(waitForLoad());
  EXPECT_EQ(page.title(), "Two");
}

TEST_F(WebPageTest, QuitWhileLoadingIsSafe) {
  page.Navigate(writePage("slow.html", "<title>Slow</title>"));
  page.Quit();
  page.Quit();
  QCoreApplication::processEvents();
  EXPECT_EQ(page.view(), nullptr);
  page.Navigate(writePage("next.html", "<title>Next</title>"));
  ASSERT_TRUE(waitForLoad());
  EXPECT_EQ(page.title(), "Next");
}

TEST_F(WebPageTest, TheViewIsPlacedInItsHostWithTheRememberedSettings) {
  QWidget host;
  host.resize(400, 300);
  host.show();
  page.setHostWidget(&host);
  page.setGeometry(QRect(10, 20, 200, 100));
  page.setVisible(true);
  page.Navigate(writePage("placed.html", "<title>Placed</title>"));
  QWidget* view = page.view();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->parentWidget(), &host);
  EXPECT_EQ(view->geometry(), QRect(10, 20, 200, 100));
  EXPECT_TRUE(view->isVisible());
  page.setVisible(false);
  EXPECT_FALSE(view->isVisible());
  ASSERT_TRUE(waitForLoad());
  page.Quit();
  EXPECT_TRUE(pumpUntil([&] { return host.findChildren<QWidget*>().isEmpty(); }, 5000));
}

TEST_F(WebPageTest, TheComponentStartsHidden) {
  page.Navigate(writePage("hidden.html", "<title>Hidden</title>"));
  ASSERT_NE(page.view(), nullptr);
  EXPECT_FALSE(page.view()->isVisible());
  EXPECT_FALSE(page.isVisible());
  ASSERT_TRUE(waitForLoad());
  EXPECT_EQ(page.title(), "Hidden");
}

TEST_F(WebPageTest, WebRtcSendsNoUdp) {
  // A page asks for candidates from a STUN and a TURN server on a UDP listener of ours; with
  // the engine's flags WebRTC sends nothing over UDP. (TURN over TCP is still tried: the Flash
  // page has no WebRTC at all, and runs no script of a movie.)
  QUdpSocket udp;
  ASSERT_TRUE(udp.bind(QHostAddress::LocalHost, 0));
  int datagrams = 0;
  QObject::connect(&udp, &QUdpSocket::readyRead, [&] {
    for (; udp.hasPendingDatagrams(); ++datagrams) udp.receiveDatagram();
  });
  const std::string u = "127.0.0.1:" + std::to_string(udp.localPort());
  const std::string html =
      "<title>start</title><script>"
      "const pc = new RTCPeerConnection({iceServers: [{urls: 'stun:" +
      u +
      "'},"
      "{urls: 'turn:" +
      u +
      "?transport=udp', username: 'u', credential: 'p'}]});"
      "pc.createDataChannel('x');"
      "pc.onicegatheringstatechange = () => {"
      "  if (pc.iceGatheringState === 'complete') document.title = 'gathered'; };"
      "pc.createOffer().then((o) => pc.setLocalDescription(o))"
      "  .catch((e) => { document.title = 'failed ' + e; });"
      "</script>";
  page.Navigate(writePage("webrtc.html", html.c_str()));
  ASSERT_TRUE(waitForLoad());
  // Either the engine's gathering ends or something reached the listener.
  ASSERT_TRUE(pumpUntil([&] { return page.title() == "gathered" || datagrams > 0; }, 90000))
      << page.title();
  EXPECT_EQ(datagrams, 0);
}

}  // namespace
}  // namespace kv::media
