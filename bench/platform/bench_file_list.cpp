// Filling the file list from a folder of 10,000 files and switching its pattern, against a
// plain readdir of the same folder measured in the same run. Times are CPU time of this process
// (user and system): wall time also counts whatever else the machine runs, which under load
// made the ratio swing by a factor of two.
//
//   bench_file_list [files=10000] [rounds=20]

#include <dirent.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/kinds.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/host/host_services.h"
#include "platform/wildcard.h"

namespace {

// CPU time of the process in milliseconds.
double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::size_t plainReaddir(const std::string& folder) {
  std::size_t n = 0;
  DIR* d = opendir(folder.c_str());
  if (!d) return 0;
  while (const dirent* e = readdir(d))
    if (e->d_name[0] != '.') ++n;
  closedir(d);
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;

  std::string tmpl = (std::filesystem::temp_directory_path() / "korvelin-bench-XXXXXX").string();
  const std::string folder = mkdtemp(tmpl.data());
  const char* extensions[] = {"avi", "mp3", "jpg", "swf", "flv", "mkv", "txt", "DAT"};
  for (int i = 0; i < files; ++i)
    std::ofstream(folder + "/clip " + std::to_string(i) + "." + extensions[i % 8]);

  kv::host::HostFiles host;
  kv::host::HostScreen screen;
  kv::forms::Form form("Form1", &screen);
  kv::forms::FileListBox list("File1", &form, host);

  std::vector<double> reference, fill, patternSwitch, readOnly, sortOnly;
  std::size_t sink = 0;
  std::size_t listed = 0;
  for (int r = 0; r < rounds; ++r) {
    const double t0 = cpuMs();
    sink += plainReaddir(folder);
    const double t1 = cpuMs();
    // The list reads its folder when its entries are first asked for: ask, as the view does.
    list.setPattern(kv::media::MediaPattern);
    list.setPath(folder);
    listed += static_cast<std::size_t>(list.ListCount());
    const double t2 = cpuMs();
    list.setPattern(kv::media::PicturePattern);
    listed += static_cast<std::size_t>(list.ListCount());
    const double t3 = cpuMs();
    list.setPath("/");  // so the next round fills again
    // The parts of the fill: the read with each entry's type, and the sort of the names.
    const double t4 = cpuMs();
    auto entries = host.listFolder(folder);
    const double t5 = cpuMs();
    std::vector<std::string> names;
    if (entries)
      for (auto& e : *entries) names.push_back(std::move(e.name));
    const double t6 = cpuMs();
    kv::sortNatural(names);
    const double t7 = cpuMs();
    readOnly.push_back(t5 - t4);
    sortOnly.push_back(t7 - t6);
    reference.push_back(t1 - t0);
    fill.push_back(t2 - t1);
    patternSwitch.push_back(t3 - t2);
  }
  std::filesystem::remove_all(folder);

  const double ref = median(reference);
  std::printf(
      "folder of %d files, CPU time, median of %d rounds (entries seen: %zu, listed: %zu)\n", files,
      rounds, sink / static_cast<std::size_t>(rounds), listed / static_cast<std::size_t>(rounds));
  std::printf("plain readdir:           %8.3f ms\n", ref);
  std::printf("fill list (media):       %8.3f ms  = %.2fx readdir\n", median(fill),
              median(fill) / ref);
  std::printf("switch pattern (images): %8.3f ms  = %.2fx readdir\n", median(patternSwitch),
              median(patternSwitch) / ref);
  std::printf("  of which: read %.3f ms, sort of all names %.3f ms\n", median(readOnly),
              median(sortOnly));
  return 0;
}
