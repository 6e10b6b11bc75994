#pragma once
// The per-user places of watching comfort on the desktop.

#include <string>

namespace kv::comfort {

// $XDG_STATE_HOME/korvelin/NAME (~/.local/state without it).
std::string stateFile(const std::string& name);
// The state file "positions".
std::string positionsFile();
// $XDG_CONFIG_HOME/korvelin/watching (~/.config without it): the lasting choices.
std::string choicesFile();
// The desktop's pictures folder (XDG_PICTURES_DIR) with Korvelin/ under it.
std::string stillsFolder();

}  // namespace kv::comfort
