#include "browser/file_panel.h"
#include "media/app_movies.h"

namespace kv::browser {

FilePanel::FilePanel(PanelControls controls, Services& services, playback::PlaybackSession& session,
                     PanelHost& host, std::string& startFileName)
    : c_(controls),
      services_(services),
      session_(session),
      host_(host),
      startFileName_(startFileName) {}

std::string FilePanel::appFolder() const {
  return media::withoutTrailingSeparator(services_.folders.applicationFolder());
}

}  // namespace kv::browser
