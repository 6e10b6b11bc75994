#pragma once
// A small room: parallel damped comb filters and two all-pass filters per channel (the
// classic Schroeder design), added to the dry signal. The loop is run through it three times
// and the last pass kept, so the tail of the loop's end sounds at its start.

#include <vector>

namespace kv::music {

void addRoomReverb(std::vector<double>& left, std::vector<double>& right, int sampleRate);

}  // namespace kv::music
