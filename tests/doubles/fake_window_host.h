#pragma once
// Test doubles of the window host, the shell, the help viewer and the registry.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_tree.h"
#include "platform/shell.h"
#include "platform/window_host.h"

namespace kv::forms {
class Form;
class MenuItem;
}  // namespace kv::forms

namespace kv::test {

// Records what the program asks of the window system, as "verb name" lines (e.g. "shown
// Form3", "move Form1", "popup menu"), and answers the modal dialogs from a script.
class FakeWindowHost final : public WindowHost {
 public:
  void formShown(forms::Form& form) override;
  void formHidden(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void formDestroyed(forms::Form& form) override;
  void startSystemMove(forms::Form& form) override;
  void startSystemResize(forms::Form& form, std::uint32_t edges) override;
  void popupMenu(forms::Form& owner, forms::MenuItem& menu) override;
  std::string showOpen(forms::Form& owner, const std::string& filter,
                       const std::string& previousPath) override;
  void messageBox(forms::Form* owner, const std::string& text, const std::string& title) override;
  void askText(forms::Form& owner, const std::string& title, const std::string& prompt,
               std::function<void(const std::string&)> done) override;
  Language language() const override { return language_; }
  void chooseLanguage(Language language) override;

  std::vector<std::string> calls;
  // The item a popup menu chooses by name ("" dismisses the menu); cleared after use.
  std::string menuChoice;
  // What the Open dialog returns, and the filters it was shown with.
  std::string openResult;
  std::vector<std::string> openFilters;
  // Texts of the message boxes shown.
  std::vector<std::string> messages;
  // What the last window asking for text hands its answer to (it stays open: it is modeless).
  std::function<void(const std::string&)> textAnswer;
  // Runs while a modal dialog is up (a test can act "during" the dialog).
  std::function<void()> duringModal;

 private:
  Language language_ = Language::Chinese;
};

class FakeShell final : public ShellService {
 public:
  bool openUrl(const std::string& url) override {
    urls.push_back(url);
    return succeed;
  }
  bool startProgram(const std::string& path) override {
    programs.push_back(path);
    return succeed;
  }
  std::vector<std::string> urls;
  std::vector<std::string> programs;
  bool succeed = true;
};

class FakeHelp final : public HelpService {
 public:
  bool showTopic(const std::string& chmPath, const std::string& topic) override {
    shown.push_back(chmPath + "::" + topic);
    return succeed;
  }
  std::vector<std::string> shown;
  bool succeed = true;
};

// The registry in memory, on the same rules as the store on disk (RegistryTree). A test can
// make it refuse every change, and count the changes made.
class MemoryRegistry final : public RegistryService {
 public:
  bool openKey(RegRoot root, const std::string& key) override;
  bool createKey(RegRoot root, const std::string& key) override;
  std::optional<RegValue> queryValue(RegRoot root, const std::string& key,
                                     const std::string& name) override;
  bool setValue(RegRoot root, const std::string& key, const std::string& name,
                const RegValue& value) override;
  bool deleteKey(RegRoot root, const std::string& key) override;
  bool deleteValue(RegRoot root, const std::string& key, const std::string& name) override;
  // Changes apply at once here; a test sees how batches were used.
  void beginBatch() override { ++openBatches; }
  void endBatch() override {
    if (--openBatches == 0) ++batchesEnded;
  }

  // Test helpers: the text of a REG_SZ value, or nothing.
  std::optional<std::string> text(RegRoot root, const std::string& key,
                                  const std::string& name = "");
  void setText(RegRoot root, const std::string& key, const std::string& name,
               const std::string& text, std::uint32_t type = kRegSz);
  const RegistryTree& tree() const { return tree_; }
  bool readOnly = false;
  int writes = 0;
  int openBatches = 0;
  int batchesEnded = 0;

 private:
  RegistryTree tree_;
};

}  // namespace kv::test
