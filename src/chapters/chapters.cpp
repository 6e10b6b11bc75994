// The keys of chapters and loops, and the messages that say what they did.

#include "chapters/chapters.h"

#include "chapters/chapters_texts.h"
#include "platform/errors.h"
#include "platform/language.h"

namespace kv::chapters {

namespace {
std::string fill(const char* text, const std::string& value) {
  std::string out = translatedText(text);
  if (const auto at = out.find("%1"); at != std::string::npos) out.replace(at, 2, value);
  return out;
}
}  // namespace

Chapters::Chapters(media::MediaPlayer& player, forms::MenuItem& menu, Say say)
    : player_(player), say_(std::move(say)), items_(menu) {
  connections_ += player.PlayStateChange.connect([this](int state) { onState(state); });
  for (int i = 0; i < kMenuChapters; ++i)
    items_.chapters[i]->Click.connect([this, i] { goToChapter(i); });
  items_.loop->Click.connect([this] { cycleLoop(); });
  items_.loopFile->Click.connect([this] { toggleLoopFile(); });
  refreshMenu();
}

void Chapters::onState(int) {
  media::Finding* f = finding();
  if (f && f != heard_) {
    // The engine is made after the window: hear it once it is there.
    heard_ = f;
    connections_ += f->ChapterChanged.connect([this](int) { refreshMenu(); });
  }
  // A file's chapters are known once it plays: each change of state may bring them.
  refreshMenu();
}

bool Chapters::runKey(window::KeyCommand command) {
  using enum window::KeyCommand;
  if (!finding()) return false;
  switch (command) {
    case NextChapter:
      stepChapter(true);
      return true;
    case PreviousChapter:
      stepChapter(false);
      return true;
    case LoopAB:
      cycleLoop();
      return true;
    case LoopFile:
      toggleLoopFile();
      return true;
    default:
      return false;
  }
}

std::string Chapters::chapterName(int index) const {
  const std::string number = std::to_string(index + 1);
  const std::string& title = list_[static_cast<std::size_t>(index)].title;
  return title.empty() ? fill(texts::kUntitled, number) : title;
}

void Chapters::goToChapter(int index) {
  refreshMenu();
  if (index < 0 || index >= static_cast<int>(list_.size())) return;
  if (!step([&] { finding()->setChapter(index); })) return;
  say_(fill(texts::kChapter, std::to_string(index + 1) + "/" + std::to_string(list_.size())) +
       "  " + chapterName(index));
  refreshMenu();
}

void Chapters::stepChapter(bool forward) {
  refreshMenu();
  if (list_.empty()) return;
  int now = -1;
  double position = 0;
  step([&] {
    now = finding()->chapter();
    position = player_.currentPosition();
  });
  int target = now + (forward ? 1 : -1);
  if (!forward && now >= 0 &&
      position - list_[static_cast<std::size_t>(now)].start > kRestartSeconds)
    target = now;
  // Past the last chapter the key does nothing: the file plays on to its end.
  if (target >= static_cast<int>(list_.size())) return;
  goToChapter(std::max(target, 0));
}

void Chapters::cycleLoop() {
  media::Finding* f = finding();
  if (!f || player_.URL().empty()) return;
  std::optional<double> a, b;
  double position = 0;
  step([&] {
    a = f->loopA();
    b = f->loopB();
    position = player_.currentPosition();
  });
  std::string message;
  if (!a) {
    a = position;
    message = fill(texts::kLoopA, media::positionText(position));
  } else if (!b) {
    b = position;
    message = fill(texts::kLoopAB, media::positionText(*a) + " - " + media::positionText(*b));
  } else {
    a.reset();
    b.reset();
    message = translatedText(texts::kLoopOff);
  }
  if (step([&] { f->setLoop(a, b); })) say_(message);
  refreshMenu();
}

void Chapters::toggleLoopFile() {
  media::Finding* f = finding();
  if (!f || player_.URL().empty()) return;
  bool on = false;
  if (!step([&] {
        on = !f->loopsFile();
        f->setLoopsFile(on);
      }))
    return;
  say_(translatedText(on ? texts::kLoopFileOn : texts::kLoopFileOff));
  refreshMenu();
}

}  // namespace kv::chapters
