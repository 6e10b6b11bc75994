#pragma once
// The Flash component on Ruffle: users' movies drawn, heard and scripted by Ruffle in one
// long-lived web page (created with the first movie, kept for the next).
//
// How each call is served:
// - setMovie, Play, Stop, StopPlay, ScaleMode, FSCommand: directly. Stop and StopPlay stop the
//   timeline and suspend the whole player (no drawing, no sound, no CPU) until Play.
// - FrameNum, GotoFrame, IsPlaying, SetVariable, GetVariable, by tier (ruffle_movie.h): with
//   the action block (SWF 8+ ActionScript 1/2) exactly, the page pushing frame and play state
//   as they change so that FrameNum and IsPlaying read a cached value; GetVariable asks the
//   page and waits for its answer (bounded). With the built-in menu: GotoFrame by Rewind and
//   Forward, IsPlaying from the Play mark (read once a second), FrameNum from the timeline
//   model; variables from the model. With the model alone: the native runtime's timeline
//   model, not the picture.
// - FSCommand arrives from the page in batches (consecutive repeats merged, at most 32 distinct
//   commands per 40 ms) and is raised posted to the clock, never inside a call of ours; at
//   most kMaxPendingCommands wait at any time, the rest are dropped.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "media/flash/flash_player.h"
#include "media/flash/flash_runtime.h"
#include "media/flash/ruffle/ruffle_movie.h"
#include "media/flash/ruffle/ruffle_storage.h"
#include "platform/clock.h"
#include "platform/event.h"

class QEventLoop;
class QJsonObject;
class QWidget;

namespace kv::media::ruffle {

class RufflePage;

class RuffleFlashPlayer final : public QObject, public FlashPlayer {
  Q_OBJECT

 public:
  static constexpr std::size_t kMaxPendingCommands = 64;

  struct Options {
    std::string ruffleDir;      // the engine's files (staged beside the executable)
    int stuckMs = 10'000;       // a page silent this long is reloaded
    int maxScriptSeconds = 5;   // the engine interrupts a movie's script after this long
    int variableWaitMs = 1000;  // GetVariable waits this long at most for the page's answer
    std::string storeFolder{};  // movies' shared objects ("": ruffle_storage.h's default)
  };

  RuffleFlashPlayer(Clock& clock, Options options, QObject* parent = nullptr);
  ~RuffleFlashPlayer() override;

  // FlashPlayer. FrameNum and GotoFrame are 0-based like the plug-in's.
  void setMovie(const std::string& path) override;
  std::string Movie() const override { return path_; }
  void Play() override;
  void Stop() override;
  void StopPlay() override;
  void GotoFrame(int frame) override;
  int FrameNum() const override;
  int TotalFrames() const override { return loaded_ ? total_ : 0; }
  bool IsPlaying() const override;
  int ScaleMode() const override { return scaleMode_; }
  void setScaleMode(int mode) override;  // 0..3 (3: no scale); others throw ComponentError
  void SetVariable(const std::string& name, const std::string& value) override;
  std::string GetVariable(const std::string& name) const override;

  // For the component that picks the engine: a movie already read and checked by the reader.
  void load(const std::string& path, std::shared_ptr<const std::vector<std::uint8_t>> file,
            const swf::Movie& movie);
  // Drops the current movie (another engine takes over); the page stays for the next one.
  void unload();

  // Whether the engine can take movies: its files are there, the page's scheme is registered
  // and the page has not failed. reason() says why not.
  bool available() const;
  std::string reason() const;
  bool hasMovie() const { return loaded_; }
  SeekTier tier() const { return tier_; }
  bool tierDecided() const { return tierDecided_; }
  bool painted() const { return painted_; }
  // How many movies the page was asked to load.
  int loadsSent() const { return loadsSent_; }
  // The page has applied the last Play, Stop, StopPlay or GotoFrame and reported back.
  bool stateConfirmed() const { return loaded_ && confirmedSeq_ >= seq_; }
  // The page's view: nullptr until the first movie.
  QWidget* view() const;
  RufflePage* page() const { return page_.get(); }

  // The engine cannot run at all (raised posted): the movie should go to another engine.
  Event<> EngineFailed;
  // The engine could not run the current movie (raised posted).
  Event<> MovieFailed;
  // The current movie's first frame is on screen.
  Event<> Painted;

 private:
  void ensurePage();
  void closeMovie();
  void dropMovie(const std::string& why);
  void request(QJsonObject op, bool changesState);
  void onMessage(const QJsonObject& message);
  void onState(const QJsonObject& message);
  void onTier(SeekTier tier);
  void useModel();
  void queueCommands(const QJsonObject& message);
  void keepStore(const QJsonObject& message);
  void writeStores();
  void postFlush();
  void flushCommands();
  std::optional<std::string> askPage(const std::string& name);
  std::string localVariable(const std::string& name) const;
  void postEvent(Event<>& event);

  Clock& clock_;
  Options options_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::unique_ptr<RufflePage> page_;

  std::string path_;
  std::uint64_t generation_ = 0;
  bool loaded_ = false;
  int total_ = 0;
  int width_ = 0;
  int height_ = 0;
  int scaleMode_ = 0;
  SeekTier tier_ = SeekTier::Model;
  bool tierDecided_ = false;
  bool painted_ = false;
  bool metaSeen_ = false;
  bool touched_ = false;  // stopped, sought or given a variable since it was loaded
  std::shared_ptr<const std::vector<std::uint8_t>> original_;  // the file as read
  int loadsSent_ = 0;
  MovieStore store_;
  // The folders of the last movies by generation: a movie's objects written as it is unloaded
  // arrive after the next one was asked for.
  std::map<std::uint64_t, QString> storeFolders_;
  // Stores reported and not yet written: at most five writes a second, the last at the end.
  std::map<QString, QJsonObject> pendingStores_;
  QTimer storeTimer_;

  // Cached state (action tier) and the program's own play/pause.
  int frame_ = 0;
  bool timelinePlaying_ = true;
  bool paused_ = false;
  int seq_ = 0;
  int confirmedSeq_ = 0;
  std::optional<int> pendingGoto_;  // a seek made before the model was loaded

  std::unique_ptr<FlashRuntime> model_;  // menu and model tiers
  std::map<std::string, std::string> vars_;

  std::deque<std::pair<std::string, std::string>> commands_;
  std::size_t droppedCommands_ = 0;
  bool flushPosted_ = false;
  bool flushAfterWait_ = false;

  // A GetVariable waiting for the page.
  int nextQuestion_ = 0;
  int question_ = 0;
  std::optional<std::string> answer_;
  QEventLoop* waitLoop_ = nullptr;
};

}  // namespace kv::media::ruffle
