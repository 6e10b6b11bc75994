// The picture and sound submenu, appended after the tracks and subtitles: a subtitle file chosen
// by hand, the subtitles' encoding, size and place, a second subtitle, the picture turned,
// normalisation, hardware decoding and on top.

#include "comfort/comfort.h"
#include "comfort/comfort_texts.h"
#include "platform/errors.h"
#include "platform/language.h"

namespace kv::comfort {

namespace {

std::unique_ptr<forms::MenuItem> item(const std::string& name, const std::string& caption,
                                      forms::MenuItem& parent) {
  return std::make_unique<forms::MenuItem>(name, caption, &parent);
}

}  // namespace

Comfort::PictureMenu::PictureMenu(forms::MenuItem& top) : top(top) {
  loadSubtitle = item("pictureLoadSubtitle", texts::kLoadSubtitle, top);
  encoding = item("pictureEncoding", texts::kEncodingMenu, top);
  encodingGuess = item("pictureEncodingGuess", texts::kEncodingGuess, *encoding);
  int n = 0;
  for (const texts::Encoding& e : texts::kEncodings)
    encodings.push_back(item("pictureEncoding" + std::to_string(n++), e.shown, *encoding));
  separator1 = item("pictureSeparator1", "-", top);
  bigger = item("pictureSubtitleBigger", texts::kSubtitleBigger, top);
  smaller = item("pictureSubtitleSmaller", texts::kSubtitleSmaller, top);
  up = item("pictureSubtitleUp", texts::kSubtitleUp, top);
  down = item("pictureSubtitleDown", texts::kSubtitleDown, top);
  lookReset = item("pictureSubtitleReset", texts::kSubtitleLookReset, top);
  secondary = item("pictureSecondary", texts::kSecondaryMenu, top);
  secondaryOff = item("pictureSecondaryOff", texts::kSecondaryOff, *secondary);
  // Named by the file's own titles: shown as they are.
  for (int i = 0; i < kMenuTracks; ++i) {
    secondaries.push_back(item("pictureSecondary" + std::to_string(i), "", *secondary));
    secondaries.back()->setLiteral(true);
  }
  separator2 = item("pictureSeparator2", "-", top);
  rotate = item("pictureRotate", texts::kRotateItem, top);
  normalise = item("pictureNormalise", texts::kNormaliseItem, top);
  hardware = item("pictureHardware", texts::kHardwareItem, top);
  onTop = item("pictureOnTop", texts::kOnTopItem, top);
}

void Comfort::connectPictureMenu() {
  PictureMenu& m = picture_;
  m.loadSubtitle->Click.connect([this] {
    std::string path;
    step([&] { path = host_.chooseFile(translatedText(texts::kSubtitleFilter)); });
    loadSubtitle(path);
  });
  m.encodingGuess->Click.connect([this] { chooseEncoding(-1); });
  for (int i = 0; i < static_cast<int>(m.encodings.size()); ++i)
    m.encodings[i]->Click.connect([this, i] { chooseEncoding(i); });
  m.bigger->Click.connect([this] { changeSubtitleLook(kSubtitleScaleStep, 0); });
  m.smaller->Click.connect([this] { changeSubtitleLook(1 / kSubtitleScaleStep, 0); });
  m.up->Click.connect([this] { changeSubtitleLook(1, -kSubtitlePositionStep); });
  m.down->Click.connect([this] { changeSubtitleLook(1, kSubtitlePositionStep); });
  m.lookReset->Click.connect([this] { changeSubtitleLook(0, 0); });
  m.secondaryOff->Click.connect([this] { chooseSecondary(-1); });
  for (int i = 0; i < kMenuTracks; ++i)
    m.secondaries[i]->Click.connect([this, i] { chooseSecondary(i); });
  m.rotate->Click.connect([this] { rotate(); });
  m.normalise->Click.connect([this] { toggleNormalise(); });
  m.hardware->Click.connect([this] { toggleHardwareDecoding(); });
  m.onTop->Click.connect([this] { toggleOnTop(); });
}

void Comfort::refreshPictureMenu() {
  PictureMenu& m = picture_;
  const bool open = keysActive();
  for (forms::MenuItem* i :
       {m.loadSubtitle.get(), m.encoding.get(), m.bigger.get(), m.smaller.get(), m.up.get(),
        m.down.get(), m.lookReset.get(), m.secondary.get(), m.rotate.get()})
    i->setEnabled(open);
  // The secondary subtitle is one of the tracks the tracks submenu lists.
  const std::vector<media::Track>& tracks = menu_.subtitleTracks;
  media::Watching* w = open ? watching() : nullptr;
  int shownId = 0;
  if (w)
    step(
        [&] { shownId = static_cast<int>(w->choice(media::Watching::Choice::SecondarySubtitle)); });
  m.secondaryOff->setChecked(shownId == 0);
  for (std::size_t i = 0; i < m.secondaries.size(); ++i) {
    const bool shown = i < tracks.size();
    m.secondaries[i]->setVisible(shown);
    if (!shown) continue;
    m.secondaries[i]->setCaption(trackName(tracks[i], static_cast<int>(i) + 1));
    m.secondaries[i]->setChecked(tracks[i].id == shownId);
  }
  m.encodingGuess->setChecked(encoding_ < 0);
  for (int i = 0; i < static_cast<int>(m.encodings.size()); ++i)
    m.encodings[i]->setChecked(i == encoding_);
  m.normalise->setChecked(lasting_.normalise);
  m.hardware->setChecked(lasting_.hardwareDecoding);
  m.onTop->setChecked(lasting_.onTop);
}

}  // namespace kv::comfort
