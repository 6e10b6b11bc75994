#pragma once
// The registry's rules in one place, used by the store on disk and by the test double alike:
// keys under three roots, names compared without regard to case (the case they were created
// with is kept), "\" between levels, typed values, a key deleted only when it has no sub-keys.
// A tree can be written as text and read back; damaged text is refused as a whole.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace kv {

class RegistryTree {
 public:
  // Longest key name (one level) and deepest key accepted.
  static constexpr std::size_t kMaxNameBytes = 255;
  static constexpr std::size_t kMaxDepth = 64;

  bool openKey(RegRoot root, std::string_view key) const;
  // Creates the key and its missing parents; false for a name that is too long or too deep.
  bool createKey(RegRoot root, std::string_view key);
  std::optional<RegValue> queryValue(RegRoot root, std::string_view key,
                                     std::string_view name) const;
  bool setValue(RegRoot root, std::string_view key, std::string_view name, const RegValue& value);
  // A root, a missing key or a key with sub-keys cannot be deleted.
  bool deleteKey(RegRoot root, std::string_view key);
  bool deleteValue(RegRoot root, std::string_view key, std::string_view name);

  // The whole tree as UTF-8 text (bytes that are not UTF-8 escaped), keys in a stable order.
  std::string serialize() const;
  // Nothing when the text is not a complete tree of this format.
  static std::optional<RegistryTree> parse(std::string_view text);

  bool operator==(const RegistryTree&) const = default;

 private:
  struct Value {
    std::string name;  // as first set
    RegValue value;
    bool operator==(const Value&) const = default;
  };
  struct Key {
    RegRoot root = RegRoot::ClassesRoot;
    std::vector<std::string> names;       // each level as created
    std::map<std::string, Value> values;  // folded name -> value
    bool operator==(const Key&) const = default;
  };
  // Folded path of a key: the root's tag, then each folded level after a "\"; nothing when a
  // level is too long or the key too deep.
  static std::optional<std::string> pathOf(RegRoot root, std::string_view key);
  Key* find(RegRoot root, std::string_view key);
  const Key* find(RegRoot root, std::string_view key) const;

  std::map<std::string, Key> keys_;  // folded path -> key; roots are implicit
};

// Folds a name for comparison without regard to case (ASCII, and other letters of UTF-8 text).
std::string foldName(std::string_view name);
// The levels of a key path, empty levels left out: "a\\b\" -> {"a", "b"}.
std::vector<std::string> splitKeyPath(std::string_view key);

}  // namespace kv
