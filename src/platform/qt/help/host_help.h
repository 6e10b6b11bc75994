#pragma once
// The help service of the desktop: our help window, created the first time help is asked for.

#include <functional>
#include <memory>
#include <string>

#include "platform/shell.h"

class QWidget;

namespace kv::help {

class HelpWindow;

// The help file shown for the program's one: in English, its English edition beside it
// ("pemra_en.chm" for "pemra.chm") when there is one.
std::string shownHelpFile(const std::string& chmPath);

class HostHelp final : public HelpService {
 public:
  // shell opens the web and mail links of the help pages.
  explicit HostHelp(ShellService& shell);
  ~HostHelp() override;

  bool showTopic(const std::string& chmPath, const std::string& topic) override;
  HelpWindow* window() const { return window_.get(); }
  // The window the help window opens centred over (the main window), when it is shown.
  void setOwner(std::function<QWidget*()> owner) { owner_ = std::move(owner); }

 private:
  ShellService& shell_;
  std::unique_ptr<HelpWindow> window_;
  std::function<QWidget*()> owner_;
};

}  // namespace kv::help
