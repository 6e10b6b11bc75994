#pragma once
// Which of the engine's outputs draws the video on this machine.
//
// OpenGL drawn by a real GPU is the render API (MpvVideoSurface); where OpenGL would be drawn
// in software (no GPU: llvmpipe, softpipe), the engine's own X11 output costs about half the
// CPU and needs no OpenGL at all (MpvNativeWindow). KORVELIN_VIDEO_OUTPUT=x11 or =opengl
// forces one. The embedding of the engine's own output needs X11: elsewhere it is OpenGL.

#include <string>

#include "media/player/mpv_core.h"

namespace kv::media {

// The choice for an environment value ("x11", "opengl", anything else: none), the platform
// name of the toolkit ("xcb", "wayland", "offscreen"...) and what probing OpenGL would say;
// the probe runs only when the choice depends on it.
MpvOptions::Video chooseVideoOutput(const std::string& forced, const std::string& platform,
                                    bool (*softwareOpenGl)());

// The choice for this process (the environment, the running toolkit, this machine), made once.
MpvOptions::Video videoOutput();

// OpenGL on this display is drawn in software (or is not there at all).
bool openGlIsSoftware();

}  // namespace kv::media
