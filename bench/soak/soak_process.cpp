#include "soak_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

extern char** environ;

namespace kv::bench {

SoakProcess::SoakProcess(std::string name, std::vector<std::string> command,
                         std::vector<std::string> env)
    : name_(std::move(name)), command_(std::move(command)), env_(std::move(env)) {}

SoakProcess::~SoakProcess() {
  stop();
}

bool SoakProcess::start() {
  std::vector<std::string> all = env_;
  for (char** e = environ; *e; ++e) all.emplace_back(*e);
  std::vector<char*> envp, argv;
  for (auto& e : all) envp.push_back(e.data());
  envp.push_back(nullptr);
  for (auto& a : command_) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ == 0) {
    // Ends with the soak, however the soak ends; its output would only drown the report.
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) _exit(127);
    const int devnull = open("/dev/null", O_RDWR);
    if (devnull < 0 || dup2(devnull, 0) < 0 || dup2(devnull, 1) < 0 || dup2(devnull, 2) < 0)
      _exit(127);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  return pid_ > 0;
}

bool SoakProcess::running() const {
  if (pid_ <= 0) return false;
  std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  const auto close = text.rfind(')');
  // A zombie has ended already; it only waits to be reaped.
  return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

void SoakProcess::stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

void SoakProcess::checkFile(const std::string& clipDir, double now) {
  const std::string clip = openFileUnder(pid_, clipDir);
  // Between two files nothing is open; the same clip seen again is the same file.
  if (clip.empty() || clip == openClip_) return;
  openClip_ = clip;
  ++files_;
  sample(now);
  fileSamples_.push_back(samples_.size() - 1);
}

void SoakProcess::sample(double now) {
  MemorySample s;
  if (!readMemory(pid_, s)) return;
  s.seconds = now;
  s.file = files_;
  samples_.push_back(s);
}

const MemorySample* SoakProcess::atFile(int file) const {
  if (file < 1 || file > static_cast<int>(fileSamples_.size())) return nullptr;
  return &samples_[fileSamples_[file - 1]];
}

double SoakProcess::cpuSeconds() const {
  std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  const auto close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream rest(text.substr(close + 2));
  std::string field;
  double ticks = 0;
  // Fields 14 and 15 of the line (counted from 1) are user and system time.
  for (int i = 3; i <= 15 && rest >> field; ++i)
    if (i >= 14) ticks += std::stod(field);
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool readMemory(pid_t pid, MemorySample& out) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
  bool any = false;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string key;
    double kB = 0;
    if (!(fields >> key >> kB)) continue;
    if (key == "Rss:") out.rssMiB = kB / 1024;
    if (key == "Pss:") out.pssMiB = kB / 1024;
    if (key == "Anonymous:") out.anonMiB = kB / 1024;
    any = true;
  }
  return any;
}

std::string openFileUnder(pid_t pid, const std::string& dir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const std::string prefix = dir + "/";
  // The process may close descriptors, or end, while they are read: each error ends the look.
  for (fs::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", ec);
       !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string target = fs::read_symlink(it->path(), ec).string();
    if (!ec && target.compare(0, prefix.size(), prefix) == 0) return target.substr(prefix.size());
    ec.clear();
  }
  return {};
}

}  // namespace kv::bench
