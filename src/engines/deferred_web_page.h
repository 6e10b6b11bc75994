#pragma once
// The web page component as the main window holds it before the browser engine is loaded.
// The engine is loaded when a page is to be shown: after a Navigate, while the component is on
// screen, once the main window has been painted. Until then the page remembers the address,
// and Stop or Quit forget it.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engines/engines.h"
#include "media/web/web_page.h"

namespace kv::engines {

class DeferredWebPage final : public media::WebPage {
 public:
  explicit DeferredWebPage(Engines& engines);
  ~DeferredWebPage() override;

  WebEngine* engine() const { return engine_.get(); }
  // Runs work once the engine exists (at once when it does); never if it cannot be made.
  void whenReady(std::function<void(WebEngine&)> work);

  // Whether the component is on screen (its control is visible); true until told otherwise.
  void setShown(bool shown);

  void Navigate(const std::string& url) override;
  void Stop() override;
  void Quit() override;

 private:
  void attach(WebModule* module);
  void loadIfNeeded();

  Engines& engines_;
  ScopedConnection loaded_;
  ScopedConnection allowed_;
  bool shown_ = true;
  std::unique_ptr<WebEngine> engine_;
  bool failed_ = false;
  std::string pendingUrl_;
  std::vector<std::function<void(WebEngine&)>> whenReady_;
};

}  // namespace kv::engines
