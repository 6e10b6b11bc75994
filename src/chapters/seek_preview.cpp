#include "chapters/seek_preview.h"

#include <algorithm>

#include "chapters/chapters_texts.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "platform/input_codes.h"
#include "platform/language.h"

namespace kv::chapters {

namespace {

constexpr float kPx = forms::kTwipsPerPixel;
// The picture's frame, the line of the time under it and the gap above the bar, in pixels.
constexpr int kBorder = 2;
constexpr int kTimeHeight = 16;
constexpr int kGap = 4;
constexpr int kDefaultPictureHeight = media::kPreviewWidth * 9 / 16;

// The control's place in the form's coordinates.
void placeInForm(const forms::Control& c, float& left, float& top) {
  left = top = 0;
  for (const forms::Control* at = &c; at && at->parent(); at = at->parent()) {
    left += at->Left();
    top += at->Top();
  }
}

}  // namespace

SeekPreview::SeekPreview(slider::tVate& bar, forms::Control& form, media::MediaPlayer& player,
                         Chapters::Say say, std::function<bool()> videoShown)
    : bar_(bar),
      form_(form),
      player_(player),
      say_(std::move(say)),
      videoShown_(std::move(videoShown)) {
  connections_ += bar.MouseMove.connect([this](short& button, short&, float& x, float&) {
    if (button == input::kNoButton)
      hover(x);
    else
      hide();
  });
  connections_ += bar.MouseDown.connect([this](short&, short&, float&, float&) { hide(); });
  // Raised by every repaint; the hover timer's repaint comes once the pointer has left the bar.
  connections_ += bar.MouseOutCmd.connect([this] {
    if (!bar_.hovering()) hide();
  });
  connections_ += bar.Changed.connect([this](int&, int&) {
    if (bar_.dragging()) dragged();
  });
  connections_ += player.PlayStateChange.connect([this](int) { onState(); });
}

SeekPreview::~SeekPreview() = default;

const forms::Control* SeekPreview::shown() const {
  return box_ && box_->Visible() ? box_.get() : nullptr;
}

std::string SeekPreview::shownTime() const {
  return shown() ? time_->Caption() : "";
}

bool SeekPreview::previewable() const {
  const std::string url = player_.URL();
  const int state = player_.playState();
  // Files only: an address the person typed is never opened a second time.
  if (url.empty() || url.front() != '/' || state == media::kUndefined || state == media::kReady ||
      state == media::kTransitioning ||
      media::ClassifyForOpen(media::GetExtension(url)) != media::MediaKind::PlayerMedia)
    return false;
  double length = 0;
  step([&] { length = player_.duration(); });
  return length > 0;
}

void SeekPreview::hover(float x) {
  // Over Flash or a page the bar is theirs: nothing of the player's file is shown.
  if (!bar_.CanMove() || !previewable() || (videoShown_ && !videoShown_())) return hide();
  double length = 0;
  step([&] { length = player_.duration(); });
  hoverSeconds_ = bar_.shareAt(x) * length;
  if (!box_) {
    // Made on the first hover: a window that never previews has none.
    box_ = std::make_unique<forms::PictureBox>("seekPreview", &form_);
    box_->setBackColor(0x000000);
    picture_ = std::make_unique<forms::Image>("seekPreviewPicture", box_.get());
    time_ = std::make_unique<forms::Label>("seekPreviewTime", box_.get());
    time_->setLiteralText(true);
    time_->setBackStyle(0);
    time_->setForeColor(0xFFFFFF);
    box_->setVisible(false);
  }
  time_->setCaption(media::positionText(hoverSeconds_));
  place(x);
  if (!box_->Visible()) box_->setVisible(true);
  const std::string url = player_.URL();
  if (!make_) return;
  if (!preview_) {
    preview_ = make_();
    if (!preview_) return;
    connections_ +=
        preview_->Ready.connect([this](const std::string& path, double seconds,
                                       const QImage& picture) { onFrame(path, seconds, picture); });
  }
  previewed_ = url;
  preview_->request(url, hoverSeconds_);
}

void SeekPreview::place(float x) {
  const int pictureHeight =
      picture_->Picture() ? picture_->Picture()->heightPixels() : kDefaultPictureHeight;
  const float width = (media::kPreviewWidth + 2 * kBorder) * kPx;
  const float height = (pictureHeight + kTimeHeight + 2 * kBorder) * kPx;
  float barLeft = 0, barTop = 0;
  placeInForm(bar_, barLeft, barTop);
  const float left =
      std::clamp(barLeft + x - width / 2, 0.0f, std::max(0.0f, form_.Width() - width));
  step([&] {
    picture_->Move(kBorder * kPx, kBorder * kPx, media::kPreviewWidth * kPx, pictureHeight * kPx);
    time_->Move(kBorder * kPx, (kBorder + pictureHeight) * kPx, media::kPreviewWidth * kPx,
                kTimeHeight * kPx);
    box_->Move(left, std::max(0.0f, barTop - height - kGap * kPx), width, height);
  });
  // In front of whatever the window brought forward since (the bars, the video).
  box_->ZOrder(0);
}

void SeekPreview::onFrame(const std::string& path, double, const QImage& picture) {
  if (!shown() || path != player_.URL()) return;
  const bool newHeight =
      !picture_->Picture() || picture_->Picture()->heightPixels() != picture.height();
  picture_->setPicture(std::make_shared<forms::Picture>(picture));
  if (newHeight) {
    // The pointer's place is kept: the box grows or shrinks around the same centre.
    const float centre = box_->Left() + box_->Width() / 2;
    float barLeft = 0, barTop = 0;
    placeInForm(bar_, barLeft, barTop);
    place(centre - barLeft);
  }
}

void SeekPreview::hide() {
  if (box_ && box_->Visible()) box_->setVisible(false);
}

void SeekPreview::dragged() {
  if (!previewable()) return;
  double length = 0;
  step([&] { length = player_.duration(); });
  const int max = bar_.Max();
  if (max <= 0) return;
  const double target = static_cast<double>(std::clamp(bar_.Value(), 0, max)) / max * length;
  std::string text = translatedText(texts::kSeekTarget);
  if (const auto at = text.find("%1"); at != std::string::npos)
    text.replace(at, 2, media::positionText(target));
  say_(text);
}

void SeekPreview::onState() {
  if (player_.URL() == previewed_) return;
  // Another file (or none): its core goes, and with it the memory it held.
  if (preview_) preview_->release();
  previewed_.clear();
  hide();
  if (picture_) picture_->setPicture(nullptr);
}

}  // namespace kv::chapters
