// Memory that decoders free goes back to the system, so long playback does not grow the player.

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "media/player/mpv_core.h"

namespace kv::test {
namespace {

// Keeps the compiler from dropping a block that is only written and freed.
[[maybe_unused]] void keep(void* p) {
  asm volatile("" : : "r"(p) : "memory");
}

TEST(EngineCoreMemory, BlocksOfPictureSizeKeepMappingsOfTheirOwnAfterOneIsFreed) {
#if defined(__SANITIZE_ADDRESS__) || !defined(__GLIBC__)
  GTEST_SKIP() << "needs glibc's own allocator (the sanitizer replaces it)";
#else
  if (std::getenv("MALLOC_MMAP_THRESHOLD_") || std::getenv("GLIBC_TUNABLES"))
    GTEST_SKIP() << "the environment sets the allocator's thresholds";
  auto core = media::createMpvCore(media::MpvOptions::headless());
  // A picture of 640x360, one of 1280x720, one of 3840x2160 (4:2:0).
  for (std::size_t size : {std::size_t{345600}, std::size_t{1382400}, std::size_t{12441600}}) {
    SCOPED_TRACE(size);
    void* first = std::malloc(size);
    std::memset(first, 1, size);
    keep(first);
    std::free(first);
    // Unless the threshold is fixed, that free has moved it above this size: the next block
    // would come from an arena and stay there once freed.
    const std::size_t mappedBefore = mallinfo2().hblkhd;
    void* next = std::malloc(size);
    keep(next);
    EXPECT_GE(mallinfo2().hblkhd, mappedBefore + size);
    std::free(next);
    EXPECT_EQ(mallinfo2().hblkhd, mappedBefore);
  }
#endif
}

}  // namespace
}  // namespace kv::test
