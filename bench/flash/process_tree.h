#pragma once
// CPU time and memory of this process and every process it started (the web engine's
// renderer, GPU and utility processes), read from /proc.

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace kv::bench {

std::vector<pid_t> processTree(pid_t root);
// User + system seconds of the tree's live processes, in all and by process.
double treeCpuSeconds(pid_t root);
std::map<pid_t, double> treeCpuByProcess(pid_t root);
// "player" for this process, the web engine's process type ("renderer", "gpu-process",
// "zygote", "utility") for the others.
std::string processName(pid_t pid);

struct TreeMemory {
  double rssMiB = 0;
  double pssMiB = 0;  // shared pages counted once across the tree
};
TreeMemory treeMemory(pid_t root);

}  // namespace kv::bench
