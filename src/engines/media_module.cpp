// korvelin-media.so: the media player component on libmpv, its video widget and the probe.

#include <memory>

#include "engines/engine_modules.h"
#include "media/player/frame_preview_mpv.h"
#include "media/player/mpv_player.h"
#include "media/player/mpv_video_widget.h"
#include "media/player/video_output.h"
#include "media/probe.h"

namespace kv::engines {
namespace {

class MpvPlayerEngine final : public PlayerEngine {
 public:
  explicit MpvPlayerEngine(bool withPicture)
      : picture_(withPicture), player_(withPicture ? onScreen() : soundOnly()) {}

  media::MediaPlayer& player() override { return player_; }
  QWidget* createPicture(QWidget* parent) override {
    return picture_ ? new media::MpvVideoWidget(player_, parent) : nullptr;
  }

 private:
  static media::MpvOptions onScreen() {
    media::MpvOptions o = media::MpvOptions::onScreen();
    o.video = media::videoOutput();
    return o;
  }
  static media::MpvOptions soundOnly() {
    media::MpvOptions o;
    o.audio = media::MpvOptions::Audio::Device;
    return o;
  }
  bool picture_;
  media::MpvPlayer player_;
};

class MpvModule final : public MediaModule {
 public:
  std::unique_ptr<PlayerEngine> createPlayer(bool withPicture) override {
    return std::make_unique<MpvPlayerEngine>(withPicture);
  }
  std::unique_ptr<media::FramePreview> createPreview() override {
    return std::make_unique<media::MpvFramePreview>();
  }
  int probe(const std::vector<std::string>& files, std::ostream& out) override {
    return media::runProbe(files, out);
  }
};

}  // namespace
}  // namespace kv::engines

extern "C" __attribute__((visibility("default"))) kv::engines::MediaModule*
korvelin_media_module() {
  static kv::engines::MpvModule module;
  return &module;
}
