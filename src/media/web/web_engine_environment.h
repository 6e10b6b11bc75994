#pragma once
// What the browser engine needs from the process before the application object exists.

namespace kv::media {

// Call in main before constructing the QApplication: shares OpenGL contexts (the browser
// engine and the video widget both need it), turns the browser sandbox off only when running as
// root (where it cannot start), and, without a display, keeps the engine off the GPU.
// Settings the user made in the environment are kept.
void prepareWebEngineEnvironment();

}  // namespace kv::media
