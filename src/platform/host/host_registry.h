#pragma once
// The registry kept in one file of the user's configuration folder.

#include <sys/types.h>

#include <string>

#include "platform/registry_tree.h"

namespace kv::host {

// Every change is written at once, atomically (a crash leaves the old file or the new one).
// A change that cannot be written is not made. The file is read again when another program
// changed it. A file that cannot be understood is renamed aside (registry.damaged-...) and a
// fresh store begins; a file that exists but cannot be read is never written over.
class HostRegistry final : public RegistryService {
 public:
  // Larger files are not read (and are kept aside like damaged ones); larger trees not written.
  static constexpr std::size_t kMaxFileBytes = 64u << 20;

  explicit HostRegistry(std::string path = defaultPath());
  // $XDG_CONFIG_HOME/korvelin/registry (~/.config/korvelin/registry).
  static std::string defaultPath();

  bool openKey(RegRoot root, const std::string& key) override;
  bool createKey(RegRoot root, const std::string& key) override;
  std::optional<RegValue> queryValue(RegRoot root, const std::string& key,
                                     const std::string& name) override;
  bool setValue(RegRoot root, const std::string& key, const std::string& name,
                const RegValue& value) override;
  bool deleteKey(RegRoot root, const std::string& key) override;
  bool deleteValue(RegRoot root, const std::string& key, const std::string& name) override;
  void beginBatch() override;
  void endBatch() override;

  const std::string& path() const { return path_; }
  // Where the last damaged file was put ("" when none was found).
  const std::string& keptAside() const { return keptAside_; }
  // False while the file exists but cannot be read: changes are then refused.
  bool writable() const { return writable_; }

 private:
  struct Stamp {
    bool exists = false;
    bool regular = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp stampOf(const std::string& path);
  void refresh();
  void load();
  void keepAside();
  template <class Change>
  bool change(Change&& apply);
  bool store(RegistryTree next);

  std::string path_;
  RegistryTree tree_;
  Stamp stamp_;
  bool loaded_ = false;
  bool writable_ = true;
  std::string keptAside_;
  int batchDepth_ = 0;
  bool batchChanged_ = false;
};

}  // namespace kv::host
