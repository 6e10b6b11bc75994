// What the player adds to a user's movie is invisible to it: movies trace the same in the
// player as in a bare page of the same engine (the same Ruffle files, the movie's own bytes,
// nothing of ours around it): movies made to look for what we add, and the SWF 8+
// ActionScript 1/2 movies of the shared corpus.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "avm1_code.h"
#include "media/flash/ruffle/ruffle_flash_player.h"
#include "media/flash/ruffle/ruffle_page.h"
#include "platform/host/host_services.h"
#include "ruffle_test_util.h"

namespace kv::media::test {
namespace {

using ruffle::RuffleFlashPlayer;
using namespace avm1;
using Traces = std::vector<std::string>;

// How long each movie runs before its traces are compared.
constexpr int kRunMs = 1000;

// Put into both pages before their own scripts: every engine instance made gets a trace
// observer that collects into window.kvTraces.
const char kTraceHook[] = R"(
(function () {
  window.kvTraces = [];
  const set = WeakMap.prototype.set;
  WeakMap.prototype.set = function (key, value) {
    if (key instanceof HTMLElement && value !== null && typeof value === "object" &&
        "instance" in value) {
      let instance = value.instance;
      Object.defineProperty(value, "instance", {
        configurable: true, enumerable: true,
        get() { return instance; },
        set(v) {
          instance = v;
          if (v) v.set_trace_observer((text) => window.kvTraces.push(String(text)));
        },
      });
    }
    return set.call(this, key, value);
  };
})();
)";

QWebEngineScript traceHook() {
  QWebEngineScript script;
  script.setSourceCode(kTraceHook);
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::MainWorld);
  return script;
}

// The bare page (a QWebEnginePage) or the player's (a RufflePage).
template <class Page>
std::optional<Traces> readTraces(Page& page) {
  std::optional<Traces> out;
  bool done = false;
  page.runJavaScript("JSON.stringify(window.kvTraces || [])", [&](const QVariant& v) {
    Traces t;
    for (const auto& item : QJsonDocument::fromJson(v.toString().toUtf8()).array())
      t.push_back(item.toString().toStdString());
    out = t;
    done = true;
  });
  pumpUntil([&] { return done; });
  return out;
}

// A bare page: Ruffle and the movie, nothing else.
class BarePage final : public QWebEngineUrlSchemeHandler {
 public:
  BarePage() : profile_(new QWebEngineProfile()) {
    profile_->installUrlSchemeHandler(ruffle::kScheme, this);
    page_ = new QWebEnginePage(profile_.get());
    page_->scripts().insert(traceHook());
    view_.setPage(page_);
    view_.resize(200, 200);
    view_.show();
    bool loaded = false;
    QObject::connect(page_, &QWebEnginePage::loadFinished, [&](bool) { loaded = true; });
    page_->load(QUrl("kvflash://app/bare.html"));
    pumpUntil([&] { return loaded; });
  }
  ~BarePage() override {
    delete page_;
    profile_.reset();
  }
  Traces run(const std::string& path) {
    movie_ = QString::fromStdString(path);
    // Under the same name as in the player's page.
    const QString name = "painted " + QString::number(++generation_);
    page_->runJavaScript(
        "window.kvTraces = []; play('" +
        ruffle::RuffleSchemeHandler::movieUrl(generation_, QFileInfo(movie_).fileName()) + "', '" +
        name + "')");
    if (!pumpUntil([&] { return page_->title() == name; })) return {"(not painted)"};
    pumpUntil([&] { return false; }, kRunMs);
    return readTraces(*page_).value_or(Traces{"(no answer)"});
  }
  void requestStarted(QWebEngineUrlRequestJob* job) override {
    const QString path = job->requestUrl().path();
    if (path == "/bare.html") {
      auto* b = new QBuffer(job);
      b->setData(kPage);
      job->reply("text/html", b);
      return;
    }
    const QString file = path.startsWith("/ruffle/")
                             ? QString::fromStdString(ruffleDir()) + path.mid(7)
                         : path.startsWith("/movie/") ? movie_
                                                      : QString();
    auto* f = new QFile(file, job);
    if (file.isEmpty() || !f->open(QIODevice::ReadOnly)) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    job->reply(path.endsWith(".wasm") ? "application/wasm"
               : path.endsWith(".js") ? "text/javascript"
                                      : "application/x-shockwave-flash",
               f);
  }

 private:
  static inline const QByteArray kPage = R"(<!doctype html><html><head>
<script>
// The web engine's fetch() does not serve custom schemes; XMLHttpRequest does.
window.fetch = (input) => new Promise((resolve, reject) => {
  const url = String(typeof input === "string" || input instanceof URL ? input : input.url);
  const r = new XMLHttpRequest();
  r.open("GET", url);
  r.responseType = "arraybuffer";
  r.onload = () => r.status === 200 ? resolve(new Response(r.response, { headers: {
    "content-type": r.getResponseHeader("content-type") || "application/octet-stream" } }))
    : reject(new TypeError("cannot load " + url));
  r.onerror = () => reject(new TypeError("cannot load " + url));
  r.send();
});
window.RufflePlayer = { config: { polyfills: false } };
</script>
<script src="ruffle/ruffle.js"></script></head><body style="margin:0">
<script>
let element = null;
function play(url, name) {
  if (element) element.remove();
  element = window.RufflePlayer.newest().createPlayer();
  element.addEventListener("loadedmetadata", () => requestAnimationFrame(() =>
      requestAnimationFrame(() => { document.title = name; })));
  element.style.width = "200px";
  element.style.height = "200px";
  document.body.appendChild(element);
  element.ruffle().load({ url: url, autoplay: "on", unmuteOverlay: "hidden", splashScreen: false,
    allowScriptAccess: true, contextMenu: "off", letterbox: "off", logLevel: "error",
    warnOnUnsupportedContent: false, upgradeToHttps: false });
}
</script></body></html>)";
  std::unique_ptr<QWebEngineProfile> profile_;
  QWebEnginePage* page_ = nullptr;
  QWebEngineView view_;
  QString movie_;
  int generation_ = 0;
};

class RuffleTraces : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ruffle::ruffleFilesPresent(ruffleDir()));
    RuffleFlashPlayer::Options options{ruffleDir()};
    options.stuckMs = 8000;
    player = std::make_unique<RuffleFlashPlayer>(clock, options);
  }
  Traces inPlayer(const std::string& path) {
    player->setScaleMode(2);  // the engine's element fills the view, as in the bare page
    player->setMovie(path);
    if (!player->view()) return {"(no page)"};
    if (!hooked) {
      // In the same turn of the event loop as the page's first load: before its document.
      hooked = true;
      player->page()->addScript(traceHook());
    }
    player->view()->resize(200, 200);
    player->view()->show();
    player->page()->runJavaScript("window.kvTraces = []");
    if (!pumpUntil([&] { return player->painted(); })) return {"(not painted)"};
    pumpUntil([&] { return false; }, kRunMs);
    const Traces traces = readTraces(*player->page()).value_or(Traces{"(no answer)"});
    player->unload();
    return traces;
  }
  // Equal as far as both ran (a movie that traces every frame has run a little more or less).
  static bool agree(const Traces& a, const Traces& b) {
    const std::size_t n = std::min(a.size(), b.size());
    if ((a.empty() || b.empty()) && a.size() != b.size()) return false;
    return std::equal(a.begin(), a.begin() + static_cast<long>(n), b.begin());
  }
  static std::string text(const Traces& t) {
    std::string out;
    for (const auto& line : t) out += line + "\n";
    return out;
  }

  host::HostClock clock;
  TempDir dir;
  std::unique_ptr<RuffleFlashPlayer> player;
  bool hooked = false;
};

// Movies that look for what the player adds: the registers the movie's first script finds,
// the depths and children of _root after swapDepths to the lowest timeline depth, the names in
// _root and _global; on frame 1 and again on frame 2.
swf::Bytes lookingMovie() {
  const Bytes root = var("_root");
  const Bytes look = cat({
      trace(reg(0)),
      trace(reg(1)),
      trace(reg(2)),
      trace(reg(3)),
      traceNames(root),
      traceNames(var("_global")),
      trace(call(root, "getNextHighestDepth", {})),
      trace(call(root, "getInstanceAtDepth", {num(-16384)})),
  });
  swf::Writer w(8, 200, 200, 30);
  w.doAction(cat({look, drop(call(root, "createEmptyMovieClip", {str("mine"), num(5)})),
                  drop(call(member(root, "mine"), "swapDepths", {num(-16384)})),
                  trace(call(root, "getNextHighestDepth", {})),
                  trace(call(root, "getInstanceAtDepth", {num(-16384)})), traceNames(root)}));
  w.showFrame();
  w.doAction(cat({look, swf::act::stop()})).showFrame().end();
  return w.build();
}

TEST_F(RuffleTraces, AMovieThatLooksFindsNothingOfOurs) {
  BarePage bare;
  const std::string path = dir.write("looking.swf", lookingMovie());
  const Traces expected = bare.run(path);
  ASSERT_GT(expected.size(), 8u) << text(expected);
  const Traces got = inPlayer(path);
  EXPECT_EQ(got, expected) << "player:\n" << text(got) << "bare page:\n" << text(expected);
}

TEST_F(RuffleTraces, TheCorpusTracesAsInABarePage) {
  const auto corpus = testDataDir() / "corpus";
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no shared SWF corpus";
  std::vector<std::string> movies;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const auto bytes = readBytes(entry.path().string());
    const swf::ReadResult r = swf::read(bytes);
    if (r.ok() && ruffle::predictedTier(r.movie) == ruffle::SeekTier::Actions)
      movies.push_back(entry.path().string());
  }
  std::sort(movies.begin(), movies.end());
  // Every fourth movie by name (about 55 of 218, four minutes); KORVELIN_TRACE_STRIDE=1 compares
  // them all.
  const char* strideText = std::getenv("KORVELIN_TRACE_STRIDE");
  const std::size_t stride = strideText && std::atoi(strideText) > 0 ? std::atoi(strideText) : 4;
  // KORVELIN_TRACE_ONLY=part compares only the movies whose names contain it.
  const char* only = std::getenv("KORVELIN_TRACE_ONLY");
  std::vector<std::string> chosen;
  for (std::size_t i = 0; i < movies.size(); i += only ? 1 : stride)
    if (!only || movies[i].find(only) != std::string::npos) chosen.push_back(movies[i]);
  movies = std::move(chosen);
  // The engine answers getBytesTotal() and getBytesLoaded() with the length in the file's
  // header, and the file the page gets is longer by the action block: the one thing of ours a
  // movie can see.
  const std::vector<std::string> known = {"avm1_get_bytes_total.swf"};
  BarePage bare;
  int equal = 0, unsteady = 0, knownDifferent = 0;
  std::vector<std::string> differing;
  for (const std::string& path : movies) {
    const Traces expected = bare.run(path);
    const Traces got = inPlayer(path);
    if (agree(got, expected)) {
      ++equal;
      continue;
    }
    // A movie whose traces change from run to run (time, random numbers, the order in which
    // two loads it started end on a busy machine) says nothing.
    if (!agree(bare.run(path), expected) || agree(inPlayer(path), expected)) {
      ++unsteady;
      continue;
    }
    const std::string name = std::filesystem::path(path).filename().string();
    if (std::find(known.begin(), known.end(), name) != known.end()) {
      ++knownDifferent;
      continue;
    }
    differing.push_back(name);
    ADD_FAILURE() << path << "\nplayer:\n" << text(got) << "bare page:\n" << text(expected);
  }
  std::printf(
      "SWF 8+ ActionScript 1/2 movies: %zu, the same traces: %d, unsteady in a bare "
      "page: %d, known to differ (getBytesTotal): %d, different: %zu\n",
      movies.size(), equal, unsteady, knownDifferent, differing.size());
  if (!only) {
    EXPECT_GE(movies.size(), 40u / stride);
  }
  EXPECT_TRUE(differing.empty());
}

}  // namespace
}  // namespace kv::media::test
