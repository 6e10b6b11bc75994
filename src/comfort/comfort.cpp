// Files opened and left on the first player, the offer to go on where one was left, and the
// messages over the picture that follow what a person changes.

#include "comfort/comfort.h"

#include <cmath>

#include "app/form1.h"
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

Comfort::Comfort(app::Form1& form) : form_(form), menu_(form.comfortMenu) {
  media::MediaPlayer& player = form.WindowsMediaPlayer1.object();
  connections_ += player.PlayStateChange.connect([this](int state) { onState(state); });
  connections_ += form.KeyDown.connect([this](int key, int shift) { onKey(key, shift); });
  connections_ += form.Unload_.connect([this] { onUnload(); });
  // The bar moves before the player is told: its value is the new volume.
  connections_ += form.volume.Changed.connect(
      [this](int& value, int&) { say(fill(texts::kVolume, std::to_string(value))); });
  connections_ += form.BUT9A.Click.connect([this] { sayVolume(); });
  connections_ += form.BUT9B.Click.connect([this] { sayVolume(); });
  connections_ +=
      form.menu.ItemChanged.connect([this](forms::MenuItem& item) { onMenuItemChanged(item); });
  connectMenu();
  refreshMenu();
}

Comfort::~Comfort() = default;

void Comfort::usePlaces(std::unique_ptr<PositionStore> positions, std::string stillsFolder) {
  if (positions) positions_ = std::move(positions);
  stillsFolder_ = std::move(stillsFolder);
}

media::Watching* Comfort::watching() const {
  return form_.WindowsMediaPlayer1.object().watching();
}

std::optional<double> Comfort::offered() const {
  return opened_ == form_.WindowsMediaPlayer1.object().URL() ? offer_ : std::nullopt;
}

void Comfort::onState(int state) {
  media::Watching* w = watching();
  if (!w) return;
  if (w != leftFrom_) {
    // The engine is there now (it is made after the window): hear when its files are left.
    leftFrom_ = w;
    connections_ += w->Left.connect([this](const media::LeftFile& left) { onLeft(left); });
  }
  const std::string url = form_.WindowsMediaPlayer1.object().URL();
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
  step([&] { duration = form_.WindowsMediaPlayer1.object().duration(); });
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
  if (!resumable(left.url, left.duration)) return;
  if (left.ended || left.position >= left.duration - kEdgeSeconds)
    positions_->forget(left.url);
  else if (left.position >= kEdgeSeconds)
    positions_->remember(left.url, left.position);
  // A look at the first seconds keeps the place saved before.
}

void Comfort::onUnload() {
  if (!watching()) return;
  media::MediaPlayer& player = form_.WindowsMediaPlayer1.object();
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

void Comfort::say(const std::string& text, int ms) {
  media::Watching* w = watching();
  if (!w || text.empty()) return;
  const std::string url = form_.WindowsMediaPlayer1.object().URL();
  // Not over a picture of the slide show, nor when Flash or a page holds the video area.
  if (url.empty() || form_.ShockwaveFlash1.Visible() || form_.WebBrowser1.Visible() ||
      media::ClassifyForOpen(media::GetExtension(url)) != media::MediaKind::PlayerMedia)
    return;
  step([&] { w->showMessage(translatedText(text), ms); });
}

void Comfort::sayVolume() {
  if (!watching()) return;
  int volume = 0;
  step([&] { volume = form_.WindowsMediaPlayer1.object().volume(); });
  say(fill(texts::kVolume, std::to_string(volume)));
}

void Comfort::muteChanged() {
  if (!watching()) return;
  bool muted = false;
  step([&] { muted = form_.WindowsMediaPlayer1.object().mute(); });
  if (muted)
    say(texts::kMuted);
  else
    sayVolume();
}

void Comfort::seekedByKey() {
  if (!watching()) return;
  media::MediaPlayer& player = form_.WindowsMediaPlayer1.object();
  step([&] {
    say(media::positionText(player.currentPosition()) + " / " +
        media::positionText(player.duration()));
  });
}

void Comfort::onMenuItemChanged(forms::MenuItem& item) {
  if (!item.Checked()) return;
  struct Named {
    forms::MenuItem* item;
    std::string text;
  };
  const Named named[] = {
      {&form_.BUT2, texts::kNativeSize},          {&form_.BUT0, texts::kTheatre},
      {&form_.BUT1, texts::kFullScreen},          {&form_.BUT17, texts::kStretch},
      {&form_.BUT8A, fill(texts::kZoom, "50%")},  {&form_.BUT8B, fill(texts::kZoom, "100%")},
      {&form_.BUT8C, fill(texts::kZoom, "150%")}, {&form_.BUT8D, fill(texts::kZoom, "200%")},
  };
  for (const Named& n : named)
    if (n.item == &item) say(n.text);
}

}  // namespace kv::comfort
