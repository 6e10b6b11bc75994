#include "media/web/web_engine_page.h"

#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace kv::media {

WebEnginePage::WebEnginePage(QObject* parent) : QObject(parent) {}

WebEnginePage::~WebEnginePage() {
  // The view may belong to the host; either way it must not outlive the component.
  delete view_.data();
}

QWebEngineView* WebEnginePage::ensureView() {
  if (view_) return view_;
  auto* view = new QWebEngineView(host_.data());
  // A page that cannot be reached shows the engine's own explanation.
  view->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
  if (geometry_.isValid()) view->setGeometry(geometry_);
  connect(view, &QWebEngineView::loadFinished, this, &WebEnginePage::loadFinished);
  view_ = view;
  emit viewCreated(view);
  if (visible_) view->show();
  return view;
}

void WebEnginePage::Navigate(const std::string& url) {
  // Accepts full addresses, bare host names and local paths alike.
  const QUrl target = QUrl::fromUserInput(QString::fromStdString(url));
  ensureView()->load(target);
}

void WebEnginePage::Stop() {
  if (view_) view_->stop();
}

void WebEnginePage::Quit() {
  if (!view_) return;
  QWebEngineView* view = view_;
  view_ = nullptr;
  view->stop();
  view->hide();
  disconnect(view, nullptr, this, nullptr);
  // Quit may be called from inside one of the view's own signals.
  view->deleteLater();
}

QWidget* WebEnginePage::view() const {
  return view_;
}

void WebEnginePage::setHostWidget(QWidget* host) {
  host_ = host;
  if (view_ && view_->parentWidget() != host) {
    view_->setParent(host);
    if (geometry_.isValid()) view_->setGeometry(geometry_);
    view_->setVisible(visible_);
  }
}

void WebEnginePage::setGeometry(const QRect& rect) {
  geometry_ = rect;
  if (view_) view_->setGeometry(rect);
}

void WebEnginePage::setVisible(bool visible) {
  visible_ = visible;
  if (view_) view_->setVisible(visible);
}

void WebEnginePage::raise() {
  if (view_) view_->raise();
}

std::string WebEnginePage::url() const {
  return view_ ? view_->url().toString().toStdString() : std::string();
}

std::string WebEnginePage::title() const {
  return view_ ? view_->title().toStdString() : std::string();
}

}  // namespace kv::media
