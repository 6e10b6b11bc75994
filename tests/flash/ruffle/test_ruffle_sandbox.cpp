// A user's movie cannot read a person's files, reach the network or run script in the page:
// movies that try each route, listeners on the loopback that must receive nothing, and secret
// files beside, below and above the movie that must never be read.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "avm1_code.h"
#include "media/flash/ruffle/ruffle_flash_player.h"
#include "media/flash/ruffle/ruffle_page.h"
#include "platform/host/host_services.h"
#include "ruffle_test_util.h"

namespace kv::media::test {
namespace {

using ruffle::RuffleFlashPlayer;
namespace fs = std::filesystem;
using namespace avm1;

constexpr char kPageTitle[] = "Korvelin Flash";

class RuffleSandbox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ruffle::ruffleFilesPresent(ruffleDir()));
    ASSERT_TRUE(udp.bind(QHostAddress::LocalHost, 0));
    ASSERT_TRUE(tcp.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&udp, &QUdpSocket::readyRead, [this] {
      while (udp.hasPendingDatagrams()) {
        udp.receiveDatagram();
        ++datagrams;
      }
    });
    QObject::connect(&tcp, &QTcpServer::newConnection, [this] {
      while (tcp.hasPendingConnections()) {
        ++connections;
        tcp.nextPendingConnection()->close();
      }
    });
    // home/ holds the movie; secrets beside it, below it and above it.
    fs::create_directories(home() + "/sub");
    fs::create_directories(home() + "/.ssh");
    writeText(dir.file("secret.txt"), "secret=ABOVE-1");
    writeText(home() + "/id_rsa", "secret=BESIDE-2");
    writeText(home() + "/.bash_history", "secret=BESIDE-3");
    writeText(home() + "/mimeapps.list", "secret=BESIDE-4");
    writeText(home() + "/sub/secret.txt", "secret=BELOW-5");
    writeText(home() + "/.ssh/id_rsa", "secret=BELOW-6");
    fs::create_symlink(dir.file("secret.txt"), home() + "/link.txt");
    writeText(home() + "/vars.txt", "greeting=hello");

    RuffleFlashPlayer::Options options{ruffleDir()};
    options.stuckMs = 8000;
    options.variableWaitMs = 10000;
    player = std::make_unique<RuffleFlashPlayer>(clock, options);
    player->FSCommand.connect([this](const std::string& command, const std::string& args) {
      commands.emplace_back(command, args);
    });
  }
  std::string home() const { return dir.file("home"); }
  static void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  bool open(const swf::Bytes& bytes, const std::string& name = "movie.swf") {
    commands.clear();
    player->setMovie(writeMovie(name, bytes));
    if (!player->view()) return false;
    player->view()->resize(200, 200);
    player->view()->show();
    return pumpUntil([&] { return player->painted(); });
  }
  std::string writeMovie(const std::string& name, const swf::Bytes& bytes) {
    const std::string path = home() + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return path;
  }
  const std::pair<std::string, std::string>* command(const std::string& name) const {
    for (const auto& c : commands)
      if (c.first == name) return &c;
    return nullptr;
  }
  bool waitFor(const std::string& name) {
    return pumpUntil([&] { return command(name) != nullptr; });
  }
  ruffle::RufflePage* web() const { return player->page(); }
  std::string title() const { return web()->title().toStdString(); }

  host::HostClock clock;
  TempDir dir;
  QUdpSocket udp;
  QTcpServer tcp;
  int datagrams = 0;
  int connections = 0;
  std::unique_ptr<RuffleFlashPlayer> player;
  std::vector<std::pair<std::string, std::string>> commands;
};

// A movie of SWF 8 whose frame 1 runs `actions`, then says "done".
swf::Bytes movieDoing(const swf::Bytes& actions, int version = 8) {
  swf::Writer w(version, 200, 200, 30);
  w.background(kBlue).doAction(actions).doAction(swf::act::fscommand("done", ""));
  w.showFrame().doAction(swf::act::stop()).showFrame().end();
  return w.build();
}

// new LoadVars() whose onData sends what arrived (undefined when refused) as "got"; the address
// as given, or relative to the movie's own full address (_url + "/../" + url).
swf::Bytes loadVarsMovie(const std::string& url, bool fromOwnAddress = false) {
  const Bytes address =
      fromOwnAddress ? cat({member(var("_root"), "_url"), str("/../" + url), op(0x47)}) : str(url);
  return movieDoing(cat({
      setVar("lv", cat({num(0), str("LoadVars"), op(0x40)})),
      setMember(var("lv"), "onData", function({"src"}, fscommand("got", var("src")))),
      drop(call(var("lv"), "load", {address})),
  }));
}

TEST_F(RuffleSandbox, MoviesReadNothingButMediaFilesBesideThem) {
  const std::string port = std::to_string(tcp.serverPort());
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"../secret.txt", "ABOVE"},
      {"..%2Fsecret.txt", "ABOVE"},
      {"link.txt", "ABOVE"},  // a symbolic link beside the movie to the file above
      {"file://" + dir.file("secret.txt"), "ABOVE"},
      {"http://127.0.0.1:" + port + "/secret.txt", "secret"},
      {"id_rsa", "BESIDE"},
      {".bash_history", "BESIDE"},
      {"mimeapps.list", "BESIDE"},
      {"sub/secret.txt", "BELOW"},
      {"sub%2Fsecret.txt", "BELOW"},
      {"sub%5Csecret.txt", "BELOW"},
      {".ssh/id_rsa", "BELOW"},
  };
  for (const bool fromOwnAddress : {false, true}) {
    for (const auto& [url, secret] : refused) {
      SCOPED_TRACE(url + (fromOwnAddress ? " from the movie's address" : ""));
      ASSERT_TRUE(open(loadVarsMovie(url, fromOwnAddress)));
      ASSERT_TRUE(waitFor("got"));
      EXPECT_EQ(command("got")->second.find(secret), std::string::npos) << command("got")->second;
    }
  }
  EXPECT_GE(player->page()->refusedFiles(), 18);
  EXPECT_EQ(connections, 0);
  // A text file beside the movie is one of the files old movies load.
  ASSERT_TRUE(open(loadVarsMovie("vars.txt")));
  ASSERT_TRUE(waitFor("got"));
  EXPECT_EQ(command("got")->second, "greeting=hello");
}

TEST_F(RuffleSandbox, AMovieBesideItLoadsButNotOneBelow) {
  swf::Writer child(8, 200, 200, 30);
  child.doAction(swf::act::fscommand("child", "loaded")).showFrame().end();
  writeMovie("child.swf", child.build());
  writeMovie("sub/child.swf", child.build());
  ASSERT_TRUE(open(movieDoing(swf::act::getUrl("child.swf", "_level1"))));
  EXPECT_TRUE(waitFor("child"));
  const int refusedBefore = player->page()->refusedFiles();
  ASSERT_TRUE(open(movieDoing(swf::act::getUrl("sub/child.swf", "_level1"))));
  ASSERT_TRUE(pumpUntil([&] { return player->page()->refusedFiles() > refusedBefore; }));
  EXPECT_EQ(command("child"), nullptr);
}

TEST_F(RuffleSandbox, NoScriptOfAMovieRunsInThePage) {
  // If any of these ran, the page's title would change, the secret would be fetched and sent
  // to the listeners.
  const std::string payload =
      "document.title='ran';"
      "var x=new XMLHttpRequest();x.open('GET','vars.txt',false);x.send();"
      "document.title='leak:'+x.responseText;"
      "fetch('http://127.0.0.1:" +
      std::to_string(tcp.serverPort()) +
      "/');"
      "var p=new RTCPeerConnection({iceServers:[{urls:'stun:127.0.0.1:" +
      std::to_string(udp.localPort()) +
      "'}]});p.createDataChannel('x');p.createOffer().then(function(o){p.setLocalDescription(o)});";
  const Bytes ei = flashExternal();
  const std::vector<std::pair<const char*, Bytes>> routes = {
      {"getURL javascript:", swf::act::getUrl("javascript:" + payload, "")},
      {"getURL javascript: to a new window", swf::act::getUrl("javascript:" + payload, "_blank")},
      {"getURL with a disguised scheme", swf::act::getUrl(" JaVa\tScRiPt:" + payload, "_self")},
      {"ExternalInterface.call eval", drop(call(ei, "call", {str("eval"), str(payload)}))},
      {"ExternalInterface.call of an expression",
       drop(call(ei, "call", {str("(function(){" + payload + "})")}))},
      // A function of the page that is not one for movies: it would freeze the engine.
      {"ExternalInterface.call of a page function",
       drop(call(ei, "call", {str("kvHoldFrames"), str("true")}))},
  };
  for (const auto& [name, actions] : routes) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(open(movieDoing(actions)));
    ASSERT_TRUE(waitFor("done"));
    // A script would run after the movie's frame; the page's next heartbeats come after it.
    pumpUntil([] { return false; }, 1200);
    EXPECT_EQ(title(), kPageTitle);
    // Refused before the page's own policy even saw it.
    EXPECT_EQ(player->page()->refusedByPolicy(), 0);
  }
  EXPECT_EQ(connections, 0);
  EXPECT_EQ(datagrams, 0);
}

TEST_F(RuffleSandbox, ThePagesPolicyRefusesScriptThatGotIn) {
  ASSERT_TRUE(open(movieDoing({})));
  // As if a script had got into the page: eval, new Function and a connection out are refused.
  const std::string port = std::to_string(tcp.serverPort());
  web()->runJavaScript(QString::fromStdString(
      "try { eval('document.title = \"eval\"'); } catch (e) {}"
      "try { (function(){}).constructor('document.title = \"function\"')(); } catch (e) {}"
      "try { var x = new XMLHttpRequest(); x.open('GET', 'http://127.0.0.1:" +
      port + "/'); x.send(); } catch (e) {}"));
  ASSERT_TRUE(pumpUntil([&] { return player->page()->refusedByPolicy() >= 3; }));
  EXPECT_EQ(title(), kPageTitle);
  EXPECT_EQ(connections, 0);
}

TEST_F(RuffleSandbox, ThePageIsNeverReplacedByAnother) {
  ASSERT_TRUE(open(movieDoing({})));
  // As if a script had got into the page: it tries to load another page in its place.
  // (The engine itself keeps a page's main frame from data: and about: addresses before we are
  // asked.)
  const QString elsewhere[] = {"kvflash://app/elsewhere.html",
                               QString("http://127.0.0.1:%1/").arg(tcp.serverPort())};
  int tried = 0;
  for (const QString& url : elsewhere) {
    SCOPED_TRACE(url.toStdString());
    web()->runJavaScript(QString("location.href = '%1'").arg(url));
    ASSERT_TRUE(pumpUntil([&] { return web()->refusedNavigations() > tried; }));
    ++tried;
  }
  EXPECT_EQ(title(), kPageTitle);
  QVariant address;  // asked of the document in the view: still ours
  web()->runJavaScript("location.href", [&](const QVariant& v) { address = v; });
  ASSERT_TRUE(pumpUntil([&] { return address.isValid(); }));
  EXPECT_EQ(address.toString(), QString(ruffle::kPageUrl));
  EXPECT_EQ(connections, 0);
}

TEST_F(RuffleSandbox, EveryFSCommandStillReachesTheProgram) {
  swf::Writer w(8, 200, 200, 30);
  w.doAction(cat({swf::act::fscommand("close", ""), swf::act::fscommand("someUnknown", "x"),
                  fscommand("computed", str("value"))}));
  w.showFrame().end();
  ASSERT_TRUE(open(w.build()));
  ASSERT_TRUE(waitFor("computed"));
  EXPECT_EQ(commands, (std::vector<std::pair<std::string, std::string>>{
                          {"close", ""}, {"someUnknown", "x"}, {"computed", "value"}}));
}

TEST_F(RuffleSandbox, ForgedReportsOfThePageChangeNothing) {
  TestMovie t;
  t.frames = 20;
  ASSERT_TRUE(open(buildMovie(t)));
  ASSERT_TRUE(pumpUntil([&] { return player->tierDecided(); }));
  QJsonObject last;
  QObject::connect(player->page(), &ruffle::RufflePage::message,
                   [&](const QJsonObject& m) { last = m; });
  player->StopPlay();
  player->GotoFrame(5);
  ASSERT_TRUE(pumpUntil([&] { return player->stateConfirmed() && !last.isEmpty(); }));
  ASSERT_EQ(player->FrameNum(), 5);
  const double g = last.value("g").toDouble();
  const int s = last.value("s").toInt();
  // What a script in the page could send through the web channel's transport.
  const std::vector<QJsonObject> forged = {
      {{"t", "state"}, {"g", g}, {"s", s}, {"frame", 9999}, {"playing", false}},
      {{"t", "state"}, {"g", g}, {"s", s}, {"frame", -3}, {"playing", false}},
      {{"t", "state"}, {"g", g}, {"s", s}, {"frame", 2.5}, {"playing", false}},
      {{"t", "state"}, {"g", g}, {"s", s + 100}, {"frame", 7}, {"playing", false}},
      {{"t", "state"}, {"g", g}, {"s", s}, {"frame", 7}, {"playing", true}},  // while paused
      {{"t", "state"}, {"g", g}, {"s", s}, {"frame", "7"}, {"playing", "no"}},
      {{"t", "tier"}, {"g", g}, {"tier", "model"}},   // decided already
      {{"t", "failed"}, {"g", g}, {"engine", true}},  // the engine ran this movie
  };
  bool engineFailed = false;
  player->EngineFailed.connect([&] { engineFailed = true; });
  QString script = "new QWebChannel(qt.webChannelTransport, function (c) {";
  for (const QJsonObject& f : forged)
    script += "c.objects.bridge.report(" +
              QString::fromUtf8(QJsonDocument(QJsonArray{QString::fromUtf8(
                                                  QJsonDocument(f).toJson(QJsonDocument::Compact))})
                                    .toJson(QJsonDocument::Compact))
                  .mid(1)
                  .chopped(1) +
              ");";
  script += "c.objects.bridge.report('{\"t\":\"fs\",\"g\":" + QString::number(g) +
            ",\"list\":[[\"end\",\"\",1]]}');});";
  web()->runJavaScript(script);
  ASSERT_TRUE(waitFor("end"));  // the last report arrived: the others came before it
  EXPECT_EQ(player->FrameNum(), 5);
  EXPECT_FALSE(player->IsPlaying());
  EXPECT_EQ(player->tier(), ruffle::SeekTier::Actions);
  EXPECT_FALSE(engineFailed);
}

// Serves one page without a policy of its own on our scheme.
class OnePage final : public QWebEngineUrlSchemeHandler {
 public:
  explicit OnePage(QByteArray html) : html_(std::move(html)) {}
  void requestStarted(QWebEngineUrlRequestJob* job) override {
    auto* buffer = new QBuffer(job);
    buffer->setData(html_);
    job->reply("text/html", buffer);
  }

 private:
  QByteArray html_;
};

TEST(LocalOnlyInterceptor, RefusesEverySchemeButOurs) {
  QTcpServer listener;
  ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
  int connections = 0;
  QObject::connect(&listener, &QTcpServer::newConnection, [&] { ++connections; });
  const QByteArray http = "http://127.0.0.1:" + QByteArray::number(listener.serverPort());
  OnePage handler("<title>start</title><body><img src='" + http +
                  "/a.png'>"
                  "<iframe src='data:text/html,<title>x</title>'></iframe><script>"
                  "const x = new XMLHttpRequest(); x.open('GET', '" +
                  http +
                  "/b');"
                  "x.onloadend = () => { document.title = 'done'; }; x.send();"
                  "</script></body>");
  QWebEngineProfile profile;
  profile.installUrlSchemeHandler(ruffle::kScheme, &handler);
  ruffle::LocalOnlyInterceptor interceptor;
  profile.setUrlRequestInterceptor(&interceptor);
  QWebEngineView view;
  auto* page = new QWebEnginePage(&profile, &view);
  view.setPage(page);
  view.show();
  page->load(QUrl("kvflash://app/page.html"));
  ASSERT_TRUE(pumpUntil([&] { return page->title() == "done"; }));
  ASSERT_TRUE(pumpUntil([&] { return interceptor.blocked() >= 3; }));  // picture, frame, request
  EXPECT_EQ(connections, 0);
}

}  // namespace
}  // namespace kv::media::test
