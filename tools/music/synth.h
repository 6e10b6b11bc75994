#pragma once
// Renders a score to stereo samples: a music-box melody, a harp-like broken chord, a soft
// bass and a quiet pad, with a small room reverb. Notes that ring past the loop's end wrap to
// its start and the reverb runs until it repeats itself, so the result loops without a seam.
// Pure arithmetic: the same score gives the same samples on every run.

#include <vector>

#include "score.h"

namespace kv::music {

struct Audio {
  int sampleRate = 0;
  std::vector<float> left, right;  // -1..1
};

Audio render(const Score& score, int sampleRate);

// Frequency in hertz of a MIDI note number.
double frequencyOf(double pitch);

}  // namespace kv::music
