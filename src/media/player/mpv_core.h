#pragma once
// Creating and configuring one libmpv core, shared by the player and the probe.

#include <memory>
#include <string>

#include "platform/large_blocks.h"

struct mpv_handle;

namespace kv::media {

// libmpv refuses to start unless LC_NUMERIC is "C"; the Qt application sets the user's
// locale when it is constructed, so call this right after creating it (main does).
void useCNumericLocale();

// Small blocks freed with the last file's decoders sit in the middle of the arenas, where glibc
// never gives them back on its own: hands their whole pages to the system. Called once a new
// file is loaded, when the previous file's threads are gone.
void returnFreedPages();

struct MpvOptions {
  enum class Video {
    None,    // vo=null: frames are decoded and dropped (tests, background music, probing)
    Render,  // vo=libmpv: frames go to an MpvVideoWidget through the render API
    // The engine's own X11 output (XVideo where the server has it) draws, on a thread of its
    // own, into the native window of an MpvVideoWidget; no OpenGL at all.
    Native,
  };
  enum class Audio {
    None,     // ao=null
    Device,   // the system's sound output, silently null when there is none
    PcmFile,  // raw samples written to pcmFile (sound checks)
  };
  Video video = Video::None;
  Audio audio = Audio::None;
  std::string pcmFile;
  bool startPaused = false;
  // A file still not open after this long cannot be played (a pipe with no writer, a stalled
  // mount); 0 waits for ever.
  int openTimeoutMs = 15000;

  static MpvOptions headless() { return {}; }
  static MpvOptions onScreen() {
    MpvOptions o;
    o.video = Video::Render;
    o.audio = Audio::Device;
    return o;
  }
};

struct MpvHandleDeleter {
  void operator()(mpv_handle* h) const;
};
using MpvHandle = std::unique_ptr<mpv_handle, MpvHandleDeleter>;

// A core with the options set and initialised; throws ComponentError when libmpv refuses.
MpvHandle createMpvCore(const MpvOptions& options);

}  // namespace kv::media
