#include "core/number_format.h"

#include <gtest/gtest.h>

namespace zolvane {
namespace {

TEST(GeneralForm, ShortestTextTo15Digits) {
  EXPECT_EQ(FormatGeneral(0), "0");
  EXPECT_EQ(FormatGeneral(0.5), "0.5");
  EXPECT_EQ(FormatGeneral(-3), "-3");
  EXPECT_EQ(FormatGeneral(41.3), "41.3");
  EXPECT_EQ(FormatGeneral(415897.866), "415897.866");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatGeneral(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FormatGeneral(4539238), "4539238");
  EXPECT_EQ(FormatGeneral(-0.0), "0");
}

TEST(GeneralForm, DoesNotDependOnTheNumberWrittenBefore) {
  const double values[] = {41.3, 2.5, 1234567.125, 7, 1e-5, 0.1, 1e20, 3};
  const char* const texts[] = {"41.3", "2.5", "1234567.125", "7", "0.00001", "0.1", "1E+20", "3"};
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(FormatGeneral(values[i]), texts[i]);
  }
}

TEST(GeneralForm, ScientificForLargeAndTinyValues) {
  EXPECT_EQ(FormatGeneral(1e15), "1E+15");
  EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatGeneral(1.0 / 70), "1.42857142857143E-02");
  EXPECT_EQ(FormatGeneral(-2.5e-20), "-2.5E-20");
}

TEST(SignPositionAndPrintForms, BlankForSignAndNoLeadingZero) {
  EXPECT_EQ(FormatSigned(12), " 12");
  EXPECT_EQ(FormatSigned(-3), "-3");
  EXPECT_EQ(FormatSigned(0.5), " .5");
  EXPECT_EQ(FormatSigned(-0.25), "-.25");
  EXPECT_EQ(FormatSigned(0), " 0");
  EXPECT_EQ(FormatPrintItem(0.5), " .5 ");
  EXPECT_EQ(FormatPrintItem(-3), "-3 ");
  EXPECT_EQ(FormatPrintItem(500), " 500 ");
}

TEST(SingleForm, SevenSignificantDigits) {
  EXPECT_EQ(FormatSingle(1.0f / 3), "0.3333333");
  EXPECT_EQ(FormatSingle(1852.0f), "1852");
  EXPECT_EQ(FormatSingle(6.123234e-14f), "6.123234E-14");
}

TEST(PicturePatterns, CompulsoryAndOptionalDigits) {
  EXPECT_EQ(FormatPicture(1.99998976, "000.0000000"), "001.9999898");
  EXPECT_EQ(FormatPicture(40.99999456, "00.0000000"), "40.9999946");
  EXPECT_EQ(FormatPicture(-3.5, "000.0000000"), "-003.5000000");
  EXPECT_EQ(FormatPicture(2.5, "###0.000000"), "2.500000");
  EXPECT_EQ(FormatPicture(12345.5, "###0.000000"), "12345.500000");
  EXPECT_EQ(FormatPicture(0.0000005, "0.000000"), "0.000001");  // halves away from zero
  EXPECT_EQ(FormatPicture(2.0, "+000.000000"), "+002.000000");
  EXPECT_EQ(FormatPicture(-2.0, "+000.000000"), "-+002.000000");
  EXPECT_EQ(FormatPicture(41.2, "00"), "41");
}

}  // namespace
}  // namespace zolvane
