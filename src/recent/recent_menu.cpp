// The submenu: the files newest first by their names (a name two files share by its path), a
// file gone since greyed, then the address and the clearing of the list.

#include "platform/errors.h"
#include "recent/recent.h"

namespace kv::recent {

namespace {

std::string nameOf(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

}  // namespace

void Recent::rebuild() {
  const std::vector<std::string>& files = list_.files();
  for (std::size_t i = 0; i < fileItems_.size(); ++i) {
    forms::MenuItem& item = *fileItems_[i];
    const bool shown = i < files.size();
    item.setVisible(shown);
    if (!shown) continue;
    const std::string name = nameOf(files[i]);
    bool shared = false;
    for (std::size_t j = 0; j < files.size(); ++j)
      shared = shared || (j != i && nameOf(files[j]) == name);
    item.setCaption(shared || name.empty() ? files[i] : name);
  }
  none_->setVisible(files.empty());
  clear_->setEnabled(!files.empty());
  refresh();
}

void Recent::refresh() {
  const std::vector<std::string>& files = list_.files();
  for (std::size_t i = 0; i < files.size() && i < fileItems_.size(); ++i) {
    bool exists = false;
    step([&] { exists = files_.fileExists(files[i]); });
    fileItems_[i]->setEnabled(exists);
  }
}

}  // namespace kv::recent
