#pragma once
// The native window an MpvVideoWidget shows its player's video in, whichever output draws it.

#include <QImage>
#include <QWindow>

namespace kv::media {

class MpvPlayer;

class MpvVideoWindow {
 public:
  virtual ~MpvVideoWindow() = default;
  virtual QWindow& window() = 0;
  virtual MpvPlayer* player() const = 0;
  // The engine is connected and can show video.
  virtual bool rendering() const = 0;
  // Frames drawn into the window so far.
  virtual int framesDrawn() const = 0;
  // The picture as it is on screen, in device pixels (null before the window exists).
  virtual QImage picture() = 0;
  // What the widget around the window shows where no picture of the file is: nothing but black,
  // or the title of a file that has no picture of its own. Only the engine's own output leaves
  // that to the widget.
  virtual bool showsPicture() const { return true; }
  virtual std::string titleWithoutPicture() const { return {}; }
};

}  // namespace kv::media
