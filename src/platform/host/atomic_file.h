#pragma once
// Whole files replaced at once: written beside the target and renamed over it, so that a crash
// leaves the old file or the new one, never half of either.

#include <optional>
#include <string>

namespace kv::host {

// Makes the missing folders of path, then replaces the file with text.
bool writeFileAtomically(const std::string& path, const std::string& text);
// The whole file; "" when it does not exist; nothing when it exists but cannot be read whole
// (not a regular file, unreadable, or larger than maxBytes).
std::optional<std::string> readWholeFile(const std::string& path, long long maxBytes);

}  // namespace kv::host
