#include "media/player/media_probe.h"

#include <mpv/client.h>

#include <chrono>
#include <cmath>

#include "media/player/mpv_core.h"

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

}  // namespace

MediaProbe probeMedia(const std::string& path, int timeoutMs) {
  MediaProbe probe;
  MpvOptions options;
  options.startPaused = true;
  MpvHandle core;
  try {
    core = createMpvCore(options);
  } catch (const std::exception& e) {
    probe.error = e.what();
    return probe;
  }
  mpv_handle* h = core.get();
  mpv_request_log_messages(h, "error");
  const char* argv[] = {"loadfile", path.c_str(), "replace", nullptr};
  if (const int rc = mpv_command(h, argv); rc < 0) {
    probe.error = mpv_error_string(rc);
    return probe;
  }

  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string lastError;
  for (;;) {
    const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
    if (left <= 0) {
      probe.error = "timed out";
      return probe;  // destroying the core aborts the open
    }
    const mpv_event* event = mpv_wait_event(h, left);
    if (event->event_id == MPV_EVENT_LOG_MESSAGE) {
      lastError = static_cast<const mpv_event_log_message*>(event->data)->text;
      while (!lastError.empty() && lastError.back() == '\n') lastError.pop_back();
    } else if (event->event_id == MPV_EVENT_END_FILE) {
      const auto* end = static_cast<const mpv_event_end_file*>(event->data);
      if (end->reason == MPV_END_FILE_REASON_REDIRECT) continue;  // a playlist: its first entry
      probe.error = end->reason == MPV_END_FILE_REASON_ERROR ? mpv_error_string(end->error)
                                                             : "no playable content";
      if (!lastError.empty()) probe.error += ": " + lastError;
      return probe;
    } else if (event->event_id == MPV_EVENT_FILE_LOADED) {
      break;
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

}  // namespace kv::media
