// The desktop program against references measured in the same run, on a private X server:
//   start-up   korvelin until its first pixels reach the screen (the X server's first damage),
//              the skin staged as scripts/run stages it, against a minimal Qt Widgets program
//              showing one frameless window (goal: under 1.5x); with no file and with a clip.
//              Also until its main window's first paintEvent, and the CPU time of that run.
//   memory     resident and proportional set size of the idle player against that window
//              (goal: RSS under 2.5x)
//   idle       CPU time of the player over 10 s with nothing playing (goal: under 0.1 s)
//   playback   CPU time of the player showing a 720p and a 1080p clip over 10 s, on the output it
//              chooses (goal: under 1.05x the cheaper of mpv --vo=x11 and mpv --vo=gpu
//              --gpu-sw=yes on the same file) and forced onto OpenGL (goal: under 0.99x the
//              latter)
//   folder     a second start, which restores the file list's folder from fileinf.ini: first
//              pixels with a folder of three files against the window (goal: under 1.5x), with
//              50,000 entries against 100 (goal: under 1.25x, peak RSS until the first paint
//              within 2 MiB); filepath=false and 1,000 and 10,000 entries shown alongside
//              (not part of the default run)
// Run in a release tree without sanitizers:
//   cmake --build build/release --target bench_desktop && build/release/stage/bench_desktop

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_tools.h"
#include "first_damage.h"
#include "xvfb_display.h"

extern char** environ;

namespace {

using kv::bench::median;
using kv::bench::nowSeconds;

struct Child {
  pid_t pid = -1;
  int out = -1;  // the child's standard output
};

Child spawn(const std::vector<std::string>& command, const std::vector<std::string>& env) {
  std::vector<std::string> all = env;
  for (char** e = environ; *e; ++e) all.emplace_back(*e);
  std::vector<char*> envp, argv;
  for (auto& e : all) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = command;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  Child child;
  if (posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
    child.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  child.out = pipeFds[0];
  return child;
}

int finish(Child& child, bool kill = false, double* cpu = nullptr, double* peakRssMiB = nullptr) {
  if (kill) ::kill(child.pid, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(child.pid, &status, 0, &usage);
  if (cpu)
    *cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
  if (peakRssMiB) *peakRssMiB = usage.ru_maxrss / 1024.0;
  close(child.out);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct StartUp {
  double wall = -1;  // seconds from start until the first paint
  double cpu = -1;   // CPU seconds of the whole run (it ends right after that paint)
  double peakRssMiB = -1;
};

// Runs a program that prints "painted" at its first paint and then ends.
StartUp startUp(const std::vector<std::string>& command, const std::vector<std::string>& env) {
  const double start = nowSeconds();
  Child child = spawn(command, env);
  if (child.pid < 0) return {};
  std::string line;
  char c;
  while (read(child.out, &c, 1) == 1 && c != '\n') line += c;
  StartUp result;
  const double took = nowSeconds() - start;
  finish(child, line != "painted", &result.cpu, &result.peakRssMiB);
  if (line == "painted") result.wall = took;
  return result;
}

// Seconds from the start of a program until the screen shows its first pixels (-1: never).
double firstPixels(kv::bench::FirstDamage& damage, const std::vector<std::string>& command,
                   const std::vector<std::string>& env) {
  damage.reset();
  const double start = nowSeconds();
  Child child = spawn(command, env);
  if (child.pid < 0) return -1;
  const double at = damage.next(30);
  finish(child, true);
  return at < 0 ? -1 : at - start;
}

// Resident and proportional set size in MiB of a program shown for `seconds`.
std::pair<double, double> memoryAfter(const std::vector<std::string>& command,
                                      const std::vector<std::string>& env, double seconds) {
  Child child = spawn(command, env);
  if (child.pid < 0) return {-1, -1};
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  std::ifstream rollup("/proc/" + std::to_string(child.pid) + "/smaps_rollup");
  double rss = -1, pss = -1;
  std::string key;
  long kb = 0;
  std::string unit;
  std::string line;
  while (std::getline(rollup, line)) {
    std::istringstream fields(line);
    if (!(fields >> key >> kb)) continue;
    if (key == "Rss:") rss = kb / 1024.0;
    if (key == "Pss:") pss = kb / 1024.0;
  }
  finish(child, true);
  return {rss, pss};
}

// User + system CPU seconds of a running process so far.
double cpuOf(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  const auto close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream rest(text.substr(close + 2));
  std::string field;
  long utime = 0, stime = 0;
  // A process that has ended (a zombie) no longer counts: the measurement is void.
  if (!(rest >> field) || field == "Z" || field == "X") return -1;
  for (int i = 4; i <= 15 && rest >> field; ++i) {
    if (i == 14) utime = std::stol(field);
    if (i == 15) stime = std::stol(field);
  }
  return double(utime + stime) / sysconf(_SC_CLK_TCK);
}

// CPU seconds the child spends between warmUp and warmUp + span seconds after its start.
double cpuDuring(const std::vector<std::string>& command, const std::vector<std::string>& env,
                 double warmUp, double span) {
  Child child = spawn(command, env);
  if (child.pid < 0) return -1;
  std::this_thread::sleep_for(std::chrono::duration<double>(warmUp));
  const double before = cpuOf(child.pid);
  std::this_thread::sleep_for(std::chrono::duration<double>(span));
  const double after = cpuOf(child.pid);
  finish(child, true);
  return before < 0 || after < 0 ? -1 : after - before;
}

void report(const char* what, double value, double reference, double goal) {
  std::printf("%-34s %8.3f s   reference %8.3f s   ratio %5.2fx   goal < %.2fx  %s\n", what, value,
              reference, reference > 0 ? value / reference : 0, goal,
              reference > 0 && value / reference < goal ? "met" : "NOT MET");
}

// A second start restores the folder its file list showed last: first pixels with folders of
// different sizes, interleaved with the bare window.
void restoredFolders(kv::bench::FirstDamage& damage, const std::string& korvelin,
                     const std::string& reference, const std::string& appDir,
                     const std::string& home, const std::vector<std::string>& env) {
  struct Case {
    const char* what;
    int entries;  // -1: filepath=false
    std::string folder;
    std::vector<double> pixels, rss;
  };
  std::vector<Case> cases = {
      {"filepath=false", -1, "false", {}, {}}, {"a folder of 3 files", 3, "", {}, {}},
      {"100 entries", 100, "", {}, {}},        {"1,000 entries", 1000, "", {}, {}},
      {"10,000 entries", 10000, "", {}, {}},   {"50,000 entries", 50000, "", {}, {}}};
  const char* kinds[] = {".mp4", ".mp3", ".jpg", ".swf", ".txt"};
  for (Case& c : cases) {
    if (c.entries < 0) continue;
    c.folder = home + "/folder-" + std::to_string(c.entries);
    QDir().mkpath(QString::fromStdString(c.folder));
    // A folder as a person's holds: mostly files, a sub-folder in every hundred entries.
    for (int i = 0; i < c.entries; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "/clip %05d%s", i, kinds[i % 5]);
      if (i % 100 == 99)
        QDir().mkpath(QString::fromStdString(c.folder + "/folder " + std::to_string(i)));
      else
        std::ofstream(c.folder + name);
    }
  }
  const auto restore = [&](const Case& c) {
    std::ofstream(appDir + "/fileinf.ini") << "[user]\nfilepath=" << c.folder << "\n";
  };
  std::vector<double> refPixels, refPaint;
  std::vector<std::string> paintEnv = env;
  paintEnv.push_back("KORVELIN_QUIT_AFTER_FIRST_PAINT=1");
  for (int i = 0; i < 11; ++i) {
    refPixels.push_back(firstPixels(damage, {reference, "--stay"}, {}));
    for (Case& c : cases) {
      restore(c);
      c.pixels.push_back(firstPixels(damage, {korvelin, "--after", "30"}, env));
      restore(c);
      c.rss.push_back(startUp({korvelin}, paintEnv).peakRssMiB);
    }
  }
  const double r = median(refPixels);
  for (const Case& c : cases)
    std::printf("%-34s %8.3f s   window %8.3f s   ratio %5.2fx   peak RSS %6.1f MiB\n", c.what,
                median(c.pixels), r, median(c.pixels) / r, median(c.rss));
  report("first pixels, a folder of 3 files", median(cases[1].pixels), r, 1.5);
  report("first pixels, 50,000 against 100", median(cases[5].pixels), median(cases[2].pixels),
         1.25);
  const double grown = median(cases[5].rss) - median(cases[2].rss);
  std::printf("%-34s %8.1f MiB                                       goal < 2 MiB  %s\n",
              "peak RSS, 50,000 against 100", grown, grown < 2 ? "met" : "NOT MET");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const std::string stage = QCoreApplication::applicationDirPath().toStdString();
  const std::string korvelin = stage + "/korvelin", reference = stage + "/bench_min_window";
  kv::test::XvfbDisplay display;
  if (!display.ok()) {
    std::cerr << display.error() << "\n";
    return 1;
  }
  // A player that has run before, in a folder of its own, with its own instance lock.
  QTemporaryDir home;
  const std::string appDir = home.path().toStdString() + "/app";
  QDir().mkpath(QString::fromStdString(appDir + "/datinf"));
  for (const char* file : {"0.dll", "power.dll"})
    QFile::copy(QString::fromStdString(stage + "/" + file),
                QString::fromStdString(appDir + "/" + file));
  // The skin as scripts/run stages it: its pictures are decoded before the first paint.
  for (const char* folder : {"skins", "icons"})
    std::system(("cp -r '" + stage + "/" + folder + "' '" + appDir + "/'").c_str());
  QDir().mkpath(home.path() + "/run");
  QFile::setPermissions(home.path() + "/run",
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const std::vector<std::string> env{"KORVELIN_APP_DIR=" + appDir,
                                     "XDG_RUNTIME_DIR=" + home.path().toStdString() + "/run",
                                     "HOME=" + home.path().toStdString()};
  std::vector<std::string> paintEnv = env;
  paintEnv.push_back("KORVELIN_QUIT_AFTER_FIRST_PAINT=1");
  const std::string clip = kv::bench::makeClip720p(home.path().toStdString(), 12);

  // Parts to run: startup, memory, idle, playback (all by default).
  const QStringList parts = app.arguments().mid(1);
  const auto want = [&parts](const char* part) { return parts.isEmpty() || parts.contains(part); };
  if (parts.contains("folder")) {
    kv::bench::FirstDamage damage(display.name());
    if (!damage.ok()) {
      std::cerr << "the X server reports no damage: first pixels are not measured\n";
      return 1;
    }
    restoredFolders(damage, korvelin, reference, appDir, home.path().toStdString(), env);
    if (parts.size() == 1) return 0;
  }

  double load[3] = {0, 0, 0};
  getloadavg(load, 3);
  std::cout << "display " << display.name() << "; load " << load[0]
            << "; start-up: 15 interleaved runs each, medians\n";
  kv::bench::FirstDamage damage(display.name());
  if (want("startup") && !damage.ok())
    std::cerr << "the X server reports no damage: first pixels are not measured\n";
  std::vector<double> refPixels, emptyPixels, clipPixels;
  for (int i = 0; want("startup") && damage.ok() && i < 15; ++i) {
    refPixels.push_back(firstPixels(damage, {reference, "--stay"}, {}));
    emptyPixels.push_back(firstPixels(damage, {korvelin, "--after", "30"}, env));
    clipPixels.push_back(firstPixels(damage, {korvelin, "--after", "30", clip}, env));
  }
  std::vector<double> ref, empty, withClip, refCpu, emptyCpu, clipCpu;
  for (int i = 0; want("startup") && i < 15; ++i) {
    const StartUp a = startUp({reference}, {});
    const StartUp b = startUp({korvelin}, paintEnv);
    const StartUp c = startUp({korvelin, clip}, paintEnv);
    ref.push_back(a.wall);
    empty.push_back(b.wall);
    withClip.push_back(c.wall);
    refCpu.push_back(a.cpu);
    emptyCpu.push_back(b.cpu);
    clipCpu.push_back(c.cpu);
  }
  if (want("startup")) {
    if (!refPixels.empty()) {
      const double r = median(refPixels);
      report("first pixels on screen, no file", median(emptyPixels), r, 1.5);
      report("first pixels on screen, a clip", median(clipPixels), r, 1.5);
    }
    const double r = median(ref), rc = median(refCpu);
    report("  first paintEvent, no file", median(empty), r, 1.5);
    report("  first paintEvent, a clip", median(withClip), r, 1.5);
    report("  CPU time of that run, no file", median(emptyCpu), rc, 1.5);
    report("  CPU time of that run, a clip", median(clipCpu), rc, 1.5);
  }
  if (want("memory")) {
    std::vector<double> refRss, refPss, rss, pss;
    for (int i = 0; i < 5; ++i) {
      const auto [r1, p1] = memoryAfter({reference, "--stay"}, {}, 4);
      const auto [r2, p2] = memoryAfter({korvelin, "--after", "30"}, env, 4);
      refRss.push_back(r1);
      refPss.push_back(p1);
      rss.push_back(r2);
      pss.push_back(p2);
    }
    std::printf("%-34s %8.1f MiB reference %8.1f MiB ratio %5.2fx   goal < 2.5x  %s\n",
                "idle RSS, nothing played", median(rss), median(refRss),
                median(rss) / median(refRss),
                median(rss) / median(refRss) < 2.5 ? "met" : "NOT MET");
    std::printf("%-34s %8.1f MiB reference %8.1f MiB ratio %5.2fx\n", "  idle PSS", median(pss),
                median(refPss), median(pss) / median(refPss));
  }
  if (want("idle")) {
    const double idle = cpuDuring({korvelin, "--after", "20"}, env, 4, 10);
    std::printf("%-34s %8.3f s   over 10 s                                goal < 0.100 s  %s\n",
                "idle CPU, nothing playing", idle, idle >= 0 && idle < 0.1 ? "met" : "NOT MET");
  }
  if (!want("playback")) return 0;

  // Playback: the player on the output it chooses here and forced onto OpenGL, against the
  // engine's command line on its X11 output and on OpenGL drawn in software, three interleaved
  // rounds of 10 s after 3 s, medians.
  for (const char* size : {"1280x720", "1920x1080"}) {
    const std::string film = kv::bench::makeClip(home.path().toStdString(), 16, size, true);
    std::vector<double> chosen, openGl, mpvX11, mpvGpu;
    const auto mpv = [&](const char* vo, bool software) {
      std::vector<std::string> command{"/usr/bin/mpv",
                                       "--no-config",
                                       "--really-quiet",
                                       std::string("--vo=") + vo,
                                       "--geometry=630x451",
                                       "--audio-fallback-to-null=yes",
                                       film};
      if (software) command.insert(command.begin() + 4, "--gpu-sw=yes");
      return cpuDuring(command, {}, 3, 10);
    };
    std::vector<std::string> glEnv = env;
    glEnv.push_back("KORVELIN_VIDEO_OUTPUT=opengl");
    for (int round = 0; round < 3; ++round) {
      chosen.push_back(cpuDuring({korvelin, "--after", "15", film}, env, 3, 10));
      openGl.push_back(cpuDuring({korvelin, "--after", "15", film}, glEnv, 3, 10));
      mpvX11.push_back(mpv("x11", false));
      mpvGpu.push_back(mpv("gpu", true));
    }
    const double x11 = median(mpvX11), gpu = median(mpvGpu);
    std::printf(
        "playback CPU per 10 s, %s: mpv --vo=x11 %.3f s, mpv --vo=gpu --gpu-sw=yes %.3f s\n", size,
        x11, gpu);
    report("  the player (its own choice)", median(chosen), std::min(x11, gpu), 1.05);
    report("  the player forced onto OpenGL", median(openGl), gpu, 0.99);
  }
  return 0;
}
