#include "media/player/media_probe.h"

#include <fcntl.h>
#include <malloc.h>
#include <mpv/client.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <string_view>

#include "media/player/mpv_core.h"
#include "media/player/mpv_open.h"

namespace kv::media {

namespace {

std::string propertyString(mpv_handle* h, const std::string& name) {
  char* text = mpv_get_property_string(h, name.c_str());
  if (!text) return {};
  std::string result(text);
  mpv_free(text);
  return result;
}

bool hasPictureTrack(mpv_handle* h) {
  int64_t count = 0;
  mpv_get_property(h, "track-list/count", MPV_FORMAT_INT64, &count);
  for (int64_t i = 0; i < count; ++i) {
    const std::string track = "track-list/" + std::to_string(i) + "/";
    if (propertyString(h, track + "type") == "video" &&
        propertyString(h, track + "albumart") != "yes")
      return true;
  }
  return false;
}

// The playlist entry a loadfile made, or -1.
int64_t entryIdOf(const mpv_node& result) {
  if (result.format != MPV_FORMAT_NODE_MAP) return -1;
  for (int i = 0; i < result.u.list->num; ++i)
    if (std::string(result.u.list->keys[i]) == "playlist_entry_id" &&
        result.u.list->values[i].format == MPV_FORMAT_INT64)
      return result.u.list->values[i].u.int64;
  return -1;
}

// The engine reads the head of every file it opens into a zeroed buffer of 10 MiB. With large
// blocks in mappings of their own (mpv_core.h) each file maps and clears 2,560 fresh pages and
// unmaps them again, which made the probe four times slower than the files need. A process that
// probes file after file keeps blocks up to 16 MiB on its heap, and up to as much of the heap's
// free top mapped, so the next file's buffer reuses the same pages.
void keepProbeBufferMapped() {
#ifdef __GLIBC__
  keepLargeBlocksInOwnMappings();  // once only: made first, it cannot undo what follows later
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

// Whether the file's header alone says all the probe reports: PCM sound in RIFF WAVE, AIFF or
// Sun audio declares its streams and the size of its samples. The engine would otherwise read
// and try to decode the head of such a file to learn what it already knows, which made a WAVE
// file cost three times any other small file. Other containers (MPEG streams, ADTS, MP3 without
// a frame count, Flash video) learn their streams or length only from their packets.
bool describedByHeader(const std::string& path) {
  // Never waits: a pipe without a writer or a device is not looked into.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  char head[12] = {};
  struct stat st {};
  const bool read =
      ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::read(fd, head, sizeof head) == 12;
  ::close(fd);
  if (!read) return false;
  const std::string_view h(head, sizeof head);
  return (h.substr(0, 4) == "RIFF" && h.substr(8, 4) == "WAVE") ||
         (h.substr(0, 4) == "FORM" && (h.substr(8, 4) == "AIFF" || h.substr(8, 4) == "AIFC")) ||
         h.substr(0, 4) == ".snd";
}

}  // namespace

struct MediaProber::Core {
  MpvHandle handle;
};

MediaProber::MediaProber(int timeoutMs) : timeoutMs_(timeoutMs) {}
MediaProber::~MediaProber() = default;

MediaProbe MediaProber::probe(const std::string& path) {
  MediaProbe probe;
  if (!core_) {
    MpvOptions options;
    options.startPaused = true;
    keepProbeBufferMapped();
    try {
      core_ = std::make_unique<Core>(Core{createMpvCore(options)});
    } catch (const std::exception& e) {
      probe.error = e.what();
      return probe;
    }
    mpv_request_log_messages(core_->handle.get(), "error");
  }
  mpv_handle* h = core_->handle.get();

  // What the file holds is all that is asked: no search of its folder for subtitles, sound
  // or cover files that would go with it (a listing of the folder for each file of a large
  // folder), and no decoder threads started for a picture never decoded.
  std::string options = "autoload-files=no,vd-lavc-threads=1";
  if (describedByHeader(path)) options += ",demuxer-lavf-probesize=32";
  const MpvOpen open = mpvOpenOf(path, options);
  const char* argv[] = {"loadfile", open.target.c_str(), "replace", open.options.c_str(), nullptr};
  mpv_node result;
  if (const int rc = mpv_command_ret(h, argv, &result); rc < 0) {
    probe.error = mpv_error_string(rc);
    return probe;
  }
  // Events of the file before (its end, its last messages) are told apart by entry id.
  int64_t entry = entryIdOf(result);
  mpv_free_node_contents(&result);

  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
  std::string lastError;
  bool started = false;
  int redirects = 0;
  for (;;) {
    const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
    if (left <= 0) {
      probe.error = "timed out";
      core_.reset();  // the engine may still be busy with the file: the next one gets a new core
      return probe;
    }
    const mpv_event* event = mpv_wait_event(h, left);
    if (event->event_id == MPV_EVENT_LOG_MESSAGE) {
      if (!started) continue;
      lastError = static_cast<const mpv_event_log_message*>(event->data)->text;
      while (!lastError.empty() && lastError.back() == '\n') lastError.pop_back();
    } else if (event->event_id == MPV_EVENT_START_FILE) {
      started = static_cast<const mpv_event_start_file*>(event->data)->playlist_entry_id == entry;
    } else if (event->event_id == MPV_EVENT_END_FILE) {
      const auto* end = static_cast<const mpv_event_end_file*>(event->data);
      if (end->playlist_entry_id != entry) continue;
      if (end->reason == MPV_END_FILE_REASON_REDIRECT && end->playlist_insert_num_entries > 0) {
        // A playlist: its first entry is what it plays.
        if (++redirects > kMaxRedirects) {
          mpv_command_string(h, "stop");
          probe.error = "playlists lead to each other too often";
          return probe;
        }
        entry = end->playlist_insert_id;
        started = false;
        continue;
      }
      probe.error = end->reason == MPV_END_FILE_REASON_ERROR ? mpv_error_string(end->error)
                                                             : "no playable content";
      if (!lastError.empty()) probe.error += ": " + lastError;
      return probe;
    } else if (event->event_id == MPV_EVENT_FILE_LOADED && started) {
      break;
    } else if (event->event_id == MPV_EVENT_SHUTDOWN) {
      core_.reset();
      probe.error = "the media engine stopped";
      return probe;
    }
  }
  double duration = 0;
  if (mpv_get_property(h, "duration", MPV_FORMAT_DOUBLE, &duration) >= 0 &&
      std::isfinite(duration) && duration > 0)
    probe.duration = duration;
  probe.video = hasPictureTrack(h);
  probe.ok = true;
  return probe;
}

MediaProbe probeMedia(const std::string& path, int timeoutMs) {
  return MediaProber(timeoutMs).probe(path);
}

}  // namespace kv::media
