#pragma once
// The Flash part of `korvelin --probe`: which engine would draw a movie and which tier would
// serve its seek and position calls (FrameNum, GotoFrame, IsPlaying, variables).

#include <QJsonObject>
#include <string>

namespace kv::media {

// {"engine":"ruffle","tier":"actions"}; {"engine":"native","tier":"native"} for our own
// movies, and with a "reason" for users' movies when Ruffle's files are missing from
// ruffleDir. An empty object when the file is not a readable SWF.
QJsonObject flashEngineJson(const std::string& path, const std::string& ruffleDir);

// Where the player finds Ruffle: "ruffle" in the application folder.
std::string ruffleFolder();

}  // namespace kv::media
