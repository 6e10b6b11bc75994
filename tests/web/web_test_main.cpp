// main of the web page tests: the browser engine's environment is prepared before the
// application object exists, as the program's main does.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "media/web/web_engine_environment.h"

// The browser engine runs inside this process, uninstrumented: it keeps allocations until exit
// and frees some objects with a size that differs from their allocation (its own allocator
// conventions). Reports of either would only be about it; everything else stays checked.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0:new_delete_type_mismatch=0";
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);  // no window on a developer's desktop either
  kv::media::prepareWebEngineEnvironment();
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
