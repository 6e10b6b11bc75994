#pragma once
// The watching part of a player double: tracks a test sets, and every message and choice in
// order.

#include <map>
#include <string>
#include <vector>

#include "media/player/watching.h"

namespace kv::test {

class FakeWatching final : public media::Watching {
 public:
  std::vector<media::Track> tracks() const override { return trackList; }
  void selectTrack(media::Track::Kind kind, int id) override {
    calls.push_back(std::string(kind == media::Track::Kind::Audio ? "aid=" : "sid=") +
                    std::to_string(id));
    for (media::Track& t : trackList)
      if (t.kind == kind) t.selected = t.id == id;
  }
  bool subtitlesShown() const override { return shown; }
  void showSubtitles(bool s) override { shown = s; }
  double playbackSpeed() const override { return speed; }
  void setPlaybackSpeed(double s) override { speed = s < 0.25 ? 0.25 : s > 4 ? 4 : s; }
  void stepFrame(bool forward) override { calls.push_back(forward ? "frame+" : "frame-"); }
  void showMessage(const std::string& text, int ms) override {
    messages.push_back(text);
    lastMs = ms;
  }
  std::string title() const override { return titleText; }
  bool saveFrame(const std::string& path, bool withSubtitles) override {
    calls.push_back((withSubtitles ? "still+subtitles " : "still ") + path);
    return true;
  }
  double choice(Choice which) const override {
    const auto at = choices.find(which);
    return at == choices.end() ? 0 : at->second;
  }
  void setChoice(Choice which, double value) override { choices[which] = value; }
  std::string decoder() const override { return ""; }
  bool addSubtitle(const std::string& path) override {
    calls.push_back("sub-add " + path);
    return true;
  }
  void setSubtitleEncoding(const std::string& encoding) override {
    calls.push_back("encoding " + encoding);
  }

  std::map<Choice, double> choices;
  std::vector<media::Track> trackList;
  bool shown = true;
  double speed = 1;
  std::string titleText;
  std::vector<std::string> messages, calls;
  int lastMs = 0;
};

}  // namespace kv::test
