// What the engine reports, handled on the GUI thread, and the connection to the video widget.

#include <mpv/client.h>

#include <QTimer>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "media/player/mpv_open.h"
#include "media/player/mpv_player.h"
#include "media/player/subtitle_limit.h"

namespace kv::media {

namespace {
constexpr std::size_t kMostLogBytes = 4096;
}  // namespace

void MpvPlayer::processEngineEvents() {
  wakeupQueued_ = false;
  for (;;) {
    const mpv_event* event = mpv_wait_event(core_.get(), 0);
    if (event->event_id == MPV_EVENT_NONE) break;
    handleEvent(*event);
  }
  updateState();
}

void MpvPlayer::handleEvent(const mpv_event& event) {
  switch (event.event_id) {
    case MPV_EVENT_START_FILE:
      lastStartedId_ = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
      break;
    case MPV_EVENT_FILE_LOADED:
      // Only the file we asked for counts; one being replaced may still report in.
      if (file_.entryId >= 0 && lastStartedId_ == file_.entryId && !file_.failed) {
        file_.loaded = true;
        openTimer_.stop();
        readTimes();
        file_.lastLogError.clear();
        returnFreedPages();
        // After the title the window shows on opening (a message replaces the one before).
        if (!file_.refusedSubtitle.empty())
          QTimer::singleShot(kRefusedSubtitleAfterMs, &context_, [this, url = url_] {
            if (url == url_ && file_.loaded) showRefusedSubtitle();
          });
        // The render context was replaced while the engine opened the file (it may have shown
        // frames before this report was handled): bring the picture back if it went with it.
        if (file_.videoLost && renderReady_) {
          if (videoSelected())
            file_.videoLost = false;
          else
            restoreVideo();
        }
      }
      break;
    case MPV_EVENT_PLAYBACK_RESTART:
      // Positioned after the open or the seek: from here on every report counts.
      if (file_.positionSettling && file_.loaded) {
        file_.positionSettling = false;
        readTimes();
      }
      break;
    case MPV_EVENT_END_FILE:
      onFileEnded(*static_cast<const mpv_event_end_file*>(event.data));
      break;
    case MPV_EVENT_PROPERTY_CHANGE: {
      const auto* prop = static_cast<const mpv_event_property*>(event.data);
      const std::string name = prop->name;
      if (name == "time-pos" || name == "duration")
        onTimeProperty(name, prop->format, prop->data);
      else if (prop->format == MPV_FORMAT_FLAG && name == "eof-reached")
        onEofReached(*static_cast<const int*>(prop->data) != 0);
      else if (name == "current-tracks/video/id")
        onVideoTrack(prop->format != MPV_FORMAT_NONE);
      else if (name == "chapter")
        onChapter(prop->format == MPV_FORMAT_INT64 ? *static_cast<const std::int64_t*>(prop->data)
                                                   : -1);
      else if (name == "metadata")
        onMetadata(prop->format, prop->data);
      break;
    }
    case MPV_EVENT_LOG_MESSAGE: {
      const auto* msg = static_cast<const mpv_event_log_message*>(event.data);
      // The lines of the file's opening together: the last alone ("Failed to open") would not
      // say why (a server's answer, a refused connection come before it).
      std::string line = msg->text;
      while (!line.empty() && line.back() == '\n') line.pop_back();
      if (!file_.lastLogError.empty()) file_.lastLogError += " | ";
      file_.lastLogError += line;
      if (file_.lastLogError.size() > kMostLogBytes)
        file_.lastLogError.erase(0, file_.lastLogError.size() - kMostLogBytes);
      break;
    }
    case MPV_EVENT_SHUTDOWN:
      // The core went away under us (it is never told to quit while the player lives).
      file_.loaded = false;
      file_.failed = !url_.empty();
      file_.error = "the media engine stopped";
      break;
    default:
      break;
  }
}

void MpvPlayer::onFileEnded(const mpv_event_end_file& end) {
  // An end of anything but the file we asked for is a file being replaced or closed by us.
  if (end.playlist_entry_id != file_.entryId || file_.entryId < 0) return;
  if (end.reason != MPV_END_FILE_REASON_REDIRECT) openTimer_.stop();
  switch (end.reason) {
    case MPV_END_FILE_REASON_REDIRECT:
      // A playlist file: the engine goes on with its first entry.
      if (end.playlist_insert_num_entries > 0) file_.entryId = end.playlist_insert_id;
      return;
    case MPV_END_FILE_REASON_ERROR:
      if (file_.contextReplaced &&
          (end.error == MPV_ERROR_VO_INIT_FAILED || end.error == MPV_ERROR_NOTHING_TO_PLAY)) {
        // A file with nothing but pictures ends when its render context goes away (also while
        // it is still being opened): open it again where it was once a context is back (at
        // once if it already is).
        file_.loaded = false;
        if (renderReady_)
          loadNow(file_.resumeAt);
        else
          file_.pendingLoad = true;
        return;
      }
      endScan();
      file_.loaded = false;
      file_.failed = true;
      file_.error = file_.lastLogError.empty()
                        ? mpv_error_string(end.error)
                        : std::string(mpv_error_string(end.error)) + ": " + file_.lastLogError;
      if (target_) target_->mediaCleared();
      return;
    default:
      // The engine let go of the file at its end (or was stopped by someone else).
      endScan();
      file_.loaded = false;
      file_.unloadedAtEnd = true;
      file_.stopped = true;
      file_.paused = false;
      return;
  }
}

void MpvPlayer::readTimes() {
  // Once per opened file: the observed values follow a moment after the engine's report that
  // the file is open, and the display may ask before they do.
  for (const char* name : {"time-pos", "duration"}) {
    double value = 0;
    const bool known = mpv_get_property(core_.get(), name, MPV_FORMAT_DOUBLE, &value) >= 0;
    onTimeProperty(name, known ? MPV_FORMAT_DOUBLE : MPV_FORMAT_NONE, &value);
  }
}

void MpvPlayer::onTimeProperty(const std::string& name, int format, const void* data) {
  // Unavailable (opening, a picture, nothing loaded) reads as 0, like a value that is not finite.
  double value = 0;
  if (format == MPV_FORMAT_DOUBLE) value = *static_cast<const double*>(data);
  if (!std::isfinite(value) || value < 0) value = 0;
  if (name != "time-pos")
    file_.duration = value;
  else if (!file_.positionSettling)
    file_.timePos = value;
}

void MpvPlayer::onMetadata(int format, const void* data) {
  // A report made before the engine started on the file asked for is the previous file's.
  if (file_.entryId < 0 || lastStartedId_ != file_.entryId) return;
  file_.tags = {};
  if (format != MPV_FORMAT_NODE) return;
  const auto* node = static_cast<const mpv_node*>(data);
  if (node->format != MPV_FORMAT_NODE_MAP) return;
  // Containers spell the keys as they please ("TITLE" in Vorbis comments, "title" in ID3).
  const auto is = [](const char* key, std::string_view name) {
    return std::equal(name.begin(), name.end(), key, key + std::strlen(key), [](char a, char b) {
      return a == std::tolower(static_cast<unsigned char>(b));
    });
  };
  for (int i = 0; i < node->u.list->num; ++i) {
    const mpv_node& value = node->u.list->values[i];
    if (value.format != MPV_FORMAT_STRING || !*value.u.string) continue;
    const char* key = node->u.list->keys[i];
    if (is(key, "title"))
      file_.tags.title = value.u.string;
    else if (is(key, "artist"))
      file_.tags.artists = {value.u.string};
    else if (is(key, "album"))
      file_.tags.album = value.u.string;
  }
}

void MpvPlayer::onEofReached(bool eof) {
  file_.eof = eof;
  if (!eof || !file_.loaded || file_.stopped) return;
  // The end of the file: stopped, with the last frame kept, so play() starts it again.
  endScan();
  file_.stopped = true;
  file_.paused = false;
}

void MpvPlayer::onVideoTrack(bool selected) {
  if (!file_.videoLost || !renderReady_ || !file_.loaded) return;
  // The engine may switch the picture off only after a new context is already there.
  if (selected)
    file_.videoLost = false;
  else
    restoreVideo();
}

void MpvPlayer::attachRenderTarget(MpvRenderTarget* target) {
  target_ = target;
  renderReady_ = true;
  if (file_.pendingLoad && !url_.empty()) {
    loadNow(file_.resumeAt);
    updateState();
  } else if (file_.videoLost && file_.loaded) {
    restoreVideo();
  }
}

void MpvPlayer::showVideoIn(MpvRenderTarget* target, std::int64_t window) {
  // A change of output makes the engine replace its output at once: the old one lets go of its
  // window before this returns, and the file goes on where it was.
  if (window != 0) mpv_set_property(core_.get(), "wid", MPV_FORMAT_INT64, &window);
  mpv_set_property_string(core_.get(), "vo", window != 0 ? "xv,x11" : "null");
  if (window != 0) {
    attachRenderTarget(target);
  } else if (target_ == target) {
    target_ = nullptr;
    renderReady_ = false;
  }
}

void MpvPlayer::detachRenderTarget(MpvRenderTarget* target) {
  if (target_ != target) return;
  target_ = nullptr;
  renderReady_ = false;
  // Video is switched off with the context, also that of a file the engine has opened before
  // its report of that was handled here.
  if (!engineHasFile()) return;
  file_.videoLost = file_.contextReplaced = true;
  // Remember where the file was to bring it back, or where it was just asked to go; one still
  // opening starts where it was asked to (the engine's position may still be that of the file
  // it replaces).
  if (file_.loaded) file_.resumeAt = file_.timePos;
}

bool MpvPlayer::engineHasFile() const {
  // Told to open it (or reopen it), and it has neither failed nor been let go at its end.
  return file_.loaded ||
         (file_.entryId >= 0 && !file_.pendingLoad && !file_.failed && !file_.unloadedAtEnd);
}

bool MpvPlayer::videoSelected() const {
  std::int64_t id = 0;
  return mpv_get_property(core_.get(), "current-tracks/video/id", MPV_FORMAT_INT64, &id) >= 0;
}

bool MpvPlayer::showsPicture() const {
  if (url_.empty() || file_.failed) return false;
  char* path = mpv_get_property_string(core_.get(), "path");
  if (!path) return false;
  // A playlist file goes on as its entries, whose paths are their own.
  const bool current =
      isPlaylistName(url_) || (address_ ? url_ : mpvOpenOf(url_, "").target) == path;
  mpv_free(path);
  return current && videoSelected();
}

std::string MpvPlayer::mediaTitle() const {
  if (!file_.loaded) return {};
  char* title = mpv_get_property_string(core_.get(), "media-title");
  if (!title) return {};
  std::string out = title;
  mpv_free(title);
  return out;
}

void MpvPlayer::restoreVideo() {
  // Freeing the render context switched video off; selecting the track anew brings it back
  // (selecting it while the engine still counts it as selected would do nothing).
  mpv_command_string(core_.get(), "set vid no");
  mpv_command_string(core_.get(), "set vid auto");
}

}  // namespace kv::media
