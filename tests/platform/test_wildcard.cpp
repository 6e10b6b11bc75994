#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/wildcard.h"

using kv::wildcardMatch;

TEST(Wildcard, MatchesWithoutRegardToCase) {
  EXPECT_TRUE(wildcardMatch("*.DAT", "clip.dat"));
  EXPECT_TRUE(wildcardMatch("*.dll", "POWER.DLL"));
  EXPECT_TRUE(wildcardMatch("a?c.*", "abc.txt"));
  EXPECT_FALSE(wildcardMatch("*.rm", "x.rmvb"));
  EXPECT_FALSE(wildcardMatch("*.mp3", "x.mp3.part"));
  EXPECT_TRUE(wildcardMatch("*.*", "README"));  // as the classic list does
  EXPECT_TRUE(wildcardMatch("*.mp4", "片段 1.mp4"));
  EXPECT_FALSE(wildcardMatch("*.flv", ".flvx"));
  EXPECT_TRUE(wildcardMatch("*a*b*c", "xxaxxbxxc"));
  // A pathological pattern stays fast (no exponential backtracking).
  EXPECT_FALSE(wildcardMatch("*a*a*a*a*a*a*a*a*b", std::string(5000, 'a')));
}

TEST(Wildcard, PatternListsIgnoreEmptyPieces) {
  const kv::PatternList list(";*.swf;; *.flv ;");
  EXPECT_TRUE(list.matches("a.SWF"));
  EXPECT_TRUE(list.matches("b.flv"));
  EXPECT_FALSE(list.matches("c.mp4"));
  EXPECT_FALSE(kv::PatternList("").matches("anything"));
}

TEST(NaturalOrder, NumbersByValueLettersWithoutCase) {
  std::vector<std::string> names{"clip10.avi", "Clip2.avi",  "clip1.avi", "b.mp3",
                                 "A.mp3",      "clip02.avi", "影片.mp4",  "clip.avi"};
  std::sort(names.begin(), names.end(), kv::naturalLess);
  EXPECT_EQ(names, (std::vector<std::string>{"A.mp3", "b.mp3", "clip.avi", "clip1.avi", "Clip2.avi",
                                             "clip02.avi", "clip10.avi", "影片.mp4"}));
  EXPECT_FALSE(kv::naturalLess("a", "a"));
  EXPECT_TRUE(kv::naturalLess("A", "a") != kv::naturalLess("a", "A"));  // total order
}

// The fast sort of a folder's names keeps exactly the order of naturalLess: tricky names (leading
// zeros, case, digit runs at the end, long runs, bytes above 127, a shared start) and many
// random ones from a small alphabet that makes near-ties likely.
TEST(NaturalOrder, SortingByKeysKeepsTheOrderOfTheComparison) {
  std::vector<std::vector<std::string>> tables = {
      {"a", "A", "a0", "a00", "a000", "a01", "a1", "a001b", "a1b", "a10", "a9", "", "0", "00"},
      {"clip 10.avi", "clip 2.avi", "Clip 2.avi", "clip 02.avi", "clip 2.AVI", "clip.avi", "clip 2",
       "clip 2 .avi", "clip"},
      {std::string(300, '7') + "x", std::string(299, '7') + "x", "7x", "8x"},
      {"\xe5\xbd\xb1\xe7\x89\x87 2.mp4", "\xe5\xbd\xb1\xe7\x89\x87 10.mp4", "z.mp4", "~.mp4", "_1",
       "-1", "1", "a"},
  };
  std::uint32_t seed = 12345;
  const char alphabet[] = {'a', 'B', 'b', '0', '1', '9', '.', ' ', '\xe4', '/'};
  for (int t = 0; t < 5; ++t) {
    std::vector<std::string> random;
    for (int i = 0; i < 2000; ++i) {
      seed = seed * 1664525u + 1013904223u;
      std::string name = t % 2 ? "clip " : "";
      for (int n = static_cast<int>(seed >> 28); n > 0; --n) {
        seed = seed * 1664525u + 1013904223u;
        name += alphabet[(seed >> 24) % sizeof alphabet];
      }
      random.push_back(name);
    }
    tables.push_back(random);
  }
  for (const auto& names : tables) {
    std::vector<std::string> expected = names, got = names;
    std::sort(expected.begin(), expected.end(),
              [](const std::string& a, const std::string& b) { return kv::naturalLess(a, b); });
    kv::sortNatural(got);
    EXPECT_EQ(got, expected) << "first of the table: " << names.front();
  }
}
