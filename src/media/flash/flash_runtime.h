#pragma once
// The native Flash runtime behind the Flash player component interface.
//
// What is real: SWF reading (FWS, CWS, ZWS), the root timeline advancing at the movie's frame
// rate on the injected clock, looping like a browser plug-in, Play/Stop/StopPlay/GotoFrame,
// the frame actions the reader understands (fscommand, stop, play, gotoAndStop/gotoAndPlay to
// a constant frame or label, nextFrame/prevFrame, assignments of constants to root variables),
// root variables, FSCommand raised when the timeline reaches a frame that calls it, embedded
// video/sound streams played through a MediaPlayer, and the Flash video player movie
// (power.swf, recognised by its metadata marker) run natively with the Flash video
// protocol. What is not: vector drawing, bitmaps, text, buttons, sprites' own timelines, and
// ActionScript beyond that action scan (no expressions, branches, functions or AVM2); a view
// shows the background colour and the video picture only.
//
// Events: FSCommand of a frame reached by the clock's tick is raised from the tick; FSCommand
// of a frame reached inside a call (setMovie, GotoFrame, Play) and "oknext" are posted to the
// clock, so a handler never runs inside the caller's setter. A posted event of a movie that has
// been replaced meanwhile is dropped.

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "media/flash/flash_player.h"
#include "media/flash/swf_reader.h"
#include "media/player/media_player.h"
#include "platform/clock.h"
#include "platform/event.h"

namespace kv::media {

class FlashRuntime final : public FlashPlayer {
 public:
  using MediaPlayerFactory = std::function<std::unique_ptr<MediaPlayer>()>;

  // Frame rate used when a movie's header says 0 (the Flash authoring default), and the
  // highest rate the timeline runs at.
  static constexpr double kDefaultFrameRate = 12.0;
  static constexpr double kMaxFrameRate = 120.0;
  // The Flash video player movie: the polling interval of the video engine, and how long a
  // video may take to start, while the engine does not report it as still opening
  // (transitioning, buffering, waiting), before it counts as unplayable; then "oknext" is
  // raised so the list moves on, as it is at once when the engine reports kReady (cannot play).
  static constexpr int kVideoPollMs = 50;
  static constexpr int kVideoStartTimeoutMs = 5000;

  // clock: every tick and "now"; mediaPlayerFactory: creates the engine for Flash video and
  // embedded streams, called at most once, the first time a video is to be played (may be
  // empty: then no video plays).
  explicit FlashRuntime(Clock& clock, MediaPlayerFactory mediaPlayerFactory = {});
  ~FlashRuntime() override;
  FlashRuntime(const FlashRuntime&) = delete;
  FlashRuntime& operator=(const FlashRuntime&) = delete;

  // FlashPlayer. FrameNum and GotoFrame are 0-based like the plug-in's.
  void setMovie(const std::string& path) override;
  std::string Movie() const override { return path_; }
  void Play() override;
  void Stop() override;
  void StopPlay() override;
  void GotoFrame(int frame) override;  // clamped; keeps playing or stopped
  int FrameNum() const override { return frame_; }
  int TotalFrames() const override { return total_; }
  bool IsPlaying() const override { return movie_ != nullptr && playing_; }
  int ScaleMode() const override { return scaleMode_; }
  void setScaleMode(int mode) override;  // 0..3 (3: no scale); others throw ComponentError
  void SetVariable(const std::string& name, const std::string& value) override;
  std::string GetVariable(const std::string& name) const override;

  // What a desktop view needs.
  bool hasMovie() const { return movie_ != nullptr; }
  swf::Rgb backgroundColor() const;  // white when the movie sets none or there is no movie
  int movieWidth() const;            // stage size in pixels, 0 without a movie
  int movieHeight() const;
  double frameRate() const { return fps_; }  // the rate the timeline runs at
  bool isPlayerMovie() const { return playerMovie_; }
  // The engine that plays Flash video and embedded streams; nullptr until first needed, then
  // the same object for the runtime's life.
  MediaPlayer* videoPlayer() const { return player_.get(); }
  // Whether the picture of videoPlayer() belongs on screen now (a Flash video is loaded in the
  // player movie, or the movie carries an embedded video stream).
  bool showsVideo() const;
  const swf::Movie* movie() const { return movie_.get(); }
  // Raised (posted) when a view should look again: movie replaced, video shown or hidden.
  Event<> DisplayChanged;

 private:
  enum class VideoMode { None, Embedded, Bridge };
  using Commands = std::vector<std::pair<std::string, std::string>>;

  void closeMovie();
  void enterFrame(int frame, Commands& out);
  void advanceOneFrame(Commands& out);
  void onFrameTimer();
  void reschedule();
  void cancelFrameTimer();
  void setPlaying(bool playing);
  std::int64_t dueMs(std::int64_t frames) const;
  void postCommands(Commands commands);
  void postDisplayChanged();

  // Engine helpers.
  bool ensurePlayer();
  template <class F>
  void callPlayer(F&& f);
  void onPlayStateChange(int state);

  // Embedded streams.
  void startEmbeddedStreams();
  void syncStream(bool seek);

  // The Flash video player movie.
  void bridgeVariable(const std::string& name, const std::string& value);
  void loadVideo(const std::string& path);
  void closeVideo();
  void pollVideo();
  void videoEnded();
  void seekVideo(double seconds);
  std::optional<std::string> bridgeValue(const std::string& name) const;

  Clock& clock_;
  MediaPlayerFactory factory_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  std::string path_;
  std::shared_ptr<const swf::Movie> movie_;
  std::uint64_t generation_ = 0;
  int total_ = 0;
  int frame_ = 0;
  bool playing_ = false;
  double fps_ = kDefaultFrameRate;
  Clock::TimerId frameTimer_ = 0;
  std::int64_t anchorMs_ = 0;
  std::int64_t anchorFrames_ = 0;
  std::map<std::string, std::string> vars_;
  std::set<std::size_t> ranOnce_;  // DoInitAction actions already run
  int scaleMode_ = 0;
  bool playerMovie_ = false;
  bool displayChangePosted_ = false;

  std::unique_ptr<MediaPlayer> player_;
  int inPlayerCall_ = 0;
  VideoMode videoMode_ = VideoMode::None;
  std::string tempDir_;
  std::string tempFile_;
  bool streamHasVideo_ = false;
  bool streamPlaying_ = false;

  // Player movie state.
  std::string videoPath_;
  bool videoLoaded_ = false;
  bool videoStarted_ = false;
  bool videoEndedFlag_ = false;
  bool oknextSent_ = false;
  std::int64_t videoLoadedAt_ = 0;
  std::optional<double> pendingSeek_;
  double lastDuration_ = 0;
  Clock::TimerId pollTimer_ = 0;
};

// A call on the video engine (defined here: the timeline and the video bridge both make them).
template <class F>
void FlashRuntime::callPlayer(F&& f) {
  if (!player_) return;
  ++inPlayerCall_;
  try {
    f();
  } catch (const std::exception&) {
    // The engine refused the call: the runtime goes on as a plug-in would.
  }
  --inPlayerCall_;
}

// "12.5", "180", "0": seconds as decimal text with at most three decimals (the form of
// "curent1" and "total1").
std::string secondsText(double seconds);

}  // namespace kv::media
