#pragma once
// The player in the user's desktop: its application entry and icon, the MIME defaults of
// mimeapps.list and the autostart entry, kept in line with the registry store.

#include <string>

#include "platform/desktop/desktop_state.h"
#include "platform/registry.h"

namespace kv::host {

// The user's folders, as the freedesktop base directories name them.
struct DesktopPaths {
  std::string applications;  // $XDG_DATA_HOME/applications
  std::string icons;         // $XDG_DATA_HOME/icons/hicolor
  std::string mimeapps;      // $XDG_CONFIG_HOME/mimeapps.list
  std::string autostart;     // $XDG_CONFIG_HOME/autostart
  static DesktopPaths fromEnvironment();
};

class DesktopIntegration {
 public:
  // program: the executable the registry's commands name; launcher: the executable the entries
  // run in its place (the same unless it is missing, see desktop::launchProgram); iconTheme:
  // the folder that holds the player's icon in the icon theme layout
  // (<size>/apps/korvelin.png, scalable/apps/...), whose icons are installed into the user's
  // theme (nothing when it does not exist).
  DesktopIntegration(DesktopPaths paths, std::string program, std::string iconTheme,
                     std::string launcher = "");

  // Writes the application entry (with the MIME types the player opens) and the icons when
  // they differ from what is installed. Returns whether the entry is in place.
  bool installApplicationEntry();
  // Makes the player the default for exactly the MIME types the registry associates (only our
  // entry changes in mimeapps.list) and creates or removes the autostart entry. Returns whether
  // all of them are in place; a file that could not be written keeps what it held.
  bool reconcile(RegistryService& registry);

  const DesktopPaths& paths() const { return paths_; }
  const std::string& program() const { return program_; }
  std::string applicationEntryPath() const;
  std::string autostartEntryPath() const;

 private:
  bool applyDefaults(const std::vector<std::string>& defaultFor);
  bool applyAutostart(const std::optional<std::string>& program);

  DesktopPaths paths_;
  std::string program_;
  std::string iconTheme_;
  std::string launcher_;
};

// The registry store seen through the desktop: every change that succeeds is mirrored at once.
class MirroredRegistry final : public RegistryService {
 public:
  MirroredRegistry(RegistryService& store, DesktopIntegration& desktop)
      : store_(store), desktop_(desktop) {}
  bool openKey(RegRoot root, const std::string& key) override { return store_.openKey(root, key); }
  bool createKey(RegRoot root, const std::string& key) override {
    return mirrored(store_.createKey(root, key));
  }
  std::optional<RegValue> queryValue(RegRoot root, const std::string& key,
                                     const std::string& name) override {
    return store_.queryValue(root, key, name);
  }
  bool setValue(RegRoot root, const std::string& key, const std::string& name,
                const RegValue& value) override {
    return mirrored(store_.setValue(root, key, name, value));
  }
  bool deleteKey(RegRoot root, const std::string& key) override {
    return mirrored(store_.deleteKey(root, key));
  }
  bool deleteValue(RegRoot root, const std::string& key, const std::string& name) override {
    return mirrored(store_.deleteValue(root, key, name));
  }
  // The desktop follows once, when the outermost batch has been stored.
  void beginBatch() override {
    ++batchDepth_;
    store_.beginBatch();
  }
  void endBatch() override {
    store_.endBatch();
    if (batchDepth_ > 0 && --batchDepth_ == 0 && batchChanged_) {
      batchChanged_ = false;
      desktop_.reconcile(store_);
    }
  }

 private:
  bool mirrored(bool changed) {
    if (changed && batchDepth_ > 0) batchChanged_ = true;
    if (changed && batchDepth_ == 0) desktop_.reconcile(store_);
    return changed;
  }
  RegistryService& store_;
  DesktopIntegration& desktop_;
  int batchDepth_ = 0;
  bool batchChanged_ = false;
};

}  // namespace kv::host
