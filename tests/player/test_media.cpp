#include "test_media.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <chrono>
#include <fstream>
#include <thread>

namespace kv::test {

TestMedia::TestMedia() {
  EXPECT_TRUE(dir_.isValid());
}

std::string TestMedia::dir() const {
  return dir_.path().toStdString();
}

std::string TestMedia::generate(const std::string& name, const std::vector<std::string>& args) {
  const std::string path = dir() + "/" + name;
  if (QFile::exists(QString::fromStdString(path))) return path;
  QStringList list{"-v", "error", "-nostdin", "-y"};
  for (const auto& a : args) list << QString::fromStdString(a);
  list << QString::fromStdString(path);
  QProcess ffmpeg;
  ffmpeg.start("ffmpeg", list);
  const bool finished = ffmpeg.waitForFinished(60000);
  EXPECT_TRUE(finished && ffmpeg.exitStatus() == QProcess::NormalExit && ffmpeg.exitCode() == 0)
      << "ffmpeg failed for " << name << ": " << ffmpeg.readAllStandardError().toStdString();
  return path;
}

std::string TestMedia::clip() {
  return generate("clip.mp4",
                  {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=3", "-f", "lavfi",
                   "-i", "sine=frequency=440:duration=3", "-c:v", "libx264", "-preset", "ultrafast",
                   "-pix_fmt", "yuv420p", "-c:a", "aac", "-shortest"});
}

std::string TestMedia::tone() {
  return generate("tone.mp3",
                  {"-f", "lavfi", "-i", "sine=frequency=440:duration=1", "-c:a", "libmp3lame"});
}

std::string TestMedia::picture() {
  return generate("picture.png",
                  {"-f", "lavfi", "-i", "color=c=blue:size=64x48", "-frames:v", "1"});
}

std::string TestMedia::flashVideo() {
  return generate("video.flv", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2",
                                "-f", "lavfi", "-i", "sine=frequency=440:duration=2", "-c:v",
                                "flv1", "-c:a", "libmp3lame", "-ar", "44100", "-shortest"});
}

std::string TestMedia::red(double seconds) {
  const std::string d = std::to_string(static_cast<int>(seconds));
  return generate("red" + d + ".mp4",
                  {"-f", "lavfi", "-i", "color=c=red:size=160x120:d=" + d, "-c:v", "libx264",
                   "-preset", "ultrafast", "-pix_fmt", "yuv420p"});
}

std::string TestMedia::redWithSound() {
  return generate("redsound.mp4",
                  {"-f", "lavfi", "-i", "color=c=red:size=160x120:d=20", "-f", "lavfi", "-i",
                   "sine=frequency=550:duration=20", "-c:v", "libx264", "-preset", "ultrafast",
                   "-pix_fmt", "yuv420p", "-c:a", "aac", "-shortest"});
}

std::string TestMedia::longClip() {
  return generate("long.mp4",
                  {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=20", "-f", "lavfi",
                   "-i", "sine=frequency=330:duration=20", "-c:v", "libx264", "-preset",
                   "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", "-shortest"});
}

std::string TestMedia::textNamedMp4() {
  const std::string path = dir() + "/notes.mp4";
  std::ofstream(path) << "These are notes, not a film.\nSecond line.\n";
  return path;
}

std::string TestMedia::emptyFile() {
  const std::string path = dir() + "/empty.mp4";
  std::ofstream{path};
  return path;
}

std::string TestMedia::sparse4G() {
  const std::string path = dir() + "/huge.mp4";
  QFile file(QString::fromStdString(path));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  EXPECT_TRUE(file.resize(qint64(4) << 30));  // holes: no disk space is used
  return path;
}

std::string TestMedia::missing() const {
  return dir() + "/no such file.mp4";
}

bool pumpUntil(const std::function<bool()>& done, int timeoutMs, int* longestStallMs) {
  QElapsedTimer total;
  total.start();
  int longest = 0;
  while (!done()) {
    if (total.elapsed() >= timeoutMs) break;
    QElapsedTimer pass;
    pass.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    longest = std::max(longest, static_cast<int>(pass.elapsed()));
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (longestStallMs) *longestStallMs = longest;
  return done();
}

void pumpFor(int ms) {
  pumpUntil([] { return false; }, ms);
}

}  // namespace kv::test
