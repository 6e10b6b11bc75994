#pragma once
// The pictures of a folder decoded on a thread of their own while the program starts, so that
// the skin is ready when the main window loads it rather than decoded one file after another
// before the first picture reaches the screen. Picture::fromFile takes a preloaded file's
// picture (waiting for it when it is still being decoded); any other file is read as always.

#include <QImage>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kv::forms {

class PicturePreload {
 public:
  // Starts decoding every PNG file directly in `folder` (an unreadable folder preloads nothing).
  explicit PicturePreload(const std::string& folder);
  // Waits for the decoding to end and forgets the pictures.
  ~PicturePreload();
  PicturePreload(const PicturePreload&) = delete;
  PicturePreload& operator=(const PicturePreload&) = delete;

  // The picture of a preloaded file; nullopt for a file that was not preloaded or did not decode
  // (the caller reads it itself and reports its own failure).
  static std::optional<QImage> take(const std::string& path);
  // Once the windows of the start are shown: the pictures nobody asked for are let go.
  void forget();

 private:
  void decode();

  std::mutex mutex_;
  std::condition_variable ready_;
  std::vector<std::string> files_;
  std::map<std::string, QImage> done_;
  bool forgotten_ = false;
  std::thread worker_;
};

}  // namespace kv::forms
