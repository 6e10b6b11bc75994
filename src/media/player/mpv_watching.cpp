// Tracks, speed, frames, messages over the picture and stills, on the engine's own commands
// and properties.

#include <mpv/client.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "media/player/mpv_node.h"
#include "media/player/mpv_player.h"
#include "media/player/subtitle_limit.h"
#include "platform/errors.h"
#include "platform/language.h"

namespace kv::media {

namespace {

// The engine's speed bounds for a person's choice; fast forward goes beyond them on its own.
constexpr double kSlowest = 0.25;
constexpr double kFastest = 4.0;

std::string text(const mpv_node& map, const char* key) {
  const mpv_node* v = nodeMember(map, key);
  return v && v->format == MPV_FORMAT_STRING ? v->u.string : "";
}

bool flag(const mpv_node& map, const char* key) {
  const mpv_node* v = nodeMember(map, key);
  return v && v->format == MPV_FORMAT_FLAG && v->u.flag;
}

}  // namespace

std::vector<Track> MpvPlayer::tracks() const {
  std::vector<Track> out;
  if (!file_.loaded) return out;
  mpv_node list;
  if (mpv_get_property(core_.get(), "track-list", MPV_FORMAT_NODE, &list) < 0) return out;
  if (list.format == MPV_FORMAT_NODE_ARRAY) {
    for (int i = 0; i < list.u.list->num; ++i) {
      const mpv_node& entry = list.u.list->values[i];
      const std::string type = text(entry, "type");
      const mpv_node* id = nodeMember(entry, "id");
      if ((type != "audio" && type != "sub") || !id || id->format != MPV_FORMAT_INT64) continue;
      Track t;
      t.kind = type == "audio" ? Track::Kind::Audio : Track::Kind::Subtitle;
      t.id = static_cast<int>(id->u.int64);
      t.language = text(entry, "lang");
      t.title = text(entry, "title");
      t.selected = flag(entry, "selected");
      t.external = flag(entry, "external");
      out.push_back(std::move(t));
    }
  }
  mpv_free_node_contents(&list);
  std::stable_sort(out.begin(), out.end(),
                   [](const Track& a, const Track& b) { return a.kind < b.kind; });
  return out;
}

void MpvPlayer::selectTrack(Track::Kind kind, int id) {
  requireMedia();
  const std::string value = id > 0 ? std::to_string(id) : "no";
  const int rc = mpv_set_property_string(core_.get(), kind == Track::Kind::Audio ? "aid" : "sid",
                                         value.c_str());
  if (rc < 0) throw ComponentError(std::string("track: ") + mpv_error_string(rc));
}

bool MpvPlayer::subtitlesShown() const {
  int shown = 1;
  mpv_get_property(core_.get(), "sub-visibility", MPV_FORMAT_FLAG, &shown);
  return shown != 0;
}

void MpvPlayer::showSubtitles(bool shown) {
  setFlag("sub-visibility", shown);
}

void MpvPlayer::setPlaybackSpeed(double speed) {
  if (!std::isfinite(speed)) throw ComponentError("invalid speed");
  userSpeed_ = std::clamp(speed, kSlowest, kFastest);
  if (scan_ != Scan::Forward) setDouble("speed", userSpeed_);
}

void MpvPlayer::stepFrame(bool forward) {
  requireMedia();
  if (!file_.paused) return;  // frames are stepped through a paused picture only
  const char* argv[] = {forward ? "frame-step" : "frame-back-step", nullptr};
  mpv_command(core_.get(), argv);
}

void MpvPlayer::showMessage(const std::string& message, int milliseconds) {
  if (url_.empty()) return;
  if (!file_.loaded) {
    // The engine has nothing open to draw it over (still opening, or failed): the video area
    // says it until the file is there or the next one is opened.
    file_.note = message;
    if (target_) target_->mediaCleared();
    return;
  }
  const std::string duration = std::to_string(std::max(0, milliseconds));
  const char* argv[] = {"show-text", message.c_str(), duration.c_str(), nullptr};
  mpv_command(core_.get(), argv);
}

std::string MpvPlayer::textWithoutPicture() const {
  if (!file_.loaded) return file_.note;
  return showsPicture() ? "" : mediaTitle();
}

void MpvPlayer::showRefusedSubtitle() {
  // Over the picture, never in a box: the film plays on without it.
  std::string message = translatedText(kSubtitleRefused);
  if (const auto at = message.find("%1"); at != std::string::npos)
    message.replace(at, 2, std::filesystem::path(file_.refusedSubtitle).filename().string());
  showMessage(message, 5000);
}

bool MpvPlayer::saveFrame(const std::string& path, bool withSubtitles) {
  if (!file_.loaded || !videoSelected()) return false;
  const char* argv[] = {"screenshot-to-file", path.c_str(), withSubtitles ? "subtitles" : "video",
                        nullptr};
  if (mpv_command(core_.get(), argv) < 0) return false;
  // Made only when the file is there with something in it (a full disk leaves an empty file).
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
}

void MpvPlayer::reportLeaving() {
  if (url_.empty() || !file_.loaded) return;
  LeftFile left;
  left.url = url_;
  left.position = scan_ == Scan::Reverse ? reverseTarget_ : file_.timePos;
  left.duration = file_.duration;
  left.ended = file_.eof || file_.unloadedAtEnd;
  Left.raise(left);
}

}  // namespace kv::media
