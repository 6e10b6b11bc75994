#include "platform/forms/picture_preload.h"

#include <algorithm>
#include <atomic>
#include <filesystem>

namespace kv::forms {

namespace {

std::atomic<PicturePreload*> current{nullptr};

std::string key(const std::string& path) {
  return std::filesystem::path(path).lexically_normal().string();
}

}  // namespace

PicturePreload::PicturePreload(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->path().extension() == ".png" && it->is_regular_file(ec))
      files_.push_back(key(it->path().string()));
  std::sort(files_.begin(), files_.end());
  if (files_.empty()) return;
  PicturePreload* none = nullptr;
  if (!current.compare_exchange_strong(none, this)) return;  // one preload at a time
  worker_ = std::thread([this] { decode(); });
}

PicturePreload::~PicturePreload() {
  forget();
  PicturePreload* self = this;
  current.compare_exchange_strong(self, nullptr);
}

void PicturePreload::decode() {
  for (const std::string& file : files_) {
    {
      const std::lock_guard lock(mutex_);
      if (forgotten_) break;
    }
    // By its suffix: the built-in PNG reader, no image plugin loaded on this thread.
    QImage image(QString::fromStdString(file), "png");
    const std::lock_guard lock(mutex_);
    done_[file] = std::move(image);
    ready_.notify_all();
  }
}

std::optional<QImage> PicturePreload::take(const std::string& path) {
  PicturePreload* self = current.load();
  if (!self || !self->worker_.joinable()) return std::nullopt;
  const std::string file = key(path);
  std::unique_lock lock(self->mutex_);
  if (self->forgotten_ || !std::binary_search(self->files_.begin(), self->files_.end(), file))
    return std::nullopt;
  self->ready_.wait(lock, [&] { return self->forgotten_ || self->done_.count(file) != 0; });
  const auto found = self->done_.find(file);
  if (found == self->done_.end() || found->second.isNull()) return std::nullopt;
  return found->second;  // shared with the store until forget(): no copy of the pixels
}

void PicturePreload::forget() {
  {
    const std::lock_guard lock(mutex_);
    forgotten_ = true;
  }
  ready_.notify_all();
  if (worker_.joinable()) worker_.join();
  const std::lock_guard lock(mutex_);
  done_.clear();
}

}  // namespace kv::forms
