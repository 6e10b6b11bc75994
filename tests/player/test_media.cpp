#include "test_media.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <chrono>
#include <fstream>
#include <sstream>
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

std::string TestMedia::grey(const std::string& name, int seconds) {
  const std::string d = std::to_string(seconds);
  return generate(
      name, {"-f", "lavfi", "-i", "color=c=gray:size=320x240:rate=5:d=" + d, "-f", "lavfi", "-i",
             "sine=frequency=440:duration=" + d, "-c:v", "libx264", "-preset", "ultrafast",
             "-pix_fmt", "yuv420p", "-c:a", "aac", "-shortest"});
}

std::string TestMedia::film() {
  const std::string srt =
      write("film-source/zh.srt", "1\n00:00:00,000 --> 00:06:00,000\n中文字幕\n\n");
  const std::string ass =
      write("film-source/en.ass",
            "[Script Info]\nScriptType: v4.00+\nPlayResX: 320\nPlayResY: 240\n\n"
            "[V4+ Styles]\nFormat: Name, Fontsize, PrimaryColour, Alignment, "
            "MarginV\nStyle: Default,20,&H00FFFFFF,2,10\n\n[Events]\nFormat: "
            "Layer, Start, End, Style, Text\nDialogue: 0,0:00:00.00,0:06:00.00,"
            "Default,English\n");
  // Two audio and two subtitle tracks with language tags; no subtitle shown unless chosen.
  std::vector<std::string> args{"-i", srt, "-i", ass};
  std::istringstream words(
      "-f lavfi -i color=c=gray:size=320x240:rate=2:d=370 -f lavfi -i "
      "sine=frequency=440:duration=370 -f lavfi -i sine=frequency=660:duration=370 -map 2 -map 3 "
      "-map 4 -map 0 -map 1 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 32k "
      "-c:s:0 srt -c:s:1 ass -metadata:s:a:0 language=chi -metadata:s:a:0 title=国语 "
      "-metadata:s:a:1 language=eng -metadata:s:a:1 title=Commentary -metadata:s:s:0 "
      "language=chi -metadata:s:s:1 language=eng -disposition:s:0 0 -disposition:s:1 0");
  for (std::string w; words >> w;) args.push_back(w);
  return generate("film.mkv", args);
}

std::string TestMedia::write(const std::string& relative, const std::string& bytes) {
  const std::string path = dir() + "/" + relative;
  QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
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
