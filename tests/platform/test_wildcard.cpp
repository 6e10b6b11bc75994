#include <gtest/gtest.h>

#include <algorithm>
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
