#include "core/numbers.h"
#include "core/value_tokens.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace zolvane {
namespace {

TEST(ReadNumber, LeadingNumberRule) {
  EXPECT_EQ(ReadNumber("  -2.5e3xyz"), -2500);
  EXPECT_EQ(ReadNumber("+7"), 7);
  EXPECT_EQ(ReadNumber("41,5"), 41);     // the comma is not a decimal point
  EXPECT_EQ(ReadNumber("1 2\t3"), 123);  // blanks and tabs anywhere are skipped
  EXPECT_EQ(ReadNumber("2.5,41.3"), 2.5);
  EXPECT_EQ(ReadNumber("\"100\""), 0);  // a quote is not part of a number
  EXPECT_EQ(ReadNumber("abc"), 0);
  EXPECT_EQ(ReadNumber(""), 0);
  EXPECT_EQ(ReadNumber("-"), 0);
  EXPECT_EQ(ReadNumber("1e"), 1);  // an exponent without digits is not taken
  EXPECT_EQ(ReadNumber("3.e2"), 300);
}

// The whole-field rule of the strict readers, against texts the leading rule reads a number in.
TEST(IsNumberText, TheWholeFieldIsOneNumber) {
  for (const char* text : {"41.3", "+7", ".5", "5.", "3.e2", "-1.5E-3", "+.5e+2", "1e400"})
    EXPECT_TRUE(IsNumberText(text)) << text;
  for (const char* text : {"  -2.5e3xyz", "41,5", "1 2\t3", " 7", "7 ", "\"100\"", "abc", "", "-",
                           ".", "+.e5", "1e", "1e+", "--1"})
    EXPECT_FALSE(IsNumberText(text)) << text;
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
