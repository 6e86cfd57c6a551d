#include "log/wideband.h"

#include <gtest/gtest.h>

#include "log/failure.h"

namespace tarvelin {
namespace {

TEST(WidebandTest, MatchesTheConversionTable) {
  struct Row {
    double volts, lambda, afr;
  };
  const Row table[] = {
      {0.0, 0.397526, 58.436322},        {1.0, 0.610568, 89.753496},
      {2.0, 0.82751, 121.64397},         {2.25, 0.905756984375, 133.146276703125},
      {2.5, 0.999760875, 146.964848625}, {3.0, 1.558768, 229.138896},
      {5.0, 16.498274, 2425.246278},
  };
  for (const Row& row : table) {
    SCOPED_TRACE(row.volts);
    EXPECT_NEAR(WidebandLambda(row.volts), row.lambda, 1e-9);
    EXPECT_NEAR(WidebandAfr(row.volts), row.afr, 1e-9);
  }
}

TEST(WidebandTest, UpperCubicStartsExactlyAtTwoAndAHalf) {
  EXPECT_NEAR(WidebandLambda(2.5), 0.999760875, 1e-12);
  EXPECT_NEAR(WidebandLambda(std::nextafter(2.5, 0.0)), 0.999849125, 1e-9);
}

TEST(WidebandTest, HugeVoltagesOverflowOthersAreStoredAsComputed) {
  EXPECT_NEAR(WidebandAfr(-10.0),
              14.7 * 10 * (((0.033283 * -10 - 0.097899) * -10 + 0.277658) * -10 + 0.397526), 1e-9);
  EXPECT_TRUE(std::isfinite(WidebandAfr(1e100)));
  for (double v : {1e103, -1e103, 1e300}) {
    try {
      WidebandAfr(v);
      ADD_FAILURE() << v;
    } catch (const Failure& failure) {
      EXPECT_STREQ(failure.what(), "Floating point overflow");
    }
  }
}

}  // namespace
}  // namespace tarvelin
