#include "process_tree.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace kv::bench {

namespace {

// Fields of /proc/<pid>/stat after the command name (which may hold spaces).
std::vector<std::string> statFields(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(in, line);
  const auto close = line.rfind(')');
  std::vector<std::string> fields;
  if (close == std::string::npos) return fields;
  std::istringstream rest(line.substr(close + 2));
  for (std::string f; rest >> f;) fields.push_back(f);
  return fields;  // fields[0] is the state, [1] the parent, [11] utime, [12] stime
}

}  // namespace

std::vector<pid_t> processTree(pid_t root) {
  std::multimap<pid_t, pid_t> children;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const pid_t pid = std::stoi(name);
    const auto f = statFields(pid);
    if (f.size() > 1) children.emplace(std::stoi(f[1]), pid);
  }
  std::vector<pid_t> tree{root};
  for (std::size_t i = 0; i < tree.size(); ++i) {
    auto [lo, hi] = children.equal_range(tree[i]);
    for (auto it = lo; it != hi; ++it) tree.push_back(it->second);
  }
  return tree;
}

std::map<pid_t, double> treeCpuByProcess(pid_t root) {
  const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
  std::map<pid_t, double> cpu;
  for (pid_t pid : processTree(root)) {
    const auto f = statFields(pid);
    if (f.size() > 12) cpu[pid] = (std::stod(f[11]) + std::stod(f[12])) / tick;
  }
  return cpu;
}

std::string processName(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline");
  std::string all((std::istreambuf_iterator<char>(in)), {});
  const auto type = all.find("--type=");
  // Processes forked by the engine's zygote have their command line rewritten as one string.
  if (type != std::string::npos)
    return all.substr(type + 7, all.find_first_of(std::string(" \0", 2), type) - type - 7);
  return pid == getpid() ? "player" : "other";
}

double treeCpuSeconds(pid_t root) {
  const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
  double total = 0;
  for (pid_t pid : processTree(root)) {
    const auto f = statFields(pid);
    if (f.size() > 12) total += (std::stod(f[11]) + std::stod(f[12])) / tick;
  }
  return total;
}

TreeMemory treeMemory(pid_t root) {
  TreeMemory m;
  for (pid_t pid : processTree(root)) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    for (std::string line; std::getline(in, line);) {
      std::istringstream fields(line);
      std::string key;
      double kb = 0;
      if (!(fields >> key >> kb)) continue;
      if (key == "Rss:") m.rssMiB += kb / 1024;
      if (key == "Pss:") m.pssMiB += kb / 1024;
    }
  }
  return m;
}

}  // namespace kv::bench
