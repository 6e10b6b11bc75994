// main of the Flash engine tests: a private X server, the page's URL scheme and the browser
// engine's environment prepared before the application object exists, as the program does.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "media/flash/ruffle/ruffle_scheme.h"
#include "media/web/web_engine_environment.h"
#include "xvfb_display.h"

// The browser engine and the X libraries run in this process uninstrumented: they keep
// allocations until exit and free some objects with their own allocator conventions. Reports
// of either would only be about them; everything else stays checked.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0:new_delete_type_mismatch=0";
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // discovery needs no display
  kv::test::XvfbDisplay display;
  if (!display.ok()) {
    std::fprintf(stderr, "%s\n", display.error().c_str());
    return 1;
  }
  kv::media::prepareWebEngineEnvironment();
  kv::media::ruffle::registerRuffleScheme();
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
