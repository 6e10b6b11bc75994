#include "media/player/subtitle_limit.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::media {

namespace {

// "H:MM:SS.cc" (ASS) or "HH:MM:SS,mmm" / "HH:MM:SS.mmm" / "MM:SS.mmm" (SRT, WebVTT), in
// milliseconds; -1 when it is not a time.
long long parseTime(std::string_view t) {
  long long parts[3] = {0, 0, 0};
  int count = 0;
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  for (; count < 3; ++count) {
    long long value = 0;
    const std::size_t start = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9' && i - start < 9)
      value = value * 10 + (t[i++] - '0');
    if (i == start) return -1;
    parts[count] = value;
    if (i >= t.size() || t[i] != ':') {
      ++count;
      break;
    }
    ++i;
  }
  if (count < 2) return -1;
  long long ms = 0;
  if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
    ++i;
    int digits = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9' && digits < 3; ++i, ++digits)
      ms = ms * 10 + (t[i] - '0');
    for (; digits < 3; ++digits) ms *= 10;
  }
  const long long seconds =
      count == 3 ? (parts[0] * 60 + parts[1]) * 60 + parts[2] : parts[0] * 60 + parts[1];
  return seconds * 1000 + ms;
}

// The n-th comma-separated field of an ASS event line (after "Dialogue:").
std::string_view field(std::string_view line, int n) {
  for (int k = 0; k < n; ++k) {
    const auto comma = line.find(',');
    if (comma == std::string_view::npos) return {};
    line.remove_prefix(comma + 1);
  }
  return line.substr(0, line.find(','));
}

}  // namespace

SubtitleWeight weighSubtitleText(const std::string& text) {
  SubtitleWeight weight;
  weight.bytes = text.size();
  std::vector<std::pair<long long, int>> changes;  // (time, +1 shown / -1 gone)
  std::string_view rest(text);
  while (!rest.empty()) {
    const auto end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    long long from = -1, to = -1;
    if (line.substr(0, 9) == "Dialogue:") {
      line.remove_prefix(9);
      from = parseTime(field(line, 1));
      to = parseTime(field(line, 2));
    } else if (const auto arrow = line.find("-->"); arrow != std::string_view::npos) {
      from = parseTime(line.substr(0, arrow));
      to = parseTime(line.substr(arrow + 3));
    }
    if (from < 0 || to <= from) continue;
    ++weight.events;
    changes.emplace_back(from, 1);
    changes.emplace_back(to, -1);
  }
  // An event ending when another begins is not on screen with it: ends sort first.
  std::sort(changes.begin(), changes.end());
  int shown = 0;
  for (const auto& [time, change] : changes) {
    shown += change;
    weight.mostAtOnce = std::max(weight.mostAtOnce, shown);
  }
  return weight;
}

bool subtitleFileTooHeavy(const std::string& path) {
  std::error_code error;
  const std::uintmax_t bytes = std::filesystem::file_size(path, error);
  if (error) return false;  // the engine finds out for itself
  if (bytes > kMostSubtitleBytes) return true;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // In one read: this runs while a file opens, and a character at a time costs seconds on a
  // large file.
  std::string text(static_cast<std::size_t>(bytes), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return weighSubtitleText(text).mostAtOnce > kMostEventsAtOnce;
}

}  // namespace kv::media

namespace kv::media {

namespace {

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool isSubtitleName(const std::string& name) {
  const auto dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  const std::string ext = lowered(name.substr(dot + 1));
  for (const char* known : {"srt", "ass", "ssa", "vtt", "sub", "smi", "lrc", "utf", "utf8", "utf-8",
                            "rt", "idx", "sup", "mks", "scc", "pgs"})
    if (ext == known) return true;
  return false;
}

}  // namespace

SubtitleScreening screenSubtitlesBeside(const std::string& video) {
  namespace fs = std::filesystem;
  SubtitleScreening screening;
  const fs::path path(video);
  const std::string stem = lowered(path.stem().string());
  if (stem.empty() || !path.has_parent_path()) return screening;
  const fs::path folder = path.parent_path();
  for (const fs::path& dir : {folder, folder / "Subs", folder / "字幕"}) {
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
      const std::string name = it->path().filename().string();
      if (!isSubtitleName(name) || lowered(name).find(stem) == std::string::npos) continue;
      (subtitleFileTooHeavy(it->path().string()) ? screening.refused : screening.accepted)
          .push_back(it->path().string());
    }
  }
  return screening;
}

std::string SubtitleScreening::engineOptions() const {
  // %LENGTH% quotes a value whatever it holds (commas, colons).
  std::string options = "sub-auto=no";
  for (const std::string& file : accepted)
    options += ",sub-files-append=%" + std::to_string(file.size()) + "%" + file;
  return options;
}

}  // namespace kv::media
