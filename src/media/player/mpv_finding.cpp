// Chapters and loops on the engine's own properties: chapter-list and chapter, ab-loop-a and
// ab-loop-b, loop-file.

#include <mpv/client.h>

#include <cmath>
#include <cstring>

#include "media/player/mpv_node.h"
#include "media/player/mpv_player.h"
#include "platform/errors.h"

namespace kv::media {

std::vector<Chapter> MpvPlayer::chapters() const {
  std::vector<Chapter> out;
  if (!file_.loaded) return out;
  mpv_node list;
  if (mpv_get_property(core_.get(), "chapter-list", MPV_FORMAT_NODE, &list) < 0) return out;
  if (list.format == MPV_FORMAT_NODE_ARRAY) {
    for (int i = 0; i < list.u.list->num; ++i) {
      const mpv_node& entry = list.u.list->values[i];
      Chapter c;
      // The engine names a Matroska chapter without a title "(unnamed)": it has none.
      if (const mpv_node* t = nodeMember(entry, "title");
          t && t->format == MPV_FORMAT_STRING && std::strcmp(t->u.string, "(unnamed)") != 0)
        c.title = t->u.string;
      if (const mpv_node* t = nodeMember(entry, "time"); t && t->format == MPV_FORMAT_DOUBLE)
        c.start = t->u.double_;
      out.push_back(std::move(c));
    }
  }
  mpv_free_node_contents(&list);
  return out;
}

int MpvPlayer::chapter() const {
  // Read now rather than as last reported: a key pressed right after a chapter change counts
  // from the new chapter.
  std::int64_t now = -1;
  if (!file_.loaded || mpv_get_property(core_.get(), "chapter", MPV_FORMAT_INT64, &now) < 0)
    return -1;
  return static_cast<int>(now);
}

void MpvPlayer::setChapter(int index) {
  requireMedia();
  std::int64_t value = index;
  const int rc = mpv_set_property(core_.get(), "chapter", MPV_FORMAT_INT64, &value);
  if (rc < 0) throw ComponentError(std::string("chapter: ") + mpv_error_string(rc));
}

void MpvPlayer::onChapter(std::int64_t chapter) {
  // Reported while the file opens too: kept, and told once the file is there.
  if (static_cast<int>(chapter) == file_.chapter) return;
  file_.chapter = static_cast<int>(chapter);
  if (file_.loaded) ChapterChanged.raise(file_.chapter);
}

std::optional<double> MpvPlayer::loopPoint(const char* name) const {
  // "no" reads as a string, a time as a number.
  double seconds = 0;
  if (mpv_get_property(core_.get(), name, MPV_FORMAT_DOUBLE, &seconds) < 0 ||
      !std::isfinite(seconds))
    return std::nullopt;
  return seconds;
}

void MpvPlayer::setLoop(std::optional<double> a, std::optional<double> b) {
  requireMedia();
  for (const auto& [name, point] : {std::pair{"ab-loop-a", a}, std::pair{"ab-loop-b", b}}) {
    if (point && std::isfinite(*point))
      setDouble(name, std::max(0.0, *point));
    else
      mpv_set_property_string(core_.get(), name, "no");
  }
}

bool MpvPlayer::loopsFile() const {
  char* value = mpv_get_property_string(core_.get(), "loop-file");
  const bool on = value && std::strcmp(value, "no") != 0;
  mpv_free(value);
  return on;
}

void MpvPlayer::setLoopsFile(bool on) {
  requireMedia();
  mpv_set_property_string(core_.get(), "loop-file", on ? "inf" : "no");
}

void MpvPlayer::clearLoops() {
  mpv_set_property_string(core_.get(), "ab-loop-a", "no");
  mpv_set_property_string(core_.get(), "ab-loop-b", "no");
  mpv_set_property_string(core_.get(), "loop-file", "no");
}

}  // namespace kv::media
