#include "window/presentation.h"

#include "media/app_movies.h"
#include "platform/errors.h"
#include "slider/bar_setup.h"
#include "window/skin_pictures.h"

namespace kv::window {

Presentation::Presentation(Surface surface, Services& services, PresentationHost& host,
                           std::vector<ButtonPictures> pictures)
    : s_(surface), services_(services), host_(host), pictures_(std::move(pictures)) {}

std::string Presentation::appFolder() const {
  return media::withoutTrailingSeparator(services_.folders.applicationFolder());
}

void Presentation::showMuted(bool muted) {
  const SkinPicture& picture = muted ? kVolumeIconMuted : kVolumeIcon;
  step([&] {
    s_.Image37.setPicture(forms::Picture::fromFile(slider::skinPath(appFolder(), picture.file)));
  });
}

}  // namespace kv::window
