#pragma once
// How much a subtitle file may ask of the subtitle renderer.
//
// The renderer draws every event on screen at once into bitmaps of its own, and the engine
// copies them for each picture: 100,000 events shown together take the engine seconds per
// picture and gigabytes (far more with blur), while a film's busiest moment has a few dozen and
// heavy typesetting a few hundred. A file with more than kMostEventsAtOnce events on screen at
// the same moment, or larger than kMostSubtitleBytes, is not loaded.

#include <cstdint>
#include <string>
#include <vector>

namespace kv::media {

inline constexpr int kMostEventsAtOnce = 2000;
inline constexpr std::uintmax_t kMostSubtitleBytes = 64u << 20;

// What a subtitle file holds: its size, its timed events (ASS/SSA "Dialogue:" lines, SRT and
// WebVTT cues) and the most of them shown at the same moment.
struct SubtitleWeight {
  std::uintmax_t bytes = 0;
  int events = 0;
  int mostAtOnce = 0;
};
SubtitleWeight weighSubtitleText(const std::string& text);

// The file is too large or too crowded to be given to the renderer (or cannot be read).
bool subtitleFileTooHeavy(const std::string& path);

// The subtitle files the engine would load on its own beside a video (in its folder and in a
// Subs or 字幕 folder there, their names holding the video's), sorted into those it may load
// and those too heavy.
struct SubtitleScreening {
  std::vector<std::string> accepted;
  std::vector<std::string> refused;
  // Per-file options that load the accepted ones, and nothing else, of their own accord.
  std::string engineOptions() const;
};
SubtitleScreening screenSubtitlesBeside(const std::string& video);

// The message shown over the picture for such a file ("%1": its name), in Chinese.
inline constexpr int kRefusedSubtitleAfterMs = 1600;
inline constexpr const char* kSubtitleRefused = "字幕文件过大，未载入：%1";

}  // namespace kv::media
