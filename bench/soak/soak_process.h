#pragma once
// One program under a soak: started with its own environment, its memory read from /proc, and
// the clip it has open at the moment, which tells when it moves on to the next file.

#include <sys/types.h>

#include <string>
#include <vector>

namespace kv::bench {

struct MemorySample {
  double seconds = 0;  // since the soak started
  int file = 0;        // files opened so far (0 before the first)
  double rssMiB = 0;
  double pssMiB = 0;
  double anonMiB = 0;  // heap and other private memory, no mapped files
};

class SoakProcess {
 public:
  // env entries ("NAME=value") come before the inherited environment and so win over it.
  SoakProcess(std::string name, std::vector<std::string> command, std::vector<std::string> env);
  ~SoakProcess();
  SoakProcess(const SoakProcess&) = delete;
  SoakProcess& operator=(const SoakProcess&) = delete;

  bool start();
  bool running() const;
  // Asks the program to end (SIGTERM) and waits for it.
  void stop();

  // Reads the open clip; when it is another one than before, counts a file and samples.
  void checkFile(const std::string& clipDir, double now);
  void sample(double now);

  const std::string& name() const { return name_; }
  pid_t pid() const { return pid_; }
  int files() const { return files_; }
  const std::vector<MemorySample>& samples() const { return samples_; }
  // The sample taken when the file-th file was opened, or nullptr.
  const MemorySample* atFile(int file) const;
  // User + system CPU seconds so far (-1 when the process is gone).
  double cpuSeconds() const;

 private:
  std::string name_;
  std::vector<std::string> command_, env_;
  pid_t pid_ = -1;
  std::string openClip_;
  int files_ = 0;
  std::vector<MemorySample> samples_;
  std::vector<std::size_t> fileSamples_;  // index into samples_ by file number - 1
};

// RSS, PSS and anonymous memory of a process from /proc/PID/smaps_rollup (false when gone).
bool readMemory(pid_t pid, MemorySample& out);
// The file under dir that the process has open ("" when none).
std::string openFileUnder(pid_t pid, const std::string& dir);

}  // namespace kv::bench
