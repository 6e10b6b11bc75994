// The Flash component on Ruffle against a bare page of the same engine (the same Ruffle files
// in the same web engine, loading the same movie with nothing of ours around it), measured in
// the same run:
//  1. time from Movie to the first painted frame, cold (first movie: web engine page and
//     WebAssembly module made) and warm (next movie in the same page); goal warm < 1.2x;
//  2. CPU of the process tree (this process and the web engine's) while a movie plays
//     (goal < 1.2x of the bare page), while it is paused (goal: near zero) and while it stands
//     stopped on its last frame;
//  3. memory of the process tree with one movie;
//  4. CPU while the movie plays in the full program (the player started with it) against the
//     bare page, runs interleaved: the player's own process (goal <= 1.05x the bare page's)
//     and its whole tree.
// Usage: bench_ruffle [runs]   (a release build; starts its own X server without DISPLAY)
// With KV_BENCH_PROGRAM_ONLY set, only 4.

#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../player/bench_tools.h"
#include "full_program.h"
#include "media/flash/ruffle/ruffle_flash_player.h"
#include "media/flash/ruffle/ruffle_scheme.h"
#include "media/web/web_engine_environment.h"
#include "platform/host/host_services.h"
#include "process_tree.h"
#include "swf_shapes.h"
#include "xvfb_display.h"

namespace {

using kv::bench::median;
using kv::bench::nowSeconds;
using kv::bench::pumpUntil;
using kv::media::ruffle::RuffleFlashPlayer;
namespace swf = kv::media::swf;

constexpr int kWidth = 550, kHeight = 400;
constexpr double kCpuSeconds = 10, kQuietSeconds = 5;
// Next movies in the same page, per cold start: the first ones run while the engine still
// compiles its module's optimised code in the background, and are not counted.
constexpr int kSettlingLoads = 2, kWarmLoads = 5;

const std::string kRuffleDir = std::string(KORVELIN_STAGE_DIR) + "/ruffle";

// Serves the bare page, Ruffle's files and the movie under the same scheme as ours.
class BareHandler final : public QWebEngineUrlSchemeHandler {
 public:
  std::string movie;
  void requestStarted(QWebEngineUrlRequestJob* job) override {
    const QString path = job->requestUrl().path();
    if (path == "/bare.html") {
      auto* b = new QBuffer(job);
      b->setData(kPage);
      job->reply("text/html", b);
      return;
    }
    QString file = path.startsWith("/ruffle/")  ? QString::fromStdString(kRuffleDir) + path.mid(7)
                   : path.startsWith("/movie/") ? QString::fromStdString(movie)
                                                : QString();
    auto* f = new QFile(file, job);
    if (file.isEmpty() || !f->open(QIODevice::ReadOnly)) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    job->reply(path.endsWith(".wasm") ? "application/wasm" : "text/javascript", f);
  }
  static inline const QByteArray kPage = R"(<!doctype html><html><head>
<style>html,body{margin:0;width:100%;height:100%;overflow:hidden;background:#000}</style>
<script>
const nativeFetch = window.fetch.bind(window);
window.fetch = (input, init) => {
  const url = String(typeof input === "string" || input instanceof URL ? input : input.url);
  if (!url.startsWith("kvflash:")) return nativeFetch(input, init);
  return new Promise((resolve, reject) => {
    const r = new XMLHttpRequest();
    r.open("GET", url);
    r.responseType = "arraybuffer";
    r.onload = () => resolve(new Response(r.response, { headers: {
      "content-type": r.getResponseHeader("content-type") || "application/octet-stream" } }));
    r.onerror = () => reject(new TypeError("cannot load " + url));
    r.send();
  });
};
window.RufflePlayer = { config: { polyfills: false } };
</script>
<script src="ruffle/ruffle.js"></script></head><body><script>
let player = null;
function load(url) {
  if (player) player.remove();
  player = window.RufflePlayer.newest().createPlayer();
  player.style.width = "100%"; player.style.height = "100%"; player.style.display = "block";
  document.body.appendChild(player);
  player.addEventListener("loadedmetadata", () => requestAnimationFrame(() =>
      requestAnimationFrame(() => { document.title = "painted " + url; })));
  player.ruffle().load({ url: url, autoplay: "on", unmuteOverlay: "hidden", splashScreen: false,
                         contextMenu: "off" });
}
function pause() { player.ruffle().suspend(); }
</script></body></html>)";
};

class BarePage {
 public:
  explicit BarePage(const std::string& movie) {
    handler_.movie = movie;
    profile_ = new QWebEngineProfile();
    profile_->installUrlSchemeHandler(kv::media::ruffle::kScheme, &handler_);
    page_ = new QWebEnginePage(profile_);
    page_->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    view_.setPage(page_);
    view_.resize(kWidth, kHeight);
    view_.show();
  }
  ~BarePage() {
    delete page_;
    delete profile_;
  }
  // Seconds from asking to the first painted frame; the first call also loads the page.
  double load() {
    const double start = nowSeconds();
    if (!loaded_) {
      bool finished = false;
      QObject::connect(page_, &QWebEnginePage::loadFinished, [&] { finished = true; });
      page_->load(QUrl("kvflash://app/bare.html"));
      pumpUntil([&] { return finished; }, 60);
      loaded_ = true;
    }
    const QString want = QString("painted kvflash://app/movie/%1.swf").arg(++count_);
    page_->runJavaScript(QString("load('kvflash://app/movie/%1.swf')").arg(count_));
    if (!pumpUntil([&] { return page_->title() == want; }, 60)) return -1;
    return nowSeconds() - start;
  }
  void pause() { page_->runJavaScript("pause()"); }

 private:
  BareHandler handler_;
  QWebEngineProfile* profile_;
  QWebEnginePage* page_;
  QWebEngineView view_;
  bool loaded_ = false;
  int count_ = 0;
};

class Ours {
 public:
  explicit Ours(kv::Clock& clock) : player_(clock, RuffleFlashPlayer::Options{kRuffleDir}) {}
  double load(const std::string& movie) {
    const double start = nowSeconds();
    player_.setMovie(movie);
    player_.view()->resize(kWidth, kHeight);
    player_.view()->show();
    if (!pumpUntil([&] { return player_.painted(); }, 60)) return -1;
    return nowSeconds() - start;
  }
  RuffleFlashPlayer& player() { return player_; }

 private:
  RuffleFlashPlayer player_;
};

// Runs the event loop, sleeping between events, for the given time.
void idle(double seconds) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
  loop.exec();
}

// CPU seconds per second of the process tree over `seconds` (measured after settle(), so that
// no process of an earlier page ends meanwhile and takes its time with it).
// With KV_BENCH_DETAIL set, the share of each process is printed too.
double cpuLoad(double seconds, const char* what) {
  const auto before = kv::bench::treeCpuByProcess(getpid());
  const double start = nowSeconds();
  idle(seconds);
  const auto after = kv::bench::treeCpuByProcess(getpid());
  const double elapsed = nowSeconds() - start;
  double total = 0;
  std::string detail;
  for (const auto& [pid, cpu] : after) {
    const auto it = before.find(pid);
    const double used = (cpu - (it == before.end() ? 0 : it->second)) / elapsed;
    total += used;
    if (used >= 0.005)
      detail += " " + kv::bench::processName(pid) + " " + std::to_string(used).substr(0, 5);
  }
  if (std::getenv("KV_BENCH_DETAIL")) std::printf("  %s:%s\n", what, detail.c_str());
  return total;
}

// CPU seconds of the root process and of its whole tree over `seconds`.
struct Share {
  double root = 0, tree = 0;
};
Share cpuShare(pid_t root, double seconds) {
  const auto before = kv::bench::treeCpuByProcess(root);
  idle(seconds);
  const auto after = kv::bench::treeCpuByProcess(root);
  Share share;
  for (const auto& [pid, cpu] : after) {
    const auto it = before.find(pid);
    const double used = cpu - (it == before.end() ? 0 : it->second);
    share.tree += used;
    if (pid == root) share.root = used;
  }
  return share;
}

// Lets processes of a page that was just closed end before the next measurement.
void settle() {
  idle(2);
}

// A movie of 24 frames at 24 fps: shapes, and a stop on the last frame.
std::string stoppingMovie(const std::string& dir) {
  swf::Writer w(8, kWidth, kHeight, 24);
  w.background(swf::Rgb{0x20, 0x40, 0xC0});
  for (int i = 0; i < 8; ++i) {
    w.tag(2, kv::media::test::rectangleShape(static_cast<std::uint16_t>(i + 1), 20 + 60 * i,
                                             40 + 30 * i, 50, 50, swf::Rgb{0xE0, 0x20, 0x20}));
    w.tag(26, kv::media::test::place(static_cast<std::uint16_t>(i + 1),
                                     static_cast<std::uint16_t>(i + 1)));
  }
  for (int f = 0; f < 24; ++f) {
    if (f == 23) w.doAction(swf::act::stop());
    w.showFrame();
  }
  w.end();
  const auto bytes = w.build(swf::Compression::Zlib);
  const std::string path = dir + "/stopping.swf";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

// The movie in the full program against the bare page, interleaved; the ratio of the player's
// own process is the one the window's drawing changes (the renderers do the same work).
int compareWithProgram(const std::string& playing, const std::string& dir, int runs) {
  // The same movie in the full program against the bare page, interleaved.
  kv::bench::FullProgram program(std::string(KORVELIN_STAGE_DIR) + "/korvelin", dir + "/home");
  std::vector<double> programRoot, programTree, pageRoot, pageTree;
  auto measurePage = [&] {
    BarePage bare(playing);
    bare.load();
    idle(5);  // as long as the program is given to settle
    const Share s = cpuShare(getpid(), kCpuSeconds);
    pageRoot.push_back(s.root);
    pageTree.push_back(s.tree);
  };
  auto measureProgram = [&] {
    if (!program.start(playing)) {
      std::fprintf(stderr, "the program did not start the movie\n");
      return;
    }
    const Share s = cpuShare(program.pid(), kCpuSeconds);
    program.stop();
    programRoot.push_back(s.root);
    programTree.push_back(s.tree);
  };
  for (int run = 0; run < runs; ++run) {
    if (run % 2 == 0)
      measurePage();
    else
      measureProgram();
    settle();
    if (run % 2 == 0)
      measureProgram();
    else
      measurePage();
    settle();
  }
  if (programRoot.empty()) return 1;
  const double pr = median(programRoot), pt = median(programTree), br = median(pageRoot),
               bt = median(pageTree);
  std::printf(
      "CPU playing over %.0f s, the full program against the bare page (medians of %d): "
      "main process %.2f s against %.2f s, ratio %.2f (goal <= 1.05); whole tree %.2f s "
      "against %.2f s, ratio %.2f\n",
      kCpuSeconds, runs, pr, br, pr / br, pt, bt, pt / bt);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  std::unique_ptr<kv::test::XvfbDisplay> display;
  if (!std::getenv("DISPLAY")) {
    display = std::make_unique<kv::test::XvfbDisplay>();
    if (!display->ok()) {
      std::fprintf(stderr, "%s\n", display->error().c_str());
      return 1;
    }
  }
  kv::media::prepareWebEngineEnvironment();
  kv::media::ruffle::registerRuffleScheme();
  QApplication app(argc, argv);
  kv::host::HostClock clock;

  const std::string dir = std::filesystem::temp_directory_path() / "kv-bench-ruffle";
  std::filesystem::create_directories(dir);
  const std::string shared =
      std::string(KORVELIN_SOURCE_DIR) + "/../shared/testdata/swf/parser/DefineMorphShape2.swf";
  const std::string stopping = stoppingMovie(dir);
  const std::string playing = std::filesystem::exists(shared) ? shared : stopping;
  std::printf("movie: %s (playing), %s (stops itself)\n", playing.c_str(), stopping.c_str());
  // Only the comparison with the full program (quicker).
  if (std::getenv("KV_BENCH_PROGRAM_ONLY")) return compareWithProgram(playing, dir, runs);

  // A page of the engine first, so that both sides find the engine's processes started.
  {
    QWebEngineView warmup;
    bool done = false;
    QObject::connect(&warmup, &QWebEngineView::loadFinished, [&] { done = true; });
    warmup.setHtml("<p>engine</p>");
    pumpUntil([&] { return done; }, 60);
  }

  settle();
  const double idleCpu = cpuLoad(kQuietSeconds, "no page");

  // Each side in a fresh profile (its own renderer, its own WebAssembly compile); the side
  // that goes first alternates from run to run.
  std::vector<double> coldOurs, coldBare, warmOurs, warmBare;
  auto measureBare = [&] {
    BarePage bare(playing);
    coldBare.push_back(bare.load());
    for (int i = 0; i < kSettlingLoads; ++i) bare.load();
    for (int i = 0; i < kWarmLoads; ++i) warmBare.push_back(bare.load());
  };
  auto measureOurs = [&] {
    Ours ours(clock);
    coldOurs.push_back(ours.load(playing));
    for (int i = 0; i < kSettlingLoads; ++i) ours.load(playing);
    for (int i = 0; i < kWarmLoads; ++i) warmOurs.push_back(ours.load(playing));
  };
  for (int run = 0; run < runs; ++run) {
    if (run % 2 == 0)
      measureBare();
    else
      measureOurs();
    settle();
    if (run % 2 == 0)
      measureOurs();
    else
      measureBare();
    settle();
  }
  const double cb = median(coldBare), co = median(coldOurs), wb = median(warmBare),
               wo = median(warmOurs);
  std::printf("first painted frame, cold: ours %.3f s, bare page %.3f s, ratio %.2f\n", co, cb,
              co / cb);
  std::printf("first painted frame, warm: ours %.3f s, bare page %.3f s, ratio %.2f (goal < 1.2)\n",
              wo, wb, wo / wb);

  double blankCpu;
  {
    QWebEngineView blank;
    blank.resize(kWidth, kHeight);
    blank.show();
    bool done = false;
    QObject::connect(&blank, &QWebEngineView::loadFinished, [&] { done = true; });
    blank.setHtml("<body style='background:#000'></body>");
    pumpUntil([&] { return done; }, 60);
    blankCpu = cpuLoad(kQuietSeconds, "blank page");
  }
  settle();
  double bareCpu, barePaused, bareStopped;
  kv::bench::TreeMemory bareMemory;
  {
    BarePage bare(playing);
    bare.load();
    bareCpu = cpuLoad(kCpuSeconds, "bare page playing");
    bareMemory = kv::bench::treeMemory(getpid());
    bare.pause();
    barePaused = cpuLoad(kQuietSeconds, "bare page suspended");
  }
  settle();
  {
    BarePage bare(stopping);
    bare.load();
    idle(2);  // 24 frames at 24 fps: stopped by now
    bareStopped = cpuLoad(kQuietSeconds, "bare page stopped");
  }
  settle();
  double ourCpu, ourPaused, ourStopped;
  kv::bench::TreeMemory ourMemory;
  {
    Ours ours(clock);
    ours.load(playing);
    ourCpu = cpuLoad(kCpuSeconds, "ours playing");
    ourMemory = kv::bench::treeMemory(getpid());
    ours.player().StopPlay();
    pumpUntil([&] { return ours.player().stateConfirmed(); }, 10);
    ourPaused = cpuLoad(kQuietSeconds, "ours paused");
    ours.load(stopping);
    pumpUntil([&] { return !ours.player().IsPlaying(); }, 10);
    ourStopped = cpuLoad(kQuietSeconds, "ours stopped");
  }
  std::printf("CPU while playing (cores): ours %.3f, bare page %.3f, ratio %.2f (goal < 1.2)\n",
              ourCpu, bareCpu, ourCpu / bareCpu);
  std::printf(
      "CPU while paused (cores): ours %.3f, bare page suspended %.3f; blank page %.3f, "
      "no page %.3f\n",
      ourPaused, barePaused, blankCpu, idleCpu);
  std::printf("CPU stopped on its last frame (cores): ours %.3f, bare page %.3f\n", ourStopped,
              bareStopped);
  std::printf(
      "memory of the process tree with one movie: ours %.0f MiB RSS / %.0f MiB PSS, "
      "bare page %.0f MiB RSS / %.0f MiB PSS\n",
      ourMemory.rssMiB, ourMemory.pssMiB, bareMemory.rssMiB, bareMemory.pssMiB);

  return compareWithProgram(playing, dir, runs);
}
