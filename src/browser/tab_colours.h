#pragma once
// Colours of the tab labels: the highlighted tab and the plain ones.

#include <cstdint>

namespace kv::browser {

constexpr std::uint32_t kTabHighlight = 16750899;  // RGB 51, 153, 255
constexpr std::uint32_t kTabPlain = 0xFFFFFF;

}  // namespace kv::browser
