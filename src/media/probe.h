#pragma once
// `korvelin --probe FILE...`: what the player would do with each file, one JSON object a line.

#include <ostream>
#include <string>
#include <vector>

namespace kv::media {

// Returns the process exit code: 0 when every file could be read.
int runProbe(const std::vector<std::string>& paths, std::ostream& out);
std::string probeJson(const std::string& path);

}  // namespace kv::media
