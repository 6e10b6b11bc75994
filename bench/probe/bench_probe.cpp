// `korvelin --probe` on batches of small files (sounds, videos, pictures and files that are not
// media, as a music or photo folder holds them): the time a file at 1,000 files and at N files
// (10,000 by default), which must stay flat, against ffprobe run once a file on a sample of the
// same files, as a script would, measured in the same run. Goal: 10,000 files in under 30 s.
// Usage: bench_probe [files]   (build without sanitizers, see CMakeLists.txt)

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

double now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Run {
  int exit = -1;
  double wall = 0;  // s
  double cpu = 0;   // s, user and system
  long peakRssKb = 0;
};

double seconds(const timeval& t) {
  return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

// Runs the program with its output to /dev/null.
Run run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Run result;
  const double start = now();
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return result;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  result.wall = now() - start;
  result.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  result.peakRssKb = usage.ru_maxrss;
  result.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// One batch of the probe over the first count files.
Run probeBatch(const std::vector<std::string>& files, int count) {
  std::vector<std::string> args = {KORVELIN_EXE, "--probe"};
  args.insert(args.end(), files.begin(), files.begin() + count);
  const Run r = run(args);
  std::printf(
      "korvelin --probe, %5d files: %6.1f s (%.2f ms a file, CPU %.2f ms a file, "
      "peak RSS %ld MiB, exit %d)\n",
      count, r.wall, 1000 * r.wall / count, 1000 * r.cpu / count, r.peakRssKb / 1024, r.exit);
  return r;
}

void ffmpeg(const std::string& args) {
  if (std::system(("ffmpeg -loglevel error -y " + args).c_str()) != 0) {
    std::fprintf(stderr, "ffmpeg failed: %s\n", args.c_str());
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  const fs::path dir =
      fs::temp_directory_path() / ("korvelin-bench-probe-" + std::to_string(getpid()));
  fs::create_directories(dir);
  ffmpeg("-f lavfi -i sine=frequency=440 -t 2 '" + (dir / "s.wav").string() + "'");
  ffmpeg("-f lavfi -i sine=frequency=440 -t 2 -b:a 64k '" + (dir / "s.mp3").string() + "'");
  ffmpeg("-f lavfi -i testsrc=size=64x48:rate=10 -t 1 -pix_fmt yuv420p '" +
         (dir / "v.mp4").string() + "'");
  ffmpeg("-f lavfi -i smptebars=size=64x48 -frames:v 1 '" + (dir / "p.png").string() + "'");
  std::ofstream(dir / "t.avi") << "not a video\n";
  const std::vector<std::string> kinds = {"s.wav", "s.mp3", "v.mp4", "p.png", "t.avi"};
  std::vector<std::string> files;
  for (int i = 0; i < count; ++i) {
    const std::string& kind = kinds[static_cast<std::size_t>(i) % kinds.size()];
    const fs::path f = dir / (std::to_string(i) + "-" + kind);
    fs::copy_file(dir / kind, f);
    files.push_back(f.string());
  }
  std::printf("%d files (%zu kinds)\n", count, kinds.size());

  const int small = std::min(count, 1000);
  const Run few = probeBatch(files, small);
  const Run all = probeBatch(files, count);

  // ffprobe takes about 0.1 s a file: a sample of the same files is enough for its rate.
  const int sample = std::min(count, 200);
  double reference = 0;
  int refused = 0;
  for (int i = 0; i < sample; ++i) {
    const Run r = run({"ffprobe", "-v", "error", "-show_entries", "format=duration", "-of",
                       "csv=p=0", files[static_cast<std::size_t>(i)]});
    reference += r.wall;
    if (r.exit != 0) ++refused;
  }
  const double perFile = all.wall / count;
  std::printf("ffprobe, one a file, %d files: %.2f ms a file (%d refused)\n", sample,
              1000 * reference / sample, refused);
  std::printf("ratio korvelin / ffprobe a file: %.3f\n", perFile / (reference / sample));
  std::printf("time a file at %d / at %d files: %.2f (goal: flat, at most 1.15)\n", count, small,
              perFile / (few.wall / small));
  std::printf("goal: 10,000 files in under 30 s -> %.1f s for 10,000\n", perFile * 10000.0);
  fs::remove_all(dir);
  return 0;
}
