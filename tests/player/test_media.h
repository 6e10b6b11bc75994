#pragma once
// Media generated with ffmpeg at test time into a temporary folder, and waiting on the engine
// by running the Qt event loop with a bound in real time.

#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

namespace kv::test {

class TestMedia {
 public:
  TestMedia();
  std::string dir() const;
  std::string clip();               // 3 s, 320x240 video with a 440 Hz tone
  std::string tone();               // 1 s of 440 Hz sound only
  std::string picture();            // a PNG picture
  std::string flashVideo();         // 2 s .flv
  std::string red(double seconds);  // solid red 160x120 video
  std::string redWithSound();       // 20 s of solid red with a tone
  std::string longClip();           // 20 s video with sound
  std::string textNamedMp4();       // a text file with a video name
  std::string emptyFile();          // zero bytes
  std::string sparse4G();           // 4 GiB of holes
  std::string missing() const;      // a path where no file is
  // A grey 320x240 video of the length, with sound, under the name.
  std::string grey(const std::string& name, int seconds);
  // A film of 6 min 10 s (grey 320x240, 2 frames a second): audio tracks "chi" titled "国语"
  // and "eng" titled "Commentary", subtitle tracks SRT "chi" ("中文字幕") and ASS "eng".
  std::string film();
  // Writes the bytes to the path under dir(), making its folders; returns the path.
  std::string write(const std::string& relative, const std::string& bytes);
  // Runs ffmpeg with the arguments into name unless it exists; fails the test on error.
  std::string generate(const std::string& name, const std::vector<std::string>& args);

 private:
  QTemporaryDir dir_;
};

// Runs the event loop until done() or timeoutMs passed; returns done(). When longestStallMs is
// given it receives the longest time one pass of the loop took (a hung GUI thread shows there).
bool pumpUntil(const std::function<bool()>& done, int timeoutMs, int* longestStallMs = nullptr);
// Runs the event loop for ms.
void pumpFor(int ms);

}  // namespace kv::test
