// Leaks memory of its own on purpose: in a sanitizer build, with the suppressions the player
// uses, the leak checker must still fail it.

#include <cstdio>

namespace {
int* kept = nullptr;
}

int main() {
  kept = new int[64];
  kept[0] = 1;
  std::printf("%d\n", kept[0]);
  kept = nullptr;  // the only pointer to it is gone
  return 0;
}
