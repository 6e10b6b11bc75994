#include "media/web/web_engine_environment.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QString>
#include <cstdlib>
#include <cstring>

namespace kv::media {

namespace {

bool envSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

bool headless() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform &&
      (std::strncmp(platform, "offscreen", 9) == 0 || std::strncmp(platform, "minimal", 7) == 0))
    return true;
  return !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY");
}

void appendChromiumFlags(const char* flags) {
  QByteArray all = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (all.contains(flags)) return;
  if (!all.isEmpty()) all += ' ';
  all += flags;
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", all);
}

}  // namespace

void prepareWebEngineEnvironment() {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // The browser sandbox refuses to run as root; anyone else keeps it.
  if (geteuid() == 0 && !envSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (headless()) appendChromiumFlags("--disable-gpu --disable-gpu-compositing");
}

}  // namespace kv::media
