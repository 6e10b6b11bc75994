#pragma once
// The per-user stand-ins of the application and installation folders on this host:
// $XDG_DATA_HOME/korvelin stands in for the installation folder (and for the application folder
// when the player runs from there, as installed), $XDG_DATA_HOME/korvelin/application for an
// application folder elsewhere.

#include <string>

#include "platform/stand_in.h"

namespace kv::host {

// Whether the player may write into folder: it exists, its permissions grant a write to
// someone, and this process may write there.
bool folderWritable(const std::string& folder);

StandInFolders hostStandIns(const FolderService& folders);

}  // namespace kv::host
