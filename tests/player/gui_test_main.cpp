// main of the tests that need a real display: a private X server and a QApplication.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "media/player/mpv_core.h"
#include "xvfb_display.h"

// Mesa, D-Bus and the X libraries keep allocations until exit (some in modules already unloaded
// by then, so they cannot be told apart by name); leak reports here would only be about them.
// The headless engine tests keep leak checking.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0";
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // test discovery needs no display
  kv::test::XvfbDisplay display;
  if (!display.ok()) {
    std::fprintf(stderr, "%s\n", display.error().c_str());
    return 1;
  }
#ifdef KV_TEST_SCALE_FACTOR
  setenv("QT_SCALE_FACTOR", KV_TEST_SCALE_FACTOR, 1);
#endif
#ifndef KV_TEST_UNSHARED_CONTEXTS
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
  QApplication app(argc, argv);
  kv::media::useCNumericLocale();
  return RUN_ALL_TESTS();
}
