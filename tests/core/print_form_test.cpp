// The print form of numbers, which point exports write in bulk.
#include <gtest/gtest.h>

#include <string>

#include "core/number_format.h"

namespace zolvane {
namespace {

TEST(PrintForm, GeneralDigitsWithTheSignPositionAndNoLeadingZero) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {
      {431250.5, " 431250.5 "},
      {-12, "-12 "},
      {0.5, " .5 "},
      {-0.25, "-.25 "},
      {0, " 0 "},
      {1, " 1 "},
      {4581220.125, " 4581220.125 "},
      {1.0 / 3, " .333333333333333 "},
      {-2.0 / 3 - 10, "-10.6666666666667 "},
      {1e15, " 1000000000000000 "},
      {-1e-15, "-.000000000000001 "},
      {9.99999999999999999e-5, " .0001 "},
      {-0.0123456789012346, "-.0123456789012346 "},
      {2e15, " 2E+15 "},
      {-1e-16, "-1E-16 "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatPrintItem(c.value), c.expected) << c.value;
  // Beyond 1 the digits are the general form's, whichever way they are found.
  for (double value = 1; value < 1e9; value = value * 3.7 + 0.01) {
    const std::string digits = FormatGeneral(value);
    EXPECT_EQ(FormatPrintItem(value), std::string(1, ' ').append(digits).append(1, ' '));
    EXPECT_EQ(FormatPrintItem(-value), std::string(1, '-').append(digits).append(1, ' '));
  }
}

}  // namespace
}  // namespace zolvane
