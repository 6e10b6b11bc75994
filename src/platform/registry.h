#pragma once
// The registry: a per-user store of keys (names compared without regard to case, "\" between
// levels) holding typed values. It is the program's own record of file associations and of
// starting with the session; the host mirrors those into the desktop's conventions.

#include <cstdint>
#include <optional>
#include <string>

namespace kv {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine };

enum RegType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
};

struct RegValue {
  std::uint32_t type = kRegNone;
  // The stored bytes: text as stored (it may hold NUL characters), a DWORD as 4 bytes little
  // endian.
  std::string data;
  bool operator==(const RegValue&) const = default;
};

class RegistryService {
 public:
  virtual ~RegistryService() = default;
  // Whether the key exists (opening it succeeds).
  virtual bool openKey(RegRoot root, const std::string& key) = 0;
  // Creates the key and any missing parents; true when it exists afterwards.
  virtual bool createKey(RegRoot root, const std::string& key) = 0;
  // name "" is the key's default value. Nothing when the key or the value is missing.
  virtual std::optional<RegValue> queryValue(RegRoot root, const std::string& key,
                                             const std::string& name) = 0;
  // Fails when the key does not exist.
  virtual bool setValue(RegRoot root, const std::string& key, const std::string& name,
                        const RegValue& value) = 0;
  // Deletes a key that has no sub-keys; fails otherwise or when it does not exist.
  virtual bool deleteKey(RegRoot root, const std::string& key) = 0;
  virtual bool deleteValue(RegRoot root, const std::string& key, const std::string& name) = 0;

  // Changes made between beginBatch and the matching endBatch are stored (and mirrored into
  // the desktop) together when the outermost batch ends: one write instead of one per change,
  // and all of them or none if the store cannot be written. Batches nest.
  virtual void beginBatch() {}
  virtual void endBatch() {}
};

// A batch for the life of a scope.
class RegistryBatch {
 public:
  explicit RegistryBatch(RegistryService& registry) : registry_(registry) {
    registry_.beginBatch();
  }
  ~RegistryBatch() { registry_.endBatch(); }
  RegistryBatch(const RegistryBatch&) = delete;
  RegistryBatch& operator=(const RegistryBatch&) = delete;

 private:
  RegistryService& registry_;
};

}  // namespace kv
