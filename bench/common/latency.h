#pragma once
// Latency figures of the micro-benchmarks: percentiles of timed calls in microseconds, printed
// as a ratio to a reference measured in the same run.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace kv::bench {

struct Stats {
  double p50 = 0, p99 = 0, mean = 0;  // microseconds
};

inline Stats stats(std::vector<double> us) {
  Stats s;
  if (us.empty()) return s;
  std::sort(us.begin(), us.end());
  s.p50 = us[us.size() / 2];
  s.p99 = us[std::min(us.size() - 1, us.size() * 99 / 100)];
  double sum = 0;
  for (double v : us) sum += v;
  s.mean = sum / static_cast<double>(us.size());
  return s;
}

template <class F>
double timedUs(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
}

// One row: the figures of `s` and its p50 as a multiple of the reference's.
inline void printRow(const char* what, const Stats& s, const Stats& reference,
                     const char* referenceName = "empty") {
  std::printf("  %-40s p50 %9.2f us  p99 %9.2f us  mean %9.2f us  = %8.1fx %s (p50)\n", what, s.p50,
              s.p99, s.mean, reference.p50 > 0 ? s.p50 / reference.p50 : 0, referenceName);
}

}  // namespace kv::bench
