#include "platform/qt/help/host_help.h"

#include <QDir>
#include <QFileInfo>

#include "platform/language.h"
#include "platform/qt/help/help_window.h"
#include "platform/qt/placement.h"

namespace kv::help {

HostHelp::HostHelp(ShellService& shell) : shell_(shell) {}

HostHelp::~HostHelp() = default;

std::string shownHelpFile(const std::string& chmPath) {
  if (shownLanguage() != Language::English) return chmPath;
  const QFileInfo chinese(QString::fromStdString(chmPath));
  const QFileInfo english(chinese.dir(),
                          chinese.completeBaseName() + QStringLiteral("_en.") + chinese.suffix());
  // Without the English pages (a file copied on its own) the Chinese ones are better than none.
  return english.isFile() ? english.filePath().toStdString() : chmPath;
}

bool HostHelp::showTopic(const std::string& chmPath, const std::string& topic) {
  if (!window_) {
    window_ = std::make_unique<HelpWindow>(shell_);
    constexpr int kTitleBar = 24;  // the window system's frame, not known before it is shown
    window_->move(
        view::centredOver(window_->size() + QSize(0, kTitleBar), owner_ ? owner_() : nullptr));
  }
  const bool shown = window_->showTopic(shownHelpFile(chmPath), topic);
  // Shown either way: a file that cannot be read is explained in the window.
  window_->show();
  window_->raise();
  window_->activateWindow();
  return shown;
}

}  // namespace kv::help
