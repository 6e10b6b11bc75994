#pragma once
// 16-bit PCM stereo WAV files.

#include <string>
#include <vector>

#include "synth.h"

namespace kv::music {

// The whole file as bytes (RIFF header, then interleaved little-endian samples).
std::vector<unsigned char> encodeWav(const Audio& audio);

// Writes atomically: a temporary file beside the target, renamed over it. False on failure.
bool writeWav(const Audio& audio, const std::string& path);

}  // namespace kv::music
