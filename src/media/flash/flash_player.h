#pragma once
// The Flash player component, as the program uses it. Calls that cannot be honoured throw
// ComponentError.

#include <string>

#include "platform/event.h"

namespace kv::media {

class FlashPlayer {
 public:
  virtual ~FlashPlayer() = default;

  // Replaces the current movie by the file at path and starts it; a file that cannot be
  // read leaves the component empty.
  virtual void setMovie(const std::string& path) = 0;
  virtual std::string Movie() const = 0;
  virtual void Play() = 0;
  virtual void Stop() = 0;      // halts at the current frame
  virtual void StopPlay() = 0;  // pauses
  virtual void GotoFrame(int frame) = 0;
  virtual int FrameNum() const = 0;
  virtual int TotalFrames() const = 0;
  virtual bool IsPlaying() const = 0;
  virtual int ScaleMode() const = 0;
  virtual void setScaleMode(int mode) = 0;  // 0 show all, 1 no border, 2 exact fit
  virtual void SetVariable(const std::string& name, const std::string& value) = 0;
  virtual std::string GetVariable(const std::string& name) const = 0;

  Event<std::string, std::string> FSCommand;  // command, arguments
};

}  // namespace kv::media
