#pragma once
// Helpers of the Flash engine tests: waiting for states, pictures of a widget, and the movies
// the tests write with our SWF writer.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QWidget>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "media/flash/swf_writer.h"
#include "swf_shapes.h"
#include "swf_test_util.h"

namespace kv::media::test {

inline std::string ruffleDir() {
  return std::string(KORVELIN_STAGE_DIR) + "/ruffle";
}

// Runs the event loop until done() or the time is up; returns done().
inline bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 60000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < timeoutMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return done();
}

inline QImage picture(QWidget* widget) {
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline bool near(QRgb a, swf::Rgb b, int tolerance = 24) {
  return std::abs(qRed(a) - b.r) <= tolerance && std::abs(qGreen(a) - b.g) <= tolerance &&
         std::abs(qBlue(a) - b.b) <= tolerance;
}

// Waits until the widget's picture has colour c at (x, y).
inline bool waitForColour(QWidget* widget, int x, int y, swf::Rgb c, int timeoutMs = 60000) {
  return pumpUntil([&] { return near(picture(widget).pixel(x, y), c); }, timeoutMs);
}

inline constexpr swf::Rgb kBlue{0x20, 0x40, 0xC0};
inline constexpr swf::Rgb kRed{0xE0, 0x20, 0x20};
inline constexpr swf::Rgb kGreen{0x20, 0xC0, 0x40};

// A movie of `frames` frames at `fps` on a blue stage of w x h pixels with a red rectangle at
// (x, y, rw, rh); frame 1 sets x = 41; frame 3 calls fscommand("hello", "world") and sets
// y = Number(x) + 1; the last frame stops the timeline.
struct TestMovie {
  int version = 8;
  int frames = 20;
  double fps = 24;
  int w = 320, h = 240;
  int rx = 40, ry = 40, rw = 100, rh = 80;
  bool stopAtEnd = true;
  swf::Bytes frame1;  // extra actions of frame 1
};

inline swf::Bytes buildMovie(const TestMovie& t) {
  using namespace swf;
  Writer w(t.version, t.w, t.h, t.fps);
  w.background(kBlue);
  w.tag(2, rectangleShape(1, t.rx, t.ry, t.rw, t.rh, kRed));
  w.tag(26, place(1, 1));
  w.doAction(act::join({act::pushStrings({"x", "41"}), act::setVariable(), t.frame1}));
  for (int f = 1; f <= t.frames; ++f) {
    if (f == 3) {
      w.doAction(act::fscommand("hello", "world"));
      // y = Number(x) + 1 (the numeric add of SWF 4)
      w.doAction(act::join({act::pushStrings({"y", "x"}), Bytes{0x1C}, act::pushNumber(1),
                            Bytes{0x0A}, act::setVariable()}));
    }
    if (f == t.frames && t.stopAtEnd) w.doAction(act::stop());
    w.showFrame();
  }
  w.end();
  return w.build(Compression::Zlib);
}

}  // namespace kv::media::test
