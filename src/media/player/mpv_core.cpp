#include "media/player/mpv_core.h"

#include <malloc.h>
#include <mpv/client.h>

#include <clocale>
#include <cstdlib>

#include "media/player/track_languages.h"
#include "platform/errors.h"

namespace kv::media {

void useCNumericLocale() {
  std::setlocale(LC_NUMERIC, "C");
}

void MpvHandleDeleter::operator()(mpv_handle* h) const {
  mpv_terminate_destroy(h);
}

namespace {

void set(mpv_handle* h, const char* name, const std::string& value) {
  const int rc = mpv_set_option_string(h, name, value.c_str());
  if (rc < 0)
    throw ComponentError(std::string("media engine option ") + name + ": " + mpv_error_string(rc));
}

}  // namespace

void returnFreedPages() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

MpvHandle createMpvCore(const MpvOptions& options) {
  // Qt may have switched the numeric locale since start-up; mpv_create refuses anything but C.
  useCNumericLocale();
  keepLargeBlocksInOwnMappings();
  MpvHandle core(mpv_create());
  if (!core) throw ComponentError("the media engine could not be created");
  mpv_handle* h = core.get();

  // A component, not a command line player: no user configuration, scripts, key bindings,
  // on-screen controller, terminal output or network helpers.
  set(h, "config", "no");
  set(h, "terminal", "no");
  set(h, "load-scripts", "no");
  set(h, "input-default-bindings", "no");
  set(h, "input-vo-keyboard", "no");
  set(h, "osc", "no");
  set(h, "ytdl", "no");
  // The built-in scripts ignore load-scripts: each would start a Lua thread of its own in every
  // core (stats overlay, OSD console), and auto profiles one more when a profile asks for it.
  set(h, "load-stats-overlay", "no");
  set(h, "load-osd-console", "no");
  set(h, "load-auto-profiles", "no");
  set(h, "resume-playback", "no");
  set(h, "idle", "yes");
  // The last frame stays at the end (stopped, not unloaded) and a picture never ends.
  set(h, "keep-open", "yes");
  set(h, "image-display-duration", "inf");
  set(h, "pause", options.startPaused ? "yes" : "no");

  // Subtitles beside the video: "clip.srt", "clip.zh.srt", "clip.chs.ass", also in a Subs or
  // 字幕 folder there. UTF-8 is recognised; other files are read in the desktop language's
  // older encoding (GBK for Chinese), which short files would make the engine's guess miss.
  set(h, "sub-auto", "fuzzy");
  set(h, "sub-file-paths", "Subs:字幕");
  set(h, "sub-codepage", desktopSubtitleCodepage());
  // Embedded tracks in the desktop's languages first.
  if (const std::string languages = desktopTrackLanguages(); !languages.empty()) {
    set(h, "slang", languages);
    set(h, "alang", languages);
  }
  // Messages over the picture only when asked for, short, and in the program's font.
  set(h, "osd-on-seek", "no");
  set(h, "osd-duration", "1500");
  set(h, "osd-font", "Noto Sans CJK SC");
  set(h, "osd-font-size", "40");
  set(h, "sub-font", "Noto Sans CJK SC");
  // The engine's safe automatic choice of a hardware decoder; software where none works.
  set(h, "hwdec", "auto-safe");

  switch (options.video) {
    case MpvOptions::Video::None:
      set(h, "vo", "null");
      break;
    case MpvOptions::Video::Render:
      set(h, "vo", "libmpv");
      // The widget renders on the GUI thread; never let a render call wait for display time.
      set(h, "video-timing-offset", "0");
      break;
    case MpvOptions::Video::Native:
      // No output until the video widget hands over its window (MpvPlayer::showVideoIn).
      set(h, "vo", "null");
      // The window is ours: the pointer, the keys and the screen saver stay with the program.
      set(h, "input-cursor", "no");
      set(h, "cursor-autohide", "no");
      set(h, "stop-screensaver", "no");
      break;
  }
  switch (options.audio) {
    case MpvOptions::Audio::None:
      set(h, "ao", "null");
      break;
    case MpvOptions::Audio::Device:
      set(h, "audio-fallback-to-null", "yes");
      break;
    case MpvOptions::Audio::PcmFile:
      set(h, "ao", "pcm");
      set(h, "ao-pcm-file", options.pcmFile);
      set(h, "ao-pcm-waveheader", "no");
      break;
  }

  const int rc = mpv_initialize(h);
  if (rc < 0) throw ComponentError(std::string("media engine start: ") + mpv_error_string(rc));
  return core;
}

}  // namespace kv::media
