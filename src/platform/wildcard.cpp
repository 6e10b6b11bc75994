#include "platform/wildcard.h"

namespace kv {
namespace {

char fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*" || pattern == "*") return true;
  // Iterative matcher with single-star backtracking: linear in practice, no recursion.
  std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

PatternList::PatternList(std::string_view patterns) {
  std::size_t start = 0;
  while (start <= patterns.size()) {
    std::size_t end = patterns.find(';', start);
    if (end == std::string_view::npos) end = patterns.size();
    std::string_view piece = patterns.substr(start, end - start);
    while (!piece.empty() && piece.front() == ' ') piece.remove_prefix(1);
    while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
    start = end + 1;
    if (piece.empty()) continue;
    if (piece == "*" || piece == "*.*") {
      matchesAll_ = true;
    } else if (piece.size() > 2 && piece.substr(0, 2) == "*." &&
               piece.substr(2).find_first_of("*?.") == std::string_view::npos) {
      std::string ext(piece.substr(2));
      for (char& c : ext) c = fold(c);
      extensions_.push_back(std::move(ext));
    } else {
      patterns_.emplace_back(piece);
    }
  }
}

bool PatternList::matches(std::string_view name) const {
  if (matchesAll_) return true;
  if (!extensions_.empty()) {
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos) {
      const std::string_view ext = name.substr(dot + 1);
      for (const auto& e : extensions_) {
        if (e.size() != ext.size()) continue;
        std::size_t i = 0;
        while (i < e.size() && fold(ext[i]) == e[i]) ++i;
        if (i == e.size()) return true;
      }
    }
  }
  for (const auto& p : patterns_)
    if (wildcardMatch(p, name)) return true;
  return false;
}

bool naturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      // Compare the digit runs by value: skip leading zeros, then length, then digits.
      std::size_t si = i, sj = j;
      while (si < a.size() && a[si] == '0') ++si;
      while (sj < b.size() && b[sj] == '0') ++sj;
      std::size_t ei = si, ej = sj;
      while (ei < a.size() && isDigit(a[ei])) ++ei;
      while (ej < b.size() && isDigit(b[ej])) ++ej;
      if (ei - si != ej - sj) return ei - si < ej - sj;
      for (std::size_t k = 0; k < ei - si; ++k)
        if (a[si + k] != b[sj + k]) return a[si + k] < b[sj + k];
      i = ei;
      j = ej;
      continue;
    }
    const char ca = fold(a[i]), cb = fold(b[j]);
    if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb);
    ++i;
    ++j;
  }
  if ((a.size() - i) != (b.size() - j)) return (a.size() - i) < (b.size() - j);
  return a < b;  // names equal but for case or leading zeros: a stable, total order
}

}  // namespace kv
