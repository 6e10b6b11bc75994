#include "media/flash/ruffle/ruffle_page.h"

#include <signal.h>

#include <QJSValue>
#include <QJsonDocument>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlWebChannel>
#include <QQuickItem>
#include <QQuickWebEngineProfile>
#include <QQuickWindow>
#include <QWebEngineNavigationRequest>
#include <QWebEngineScript>
#include <cstdio>
#include <cstdlib>

#include "media/flash/ruffle/flash_surface.h"

namespace kv::media::ruffle {

namespace {

constexpr int kWatchIntervalMs = 500;

bool debugging() {
  const char* v = std::getenv("KORVELIN_FLASH_DEBUG");
  return v && *v && *v != '0';
}

// The page's view. Its settings are the page's sandbox together with the profile (only our
// scheme served, nothing else reached) and the page's content security policy.
constexpr char kViewQml[] = R"(
import QtQuick
import QtWebEngine
WebEngineView {
  required property QtObject host
  backgroundColor: "black"
  settings.playbackRequiresUserGesture: false
  settings.errorPageEnabled: false
  settings.pluginsEnabled: false
  settings.javascriptCanOpenWindows: false
  settings.localStorageEnabled: true
  settings.webRTCPublicInterfacesOnly: true
  settings.localContentCanAccessRemoteUrls: false
  settings.localContentCanAccessFileUrls: false
  onContextMenuRequested: (request) => { request.accepted = true }
  onJavaScriptConsoleMessage: (level, message, line, source) => host.console(message, line)
  onLoadingChanged: (info) => {
    if (info.status === WebEngineView.LoadFailedStatus) host.loadFailed()
  }
  onRenderProcessTerminated: (status, code) =>
      host.rendererEnded(status === WebEngineView.NormalTerminationStatus)
}
)";

}  // namespace

void PageHost::navigation(QWebEngineNavigationRequest* request) {
  if (!request->isMainFrame() || request->url() == QUrl(kPageUrl)) return;
  request->reject();
  ++refused_;
}

void PageHost::console(const QString& message, int line) {
  if (debugging())
    std::fprintf(stderr, "flash page:%d: %s\n", line, message.toLocal8Bit().constData());
}

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
  delete page_.data();
  delete view_.data();
  delete component_;
  delete engine_;
  delete profile_;
}

void RufflePage::start() {
  if (status_ != Status::NotStarted) return;
  if (!ruffleSchemeRegistered()) {
    fail("the page's URL scheme was not registered before the application started");
    return;
  }
  status_ = Status::Starting;
  // The view draws through OpenGL in its own window, as the rest of the web engine does.
  QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGL);
  profile_ = new QQuickWebEngineProfile();
  profile_->setOffTheRecord(true);  // nothing on disk
  // The built-in menu items are found by their English captions.
  profile_->setHttpAcceptLanguage("en-US");
  profile_->setHttpCacheType(QQuickWebEngineProfile::MemoryHttpCache);
  scheme_ = new RuffleSchemeHandler(options_.ruffleDir, this);
  profile_->installUrlSchemeHandler(kScheme, scheme_);
  interceptor_ = new LocalOnlyInterceptor(this);
  profile_->setUrlRequestInterceptor(interceptor_);
  bridge_ = new PageBridge(this);
  connect(bridge_, &PageBridge::reported, this, &RufflePage::onReport);
  channel_ = new QQmlWebChannel(this);
  channel_->registerObject("bridge", bridge_);
  host_ = new PageHost(this);
  connect(host_, &PageHost::loadFailed, this, [this] {
    if (status_ == Status::Starting) fail("the Flash page could not be loaded");
  });
  connect(host_, &PageHost::rendererEnded, this, [this](bool normally) {
    if (!normally) restart("the Flash page's renderer ended");
  });
  view_ = new FlashSurface();
  engine_ = new QQmlEngine();
  component_ = new QQmlComponent(engine_);
  component_->setData(kViewQml, QUrl("qrc:/korvelin/flash_view.qml"));
  if (!component_->isReady()) {
    fail("the web engine's view could not be made: " + component_->errorString());
    return;
  }
  createPage();
  watchdog_.start();
}

void RufflePage::createPage() {
  QQuickItem* old = page_;
  page_ = qobject_cast<QQuickItem*>(component_->createWithInitialProperties(
      {{"profile", QVariant::fromValue(profile_)},
       {"webChannel", QVariant::fromValue(channel_)},
       {"host", QVariant::fromValue(static_cast<QObject*>(host_))}}));
  // Navigation is refused in C++, connected before the first load: no handler of the view's
  // can be skipped.
  if (!page_ || !connect(page_, SIGNAL(navigationRequested(QWebEngineNavigationRequest*)), host_,
                         SLOT(navigation(QWebEngineNavigationRequest*)))) {
    delete page_.data();
    fail("the web engine's view could not be made: " + component_->errorString());
    return;
  }
  view_->setItem(page_);
  if (old) {
    old->setParentItem(nullptr);
    old->deleteLater();
  }
  status_ = Status::Starting;
  engineRan_ = false;  // a fresh page compiles the engine again
  started_.start();
  lastBeat_.start();
  page_->setProperty("url", QUrl(kPageUrl));
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
  return page_ ? page_->property("renderProcessPid").toLongLong() : 0;
}

QWidget* RufflePage::view() const {
  return view_;
}

int RufflePage::blockedRequests() const {
  return interceptor_ ? interceptor_->blocked() : 0;
}

int RufflePage::refusedNavigations() const {
  return host_ ? host_->refused() : 0;
}

int RufflePage::refusedFiles() const {
  return scheme_ ? scheme_->refused() : 0;
}

void RufflePage::hangForTest() {
  runJavaScript("for (;;) {}");
}

void RufflePage::runJavaScript(const QString& script, std::function<void(const QVariant&)> result) {
  if (!page_) return;
  if (!result) {
    QMetaObject::invokeMethod(page_, "runJavaScript", Q_ARG(QString, script));
    return;
  }
  // The view answers through a script function; a small object carries the answer back.
  auto* answer = new ScriptAnswer(std::move(result), page_);
  const QJSValue callback = engine_->newQObject(answer).property("take");
  QMetaObject::invokeMethod(page_, "runJavaScript", Q_ARG(QString, script),
                            Q_ARG(QJSValue, callback));
}

QString RufflePage::title() const {
  return page_ ? page_->property("title").toString() : QString();
}

void RufflePage::addScript(const QWebEngineScript& script) {
  if (!profile_) return;
  QMetaObject::invokeMethod(profile_->property("userScripts").value<QObject*>(), "insert",
                            Q_ARG(QWebEngineScript, script));
}

}  // namespace kv::media::ruffle
