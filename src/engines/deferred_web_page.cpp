#include "engines/deferred_web_page.h"

#include "platform/errors.h"
#include "platform/language.h"

namespace kv::engines {

DeferredWebPage::DeferredWebPage(Engines& engines) : engines_(engines) {
  if (engines.webTried())
    attach(engines.web());
  else
    loaded_ = engines.WebLoaded.connect([this](WebModule* module) { attach(module); });
  allowed_ = engines.LoadingAllowed.connect([this] { loadIfNeeded(); });
}

void DeferredWebPage::loadIfNeeded() {
  if (!engine_ && !failed_ && shown_ && !pendingUrl_.empty() && engines_.loadingAllowed())
    engines_.wantWeb();
}

void DeferredWebPage::setShown(bool shown) {
  shown_ = shown;
  loadIfNeeded();
}

DeferredWebPage::~DeferredWebPage() = default;

void DeferredWebPage::attach(WebModule* module) {
  loaded_.disconnect();
  if (engine_ || failed_) return;
  if (module) step([&] { engine_ = module->createWebPage(); });
  if (!engine_) {
    failed_ = true;
    whenReady_.clear();
    return;
  }
  auto work = std::move(whenReady_);
  whenReady_.clear();
  for (auto& w : work) w(*engine_);
  if (!pendingUrl_.empty()) {
    const std::string url = std::move(pendingUrl_);
    pendingUrl_.clear();
    step([&] { engine_->page().Navigate(url); });
  }
}

void DeferredWebPage::whenReady(std::function<void(WebEngine&)> work) {
  if (engine_)
    work(*engine_);
  else if (!failed_)
    whenReady_.push_back(std::move(work));
}

void DeferredWebPage::Navigate(const std::string& address) {
  // Our own pages (the news page of the blog tab) in the language shown.
  const std::string url = shownLocalUrl(address);
  if (engine_) return engine_->page().Navigate(url);
  if (failed_) throw ComponentError("the web page cannot be shown: no browser engine");
  pendingUrl_ = url;
  loadIfNeeded();
}

void DeferredWebPage::Stop() {
  if (engine_) return engine_->page().Stop();
  pendingUrl_.clear();
}

void DeferredWebPage::Quit() {
  if (engine_) return engine_->page().Quit();
  pendingUrl_.clear();
}

}  // namespace kv::engines
