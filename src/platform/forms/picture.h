#pragma once
// A picture held by an image, a picture box or the picture store.

#include <QImage>
#include <memory>
#include <string>

namespace kv::forms {

class Picture {
 public:
  explicit Picture(QImage image) : image_(std::move(image)) {}
  static std::shared_ptr<const Picture> fromFile(const std::string& path);  // null when unreadable

  const QImage& image() const { return image_; }
  int widthPixels() const { return image_.width(); }
  int heightPixels() const { return image_.height(); }
  // Size in HIMETRIC (0.01 mm) at the design's 96 pixels per inch.
  double widthHimetric() const { return image_.width() * kHimetricPerPixel; }
  double heightHimetric() const { return image_.height() * kHimetricPerPixel; }

  static constexpr double kHimetricPerPixel = 2540.0 / 96.0;

 private:
  QImage image_;
};

using PictureRef = std::shared_ptr<const Picture>;

// The file a picture is read from: in English its English edition beside it, when there is one.
std::string shownPictureFile(const std::string& path);

}  // namespace kv::forms
