#pragma once
// The Flash video player movie power.swf as both sides know it: the names of its root variables
// and the commands it takes. The program (playback, the open step) writes and reads them; the
// native runtime that plays the movie answers to the same names.

namespace kv::media::player_movie {

// Written by the program.
inline constexpr const char* kVideoPath = "testVar";  // the .flv to load and play
inline constexpr const char* kCommand = "testVar2";   // one of the commands below
inline constexpr const char* kSeekTarget = "kkk";     // seconds, read by kSeekHold and kSeekPlay

// Read by the program.
inline constexpr const char* kPosition = "curent1";        // seconds played
inline constexpr const char* kLength = "total1";           // seconds of the video
inline constexpr const char* kPositionText = "curentvar";  // the time display's elapsed text
inline constexpr const char* kLengthText = "timevar";      // its length text

// Commands.
inline constexpr const char* kPlay = "vbplay";  // seek to kSeekTarget and play; also resumes
inline constexpr const char* kPause = "vbpause";
inline constexpr const char* kSeekHold = "vbdown";  // seek to kSeekTarget and hold

}  // namespace kv::media::player_movie
