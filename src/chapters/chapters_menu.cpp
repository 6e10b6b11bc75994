// The submenu of chapters and loops: one item per chapter ("01:23  Title", the title shown as
// the file gives it), the one playing marked, then the A-B loop's next step and the loop of the
// whole file. Filled when what it shows changes, so it is ready whenever the menu opens.

#include "chapters/chapters.h"
#include "chapters/chapters_texts.h"
#include "platform/errors.h"

namespace kv::chapters {

namespace {
std::unique_ptr<forms::MenuItem> item(const std::string& name, const std::string& caption,
                                      forms::MenuItem& parent) {
  return std::make_unique<forms::MenuItem>(name, caption, &parent);
}
}  // namespace

Chapters::Items::Items(forms::MenuItem& top) : top(top) {
  for (int i = 0; i < kMenuChapters; ++i) {
    chapters.push_back(item("chapter" + std::to_string(i), "", top));
    chapters.back()->setLiteral(true);
  }
  none = item("chaptersNone", texts::kNoChapters, top);
  none->setEnabled(false);
  separator = item("chaptersSeparator", "-", top);
  loop = item("chaptersLoop", texts::kSetA, top);
  loopFile = item("chaptersLoopFile", texts::kLoopFileItem, top);
}

void Chapters::refreshMenu() {
  media::Finding* f = finding();
  const std::string url = player_.URL();
  list_.clear();
  int current = -1;
  std::optional<double> a, b;
  bool loopsFile = false;
  if (f && !url.empty())
    step([&] {
      list_ = f->chapters();
      current = f->chapter();
      a = f->loopA();
      b = f->loopB();
      loopsFile = f->loopsFile();
    });
  for (int i = 0; i < kMenuChapters; ++i) {
    forms::MenuItem& it = *items_.chapters[i];
    const bool shown = i < static_cast<int>(list_.size());
    it.setVisible(shown);
    if (!shown) continue;
    it.setCaption(media::positionText(list_[i].start) + "   " + chapterName(i));
    it.setChecked(i == current);
  }
  items_.none->setVisible(list_.empty());
  const bool open = f && !url.empty();
  items_.loop->setCaption(!a ? texts::kSetA : !b ? texts::kSetB : texts::kClearAB);
  items_.loop->setEnabled(open);
  items_.loopFile->setEnabled(open);
  items_.loopFile->setChecked(loopsFile);
}

}  // namespace kv::chapters
