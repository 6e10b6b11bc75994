#include <mpv/client.h>

#include <chrono>
#include <cstring>

#include "media/player/frame_preview_mpv.h"
#include "media/player/mpv_node.h"
#include "media/player/mpv_open.h"
#include "platform/errors.h"

namespace kv::media {

namespace {

// A file that takes longer than this to open or to seek gives no picture this time.
constexpr double kWaitSeconds = 3;

// What the preview core does beyond the main core's options: no sound or subtitles, pictures
// scaled down as they are decoded, seeks to the nearest key frame (a frame in a few
// milliseconds rather than the decoding of a whole group of pictures), paused throughout.
constexpr const char* kPreviewProperties[][2] = {
    {"pause", "yes"},
    {"aid", "no"},
    {"sid", "no"},
    {"sub-auto", "no"},
    {"hr-seek", "no"},
    {"hwdec", "no"},
    {"cache", "no"},
    {"vd-lavc-threads", "2"},
    {"vd-lavc-fast", "yes"},
    {"vd-lavc-skiploopfilter", "all"},
    {"demuxer-readahead-secs", "0"},
    {"vf", "scale=w=160:h=-2:flags=fast_bilinear"},
};
static_assert(kPreviewWidth == 160, "the scale filter above names the width");

std::int64_t number(const mpv_node& map, const char* key) {
  const mpv_node* v = nodeMember(map, key);
  return v && v->format == MPV_FORMAT_INT64 ? v->u.int64 : 0;
}

// The engine's raw screenshot ("bgr0": blue, green, red, padding; the byte order of Qt's RGB32
// on this machine's little-endian order) as a picture.
QImage pictureOf(const mpv_node& shot) {
  const std::int64_t w = number(shot, "w"), h = number(shot, "h"), stride = number(shot, "stride");
  const mpv_node* data = nodeMember(shot, "data");
  const mpv_node* format = nodeMember(shot, "format");
  if (!data || data->format != MPV_FORMAT_BYTE_ARRAY || !format ||
      format->format != MPV_FORMAT_STRING || std::strcmp(format->u.string, "bgr0") != 0 || w <= 0 ||
      h <= 0 || w > 4096 || h > 4096 || stride < w * 4 ||
      static_cast<std::int64_t>(data->u.ba->size) < stride * h)
    return {};
  QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
  const auto* bytes = static_cast<const unsigned char*>(data->u.ba->data);
  for (int y = 0; y < h; ++y) std::memcpy(image.scanLine(y), bytes + y * stride, w * 4);
  return image;
}

}  // namespace

MpvFramePreview::MpvFramePreview() = default;

MpvFramePreview::~MpvFramePreview() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void MpvFramePreview::request(const std::string& path, double seconds) {
  {
    std::lock_guard lock(mutex_);
    pending_ = Request{path, seconds};
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
  }
  wake_.notify_all();
}

void MpvFramePreview::release() {
  {
    std::lock_guard lock(mutex_);
    if (!worker_.joinable()) return;
    pending_.reset();
    releaseWanted_ = true;
  }
  wake_.notify_all();
}

bool MpvFramePreview::hasCore() const {
  std::lock_guard lock(mutex_);
  return coreThere_;
}

void MpvFramePreview::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || releaseWanted_ || pending_; });
    if (quit_) break;
    if (releaseWanted_) {
      releaseWanted_ = false;
      lock.unlock();
      core_.reset();
      loaded_.clear();
      returnFreedPages();
      lock.lock();
      coreThere_ = core_ != nullptr;
      continue;
    }
    const Request r = *pending_;
    pending_.reset();
    lock.unlock();
    QImage picture;
    step([&] { picture = answer(r); });
    lock.lock();
    coreThere_ = core_ != nullptr;
    // An answer overtaken by a newer one is still shown while that one is made: the picture
    // follows the pointer rather than waiting for it to rest.
    if (!picture.isNull() && !quit_ && !releaseWanted_)
      QMetaObject::invokeMethod(
          &context_, [this, r, picture] { Ready.raise(r.path, r.seconds, picture); },
          Qt::QueuedConnection);
  }
  lock.unlock();
  core_.reset();
}

QImage MpvFramePreview::answer(const Request& r) {
  if (!core_) {
    core_ = createMpvCore(MpvOptions::headless());
    for (const auto& [name, value] : kPreviewProperties)
      mpv_set_property_string(core_.get(), name, value);
  }
  if (r.path != loaded_) {
    if (!open(r.path, r.seconds)) return {};
  } else {
    if (pictureless_) return {};
    char target[32];
    std::snprintf(target, sizeof target, "%.3f", std::max(0.0, r.seconds));
    const char* argv[] = {"seek", target, "absolute+keyframes", nullptr};
    if (mpv_command(core_.get(), argv) < 0 || !waitRestart()) return {};
  }
  if (pictureless_) return {};
  mpv_node shot;
  const char* argv[] = {"screenshot-raw", "video", nullptr};
  if (mpv_command_ret(core_.get(), argv, &shot) < 0) return {};
  QImage picture = pictureOf(shot);
  mpv_free_node_contents(&shot);
  return picture;
}

bool MpvFramePreview::open(const std::string& path, double seconds) {
  loaded_.clear();
  char start[48];
  std::snprintf(start, sizeof start, "start=%.3f", std::max(0.0, seconds));
  const MpvOpen target = mpvOpenOf(path, start);
  const char* argv[] = {"loadfile", target.target.c_str(), "replace", target.options.c_str(),
                        nullptr};
  mpv_node result;
  if (mpv_command_ret(core_.get(), argv, &result) < 0) return false;
  // The previous file's end is reported first: only this entry's end means a failure.
  const std::int64_t entry = number(result, "playlist_entry_id");
  mpv_free_node_contents(&result);
  if (!waitRestart(entry)) {
    mpv_command_string(core_.get(), "stop");
    return false;
  }
  loaded_ = path;
  // Sound with a cover, or no picture at all: nothing to preview.
  int cover = 0;
  std::int64_t video = 0;
  pictureless_ =
      mpv_get_property(core_.get(), "current-tracks/video/id", MPV_FORMAT_INT64, &video) < 0 ||
      (mpv_get_property(core_.get(), "current-tracks/video/image", MPV_FORMAT_FLAG, &cover) >= 0 &&
       cover);
  return true;
}

bool MpvFramePreview::waitRestart(std::int64_t entry) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::duration<double>(kWaitSeconds);
  for (;;) {
    const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    const mpv_event* e = mpv_wait_event(core_.get(), left);
    if (e->event_id == MPV_EVENT_PLAYBACK_RESTART) return true;
    if (e->event_id == MPV_EVENT_SHUTDOWN) return false;
    if (e->event_id == MPV_EVENT_END_FILE &&
        (entry < 0 || static_cast<const mpv_event_end_file*>(e->data)->playlist_entry_id == entry))
      return false;
  }
}

}  // namespace kv::media
