#include "log/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "log/checked_math.h"
#include "log/failure.h"
#include "log/field_parse.h"

namespace tarvelin {
namespace {

struct IntCase {
  const char* text;
  std::optional<int32_t> value;  // nullopt: not a valid integer
};

TEST(StrToIntTest, FieldSyntax) {
  const IntCase cases[] = {
      {"42", 42},
      {"   42", 42},
      {"-17", -17},
      {"+5", 5},
      {"0", 0},
      {"$1F", 31},
      {"x1F", 31},
      {"X1f", 31},
      {"0x1f", 31},
      {"0X1F", 31},
      {"-$10", -16},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"$7FFFFFFF", INT32_MAX},
      {"0000000000042", 42},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"$80000000", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"42 ", std::nullopt},
      {"12.0", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"1e2", std::nullopt},
      {"4 2", std::nullopt},
      {"\t42", std::nullopt},
      {"$1G", std::nullopt},
      {"--1", std::nullopt},
      {"+-1", std::nullopt},
      {"- 1", std::nullopt},
  };
  for (const IntCase& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.value) {
      EXPECT_EQ(StrToInt(c.text), *c.value);
      EXPECT_EQ(ParseIntField(c.text), *c.value);
    } else {
      const std::string message = std::string("'") + c.text + "' is not a valid integer value";
      for (auto parse : {&StrToInt, &ParseIntField}) {
        try {
          parse(c.text);
          ADD_FAILURE() << "accepted";
        } catch (const Failure& failure) {
          EXPECT_EQ(failure.message(), message);
        }
      }
    }
  }
}

TEST(StrToIntTest, NulBytesAreJustInvalidCharacters) {
  const std::string text(
      "4\0"
      "2",
      3);
  try {
    StrToInt(text);
    ADD_FAILURE() << "accepted";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.message(), "'" + text + "' is not a valid integer value");
  }
}

struct FloatCase {
  const char* text;
  std::optional<double> value;
};

TEST(StrToFloatTest, FieldSyntax) {
  const FloatCase cases[] = {
      {"1.5", 1.5},
      {" 1.5 ", 1.5},
      {"  -2.25", -2.25},
      {"+3", 3.0},
      {"1e2", 100.0},
      {"1E+2", 100.0},
      {"2.5e-1", 0.25},
      {"0", 0.0},
      {"1.", 1.0},
      {".5", 0.5},
      {"-.5", -0.5},
      {"007.50", 7.5},
      {"0.1", 0.1},
      {"1e-400", 0.0},
      {"123456789012345678", 123456789012345678.0},
      {"0.30000000000000004", 0.30000000000000004},
      {"1,5", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {".", std::nullopt},
      {"1e", std::nullopt},
      {"e5", std::nullopt},
      {"1e+", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"0x10", std::nullopt},
      {"$10", std::nullopt},
      {"1.5.", std::nullopt},
      {"1 .5", std::nullopt},
      {"--1", std::nullopt},
      {"1\t2", std::nullopt},
  };
  for (const FloatCase& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.value) {
      EXPECT_EQ(StrToFloat(c.text), *c.value);
      EXPECT_EQ(ParseRealField(c.text), *c.value);
    } else {
      const std::string message =
          std::string("'") + c.text + "' is not a valid floating point value";
      for (auto parse : {&StrToFloat, &ParseRealField}) {
        try {
          parse(c.text);
          ADD_FAILURE() << "accepted";
        } catch (const Failure& failure) {
          EXPECT_EQ(failure.message(), message);
        }
      }
    }
  }
}

TEST(StrToFloatTest, ValuesBeyondTheRealRangeOverflow) {
  for (const char* text : {"1e999", "-1e309", "1797693134862315708145274237317043567981e270"}) {
    SCOPED_TRACE(text);
    try {
      StrToFloat(text);
      ADD_FAILURE() << "accepted";
    } catch (const Failure& failure) {
      EXPECT_STREQ(failure.what(), "Floating point overflow");
    }
  }
  EXPECT_EQ(StrToFloat("1.7976931348623157e308"), std::numeric_limits<double>::max());
  EXPECT_EQ(StrToFloat("0.0000001e-400"), 0.0);
}

TEST(StrToFloatTest, FastPathAgreesWithGeneralConversion) {
  // The inline form must round exactly as the general one for every plain decimal.
  for (const char* text : {"0.1", "0.2", "0.3", "72.5", "9.999999999999999", "123456.789012345",
                           "999999999999999", "0.000000000000001", "4503599627370497.5"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseRealField(text), StrToFloat(text));
  }
}

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  const std::pair<long double, int64_t> cases[] = {
      {72.5L, 72}, {73.5L, 74}, {-0.5L, 0}, {-1.5L, -2}, {0.49L, 0}, {2.51L, 3}, {-2.5L, -2}};
  for (const auto& [x, rounded] : cases) EXPECT_EQ(RoundHalfEven(x), rounded) << (double)x;
  EXPECT_THROW(RoundHalfEven(1e19L), Failure);
  EXPECT_THROW(RoundHalfEven(std::nanl("")), Failure);
}

}  // namespace
}  // namespace tarvelin
