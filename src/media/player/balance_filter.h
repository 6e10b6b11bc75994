#pragma once
// The audio filter that carries the channel balance.

#include <string>

namespace kv::media {

// Clamps to -100..100.
int clampBalance(int balance);

// The labelled filter for a balance of -100 (left only) .. 0 (both) .. 100 (right only):
// the far side is attenuated in proportion, the near side keeps full level. Returns "" at 0,
// so that centred sound passes through untouched (and keeps its own channel layout).
std::string balanceFilter(int balance);

}  // namespace kv::media
