// The drive, folder and file lists stay chained: a drive refills the folder list, a folder
// refills the file list.

#include "app/form1.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::Drive1_Change() {
  step([&] { Dir1.setPath(Drive1.Drive()); });
}

void Form1::Dir1_Change() {
  step([&] { File1.setPath(Dir1.Path()); });
}

}  // namespace kv::app
