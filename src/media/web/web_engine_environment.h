#pragma once
// What the browser engine needs from the process before the application object exists.

namespace kv::media {

// Call in main before constructing the QApplication: shares OpenGL contexts (the browser
// engine and the video widget both need it), turns the browser sandbox off only when running as
// root (where it cannot start), keeps WebRTC off UDP, and, without a display, keeps the engine
// off the GPU.
// Settings the user made in the environment are kept. With shareContextsNow false the OpenGL
// part is left to shareOpenGLContexts(), so that a program can paint its first window before
// any OpenGL driver is loaded.
void prepareWebEngineEnvironment(bool shareContextsNow = true);

// The switch that keeps WebRTC off UDP, which prepareWebEngineEnvironment adds to the engine's
// flags.
extern const char* const kWebRtcPolicyFlag;

// Makes every OpenGL context made from now on share with one global context, as the browser
// engine needs, after the application object exists. Call before the first OpenGL widget or
// browser view is made; calling it again does nothing. False when no context can be made.
bool shareOpenGLContexts();

}  // namespace kv::media
