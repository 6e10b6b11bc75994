#include "media/player/balance_filter.h"

#include <algorithm>
#include <charconv>

namespace kv::media {

namespace {

// Locale-independent: the engine parses "0.5", never "0,5".
std::string gainText(double gain) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, gain, std::chars_format::fixed, 2);
  return std::string(buf, res.ptr);
}

}  // namespace

int clampBalance(int balance) {
  return std::clamp(balance, -100, 100);
}

std::string balanceFilter(int balance) {
  balance = clampBalance(balance);
  if (balance == 0) return {};
  const double left = balance > 0 ? (100 - balance) / 100.0 : 1.0;
  const double right = balance < 0 ? (100 + balance) / 100.0 : 1.0;
  // Mono and multichannel sources are brought to stereo first, so c0/c1 are always left/right.
  return "@balance:lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=" + gainText(left) +
         "*c0|c1=" + gainText(right) + "*c1]";
}

}  // namespace kv::media
