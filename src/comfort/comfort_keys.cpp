// The keys of watching (their rows are in the window's key table): tracks, subtitles, speed,
// frames, stills and going on where a film was left.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "comfort/comfort.h"
#include "comfort/comfort_texts.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "platform/file_names.h"
#include "platform/stand_in.h"

namespace kv::comfort {

bool Comfort::keysActive() {
  return watching() && !player_.URL().empty();
}

void Comfort::runKey(window::KeyCommand command) {
  using enum window::KeyCommand;
  switch (command) {
    case NextAudio:
      return nextAudio();
    case NextSubtitle:
      return nextSubtitle();
    case ToggleSubtitles:
      return toggleSubtitles();
    case Slower:
      return changeSpeed(1 / kSpeedStep);
    case Faster:
      return changeSpeed(kSpeedStep);
    case NormalSpeed:
      return changeSpeed(0);
    case FrameForward:
      return stepFrame(true);
    case FrameBack:
      return stepFrame(false);
    case Still:
      return saveStill(false);
    case StillAsShown:
      return saveStill(true);
    case Resume:
      return resume();
    default:
      runTuningKey(command);
      return;
  }
}

void Comfort::selectTrack(const media::Track& track) {
  step([&] { watching()->selectTrack(track.kind, track.id); });
  refreshMenu();
  const auto& list =
      track.kind == media::Track::Kind::Audio ? menu_.audioTracks : menu_.subtitleTracks;
  const auto at = std::find_if(list.begin(), list.end(),
                               [&](const media::Track& t) { return t.id == track.id; });
  if (track.id == 0)
    say(texts::kSubtitlesOff);
  else if (at != list.end())
    say(trackName(*at, static_cast<int>(at - list.begin()) + 1));
}

namespace {
std::vector<media::Track>::const_iterator selectedIn(const std::vector<media::Track>& list) {
  return std::find_if(list.begin(), list.end(), [](const media::Track& t) { return t.selected; });
}
}  // namespace

// The track after the selected one, wrapping; subtitles pass through "off" on the way round.
void Comfort::nextAudio() {
  refreshMenu();
  const auto& list = menu_.audioTracks;
  if (list.empty()) return;
  const auto selected = selectedIn(list);
  const std::size_t next =
      selected == list.end()
          ? 0
          : (static_cast<std::size_t>(selected - list.begin()) + 1) % list.size();
  selectTrack(list[next]);
}

void Comfort::nextSubtitle() {
  refreshMenu();
  const auto& list = menu_.subtitleTracks;
  if (list.empty()) return;
  const auto selected = selectedIn(list);
  media::Track next;
  next.kind = media::Track::Kind::Subtitle;
  if (selected == list.end())
    next = list.front();
  else if (selected + 1 != list.end())
    next = *(selected + 1);
  // else: past the last one, subtitles go off (id 0)
  selectTrack(next);
}

void Comfort::toggleSubtitles() {
  media::Watching* w = watching();
  bool shown = true;
  step([&] {
    shown = !w->subtitlesShown();
    w->showSubtitles(shown);
  });
  say(shown ? texts::kSubtitlesShown : texts::kSubtitlesHidden);
}

// factor 0: back to normal speed.
void Comfort::changeSpeed(double factor) {
  media::Watching* w = watching();
  double speed = 1;
  step([&] {
    speed = factor == 0 ? 1.0 : w->playbackSpeed() * factor;
    // Steps that come back to normal speed land on it exactly.
    if (std::fabs(speed - 1) < 0.01) speed = 1;
    w->setPlaybackSpeed(speed);
    speed = w->playbackSpeed();
  });
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", speed);
  say(fill(texts::kSpeed, text));
}

void Comfort::stepFrame(bool forward) {
  media::MediaPlayer& player = player_;
  if (player.playState() != media::kPaused) return;
  // The engine reaches the frame a moment later: the message names the step, not the time.
  step([&] { watching()->stepFrame(forward); });
  say(forward ? texts::kFrameForward : texts::kFrameBack);
}

void Comfort::saveStill(bool asShown) {
  media::MediaPlayer& player = player_;
  const std::string url = player.URL();
  if (stillsFolder_.empty() ||
      media::ClassifyForOpen(media::GetExtension(url)) != media::MediaKind::PlayerMedia)
    return;
  // "clip-12.34.png": the file's name and the position (no ':' in a file name).
  std::string name = url.substr(url.find_last_of('/') + 1);
  if (const auto dot = name.find_last_of('.'); dot != std::string::npos && dot > 0)
    name.resize(dot);
  double position = 0;
  step([&] { position = player.currentPosition(); });
  std::string stamp = media::positionText(position);
  std::replace(stamp.begin(), stamp.end(), ':', '.');
  // A long film name is shortened to what the file system takes; the time and the extension stay.
  std::string path = stillsFolder_ + "/" + fitFileName(name, "-" + stamp + ".png");
  for (int n = 2; files_.fileExists(path); ++n)
    path = stillsFolder_ + "/" + fitFileName(name, "-" + stamp + "-" + std::to_string(n) + ".png");
  bool saved = false;
  step([&] { saved = makeFolders(files_, stillsFolder_) && watching()->saveFrame(path, asShown); });
  say(saved ? fill(texts::kSnapshotSaved, path) : std::string(texts::kSnapshotFailed));
}

void Comfort::resume() {
  const std::optional<double> at = offered();
  if (!at) return;
  const double target = std::max(0.0, *at - kResumeLeadSeconds);
  step([&] {
    player_.setCurrentPosition(target);
    say(fill(texts::kResumed, media::positionText(target)));
  });
}

}  // namespace kv::comfort
