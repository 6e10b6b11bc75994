#pragma once
// The long-lived web page that runs users' Flash movies in Ruffle: its own off-the-record
// profile (no disk, no network: only the page's scheme is served), a web channel to the page,
// and a watchdog that reloads the page when it stops answering (a script that loops for ever)
// or its renderer dies. The page is shown by the web engine's Qt Quick view in a native window
// of its own (flash_surface.h).

#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <functional>
#include <utility>

#include "media/flash/ruffle/ruffle_scheme.h"

class QQmlComponent;
class QQmlEngine;
class QQmlWebChannel;
class QQuickItem;
class QQuickWebEngineProfile;
class QWebEngineNavigationRequest;
class QWebEngineScript;
class QWidget;

namespace kv::media::ruffle {

// The object the page sees as "bridge".
class PageBridge final : public QObject {
  Q_OBJECT
 public:
  static constexpr qsizetype kMaxReportChars = 1 << 20;
  using QObject::QObject;
  Q_INVOKABLE void report(const QString& json);
 signals:
  void request(const QString& json);
  void reported(const QJsonObject& message);
};

// What the page's view reports to us (its QML handlers call these).
class PageHost final : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  // The page may show nothing but itself: no navigation elsewhere.
  Q_SLOT void navigation(QWebEngineNavigationRequest* request);
  Q_INVOKABLE void console(const QString& message, int line);
  int refused() const { return refused_; }
 signals:
  void loadFailed();
  void rendererEnded(bool normally);

 private:
  int refused_ = 0;
};

// Carries a script's result from the page's view back to the one who asked.
class ScriptAnswer final : public QObject {
  Q_OBJECT
 public:
  ScriptAnswer(std::function<void(const QVariant&)> take, QObject* parent)
      : QObject(parent), take_(std::move(take)) {}
  Q_INVOKABLE void take(const QVariant& value) {
    if (take_) std::exchange(take_, {})(value);
  }

 private:
  std::function<void(const QVariant&)> take_;
};

class FlashSurface;

class RufflePage final : public QObject {
  Q_OBJECT
 public:
  enum class Status { NotStarted, Starting, Ready, Failed };

  struct Options {
    QString ruffleDir;     // the engine's files
    int stuckMs = 10'000;  // no heartbeat for this long: the page is stuck
    int startMs = 60'000;  // the page must say it is ready within this
  };

  explicit RufflePage(Options options, QObject* parent = nullptr);
  ~RufflePage() override;

  Status status() const { return status_; }
  const QString& failure() const { return failure_; }
  // Creates the view and loads the page; requests sent before it is ready wait for it.
  void start();
  // The widget showing the page (a native window of its own inside), nullptr before start().
  QWidget* view() const;
  RuffleSchemeHandler& scheme() { return *scheme_; }

  void send(const QJsonObject& request);
  qint64 rendererPid() const;
  // Requests to other schemes the profile's interceptor blocked, requests our scheme refused,
  // and what the page's content security policy refused (scripts, connections, frames).
  int blockedRequests() const;
  int refusedFiles() const;
  int refusedByPolicy() const { return refusedByPolicy_; }
  // Navigations of the page elsewhere, refused.
  int refusedNavigations() const;
  // Makes the page's script loop for ever (for tests of the watchdog).
  void hangForTest();
  // For tests: script run in the page (the result, if asked for, arrives later), the page's
  // title, and a script added to every document of the page from its creation on.
  void runJavaScript(const QString& script, std::function<void(const QVariant&)> result = {});
  QString title() const;
  void addScript(const QWebEngineScript& script);

 signals:
  void ready();
  // The engine cannot run here (its files missing, its module failing, the page failing).
  void failed(const QString& why);
  // The page stopped answering or its renderer died; it is being loaded afresh.
  void restarted(const QString& why);
  void message(const QJsonObject& message);

 private:
  void createPage();
  void onReport(const QJsonObject& report);
  void watch();
  void restart(const QString& why);
  void fail(const QString& why);

  Options options_;
  Status status_ = Status::NotStarted;
  QString failure_;
  QQuickWebEngineProfile* profile_ = nullptr;
  RuffleSchemeHandler* scheme_ = nullptr;
  LocalOnlyInterceptor* interceptor_ = nullptr;
  QPointer<FlashSurface> view_;
  QQmlEngine* engine_ = nullptr;
  QQmlComponent* component_ = nullptr;
  QPointer<QQuickItem> page_;
  QQmlWebChannel* channel_ = nullptr;
  PageBridge* bridge_ = nullptr;
  PageHost* host_ = nullptr;
  QStringList pending_;
  QTimer watchdog_;
  QElapsedTimer lastBeat_;
  QElapsedTimer started_;
  QElapsedTimer sinceRestarts_;
  int restarts_ = 0;
  int refusedByPolicy_ = 0;
  bool engineRan_ = false;  // this page's engine has started a movie
};

}  // namespace kv::media::ruffle
