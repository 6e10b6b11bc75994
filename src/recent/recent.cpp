// The list as files are opened, and the addresses a person types.

#include "recent/recent.h"

#include "comfort/comfort.h"
#include "media/player/watching.h"
#include "platform/errors.h"
#include "platform/language.h"
#include "recent/recent_texts.h"

namespace kv::recent {

Recent::Recent(forms::MenuItem& menu, RecentHost& host, FileService& files,
               media::MediaPlayer& player)
    : menu_(menu), host_(host), files_(files), player_(player) {
  for (std::size_t i = 0; i < RecentList::kMostFiles; ++i) {
    fileItems_.push_back(
        std::make_unique<forms::MenuItem>("recentFile" + std::to_string(i), "", &menu_));
    // A file's name is shown as it is.
    fileItems_.back()->setLiteral(true);
    fileItems_.back()->Click.connect([this, i] {
      if (i < list_.files().size()) host_.openRecentFile(list_.files()[i]);
    });
  }
  none_ = std::make_unique<forms::MenuItem>("recentNone", texts::kNone, &menu_);
  none_->setEnabled(false);
  separator_ = std::make_unique<forms::MenuItem>("recentSeparator", "-", &menu_);
  address_ = std::make_unique<forms::MenuItem>("recentAddress", texts::kOpenAddress, &menu_);
  address_->Click.connect([this] {
    step([&] { host_.askAddress([this](const std::string& typed) { enterAddress(typed); }); });
  });
  clear_ = std::make_unique<forms::MenuItem>("recentClear", texts::kClear, &menu_);
  clear_->Click.connect([this] { clear(); });
  connections_ += player_.PlayStateChange.connect([this](int state) { onState(state); });
  rebuild();
}

Recent::~Recent() = default;

void Recent::keepIn(std::unique_ptr<RecentStore> store) {
  if (!store) return;
  const std::vector<std::string> before = list_.files();
  store_ = std::move(store);
  list_ = store_->load();
  for (auto it = before.rbegin(); it != before.rend(); ++it) list_.add(*it);
  if (!before.empty()) store_->save(list_);
  rebuild();
}

void Recent::opened(const std::string& path) {
  list_.add(path);
  store_->save(list_);
  rebuild();
}

void Recent::clear() {
  list_.clear();
  store_->save(list_);
  rebuild();
}

void Recent::enterAddress(const std::string& typed) {
  const std::optional<std::string> address = addressOf(typed);
  if (!address) {
    say(translatedText(texts::kNotAnAddress));
    return;
  }
  pending_ = *address;
  host_.playAddress(*address);
  if (pending_ == *address && player_.playState() != media::kReady)
    say(comfort::fill(texts::kOpening, *address));
  else
    onState(player_.playState());
}

void Recent::onState(int state) {
  if (pending_.empty()) return;
  if (player_.URL() != pending_) {
    pending_.clear();  // something else was opened meanwhile
  } else if (state == media::kReady) {
    pending_.clear();
    say(translatedText(failureText(player_.errorText())));
  } else if (state == media::kPlaying || state == media::kPaused || state == media::kStopped) {
    pending_.clear();
  }
}

void Recent::say(const std::string& text) {
  media::Watching* watching = player_.watching();
  if (watching) step([&] { watching->showMessage(text, kMessageMs); });
}

}  // namespace kv::recent
