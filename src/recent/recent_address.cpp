// An address as a person typed it, and what its failure is called.

#include <algorithm>
#include <cctype>

#include "recent/recent.h"
#include "recent/recent_texts.h"

namespace kv::recent {

std::optional<std::string> addressOf(const std::string& typed) {
  const auto space = [](unsigned char c) { return std::isspace(c) != 0; };
  const auto first = std::find_if_not(typed.begin(), typed.end(), space);
  const auto last = std::find_if_not(typed.rbegin(), typed.rend(), space).base();
  if (first >= last) return std::nullopt;
  const std::string address(first, last);
  std::string lower = address;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::size_t host = 0;
  for (const char* scheme : {"http://", "https://"})
    if (lower.starts_with(scheme)) host = std::string(scheme).size();
  // A scheme, a host, and no control character or space inside.
  if (host == 0 || host >= address.size() || address[host] == '/') return std::nullopt;
  for (const unsigned char c : address)
    if (c < 0x21 || c == 0x7f) return std::nullopt;
  return address;
}

const char* failureText(const std::string& engineReason) {
  // The engine's words for each reason, the first found naming it.
  static constexpr struct {
    const char* seen;
    const char* text;
  } kReasons[] = {
      {"404", texts::kNotFound},
      {"410", texts::kNotFound},
      {"HTTP error", texts::kServerError},
      {"refused", texts::kRefused},
      {"resolve", texts::kNoNetwork},
      {"unreachable", texts::kNoNetwork},
      {"timed out", texts::kNoNetwork},
      {"not open in time", texts::kNoNetwork},
      {"Connection reset", texts::kNoNetwork},
  };
  for (const auto& r : kReasons)
    if (engineReason.find(r.seen) != std::string::npos) return r.text;
  return texts::kNotMedia;
}

}  // namespace kv::recent
