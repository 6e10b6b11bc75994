#include <gtest/gtest.h>

#include <limits>

#include "platform/errors.h"

using namespace kv;

TEST(Numbers, TextOfANumberIsItsShortestForm) {
  EXPECT_EQ(numberText(12.5), "12.5");
  EXPECT_EQ(numberText(100), "100");
  EXPECT_EQ(numberText(240 * (25 / 100.0)), "60");
  EXPECT_EQ(numberText(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(numberText(-3), "-3");
}

TEST(Numbers, TextToNumberFailsLikeATypeMismatch) {
  EXPECT_DOUBLE_EQ(toNumber(" 12.5 "), 12.5);
  EXPECT_DOUBLE_EQ(toNumber("240"), 240);
  for (const char* bad : {"", "  ", "abc", "12abc", "nan", "inf", "1e999"}) {
    try {
      toNumber(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), ErrorNumber::TypeMismatch) << bad;
    }
  }
}

TEST(Numbers, RoundingGoesToTheEvenNeighbourAndOverflowsLoudly) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(59.9), 60);
  EXPECT_EQ(roundHalfEven(0.99), 1);
  EXPECT_THROW(roundHalfEven(3e9), RuntimeError);
  EXPECT_THROW(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), RuntimeError);
  EXPECT_EQ(toInt16(32760), 32760);
  EXPECT_THROW(toInt16(32775), RuntimeError);
  EXPECT_THROW(divide(1, 0), RuntimeError);
  EXPECT_DOUBLE_EQ(divide(90, 180), 0.5);
}
