#pragma once
// Helpers of the player benchmarks: generated media, process CPU time, and waiting on the Qt
// event loop.

#include <functional>
#include <string>
#include <vector>

namespace kv::bench {

// Generates a 1280x720 clip of the given length into dir (once), with or without sound.
std::string makeClip720p(const std::string& dir, int seconds, bool sound = true);
// The same at another size ("1920x1080").
std::string makeClip(const std::string& dir, int seconds, const std::string& size, bool sound);

// User + system time of this process so far (all threads, the engine's included).
double processCpuSeconds();
double nowSeconds();

// Runs the Qt event loop until done() or the timeout; returns done().
bool pumpUntil(const std::function<bool()>& done, double timeoutSeconds);

double median(std::vector<double> values);

}  // namespace kv::bench
