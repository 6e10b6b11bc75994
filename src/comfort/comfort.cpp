// Files opened and left on the first player, the offer to go on where one was left, and the
// messages over the picture that follow what a person changes.

#include "comfort/comfort.h"

#include <cmath>

#include "comfort/comfort_texts.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "platform/language.h"

namespace kv::comfort {

namespace {
// A film left within this much of its start or its end has no place worth keeping: the start
// needs no offer, and the end counts as seen.
constexpr double kEdgeSeconds = 10;
}  // namespace

std::string fill(const char* text, const std::string& value) {
  std::string out = translatedText(text);
  if (const auto at = out.find("%1"); at != std::string::npos) out.replace(at, 2, value);
  return out;
}

Comfort::Comfort(media::MediaPlayer& player, ComfortHost& host, forms::MenuItem& menu,
                 forms::MenuItem& pictureMenu, FileService& files)
    : player_(player), host_(host), files_(files), menu_(menu), picture_(pictureMenu) {
  connections_ += player.PlayStateChange.connect([this](int state) { onState(state); });
  connectMenu();
  refreshMenu();
  connectPictureMenu();
  refreshPictureMenu();
}

Comfort::~Comfort() = default;

void Comfort::usePlaces(std::unique_ptr<PositionStore> positions, std::string stillsFolder) {
  if (positions) positions_ = std::move(positions);
  stillsFolder_ = std::move(stillsFolder);
}

media::Watching* Comfort::watching() const {
  return player_.watching();
}

std::optional<double> Comfort::offered() const {
  return opened_ == player_.URL() ? offer_ : std::nullopt;
}

void Comfort::onState(int state) {
  media::Watching* w = watching();
  if (!w) return;
  if (w != leftFrom_) {
    // The engine is there now (it is made after the window): hear when its files are left.
    leftFrom_ = w;
    connections_ += w->Left.connect([this](const media::LeftFile& left) { onLeft(left); });
    connections_ += w->DecoderReported.connect(
        [this](const std::string& decoder) { onDecoderReported(decoder); });
    applyLasting();
  }
  const std::string url = player_.URL();
  if (state == media::kUndefined || url.empty()) {
    opened_.clear();
    offer_.reset();
    refreshMenu();
  } else if ((state == media::kPlaying || state == media::kPaused) && url != opened_) {
    onOpened(url);
  }
}

bool Comfort::resumable(const std::string& url, double duration) const {
  return media::ClassifyForOpen(media::GetExtension(url)) == media::MediaKind::PlayerMedia &&
         duration > kResumableSeconds;
}

void Comfort::onOpened(const std::string& url) {
  opened_ = url;
  offer_.reset();
  media::Watching* w = watching();
  double duration = 0;
  step([&] { duration = player_.duration(); });
  if (resumable(url, duration)) offer_ = positions_->saved(url);
  refreshMenu();
  std::string text = w->title();
  if (offer_) {
    text += (text.empty() ? "" : "\n") + fill(texts::kResumeOffer, media::positionText(*offer_));
    say(text, kOfferMs);
  } else if (!text.empty()) {
    say(text);
  }
}

void Comfort::onLeft(const media::LeftFile& left) {
  // Before the next file opens: its delays and picture are its own.
  resetFileChoices();
  if (!resumable(left.url, left.duration)) return;
  if (left.ended || left.position >= left.duration - kEdgeSeconds)
    positions_->forget(left.url);
  else if (left.position >= kEdgeSeconds)
    positions_->remember(left.url, left.position);
  // A look at the first seconds keeps the place saved before.
}

void Comfort::windowClosing() {
  if (!watching()) return;
  media::MediaPlayer& player = player_;
  media::LeftFile left;
  left.url = player.URL();
  const int state = player.playState();
  if (left.url.empty() || state == media::kUndefined || state == media::kReady ||
      state == media::kTransitioning)
    return;
  left.ended = state == media::kStopped;
  step([&] {
    left.position = player.currentPosition();
    left.duration = player.duration();
    onLeft(left);
  });
}

void Comfort::say(const std::string& text, int ms, bool translate) {
  media::Watching* w = watching();
  if (!w || text.empty()) return;
  const std::string url = player_.URL();
  // Not over a picture of the slide show, nor when Flash or a page holds the video area.
  if (url.empty() || host_.videoAreaCovered() ||
      media::ClassifyForOpen(media::GetExtension(url)) != media::MediaKind::PlayerMedia)
    return;
  step([&] { w->showMessage(translate ? translatedText(text) : text, ms); });
}

void Comfort::sayVolume() {
  if (!watching()) return;
  int volume = 0;
  step([&] { volume = player_.volume(); });
  say(fill(texts::kVolume, std::to_string(volume)));
}

void Comfort::muteChanged() {
  if (!watching()) return;
  bool muted = false;
  step([&] { muted = player_.mute(); });
  if (muted)
    say(texts::kMuted);
  else
    sayVolume();
}

void Comfort::seekedByKey() {
  if (!watching()) return;
  media::MediaPlayer& player = player_;
  step([&] {
    say(media::positionText(player.currentPosition()) + " / " +
        media::positionText(player.duration()));
  });
}

void Comfort::volumeChanged(int volume) {
  say(fill(texts::kVolume, std::to_string(volume)));
}

void Comfort::modeChosen(const std::string& text) {
  say(text);
}

void Comfort::sayAsIs(const std::string& text) {
  say(text, kMessageMs, false);
}

}  // namespace kv::comfort
