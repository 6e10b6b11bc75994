#pragma once
// The media player component on libmpv: one engine core per instance, driven from the GUI
// thread. Engine events arrive through the Qt event loop, so a QCoreApplication (or a
// QGuiApplication when video is shown) must exist and its loop must run.
//
// playState as this component reports it:
//   0 (undefined)     nothing opened, or after close(): the media is gone, nothing will follow
//   9 (transitioning) the file is being opened
//   3 (playing), 2 (paused), 4 (fast forward), 5 (fast reverse)
//   1 (stopped)       after stop() and when the end of the file is reached
//   10 (ready)        the file could not be played; errorText() says why
// close() reports 0 rather than 1 on purpose: the follow-up timer advances the list on 1 and the
// background music restarts on 1, and neither should happen when the user closed the media.
// A still picture plays without end (3) until it is replaced or closed.

#include <QObject>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <string>

#include "media/player/finding.h"
#include "media/player/media_player.h"
#include "media/player/mpv_core.h"
#include "media/player/watching.h"

struct mpv_event;
struct mpv_event_end_file;

namespace kv::media {

// The video window's side of the render connection, implemented by MpvVideoSurface.
class MpvRenderTarget {
 public:
  virtual ~MpvRenderTarget() = default;
  // The player is being destroyed: free the render context now, while the core still exists.
  virtual void playerDestroyed() = 0;
  // Nothing is loaded any more: repaint, so that the last picture does not stay on screen.
  virtual void mediaCleared() = 0;
};

class MpvPlayer final : public MediaPlayer, public Watching, public Finding {
 public:
  explicit MpvPlayer(const MpvOptions& options = MpvOptions::headless());
  ~MpvPlayer() override;
  MpvPlayer(const MpvPlayer&) = delete;
  MpvPlayer& operator=(const MpvPlayer&) = delete;

  void setURL(const std::string& path) override;
  std::string URL() const override { return url_; }
  void openAddress(const std::string& address) override;
  void close() override;
  int playState() const override { return state_; }

  void play() override;
  void pause() override;
  void stop() override;
  void fastForward() override;
  void fastReverse() override;
  double currentPosition() const override;
  void setCurrentPosition(double seconds) override;
  std::string currentPositionString() const override;

  double duration() const override;
  std::string durationString() const override;

  int volume() const override { return volume_; }
  void setVolume(int volume) override;
  bool mute() const override { return mute_; }
  void setMute(bool mute) override;
  int balance() const override { return balance_; }
  void setBalance(int balance) override;

  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }
  Watching* watching() override { return this; }
  Finding* finding() override { return this; }

  // Watching (mpv_watching.cpp).
  std::vector<Track> tracks() const override;
  void selectTrack(Track::Kind kind, int id) override;
  bool subtitlesShown() const override;
  void showSubtitles(bool shown) override;
  double playbackSpeed() const override { return userSpeed_; }
  void setPlaybackSpeed(double speed) override;
  void stepFrame(bool forward) override;
  void showMessage(const std::string& text, int milliseconds) override;
  std::string title() const override { return mediaTitle(); }
  MediaTags tags() const override { return file_.tags; }
  bool saveFrame(const std::string& path, bool withSubtitles) override;
  // Picture and sound (mpv_tuning.cpp).
  double choice(Choice which) const override;
  void setChoice(Choice which, double value) override;
  std::string decoder() const override;
  bool addSubtitle(const std::string& path) override;
  void setSubtitleEncoding(const std::string& encoding) override;
  // Finding (mpv_finding.cpp).
  std::vector<Chapter> chapters() const override;
  int chapter() const override;
  void setChapter(int index) override;
  std::optional<double> loopA() const override { return loopPoint("ab-loop-a"); }
  std::optional<double> loopB() const override { return loopPoint("ab-loop-b"); }
  void setLoop(std::optional<double> a, std::optional<double> b) override;
  bool loopsFile() const override;
  void setLoopsFile(bool on) override;

  // A file is open and can be positioned.
  bool hasMedia() const { return file_.loaded; }
  // Why the last file could not be played; "" while it plays or when nothing failed.
  std::string errorText() const override { return file_.error; }
  // The audio filter chain as the engine holds it (the balance filter lives there).
  std::string audioFilter() const;
  // The speed the engine plays at (above 1 while fast forwarding).
  double speed() const;

  // For the video widget.
  mpv_handle* core() const { return core_.get(); }
  // The engine is on the file asked for last and it has a picture of its own (a video track,
  // an embedded cover): what the engine draws is that file's, not the previous one's.
  bool showsPicture() const;
  // The title of the open file (its tags' title, else its file name); "" with none open.
  std::string mediaTitle() const;
  // What the video area shows in place of a picture: an audio file's title, or the message
  // given while nothing was open to draw it over (an address opening or failed); "" for none.
  std::string textWithoutPicture() const;
  bool rendersVideo() const { return options_.video != MpvOptions::Video::None; }
  const MpvOptions& options() const { return options_; }
  // The engine's own output (MpvOptions::Video::Native) draws into the native window `window`
  // from now on; 0: into nothing (frames are taken and dropped, the file plays on), before that
  // window goes. A deferred open goes ahead once there is a window.
  void showVideoIn(MpvRenderTarget* target, std::int64_t window);
  // The render context now exists: a deferred open goes ahead, lost video comes back.
  void attachRenderTarget(MpvRenderTarget* target);
  // The render context has been freed.
  void detachRenderTarget(MpvRenderTarget* target);

  // Handles what the engine reported; normally run from the event loop after a wakeup.
  void processEngineEvents();

 private:
  static void onWakeup(void* self);
  void handleEvent(const mpv_event& event);
  void onFileEnded(const mpv_event_end_file& end);
  void showRefusedSubtitle();
  void onEofReached(bool eof);
  void onVideoTrack(bool selected);
  void onChapter(std::int64_t chapter);
  void onMetadata(int format, const void* data);
  void onTimeProperty(const std::string& name, int format, const void* data);
  void readTimes();
  std::optional<double> loopPoint(const char* name) const;
  // The loops are the engine's options, which outlast a file: each file starts without them.
  void clearLoops();

  void loadNow(double startAt = 0);
  // Opens url_ (a file, or an address when address_) as the engine is told to now.
  void open(const std::string& url, bool address);
  // The engine's download helper hook (yt-dlp), on only while an address is opened.
  void allowAddressHelper(bool on);
  bool engineHasFile() const;
  bool videoSelected() const;
  void requireMedia() const;
  int computeState() const;
  void updateState();
  void setFlag(const char* name, bool value);
  void setDouble(const char* name, double value);
  bool seekTo(double seconds, const char* flags);
  void endScan();
  void reverseTick();
  void openTimedOut();
  void restoreVideo();
  // Tells Left where the open file is, before it goes.
  void reportLeaving();
  // The filter chains of the choices (mpv_tuning.cpp).
  void applyAudioFilters();
  void applyPictureFilter();

  enum class Scan { None, Forward, Reverse };

  MpvOptions options_;
  MpvHandle core_;
  QObject context_;  // receives the queued wakeups; gone with the player
  QTimer reverseTimer_;
  QTimer openTimer_;
  std::atomic<bool> wakeupQueued_{false};
  MpvRenderTarget* target_ = nullptr;
  bool renderReady_ = false;

  std::string url_;
  bool address_ = false;             // url_ is a network address a person gave, not a file
  bool helperOn_ = false;            // the engine's ytdl option as last set
  std::int64_t lastStartedId_ = -1;  // entry the engine is opening now

  // What belongs to the file set last: all of it starts afresh with every setURL and close.
  struct FileState {
    std::int64_t entryId = -1;  // playlist entry of the file we asked for
    bool pendingLoad = false;   // waiting for the render context
    bool loaded = false;
    bool failed = false;
    bool stopped = false;
    bool paused = false;
    bool eof = false;
    bool unloadedAtEnd = false;  // the engine let go of the file at its end
    bool videoLost = false;      // the render context went away while the file was open
    // A render context went away since the engine was last told to open the file: a video
    // output failure ending it is that loss, not a fault of the file.
    bool contextReplaced = false;
    // After an open or a seek the engine may report passing positions (the first packets of the
    // file, the position before the seek) until playback has restarted; they are not shown.
    bool positionSettling = false;
    double resumeAt = 0;  // where to reopen it when video lost it
    // Position and length as the engine last reported them (observed properties), so that the
    // position display's reads never wait on the engine thread.
    double timePos = 0;
    double duration = 0;
    int chapter = -1;  // as last reported
    MediaTags tags;  // observed, like the times
    std::string error;
    std::string lastLogError;
    std::string refusedSubtitle;  // a subtitle file beside it that was not loaded (its name)
    std::string note;             // a message given while it was not open, nothing to draw over
  };
  FileState file_;
  Scan scan_ = Scan::None;
  double reverseTarget_ = 0;

  double userSpeed_ = 1.0;  // the speed chosen by a person
  int volume_ = 100;
  bool mute_ = false;
  int balance_ = 0;
  bool normalise_ = false;
  // Contrast, brightness, gamma and saturation, -100..100, drawn by a video filter so that
  // every output shows them.
  int picture_[4] = {0, 0, 0, 0};
  bool enabled_ = true;
  int state_ = kUndefined;
};

}  // namespace kv::media
