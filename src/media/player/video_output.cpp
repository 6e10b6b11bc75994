#include "media/player/video_output.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <cstdlib>
#include <filesystem>

namespace kv::media {

MpvOptions::Video chooseVideoOutput(const std::string& forced, const std::string& platform,
                                    bool (*softwareOpenGl)()) {
  if (platform != "xcb") return MpvOptions::Video::Render;
  if (forced == "x11") return MpvOptions::Video::Native;
  if (forced == "opengl") return MpvOptions::Video::Render;
  return softwareOpenGl() ? MpvOptions::Video::Native : MpvOptions::Video::Render;
}

bool openGlIsSoftware() {
  // Without a device node of the kernel's graphics drivers there is no GPU to ask.
  std::error_code error;
  if (!std::filesystem::exists("/dev/dri", error)) return true;
  QOffscreenSurface surface;
  surface.create();
  QOpenGLContext context;
  if (!context.create() || !context.makeCurrent(&surface)) return true;
  const auto* name = context.functions()->glGetString(GL_RENDERER);
  const QByteArray renderer = name ? QByteArray(reinterpret_cast<const char*>(name)) : "";
  context.doneCurrent();
  return renderer.isEmpty() || renderer.contains("llvmpipe") || renderer.contains("softpipe") ||
         renderer.contains("Software") || renderer.contains("SWR");
}

MpvOptions::Video videoOutput() {
  static const MpvOptions::Video chosen = [] {
    const char* forced = std::getenv("KORVELIN_VIDEO_OUTPUT");
    return chooseVideoOutput(forced ? forced : "", QGuiApplication::platformName().toStdString(),
                             &openGlIsSoftware);
  }();
  return chosen;
}

}  // namespace kv::media
