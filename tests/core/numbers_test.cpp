#include "core/numbers.h"
#include "core/value_tokens.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace zolvane {
namespace {

// The leading-number rule against the whole-field rule that strict readers apply first. The
// leading rule skips blanks and tabs anywhere, takes no comma for a decimal point, no quote
// as part of a number and no exponent without digits.
TEST(ReadNumber, LeadingNumberRuleAndWholeFieldNumbers) {
  const struct {
    const char* text;
    double leading;
    bool wholeField;
  } cases[] = {
      {"41.3", 41.3, true},
      {"  -2.5e3xyz", -2500, false},
      {"+7", 7, true},
      {".5", 0.5, true},
      {"5.", 5, true},
      {"41,5", 41, false},
      {"1 2\t3", 123, false},
      {" 7", 7, false},
      {"2.5,41.3", 2.5, false},
      {"\"100\"", 0, false},
      {"abc", 0, false},
      {"", 0, false},
      {"-", 0, false},
      {".", 0, false},
      {"+.e5", 0, false},
      {"1e", 1, false},
      {"1e+", 1, false},
      {"3.e2", 300, true},
      {"-1.5E-3", -0.0015, true},
      {"+.5e+2", 50, true},
      {"1e400", DBL_MAX, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadNumber(c.text), c.leading) << c.text;
    EXPECT_EQ(IsNumberText(c.text), c.wholeField) << c.text;
  }
}

TEST(ReadNumber, ExtremesSaturateInsteadOfFailing) {
  EXPECT_EQ(ReadNumber("1e999"), DBL_MAX);
  EXPECT_EQ(ReadNumber("-1e999"), -DBL_MAX);
  EXPECT_EQ(ReadNumber("1e-999"), 0);
  EXPECT_EQ(ReadNumber(std::string(5000, '9')), DBL_MAX);
  const std::string junk("\x01\xff\x80\0", 4);
  EXPECT_EQ(ReadNumber(junk), 0);
}

TEST(ReadNumber, BeyondTheRangeIsFlaggedForFiles) {
  const struct {
    const char* text;
    bool doubleOut, singleOut;
  } cases[] = {
      {"1e400", true, true},   {"-1E+999", true, true},  {"1e39", false, true},
      {"-3e38", false, false}, {"1e-400", false, false}, {"1.7976931348623157e308", false, true},
      {"41.3", false, false},  {"abc", false, false},
  };
  for (const auto& c : cases) {
    bool outOfRange = false;
    ReadNumber(c.text, outOfRange);
    EXPECT_EQ(outOfRange, c.doubleOut) << c.text;
    outOfRange = false;
    ReadSingle(c.text, outOfRange);
    EXPECT_EQ(outOfRange, c.singleOut) << c.text;
  }
  bool kept = true;
  EXPECT_EQ(ReadNumber("2", kept), 2);
  EXPECT_TRUE(kept);  // the flag collects: a good number leaves it set
}

TEST(Rounding, IntFixAndHalfEven) {
  EXPECT_EQ(Int(-2.5), -3);
  EXPECT_EQ(Int(2.7), 2);
  EXPECT_EQ(Fix(-2.7), -2);
  EXPECT_EQ(Fix(2.7), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.6), 3);
}

TEST(Rounding, WholeNumberConversionsSaturate) {
  EXPECT_EQ(ToInt32(1e12), INT32_MAX);
  EXPECT_EQ(ToInt32(-1e12), INT32_MIN);
  EXPECT_EQ(ToInt64(1e300), INT64_MAX);
  EXPECT_EQ(ToInt64(0.0 / 0.0), 0);
  EXPECT_EQ(ToInt32(-7), -7);
}

}  // namespace
}  // namespace zolvane
