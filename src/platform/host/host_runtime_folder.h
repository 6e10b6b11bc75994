#pragma once
// The folder that holds the player's per-user lock and its execute socket. Both must be found
// by every instance of the same user and by nobody else, so the folder is one that only this
// user can enter: never a name others could guess and create first in a shared folder.

#include <string>

namespace kv::host {

// The session's runtime folder ($XDG_RUNTIME_DIR) when it is private; otherwise a folder the
// player makes for itself in the user's cache folder ($XDG_CACHE_HOME or ~/.cache). "" when
// neither is private: then the player runs without a lock and without an execute channel
// rather than with ones another user could reach.
std::string privateRuntimeFolder();

// name inside privateRuntimeFolder(); "" when there is none.
std::string privateRuntimePath(const std::string& name);

}  // namespace kv::host
