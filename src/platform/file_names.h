#pragma once
// File names the player makes itself (a still named after the film and its time).

#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

// The longest file name, in bytes, of the file systems the player writes to (NAME_MAX).
inline constexpr std::size_t kMaxNameBytes = 255;

// head + tail as one name of at most maxBytes: head is cut as far as needed, never inside a
// UTF-8 character, and tail (the time and the extension) is kept whole. A tail longer than
// maxBytes on its own is returned as it is (the file system refuses it, and the caller says so).
std::string fitFileName(std::string_view head, std::string_view tail,
                        std::size_t maxBytes = kMaxNameBytes);

}  // namespace kv
