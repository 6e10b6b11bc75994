#include "platform/forms/picture.h"

#include <QFileInfo>

#include "platform/forms/picture_preload.h"
#include "platform/language.h"

namespace kv::forms {

std::string shownPictureFile(const std::string& path) {
  if (shownLanguage() != Language::English) return path;
  // A picture with words in it has its English edition beside it ("promotion_en.png").
  const QFileInfo chinese(QString::fromStdString(path));
  const QFileInfo english(chinese.path() + QLatin1Char('/') + chinese.completeBaseName() +
                          QStringLiteral("_en.") + chinese.suffix());
  return english.isFile() ? english.filePath().toStdString() : path;
}

std::shared_ptr<const Picture> Picture::fromFile(const std::string& path) {
  const std::string file = shownPictureFile(path);
  if (std::optional<QImage> preloaded = PicturePreload::take(file))
    return std::make_shared<const Picture>(std::move(*preloaded));
  QImage image;
  if (!image.load(QString::fromStdString(file))) return nullptr;
  return std::make_shared<const Picture>(std::move(image));
}

}  // namespace kv::forms
