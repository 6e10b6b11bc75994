// Writes the application entry the package installs in /usr/share/applications: the same entry
// the player writes for a user, running the installed program.
//   kv_make_desktop_entry OUT PROGRAM

#include <fstream>
#include <iostream>

#include "platform/desktop/desktop_entry.h"
#include "platform/desktop/desktop_state.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: kv_make_desktop_entry OUT PROGRAM\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << kv::desktop::applicationEntry(argv[2], kv::desktop::associableMimeTypes());
  return out.flush() ? 0 : 1;
}
