// `korvelin --probe` on a batch of small files (sounds, videos, pictures and files that are not
// media, as a music or photo folder holds them) against ffprobe on the same files, one ffprobe
// per file as a script would run it, measured in the same run. Goal: 10,000 files in under a
// minute on the build machine.
// Usage: bench_probe [files]   (default 10000; build without sanitizers, see CMakeLists.txt)

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs the program with its output to /dev/null; returns the exit code.
int run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

  std::vector<std::string> probe = {KORVELIN_EXE, "--probe"};
  probe.insert(probe.end(), files.begin(), files.end());
  double t = now();
  const int probeExit = run(probe);
  const double ours = now() - t;
  std::printf("korvelin --probe: %.1f s (%.2f ms a file, exit %d)\n", ours, 1000 * ours / count,
              probeExit);

  t = now();
  int failed = 0;
  for (const auto& f : files)
    if (run({"ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", f}) !=
        0)
      ++failed;
  const double reference = now() - t;
  std::printf("ffprobe, one a file: %.1f s (%.2f ms a file, %d refused)\n", reference,
              1000 * reference / count, failed);
  std::printf("ratio korvelin / ffprobe: %.2f\n", ours / reference);
  std::printf("goal: 10,000 files in under 60 s -> %.1f s for 10,000\n", ours * 10000.0 / count);
  fs::remove_all(dir);
  return 0;
}
