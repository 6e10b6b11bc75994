#pragma once
// How the C library keeps large blocks, for the whole process.

namespace kv {

// Decoded pictures are blocks of hundreds of kilobytes to megabytes, made by decoder threads
// that come and go with every file. Left to itself, glibc raises its mmap threshold each time
// such a block is freed and serves the next ones from its per-thread arenas; an arena gives
// memory back only from its top, so every arena a decoder once used keeps that decoder's peak
// and the player's memory climbs file after file. With the threshold fixed, blocks of this size
// and above keep mappings of their own, returned when freed. The same holds for the listing of a
// big folder, sorted on a worker thread while the window is made. Done once, before the first
// window or core is made (a threshold set in the environment is left alone).
inline constexpr int kLargeBlockBytes = 128 * 1024;
void keepLargeBlocksInOwnMappings();

}  // namespace kv
