// Memory of the player during long playback: the release korvelin plays a folder of three
// 10-second clips round and round on a private X server, next to the mpv command line with the
// options of our engine core looping over the same clips on a display of its own (the
// reference). RSS, PSS and anonymous memory of both are read every few seconds and whenever a
// process opens the next file.
//
//   bench_soak [MINUTES] [--interval SECONDS] [--size WxH] [--csv FILE] [--no-reference]
//              [--korvelin PATH]
//
// MINUTES defaults to 120. Goal: flat after the first ten files (the player's RSS at the end no
// more than 3 % above its RSS at file 10). Within every file the RSS swings by several MiB
// (the decoder's frames come and go), so the goal compares like with like: the samples taken as
// files open, and the highest sample of each file, over files 10 to 19 against the last ten.
// Run in a release tree without sanitizers:
//   cmake --build build/bench --target bench_soak korvelin && build/bench/stage/bench_soak
// `bench_soak --report FILE` prints the figures of a run recorded with --csv.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_tools.h"
#include "soak_process.h"
#include "xvfb_display.h"

namespace {

using kv::bench::MemorySample;
using kv::bench::SoakProcess;

struct Settings {
  double minutes = 120;
  double interval = 10;
  std::string size = "640x360";
  std::string csv;
  bool reference = true;
  std::string korvelin;
  std::string report;  // a recorded CSV to print the figures of, instead of a run
  std::string error;
};

Settings parse(const QStringList& args) {
  Settings s;
  for (int i = 0; i < args.size(); ++i) {
    const QString a = args[i];
    const bool hasValue = i + 1 < args.size();
    bool ok = true;
    if (a == "--interval" && hasValue)
      s.interval = args[++i].toDouble(&ok);
    else if (a == "--size" && hasValue)
      s.size = args[++i].toStdString();
    else if (a == "--csv" && hasValue)
      s.csv = args[++i].toStdString();
    else if (a == "--korvelin" && hasValue)
      s.korvelin = args[++i].toStdString();
    else if (a == "--report" && hasValue)
      s.report = args[++i].toStdString();
    else if (a == "--no-reference")
      s.reference = false;
    else
      s.minutes = a.toDouble(&ok);
    if (!ok || s.minutes <= 0 || s.interval <= 0) s.error = "bad argument: " + a.toStdString();
  }
  return s;
}

// Three clips of 10 s with sound, told apart by their tone.
bool makeClips(const std::string& dir, const std::string& size) {
  int tone = 330;
  for (const char* name : {"a.mp4", "b.mp4", "c.mp4"}) {
    QProcess ffmpeg;
    ffmpeg.start(
        "ffmpeg",
        {"-v",        "error",
         "-nostdin",  "-y",
         "-f",        "lavfi",
         "-i",        QString::fromStdString("testsrc2=size=" + size + ":rate=25:duration=10"),
         "-f",        "lavfi",
         "-i",        QString("sine=frequency=%1:duration=10").arg(tone),
         "-c:v",      "libx264",
         "-preset",   "veryfast",
         "-pix_fmt",  "yuv420p",
         "-c:a",      "aac",
         "-shortest", QString::fromStdString(dir + "/" + name)});
    if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0) {
      std::cerr << "ffmpeg failed: " << ffmpeg.readAllStandardError().toStdString() << "\n";
      return false;
    }
    tone += 110;
  }
  return true;
}

void printHeader(const std::vector<SoakProcess*>& all) {
  std::printf("%6s %8s", "file", "minute");
  for (const SoakProcess* p : all)
    std::printf("   %-8s %7s %7s %7s", p->name().c_str(), "RSS", "PSS", "anon");
  std::printf("   (MiB)\n");
}

void printRow(const char* label, const std::vector<const MemorySample*>& row) {
  double minute = -1;
  for (const MemorySample* s : row)
    if (s) minute = std::max(minute, s->seconds / 60);
  std::printf("%6s %8.1f", label, minute);
  for (const MemorySample* s : row) {
    if (s)
      std::printf("   %-8s %7.1f %7.1f %7.1f", "", s->rssMiB, s->pssMiB, s->anonMiB);
    else
      std::printf("   %-8s %7s %7s %7s", "", "-", "-", "-");
  }
  std::printf("\n");
}

std::vector<int> milestones(int last) {
  std::vector<int> files;
  for (int f : {1, 2, 3, 5, 10, 20, 30, 50, 75, 100, 150, 200})
    if (f <= last) files.push_back(f);
  for (int f = 300; f <= last; f += 100) files.push_back(f);
  return files;
}

double medianOf(std::vector<double> values) {
  return values.empty() ? 0 : kv::bench::median(values);
}

// RSS as files open and the highest RSS of each file, over files 10 to 19 and over the last
// ten files. Returns the larger rise in percent, or a negative number when there are too few
// files.
double likeWithLike(const std::string& name, const std::vector<MemorySample>& samples) {
  std::map<int, double> opened, highest;
  for (const MemorySample& s : samples) {
    if (s.file < 1) continue;
    opened.try_emplace(s.file, s.rssMiB);
    double& top = highest[s.file];
    top = std::max(top, s.rssMiB);
  }
  const int last = opened.empty() ? 0 : opened.rbegin()->first;
  if (last < 29) {
    std::printf("%-8s fewer than 30 files: no like-with-like figure\n", name.c_str());
    return -1;
  }
  const auto over = [](const std::map<int, double>& byFile, int from, int to) {
    std::vector<double> v;
    for (int f = from; f <= to; ++f)
      if (const auto it = byFile.find(f); it != byFile.end()) v.push_back(it->second);
    return medianOf(v);
  };
  double worst = 0;
  for (const auto& [what, byFile] :
       {std::pair{"as files open", &opened}, std::pair{"highest of each file", &highest}}) {
    const double early = over(*byFile, 10, 19), late = over(*byFile, last - 9, last);
    const double rise = 100 * (late - early) / early;
    worst = std::max(worst, rise);
    std::printf("%-8s RSS %-21s files 10-19 %6.1f MiB, files %d-%d %6.1f MiB: %+.1f %%\n",
                name.c_str(), what, early, last - 9, last, late, rise);
  }
  return worst;
}

void growth(const std::string& name, const std::vector<MemorySample>& samples) {
  const auto at10 = std::find_if(samples.begin(), samples.end(),
                                 [](const MemorySample& s) { return s.file >= 10; });
  if (at10 == samples.end()) {
    std::printf("%-8s fewer than ten files: no growth figure\n", name.c_str());
    return;
  }
  const MemorySample& end = samples.back();
  // The sample at two thirds of the run against the end: a plateau shows no growth there.
  const MemorySample* twoThirds = nullptr;
  for (const MemorySample& s : samples)
    if (s.seconds >= end.seconds * 2 / 3) {
      twoThirds = &s;
      break;
    }
  std::printf(
      "%-8s one sample at file 10 -> the last (file %d, %.1f min): RSS %+.1f MiB (%+.1f %%), "
      "PSS %+.1f MiB, anon %+.1f MiB; last third: RSS %+.1f MiB\n",
      name.c_str(), end.file, end.seconds / 60, end.rssMiB - at10->rssMiB,
      100 * (end.rssMiB - at10->rssMiB) / at10->rssMiB, end.pssMiB - at10->pssMiB,
      end.anonMiB - at10->anonMiB, twoThirds ? end.rssMiB - twoThirds->rssMiB : 0);
}

// The growth figures of every process and the goal, from the samples.
void report(const std::vector<std::pair<std::string, std::vector<MemorySample>>>& all) {
  for (const auto& [name, samples] : all) growth(name, samples);
  for (const auto& [name, samples] : all) {
    const double rise = likeWithLike(name, samples);
    if (name == "korvelin" && rise >= 0)
      std::printf("goal: flat after the first ten files (under 3 %% of RSS)  %s\n",
                  rise <= 3 ? "met" : "NOT MET");
  }
}

// A run recorded with --csv, as "process,seconds,file,rss_mib,pss_mib,anon_mib" lines.
int reportRecorded(const std::string& path) {
  std::ifstream in(path);
  if (!in) {
    std::cerr << "cannot read " << path << "\n";
    return 1;
  }
  std::vector<std::pair<std::string, std::vector<MemorySample>>> all;
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name, value;
    MemorySample s;
    std::vector<double> numbers;
    std::getline(fields, name, ',');
    while (std::getline(fields, value, ',')) numbers.push_back(std::atof(value.c_str()));
    if (name.empty() || numbers.size() != 5) continue;
    s.seconds = numbers[0];
    s.file = static_cast<int>(numbers[1]);
    s.rssMiB = numbers[2];
    s.pssMiB = numbers[3];
    s.anonMiB = numbers[4];
    auto it = std::find_if(all.begin(), all.end(), [&](const auto& p) { return p.first == name; });
    if (it == all.end()) it = all.insert(all.end(), {name, {}});
    it->second.push_back(s);
  }
  report(all);
  return 0;
}

void writeCsv(const std::string& path, const std::vector<SoakProcess*>& all) {
  std::ofstream out(path);
  out << "process,seconds,file,rss_mib,pss_mib,anon_mib\n";
  for (const SoakProcess* p : all)
    for (const MemorySample& s : p->samples())
      out << p->name() << ',' << s.seconds << ',' << s.file << ',' << s.rssMiB << ',' << s.pssMiB
          << ',' << s.anonMiB << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const Settings settings = parse(app.arguments().mid(1));
  if (!settings.error.empty()) {
    std::cerr << settings.error << "\n";
    return 2;
  }
  if (!settings.report.empty()) return reportRecorded(settings.report);
  const std::string stage = QCoreApplication::applicationDirPath().toStdString();
  const std::string korvelin = settings.korvelin.empty() ? stage + "/korvelin" : settings.korvelin;
  const std::string korvelinDir =
      QFileInfo(QString::fromStdString(korvelin)).absolutePath().toStdString();

  QTemporaryDir home;
  const std::string clips = home.path().toStdString() + "/clips";
  QDir().mkpath(QString::fromStdString(clips));
  if (!makeClips(clips, settings.size)) return 1;

  // The player as it runs after its first run, in a folder of its own with its own lock.
  const std::string appDir = home.path().toStdString() + "/app";
  QDir().mkpath(QString::fromStdString(appDir + "/datinf"));
  for (const char* file : {"0.dll", "power.dll"})
    QFile::copy(QString::fromStdString(korvelinDir + "/" + file),
                QString::fromStdString(appDir + "/" + file));
  const std::string run = home.path().toStdString() + "/run";
  QDir().mkpath(QString::fromStdString(run));
  QFile::setPermissions(QString::fromStdString(run),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

  // A display each, so that neither window covers the other's picture.
  kv::test::XvfbDisplay playerDisplay;
  const std::string playerX = playerDisplay.name();
  kv::test::XvfbDisplay referenceDisplay;
  if (!playerDisplay.ok() || !referenceDisplay.ok()) {
    std::cerr << playerDisplay.error() << referenceDisplay.error() << "\n";
    return 1;
  }
  const int seconds = static_cast<int>(settings.minutes * 60);
  // --after ends the player by itself should the soak be killed before it can stop it.
  SoakProcess player("korvelin",
                     {korvelin, "--after", std::to_string(seconds + 60), clips + "/a.mp4"},
                     {"DISPLAY=" + playerX, "QT_QPA_PLATFORM=xcb", "KORVELIN_APP_DIR=" + appDir,
                      "XDG_RUNTIME_DIR=" + run, "HOME=" + home.path().toStdString()});
  // The options our engine core sets (src/media/player/mpv_core.cpp), drawn by the same
  // OpenGL renderer in a window of the player's video size.
  SoakProcess reference(
      "mpv",
      {"/usr/bin/mpv", "--no-config", "--really-quiet", "--vo=gpu", "--gpu-sw=yes",
       "--geometry=630x451+0+0", "--audio-fallback-to-null=yes", "--osc=no", "--ytdl=no",
       "--load-scripts=no", "--load-stats-overlay=no", "--load-osd-console=no",
       "--load-auto-profiles=no", "--input-default-bindings=no", "--loop-playlist=inf",
       clips + "/a.mp4", clips + "/b.mp4", clips + "/c.mp4"},
      {"DISPLAY=" + referenceDisplay.name()});
  std::vector<SoakProcess*> all{&player};
  if (settings.reference) all.push_back(&reference);
  for (SoakProcess* p : all)
    if (!p->start()) {
      std::cerr << p->name() << " could not be started\n";
      return 1;
    }

  std::printf("soak: %g min, 3 clips of 10 s at %s looping, samples every %.0f s\n",
              settings.minutes, settings.size.c_str(), settings.interval);
  std::fflush(stdout);
  const double start = kv::bench::nowSeconds();
  double nextSample = 0, nextReport = 300;
  for (;;) {
    const double now = kv::bench::nowSeconds() - start;
    if (now >= seconds) break;
    bool alive = true;
    for (SoakProcess* p : all) {
      if (!p->running()) {
        std::cerr << p->name() << " ended early\n";
        alive = false;
        continue;
      }
      p->checkFile(clips, now);
      if (now >= nextSample) p->sample(now);
    }
    if (!alive) break;
    if (now >= nextSample) nextSample += settings.interval;
    if (now >= nextReport) {
      // A line every five minutes, so that a run cut short still shows its curve.
      std::printf("[%5.1f min]", now / 60);
      for (SoakProcess* p : all)
        if (!p->samples().empty())
          std::printf("  %s file %d RSS %.1f PSS %.1f anon %.1f MiB", p->name().c_str(), p->files(),
                      p->samples().back().rssMiB, p->samples().back().pssMiB,
                      p->samples().back().anonMiB);
      std::printf("\n");
      std::fflush(stdout);
      if (!settings.csv.empty()) writeCsv(settings.csv, all);
      nextReport += 300;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
  std::vector<double> cpu;
  for (SoakProcess* p : all) {
    p->sample(kv::bench::nowSeconds() - start);
    cpu.push_back(p->cpuSeconds());
  }
  if (!settings.csv.empty()) writeCsv(settings.csv, all);

  std::printf("\nmemory when each process opened its Nth file, and at the end\n");
  printHeader(all);
  int most = 0;
  for (const SoakProcess* p : all) most = std::max(most, p->files());
  for (int f : milestones(most)) {
    std::vector<const MemorySample*> row;
    for (const SoakProcess* p : all) row.push_back(p->atFile(f));
    printRow(std::to_string(f).c_str(), row);
  }
  std::vector<const MemorySample*> last;
  for (const SoakProcess* p : all)
    last.push_back(p->samples().empty() ? nullptr : &p->samples().back());
  printRow("end", last);
  std::printf("\n");
  std::vector<std::pair<std::string, std::vector<MemorySample>>> recorded;
  for (const SoakProcess* p : all) recorded.emplace_back(p->name(), p->samples());
  report(recorded);
  for (std::size_t i = 0; i < all.size(); ++i)
    std::printf("%-8s CPU time %.1f s\n", all[i]->name().c_str(), cpu[i]);
  for (SoakProcess* p : all) p->stop();
  return 0;
}
