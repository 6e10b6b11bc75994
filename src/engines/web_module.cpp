// korvelin-web.so: the web page component on the browser engine.

#include <memory>

#include "engines/engine_modules.h"
#include "media/web/web_engine_page.h"

namespace kv::engines {
namespace {

class BrowserEngine final : public WebEngine {
 public:
  media::WebPage& page() override { return page_; }
  void setHost(QWidget* host) override {
    page_.setHostWidget(host);
    page_.setVisible(true);  // the place it lives in is what the window shows or hides
  }

 private:
  media::WebEnginePage page_;
};

class BrowserModule final : public WebModule {
 public:
  std::unique_ptr<WebEngine> createWebPage() override { return std::make_unique<BrowserEngine>(); }
};

}  // namespace
}  // namespace kv::engines

extern "C" __attribute__((visibility("default"))) kv::engines::WebModule* korvelin_web_module() {
  static kv::engines::BrowserModule module;
  return &module;
}
