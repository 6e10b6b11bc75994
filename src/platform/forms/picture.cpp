#include "platform/forms/picture.h"

namespace kv::forms {

std::shared_ptr<const Picture> Picture::fromFile(const std::string& path) {
  QImage image;
  if (!image.load(QString::fromStdString(path))) return nullptr;
  return std::make_shared<const Picture>(std::move(image));
}

}  // namespace kv::forms
