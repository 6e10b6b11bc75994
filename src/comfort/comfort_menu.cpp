// The submenu at the end of the context menu: the open file's audio tracks, its subtitle tracks
// and "off", the current ones marked, and going on where the file was left. It is filled when
// what it shows changes (a file opened or closed, a track chosen), so the menu is ready
// whenever it opens.

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

std::string languageName(const std::string& tag) {
  for (const texts::LanguageName& l : texts::kLanguages)
    if (tag == l.tag) return translatedText(l.name);
  return tag;
}

}  // namespace

std::string trackName(const media::Track& track, int number) {
  std::string name =
      fill(track.kind == media::Track::Kind::Audio ? texts::kAudioTrack : texts::kSubtitleTrack,
           std::to_string(number));
  std::string detail;
  for (const std::string& part :
       {languageName(track.language), track.title,
        track.external ? translatedText(texts::kExternal) : std::string()})
    if (!part.empty()) detail += (detail.empty() ? "" : " · ") + part;
  return detail.empty() ? name : name + translatedText(texts::kDetailSeparator) + detail;
}

Comfort::Menu::Menu(forms::MenuItem& top) : top(top) {
  // Track items name tracks by their titles, which the file gives: shown as they are (trackName
  // translates its own words).
  for (int i = 0; i < kMenuTracks; ++i) {
    audio.push_back(item("comfortAudio" + std::to_string(i), "", top));
    audio.back()->setLiteral(true);
  }
  separator1 = item("comfortSeparator1", "-", top);
  for (int i = 0; i < kMenuTracks; ++i) {
    subtitles.push_back(item("comfortSubtitle" + std::to_string(i), "", top));
    subtitles.back()->setLiteral(true);
  }
  subtitlesOff = item("comfortSubtitlesOff", texts::kSubtitlesOff, top);
  separator2 = item("comfortSeparator2", "-", top);
  resume = item("comfortResume", "", top);
  none = item("comfortNone", texts::kNoTracks, top);
  none->setEnabled(false);
}

void Comfort::connectMenu() {
  for (int i = 0; i < kMenuTracks; ++i) {
    menu_.audio[i]->Click.connect([this, i] {
      if (i < static_cast<int>(menu_.audioTracks.size())) selectTrack(menu_.audioTracks[i]);
    });
    menu_.subtitles[i]->Click.connect([this, i] {
      if (i < static_cast<int>(menu_.subtitleTracks.size())) selectTrack(menu_.subtitleTracks[i]);
    });
  }
  menu_.subtitlesOff->Click.connect([this] {
    media::Track off;
    off.kind = media::Track::Kind::Subtitle;
    selectTrack(off);
  });
  menu_.resume->Click.connect([this] { resume(); });
}

void Comfort::refreshMenu() {
  menu_.audioTracks.clear();
  menu_.subtitleTracks.clear();
  if (media::Watching* w = watching(); w && !opened_.empty()) {
    std::vector<media::Track> all;
    step([&] { all = w->tracks(); });
    for (media::Track& t : all)
      (t.kind == media::Track::Kind::Audio ? menu_.audioTracks : menu_.subtitleTracks)
          .push_back(std::move(t));
  }
  auto fillItems = [](std::vector<std::unique_ptr<forms::MenuItem>>& items,
                      const std::vector<media::Track>& tracks) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      const bool shown = i < tracks.size();
      items[i]->setVisible(shown);
      if (!shown) continue;
      items[i]->setCaption(trackName(tracks[i], static_cast<int>(i) + 1));
      items[i]->setChecked(tracks[i].selected);
    }
  };
  fillItems(menu_.audio, menu_.audioTracks);
  fillItems(menu_.subtitles, menu_.subtitleTracks);
  const bool anyAudio = !menu_.audioTracks.empty();
  const bool anySubtitle = !menu_.subtitleTracks.empty();
  menu_.separator1->setVisible(anyAudio && anySubtitle);
  menu_.subtitlesOff->setVisible(anySubtitle);
  bool subtitleOn = false;
  for (const media::Track& t : menu_.subtitleTracks) subtitleOn = subtitleOn || t.selected;
  menu_.subtitlesOff->setChecked(anySubtitle && !subtitleOn);
  const std::optional<double> at = offered();
  menu_.resume->setVisible(at.has_value());
  if (at) menu_.resume->setCaption(fill(texts::kResumeItem, media::positionText(*at)));
  menu_.separator2->setVisible(at && (anyAudio || anySubtitle));
  menu_.none->setVisible(!anyAudio && !anySubtitle && !at);
  refreshPictureMenu();
}

}  // namespace kv::comfort
