#pragma once
// The desktop's shell: addresses opened with the user's handler, programs started, and the
// compiled help file shown at a topic.

#include <string>

namespace kv {

class ShellService {
 public:
  virtual ~ShellService() = default;
  // Opens a web or mail address (or a local page of ours) with the desktop's handler; false
  // when nothing could open it. Never reported to the user.
  virtual bool openUrl(const std::string& url) = 0;
  // Starts a program with normal focus; false when it cannot be started.
  virtual bool startProgram(const std::string& path) = 0;
};

class HelpService {
 public:
  virtual ~HelpService() = default;
  // Shows topic of the compiled help file at chmPath in the help window; a missing or damaged
  // file is explained in that window. Returns whether the topic could be shown.
  virtual bool showTopic(const std::string& chmPath, const std::string& topic) = 0;
};

}  // namespace kv
