#pragma once
// A private X server for one test process, so that OpenGL and browser tests run the same on a
// developer's desktop, on a machine without a display and in parallel with other tests.
// The server holds none of the test's standard streams and is killed when the test process
// ends, also when it ends without running destructors.

#include <sys/types.h>

#include <string>

namespace kv::test {

class XvfbDisplay {
 public:
  // Starts Xvfb on a free display number and points DISPLAY and Qt's platform at it.
  XvfbDisplay();
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  bool ok() const { return pid_ > 0 && !name_.empty(); }
  const std::string& name() const { return name_; }
  const std::string& error() const { return error_; }
  pid_t serverPid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
  std::string error_;
};

}  // namespace kv::test
