#pragma once
// Chapters and loops of the file the first player holds: a submenu listing the chapters with
// their start times (the one playing marked) and the two loops, the keys to the next and the
// previous chapter and to the loops, and what they did said over the picture.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/player/finding.h"
#include "media/player/media_player.h"
#include "platform/event.h"
#include "platform/forms/menu.h"
#include "window/keys.h"

namespace kv::chapters {

// Chapter items of the submenu; a file with more shows its first ones.
constexpr int kMenuChapters = 32;
// A previous-chapter key this far into a chapter goes back to its start, as a CD player does.
constexpr double kRestartSeconds = 3;

class Chapters {
 public:
  // `say` puts a text, already in the person's language, over the picture.
  using Say = std::function<void(const std::string&)>;
  Chapters(media::MediaPlayer& player, forms::MenuItem& menu, Say say);
  Chapters(const Chapters&) = delete;
  Chapters& operator=(const Chapters&) = delete;

  // Runs a key's command when it is one of these; false for any other.
  bool runKey(window::KeyCommand command);
  forms::MenuItem& menu() { return items_.top; }
  void refreshMenu();

 private:
  media::Finding* finding() const { return player_.finding(); }
  void onState(int state);
  void goToChapter(int index);
  void stepChapter(bool forward);
  void cycleLoop();
  void toggleLoopFile();
  std::string chapterName(int index) const;

  media::MediaPlayer& player_;
  Say say_;
  std::vector<media::Chapter> list_;  // behind the chapter items
  media::Finding* heard_ = nullptr;   // the engine whose ChapterChanged is connected
  Connections connections_;

  struct Items {
    explicit Items(forms::MenuItem& top);
    forms::MenuItem& top;
    std::vector<std::unique_ptr<forms::MenuItem>> chapters;
    std::unique_ptr<forms::MenuItem> none, separator, loop, loopFile;
  } items_;
};

}  // namespace kv::chapters
