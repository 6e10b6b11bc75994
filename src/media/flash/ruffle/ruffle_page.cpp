#include "media/flash/ruffle/ruffle_page.h"

#include <signal.h>

#include <QJsonDocument>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>

namespace kv::media::ruffle {

namespace {

constexpr int kWatchIntervalMs = 500;

bool debugging() {
  const char* v = std::getenv("KORVELIN_FLASH_DEBUG");
  return v && *v && *v != '0';
}

// The page may show nothing but itself: no navigation elsewhere, no console noise unless asked.
class FlashWebPage final : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
    return !isMainFrame || url == QUrl(kPageUrl);
  }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int line,
                                const QString&) override {
    if (debugging())
      std::fprintf(stderr, "flash page:%d: %s\n", line, message.toLocal8Bit().constData());
  }
};

}  // namespace

void PageBridge::report(const QString& json) {
  // The page's reports are small; a batch of FSCommands is the largest (32 commands).
  if (json.size() > kMaxReportChars) return;
  const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8());
  if (doc.isObject()) emit reported(doc.object());
}

RufflePage::RufflePage(Options options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {
  watchdog_.setInterval(kWatchIntervalMs);
  connect(&watchdog_, &QTimer::timeout, this, &RufflePage::watch);
}

RufflePage::~RufflePage() {
  watchdog_.stop();
  // The view may have been placed in another widget; it must not outlive its page, and no
  // page may outlive the profile.
  delete view_.data();
  for (QWebEnginePage* page : findChildren<QWebEnginePage*>(Qt::FindDirectChildrenOnly))
    delete page;
  page_ = nullptr;
  delete profile_;
}

void RufflePage::start() {
  if (status_ != Status::NotStarted) return;
  if (!ruffleSchemeRegistered()) {
    fail("the page's URL scheme was not registered before the application started");
    return;
  }
  status_ = Status::Starting;
  profile_ = new QWebEngineProfile(this);  // off the record: nothing on disk
  // The built-in menu items are found by their English captions.
  profile_->setHttpAcceptLanguage("en-US");
  profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
  scheme_ = new RuffleSchemeHandler(options_.ruffleDir, this);
  profile_->installUrlSchemeHandler(kScheme, scheme_);
  interceptor_ = new LocalOnlyInterceptor(this);
  profile_->setUrlRequestInterceptor(interceptor_);
  bridge_ = new PageBridge(this);
  connect(bridge_, &PageBridge::reported, this, &RufflePage::onReport);
  channel_ = new QWebChannel(this);
  channel_->registerObject("bridge", bridge_);
  view_ = new QWebEngineView();
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  createPage();
  watchdog_.start();
}

void RufflePage::createPage() {
  QWebEnginePage* old = page_;
  page_ = new FlashWebPage(profile_, this);
  QWebEngineSettings* s = page_->settings();
  s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
  s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  s->setAttribute(QWebEngineSettings::LocalStorageEnabled, true);
  s->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  page_->setBackgroundColor(Qt::black);
  page_->setWebChannel(channel_);
  connect(page_, &QWebEnginePage::loadFinished, this, [this](bool ok) {
    if (!ok && status_ == Status::Starting) fail("the Flash page could not be loaded");
  });
  connect(page_, &QWebEnginePage::renderProcessTerminated, this,
          [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            if (status != QWebEnginePage::NormalTerminationStatus)
              restart("the Flash page's renderer ended");
          });
  if (view_) view_->setPage(page_);
  if (old) {
    old->disconnect(this);
    old->deleteLater();
  }
  status_ = Status::Starting;
  engineRan_ = false;  // a fresh page compiles the engine again
  started_.start();
  lastBeat_.start();
  page_->load(QUrl(kPageUrl));
}

void RufflePage::send(const QJsonObject& request) {
  const QString json = QString::fromUtf8(QJsonDocument(request).toJson(QJsonDocument::Compact));
  if (status_ == Status::Ready)
    emit bridge_->request(json);
  else if (status_ != Status::Failed)
    pending_ << json;
}

void RufflePage::onReport(const QJsonObject& report) {
  lastBeat_.start();
  const QString type = report.value("t").toString();
  if (type == "beat") return;
  if (type == "refused") {
    ++refusedByPolicy_;
    if (debugging())
      std::fprintf(stderr, "flash page: the policy refused %s\n",
                   report.value("what").toString().toLocal8Bit().constData());
    return;
  }
  if (type == "ready") {
    if (status_ != Status::Starting) return;  // said once per page
    if (!report.value("engine").toBool()) {
      fail("Ruffle's script could not be loaded from " + options_.ruffleDir);
      return;
    }
    status_ = Status::Ready;
    const QStringList pending = std::exchange(pending_, {});
    for (const QString& json : pending) emit bridge_->request(json);
    emit ready();
    return;
  }
  if (type == "meta") engineRan_ = true;
  emit message(report);
}

void RufflePage::watch() {
  // Until the engine has run a movie the page may be silent for a while compiling it, the
  // longer the busier the machine: it is given the start's allowance, not the stuck limit.
  const int silenceMs = engineRan_ ? options_.stuckMs : options_.startMs;
  if (status_ == Status::Starting && started_.elapsed() > options_.startMs) {
    fail("the Flash page did not start");
  } else if (status_ == Status::Ready && lastBeat_.elapsed() > silenceMs) {
    restart("the Flash page stopped answering");
  }
}

// A page whose script never returns cannot be reloaded from inside: its renderer is ended
// and a fresh page takes its place. Requests of the old page are dropped: the movie it ran is
// gone.
void RufflePage::restart(const QString& why) {
  if (status_ == Status::Failed || status_ == Status::NotStarted) return;
  // A page that keeps dying is given up: four restarts within a minute.
  if (!sinceRestarts_.isValid() || sinceRestarts_.elapsed() > 60'000) {
    sinceRestarts_.start();
    restarts_ = 0;
  }
  if (++restarts_ > 3) {
    fail(why);
    return;
  }
  const qint64 pid = rendererPid();
  if (pid > 0) ::kill(static_cast<pid_t>(pid), SIGKILL);
  pending_.clear();
  scheme_->clearMovie();
  emit restarted(why);
  createPage();
}

void RufflePage::fail(const QString& why) {
  if (status_ == Status::Failed) return;
  status_ = Status::Failed;
  failure_ = why;
  pending_.clear();
  watchdog_.stop();
  emit failed(why);
}

qint64 RufflePage::rendererPid() const {
  return page_ ? page_->renderProcessPid() : 0;
}

int RufflePage::blockedRequests() const {
  return interceptor_ ? interceptor_->blocked() : 0;
}

int RufflePage::refusedFiles() const {
  return scheme_ ? scheme_->refused() : 0;
}

void RufflePage::hangForTest() {
  if (page_) page_->runJavaScript("for (;;) {}");
}

}  // namespace kv::media::ruffle
