#include "slider/bar_setup.h"

#include "slider/tvate.h"

namespace kv::slider {

std::string skinPath(const std::string& applicationFolder, const std::string& file) {
  if (applicationFolder.empty()) return file;
  if (applicationFolder.back() == '/') return applicationFolder + file;
  return applicationFolder + "/" + file;
}

void applySkin(tVate& bar, const forms::PictureRef& skin, const SkinLayout& layout) {
  bar.setPicture(skin, layout.capLeft, layout.capRight, layout.playedTile, layout.remainingTile,
                 layout.thumb);
}

}  // namespace kv::slider
