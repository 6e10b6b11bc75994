// The list search: selects the entry named startFileName once the file list shows the folder
// of a file that was opened from elsewhere (the command line, the browse tab, a drop).

#include "app/form1.h"
#include "platform/errors.h"

namespace kv::app {

// Entries are compared in the order 1, 2, ..., n - 1, then 0, so a matching entry 0 is found
// last. Only the match is selected, so only the match opens; when nothing matches the search
// ends after one pass and currentIndex stays as it was.
void Form1::ListSearch(forms::Timer& timer) {
  // Off first: the open step of the match must not find the search still armed.
  step([&] { timer.setEnabled(false); });
  int count = 0;
  step([&] { count = File1.ListCount(); });
  for (int k = 1; k <= count; ++k) {
    const int i = k % count;
    bool match = false;
    step([&] { match = File1.List(i) == startFileName; });
    if (!match) continue;
    step([&] { File1.setListIndex(i); });
    step([&] { currentIndex = File1.ListIndex(); });
    return;
  }
}

void Form1::Timer6_Timer() {
  ListSearch(Timer6);
}

void Form1::Timer10_Timer() {
  ListSearch(Timer10);
}

}  // namespace kv::app
