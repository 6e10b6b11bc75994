// The drive, folder and file lists stay chained: a drive refills the folder list, a folder
// refills the file list.

#include "browser/file_panel.h"

#include "platform/errors.h"

namespace kv::browser {

void FilePanel::Drive1_Change() {
  step([&] { c_.Dir1.setPath(c_.Drive1.Drive()); });
}

void FilePanel::Dir1_Change() {
  step([&] { c_.File1.setPath(c_.Dir1.Path()); });
}

}  // namespace kv::browser
