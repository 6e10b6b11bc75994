#pragma once
// The web page component on the browser engine. The view is created on the first Navigate and
// released by Quit; the desktop view places it through the accessors below, which remember
// their settings while no view exists and apply them to the next one.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <string>

#include "media/web/web_page.h"

class QWebEngineView;

namespace kv::media {

class WebEnginePage final : public QObject, public WebPage {
  Q_OBJECT

 public:
  explicit WebEnginePage(QObject* parent = nullptr);
  ~WebEnginePage() override;

  void Navigate(const std::string& url) override;
  void Stop() override;
  void Quit() override;

  // The view, or nullptr before the first Navigate and after Quit.
  QWidget* view() const;
  // The widget the view is created in (the window's video area); nullptr: a window of its own.
  void setHostWidget(QWidget* host);
  QWidget* hostWidget() const { return host_; }
  void setGeometry(const QRect& rect);  // in the host's coordinates
  void setVisible(bool visible);
  bool isVisible() const { return visible_; }
  void raise();  // to the front among the host's children

  // The page on show: its address and title ("" without a view).
  std::string url() const;
  std::string title() const;

 signals:
  // A view was created (first Navigate, or the first after Quit).
  void viewCreated(QWidget* view);
  // The page (or the engine's error page) finished loading; ok is false when it failed.
  void loadFinished(bool ok);

 private:
  QWebEngineView* ensureView();

  QPointer<QWebEngineView> view_;
  QPointer<QWidget> host_;
  QRect geometry_;
  bool visible_ = false;  // the component starts hidden
};

}  // namespace kv::media
