#include "media/web/web_engine_environment.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QString>
#include <cstdlib>
#include <cstring>

// Qt's own global share context (exported by Qt GUI, used by its browser engine the same way).
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

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

const char* const kWebRtcPolicyFlag = "--force-webrtc-ip-handling-policy=disable_non_proxied_udp";

void prepareWebEngineEnvironment(bool shareContextsNow) {
  if (shareContextsNow) QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // The browser sandbox refuses to run as root; anyone else keeps it.
  if (geteuid() == 0 && !envSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (headless()) appendChromiumFlags("--disable-gpu --disable-gpu-compositing");
  // No page of ours needs peer-to-peer media. A Flash movie that got script into its page could
  // otherwise send a person's files as UDP packets (STUN, TURN, media) that no request
  // interceptor sees; the web engine sends WebRTC over UDP only through a proxy, and we use none.
  appendChromiumFlags(kWebRtcPolicyFlag);
}

bool shareOpenGLContexts() {
  if (qt_gl_global_share_context()) return true;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
  // What the application object does at its start when the attribute is set before it: one
  // global context that every later context (video widgets, the browser's) shares with.
  auto* context = new QOpenGLContext(QCoreApplication::instance());
  if (!context->create()) {
    delete context;
    return false;
  }
  // Contexts made from now on (each window's, the browser's) share with it; the attribute that
  // would make the application object do this cannot be set once it exists.
  qt_gl_set_global_share_context(context);
  return true;
}

}  // namespace kv::media
