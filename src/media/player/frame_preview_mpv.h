#pragma once
// The frame preview on a second engine core: the main core's safety options, no sound, no
// subtitles, frames scaled down as they are decoded, seeks to the nearest key frame.

#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "media/player/frame_preview.h"
#include "media/player/mpv_core.h"

namespace kv::media {

class MpvFramePreview final : public FramePreview {
 public:
  MpvFramePreview();
  ~MpvFramePreview() override;
  MpvFramePreview(const MpvFramePreview&) = delete;
  MpvFramePreview& operator=(const MpvFramePreview&) = delete;

  void request(const std::string& path, double seconds) override;
  void release() override;
  // Whether an engine core is there now (tests, the benchmark).
  bool hasCore() const;

 private:
  struct Request {
    std::string path;
    double seconds = 0;
  };
  void run();
  // On the worker: the picture of the request, or a null image.
  QImage answer(const Request& r);
  bool open(const std::string& path, double seconds);
  // Until playback is positioned; false when `entry` (-1: any file) ends or time runs out.
  bool waitRestart(std::int64_t entry = -1);

  QObject context_;  // the GUI thread's end of the answers
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Request> pending_;
  bool releaseWanted_ = false;
  bool quit_ = false;
  bool coreThere_ = false;
  std::thread worker_;
  // The worker's own.
  MpvHandle core_;
  std::string loaded_;
  bool pictureless_ = false;
};

}  // namespace kv::media
