#include "platform/large_blocks.h"

#include <malloc.h>

#include <cstdlib>
#include <mutex>
#include <string>

namespace kv {

void keepLargeBlocksInOwnMappings() {
#ifdef __GLIBC__
  static std::once_flag once;
  std::call_once(once, [] {
    // Whoever runs the player with a threshold of their own keeps it.
    if (std::getenv("MALLOC_MMAP_THRESHOLD_")) return;
    if (const char* tunables = std::getenv("GLIBC_TUNABLES");
        tunables && std::string(tunables).find("mmap_threshold") != std::string::npos)
      return;
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
  });
#endif
}

}  // namespace kv
