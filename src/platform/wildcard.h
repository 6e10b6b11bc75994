#pragma once
// File-name patterns of the file list: ";"-separated wildcards matched without regard to case,
// and the order in which a user expects names to be listed.

#include <string>
#include <string_view>
#include <vector>

namespace kv {

// "*" any run of characters, "?" one character; ASCII letters compare case-insensitively.
// "*.*" also matches a name without a dot, as the classic file list does.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// A compiled ";"-separated pattern list.
class PatternList {
 public:
  explicit PatternList(std::string_view patterns);
  bool matches(std::string_view name) const;

 private:
  std::vector<std::string> patterns_;
  // "*.ext" patterns, the usual case, are checked by their lower-case extension alone.
  std::vector<std::string> extensions_;
  bool matchesAll_ = false;
};

// Case-insensitive order with runs of digits compared by value ("clip2" before "clip10").
bool naturalLess(std::string_view a, std::string_view b);
// Sorts names in naturalLess's order.
void sortNatural(std::vector<std::string>& names);

}  // namespace kv
