#pragma once
// The open step: hands a file of a kind to its engine the way a route (file list, browse tab,
// command line) hands that kind over. It takes its collaborators: the components, the file
// list (for the route's pattern), the timers the table switches and the window's layout calls.

#include <functional>
#include <string>

#include "media/components.h"
#include "media/open_layout.h"
#include "media/open_routes.h"
#include "platform/forms/lists.h"
#include "platform/forms/timer.h"

namespace kv::media {

// The window's timers an open switches.
struct OpenStepTimers {
  forms::Timer& slideShow;    // Timer1
  forms::Timer& flashStart;   // Timer2
  forms::Timer& followUp;     // Timer4
  forms::Timer& listSearch;   // Timer6
  forms::Timer& position;     // Timer8
  forms::Timer& videoSearch;  // Timer10
};

class OpenStep {
 public:
  OpenStep(Components& components, forms::FileListBox& list, OpenStepTimers timers,
           OpenLayout& layout, std::function<std::string()> appFolder);

  // Hands `path` of `kind` to its engine the way `route` does.
  void open(OpenRoute route, MediaKind kind, const std::string& path);
  // Idle movie, then the player movie, then the video path and Play.
  void loadFlashVideo(const std::string& path);
  // Idle movie, then a fresh player movie with no video.
  void resetPlayerMovie();

 private:
  void switchTimers(const OpenTimers& timers, bool on);
  void loadFlash(FlashLoad load, const std::string& path);

  Components& components_;
  forms::FileListBox& list_;
  OpenStepTimers timers_;
  OpenLayout& layout_;
  std::function<std::string()> appFolder_;
};

}  // namespace kv::media
