// Picture and sound: the keys of the delays, the picture, the aspect, deinterlacing, turning and
// the second subtitle (all for the open file alone), the lasting choices (subtitles' size and
// place, hardware decoding, normalisation, on top) and a subtitle file chosen by hand or dropped.

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "comfort/comfort.h"
#include "comfort/comfort_texts.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "platform/language.h"

namespace kv::comfort {

namespace {

using Choice = media::Watching::Choice;

constexpr double kDelayStep = 0.1;  // seconds

struct Aspect {
  double ratio;
  const char* shown;
};
constexpr std::array kAspects{Aspect{0, texts::kAspectOwn}, Aspect{4.0 / 3, "4:3"},
                              Aspect{16.0 / 9, "16:9"}, Aspect{2.35, "2.35:1"}};

// The choices of one file and what each is with nothing chosen.
constexpr Choice kFileChoices[] = {
    Choice::SubtitleDelay, Choice::AudioDelay,       Choice::Contrast, Choice::Brightness,
    Choice::Gamma,         Choice::Saturation,       Choice::Aspect,   Choice::Deinterlace,
    Choice::Rotation,      Choice::SecondarySubtitle};

const char* choiceText(Choice which) {
  switch (which) {
    case Choice::SubtitleDelay:
      return texts::kSubtitleDelay;
    case Choice::AudioDelay:
      return texts::kAudioDelay;
    case Choice::Contrast:
      return texts::kContrast;
    case Choice::Brightness:
      return texts::kBrightness;
    case Choice::Gamma:
      return texts::kGamma;
    default:
      return texts::kSaturation;
  }
}

bool isSubtitleFile(const std::string& path) {
  std::string e = media::GetExtension(path);
  std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
  return e == "srt" || e == "ass" || e == "ssa" || e == "sub" || e == "vtt";
}

}  // namespace

bool Comfort::runTuningKey(window::KeyCommand command) {
  using enum window::KeyCommand;
  struct Step {
    window::KeyCommand command;
    Choice which;
    double step;
  };
  static constexpr Step kSteps[] = {
      {SubtitleEarlier, Choice::SubtitleDelay, -kDelayStep},
      {SubtitleLater, Choice::SubtitleDelay, kDelayStep},
      {AudioLater, Choice::AudioDelay, kDelayStep},
      {AudioEarlier, Choice::AudioDelay, -kDelayStep},
      {ContrastDown, Choice::Contrast, -1},
      {ContrastUp, Choice::Contrast, 1},
      {BrightnessDown, Choice::Brightness, -1},
      {BrightnessUp, Choice::Brightness, 1},
      {GammaDown, Choice::Gamma, -1},
      {GammaUp, Choice::Gamma, 1},
      {SaturationDown, Choice::Saturation, -1},
      {SaturationUp, Choice::Saturation, 1},
  };
  for (const Step& s : kSteps)
    if (s.command == command) return tune(s.which, s.step), true;
  if (command == SubtitleBigger) return changeSubtitleLook(kSubtitleScaleStep, 0), true;
  if (command == SubtitleSmaller) return changeSubtitleLook(1 / kSubtitleScaleStep, 0), true;
  if (command == SubtitleUp) return changeSubtitleLook(1, -kSubtitlePositionStep), true;
  if (command == SubtitleDown) return changeSubtitleLook(1, kSubtitlePositionStep), true;
  if (command == NextAspect) return nextAspect(), true;
  if (command == ToggleDeinterlace) return toggleDeinterlace(), true;
  return false;
}

void Comfort::tune(Choice which, double by) {
  media::Watching* w = watching();
  double value = 0;
  step([&] {
    w->setChoice(which, w->choice(which) + by);
    value = w->choice(which);
  });
  char text[24];
  const bool delay = which == Choice::SubtitleDelay || which == Choice::AudioDelay;
  // Delays in milliseconds with their sign; the picture's steps as whole numbers.
  std::snprintf(text, sizeof text, delay ? "%+.0f" : "%.0f", delay ? value * 1000 : value);
  say(fill(choiceText(which), std::string(text) == "+0" || std::string(text) == "-0" ? "0" : text));
}

void Comfort::nextAspect() {
  media::Watching* w = watching();
  std::size_t next = 0;
  step([&] {
    const double now = w->choice(Choice::Aspect);
    const auto at = std::find_if(kAspects.begin(), kAspects.end(),
                                 [&](const Aspect& a) { return std::fabs(a.ratio - now) < 0.01; });
    next = at == kAspects.end()
               ? 0
               : (static_cast<std::size_t>(at - kAspects.begin()) + 1) % kAspects.size();
    w->setChoice(Choice::Aspect, kAspects[next].ratio);
  });
  say(fill(texts::kAspect, translatedText(kAspects[next].shown)));
}

void Comfort::toggleDeinterlace() {
  media::Watching* w = watching();
  bool on = false;
  step([&] {
    on = w->choice(Choice::Deinterlace) == 0;
    w->setChoice(Choice::Deinterlace, on);
  });
  say(on ? texts::kDeinterlaceOn : texts::kDeinterlaceOff);
}

void Comfort::rotate() {
  media::Watching* w = watching();
  if (!w) return;
  int degrees = 0;
  step([&] {
    w->setChoice(Choice::Rotation, w->choice(Choice::Rotation) + 90);
    degrees = static_cast<int>(w->choice(Choice::Rotation));
  });
  say(fill(texts::kRotation, std::to_string(degrees)));
}

void Comfort::chooseSecondary(int index) {
  media::Watching* w = watching();
  const std::vector<media::Track>& tracks = menu_.subtitleTracks;
  if (!w || index >= static_cast<int>(tracks.size())) return;
  step([&] { w->setChoice(Choice::SecondarySubtitle, index < 0 ? 0 : tracks[index].id); });
  refreshPictureMenu();
  say(fill(texts::kSecondary,
           index < 0 ? translatedText(texts::kSecondaryOff) : trackName(tracks[index], index + 1)));
}

void Comfort::resetFileChoices() {
  media::Watching* w = watching();
  if (!w) return;
  for (Choice c : kFileChoices)
    step([&] {
      if (w->choice(c) != 0) w->setChoice(c, 0);
    });
  if (encoding_ >= 0) step([&] { w->setSubtitleEncoding(""); });
  encoding_ = -1;
  refreshPictureMenu();
}

void Comfort::keepChoicesIn(std::unique_ptr<ChoiceStore> store) {
  if (!store) return;
  choices_ = std::move(store);
  step([&] { lasting_ = choices_->load(); });
  applyLasting();
}

void Comfort::applyLasting() {
  refreshPictureMenu();
  media::Watching* w = watching();
  if (!w) return;
  const LastingChoices& c = lasting_;
  step([&] { w->setChoice(Choice::SubtitleScale, c.subtitleScale); });
  step([&] { w->setChoice(Choice::SubtitlePosition, c.subtitlePosition); });
  step([&] { w->setChoice(Choice::HardwareDecoding, c.hardwareDecoding); });
  step([&] { w->setChoice(Choice::Normalise, c.normalise); });
}

void Comfort::changeLasting(const std::function<void(LastingChoices&)>& change) {
  change(lasting_);
  step([&] { choices_->save(lasting_); });
  refreshPictureMenu();
}

void Comfort::windowLoaded() {
  if (lasting_.onTop) step([&] { host_.keepOnTop(true); });
}

void Comfort::toggleOnTop() {
  changeLasting([](LastingChoices& c) { c.onTop = !c.onTop; });
  step([&] { host_.keepOnTop(lasting_.onTop); });
  say(lasting_.onTop ? texts::kOnTopOn : texts::kOnTopOff);
}

void Comfort::changeSubtitleLook(double scaleFactor, int positionStep) {
  changeLasting([&](LastingChoices& c) {
    if (scaleFactor == 0) {
      c.subtitleScale = 1;
      c.subtitlePosition = 100;
    }
    c.subtitleScale = std::clamp(
        std::round(c.subtitleScale * (scaleFactor ? scaleFactor : 1) * 100) / 100, 0.3, 4.0);
    c.subtitlePosition = std::clamp(c.subtitlePosition + positionStep, 0, 150);
  });
  applyLasting();
  if (positionStep)
    say(fill(texts::kSubtitlePosition, std::to_string(lasting_.subtitlePosition)));
  else
    say(fill(texts::kSubtitleSize, std::to_string(std::lround(lasting_.subtitleScale * 100))));
}

void Comfort::toggleNormalise() {
  changeLasting([](LastingChoices& c) { c.normalise = !c.normalise; });
  applyLasting();
  say(lasting_.normalise ? texts::kNormaliseOn : texts::kNormaliseOff);
}

void Comfort::toggleHardwareDecoding() {
  changeLasting([](LastingChoices& c) { c.hardwareDecoding = !c.hardwareDecoding; });
  // Switched on, the engine names its decoder a moment later.
  sayDecoder_ = lasting_.hardwareDecoding;
  applyLasting();
  if (!lasting_.hardwareDecoding) say(texts::kSoftwareDecoding);
}

void Comfort::onDecoderReported(const std::string& decoder) {
  if (!sayDecoder_) return;
  sayDecoder_ = false;
  say(decoder.empty() ? std::string(texts::kNoDecoder) : fill(texts::kDecoder, decoder));
}

bool Comfort::takeDroppedSubtitle(const std::string& path) {
  const int state = player_.playState();
  if (!isSubtitleFile(path) || !keysActive() || host_.videoAreaCovered() ||
      (state != media::kPlaying && state != media::kPaused) ||
      media::ClassifyForOpen(media::GetExtension(player_.URL())) != media::MediaKind::PlayerMedia)
    return false;
  loadSubtitle(path);
  return true;
}

void Comfort::loadSubtitle(const std::string& path) {
  media::Watching* w = watching();
  if (!w || path.empty()) return;
  bool added = false;
  step([&] { added = w->addSubtitle(path); });
  refreshMenu();
  const std::string name = std::filesystem::path(path).filename().string();
  say(fill(added ? texts::kSubtitleAdded : texts::kSubtitleNotAdded, name));
}

void Comfort::chooseEncoding(int index) {
  media::Watching* w = watching();
  if (!w) return;
  encoding_ = index;
  step([&] { w->setSubtitleEncoding(index < 0 ? "" : texts::kEncodings[index].name); });
  refreshPictureMenu();
  refreshMenu();
  say(fill(texts::kEncodingChosen,
           translatedText(index < 0 ? texts::kEncodingGuess : texts::kEncodings[index].shown)));
}

}  // namespace kv::comfort
