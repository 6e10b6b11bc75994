#pragma once
// The Flash component as the program sees it: each movie goes to the engine that suits it.
// Our own movies (0.swf, power.swf, recognised by their marker) run on the native runtime;
// users' movies on Ruffle. When Ruffle cannot run (its files missing, the web engine failing)
// the native runtime takes the movie (background colour, sound, embedded video) and one line
// on standard error says so.
//
// Needs a QApplication (it owns a widget), and registerRuffleScheme() called before it.

#include <QObject>
#include <QPointer>
#include <string>

#include "media/flash/flash_player.h"
#include "media/flash/flash_runtime.h"
#include "media/flash/ruffle/ruffle_flash_player.h"

class QStackedWidget;
class QWidget;

namespace kv::media::ruffle {

class FlashComponent final : public QObject, public FlashPlayer {
  Q_OBJECT

 public:
  // native: the runtime of our own movies and of the fallback; the caller keeps it (the
  // desktop view draws it on the page it supplies with setNativePage).
  FlashComponent(Clock& clock, FlashRuntime& native, RuffleFlashPlayer::Options ruffle,
                 QObject* parent = nullptr);
  ~FlashComponent() override;

  // FlashPlayer: every call goes to the engine of the current movie.
  void setMovie(const std::string& path) override;
  std::string Movie() const override { return path_; }
  void Play() override { current().Play(); }
  void Stop() override { current().Stop(); }
  void StopPlay() override { current().StopPlay(); }
  void GotoFrame(int frame) override { current().GotoFrame(frame); }
  int FrameNum() const override { return current().FrameNum(); }
  int TotalFrames() const override { return current().TotalFrames(); }
  bool IsPlaying() const override { return current().IsPlaying(); }
  int ScaleMode() const override { return scaleMode_; }
  void setScaleMode(int mode) override;
  void SetVariable(const std::string& name, const std::string& value) override {
    current().SetVariable(name, value);
  }
  std::string GetVariable(const std::string& name) const override {
    return current().GetVariable(name);
  }

  FlashEngine engine() const { return engine_; }
  FlashRuntime& native() { return native_; }
  RuffleFlashPlayer& ruffle() { return ruffle_; }

  // The widget to place at the component's geometry: a stack that shows the Ruffle view while
  // Ruffle has the movie and the native page otherwise.
  QWidget* widget() const;
  // The page that shows the native runtime (the desktop view's drawing of it). The stack takes
  // it over; a black page stands in until then.
  void setNativePage(QWidget* page);

  // The engine of the current movie changed (the widget shows another page).
  Event<> EngineChanged;

 private:
  FlashPlayer& current();
  const FlashPlayer& current() const;
  void toNative(const std::string& note);
  void setEngine(FlashEngine engine);
  void showPage();

  FlashRuntime& native_;
  Connections nativeConnections_;  // the native runtime may outlive the component
  RuffleFlashPlayer ruffle_;
  FlashEngine engine_ = FlashEngine::Native;
  std::string path_;
  int scaleMode_ = 0;
  bool fallbackAnnounced_ = false;
  QPointer<QStackedWidget> stack_;
  QPointer<QWidget> placeholder_;
  QPointer<QWidget> nativePage_;
};

}  // namespace kv::media::ruffle
