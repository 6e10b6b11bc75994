#include "bench_tools.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace kv::bench {

std::string makeClip720p(const std::string& dir, int seconds, bool sound) {
  return makeClip(dir, seconds, "1280x720", sound);
}

std::string makeClip(const std::string& dir, int seconds, const std::string& size, bool sound) {
  const std::string name = size == "1280x720" ? "720p" : size;
  const std::string path =
      dir + "/clip" + name + "_" + std::to_string(seconds) + (sound ? "s.mp4" : "s_silent.mp4");
  if (QFile::exists(QString::fromStdString(path))) return path;
  const QString d = QString::number(seconds);
  QStringList args{
      "-v",       "error",
      "-nostdin", "-y",
      "-f",       "lavfi",
      "-i",       "testsrc2=size=" + QString::fromStdString(size) + ":rate=25:duration=" + d};
  if (sound)
    args << "-f"
         << "lavfi"
         << "-i"
         << "sine=frequency=440:duration=" + d;
  args << "-c:v"
       << "libx264"
       << "-preset"
       << "veryfast"
       << "-pix_fmt"
       << "yuv420p";
  if (sound)
    args << "-c:a"
         << "aac"
         << "-shortest";
  args << QString::fromStdString(path);
  QProcess ffmpeg;
  ffmpeg.start("ffmpeg", args);
  if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0)
    throw std::runtime_error("ffmpeg failed: " + ffmpeg.readAllStandardError().toStdString());
  return path;
}

double processCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
         usage.ru_stime.tv_usec / 1e6;
}

double nowSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool pumpUntil(const std::function<bool()>& done, double timeoutSeconds) {
  const double end = nowSeconds() + timeoutSeconds;
  while (!done() && nowSeconds() < end) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return done();
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace kv::bench
