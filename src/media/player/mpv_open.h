#pragma once
// How a file is handed to the engine's loadfile command, by the player and by the probe.
//
// The name goes as an absolute path, so that no name is ever taken for something else: "-"
// would be standard input, "x://y" a protocol, "dvd://..." a device. And the file may not make
// the engine open anything it names (the entries of a playlist, the segments of a stream
// playlist, the audio file of a cue sheet, the parts of an edit list, a network address):
// a local file is played for what it holds. Only a file whose name says it is a playlist is
// opened as one, since the user chose it as such.

#include <string>

namespace kv::media {

struct MpvOpen {
  std::string target;   // the path for loadfile
  std::string options;  // its per-file options ("key=value,..."), never empty
};

// extraOptions: further per-file options of the caller ("start=12.5"), or "".
MpvOpen mpvOpenOf(const std::string& path, const std::string& extraOptions = {});

// Whether the name ends in a playlist extension (.m3u, .m3u8, .pls), in any case.
bool isPlaylistName(const std::string& path);

}  // namespace kv::media
