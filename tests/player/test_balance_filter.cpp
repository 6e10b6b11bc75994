#include <gtest/gtest.h>

#include "media/player/balance_filter.h"

namespace kv::media {
namespace {

TEST(BalanceFilter, CentreNeedsNoFilter) {
  EXPECT_EQ(balanceFilter(0), "");
}

TEST(BalanceFilter, TheEnds) {
  EXPECT_EQ(balanceFilter(-100),
            "@balance:lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=1.00*c0|c1=0.00*c1]");
  EXPECT_EQ(balanceFilter(100),
            "@balance:lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=0.00*c0|c1=1.00*c1]");
}

TEST(BalanceFilter, InBetweenAttenuatesTheFarSide) {
  EXPECT_NE(balanceFilter(25).find("c0=0.75*c0|c1=1.00*c1"), std::string::npos);
  EXPECT_NE(balanceFilter(-30).find("c0=1.00*c0|c1=0.70*c1"), std::string::npos);
  EXPECT_NE(balanceFilter(-1).find("c0=1.00*c0|c1=0.99*c1"), std::string::npos);
}

TEST(BalanceFilter, OutOfRangeIsClamped) {
  EXPECT_EQ(clampBalance(-250), -100);
  EXPECT_EQ(clampBalance(101), 100);
  EXPECT_EQ(clampBalance(7), 7);
  EXPECT_EQ(balanceFilter(500), balanceFilter(100));
}

}  // namespace
}  // namespace kv::media
