// korvelin-web.so: the web page component and the Flash component on the browser engine.

#include <memory>

#include "engines/engine_modules.h"
#include "media/flash/ruffle/flash_component.h"
#include "media/flash/ruffle/ruffle_scheme.h"
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

class RuffleEngine final : public FlashMovieEngine {
 public:
  RuffleEngine(Clock& clock, media::FlashRuntime& native, const std::string& ruffleDir)
      : component_(clock, native, {ruffleDir}) {}
  media::FlashPlayer& player() override { return component_; }
  QWidget* widget() override { return component_.widget(); }
  void setNativePage(QWidget* page) override { component_.setNativePage(page); }

 private:
  media::ruffle::FlashComponent component_;
};

class BrowserModule final : public WebModule {
 public:
  std::unique_ptr<WebEngine> createWebPage() override { return std::make_unique<BrowserEngine>(); }
  std::unique_ptr<FlashMovieEngine> createFlash(Clock& clock, media::FlashRuntime& native,
                                                const std::string& ruffleDir) override {
    return std::make_unique<RuffleEngine>(clock, native, ruffleDir);
  }
};

}  // namespace
}  // namespace kv::engines

extern "C" __attribute__((visibility("default"))) kv::engines::WebModule* korvelin_web_module() {
  // The engine reads its URL schemes once, when its first page or profile is made: nothing of
  // it exists before this module is loaded.
  kv::media::ruffle::registerRuffleScheme();
  static kv::engines::BrowserModule module;
  return &module;
}
