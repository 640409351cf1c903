#include "core/number_format.h"

#include <gtest/gtest.h>

#include <string>

namespace zolvane {
namespace {

std::string Single(double value) {
  return FormatSingle(static_cast<float>(value));
}
std::string SignedSingle(double value) {
  return FormatSignedSingle(static_cast<float>(value));
}

// The shortest text to 15 digits: plain decimals for magnitudes from 1e-15 to 1e15 once
// rounded, an exponent only beyond; the signed and print forms keep a blank for the sign and
// drop the leading zero. Ordinary values inside those edges are checked against the C library
// by the short-cut test; these rows hold the edges, zeros and the exponent forms.
TEST(GeneralForm, PlainDecimalsFrom1e15DownTo1eMinus15) {
  const struct {
    std::string (*form)(double);
    double value;
    const char* expected;
  } cases[] = {
      {FormatGeneral, 0, "0"},
      {FormatGeneral, -0.0, "0"},
      {FormatGeneral, 1e-5, "0.00001"},
      {FormatGeneral, 1e20, "1E+20"},
      {FormatGeneral, 1e15, "1000000000000000"},
      {FormatGeneral, -1e15, "-1000000000000000"},
      {FormatGeneral, 999999999999999.9, "1000000000000000"},  // carries onto the edge
      {FormatGeneral, 1.00000000000001e15, "1.00000000000001E+15"},
      {FormatGeneral, -2e15, "-2E+15"},
      {FormatGeneral, 9.99999999999999999e-5, "0.0001"},
      {FormatGeneral, 1e-15, "0.000000000000001"},
      {FormatGeneral, -1.5e-15, "-0.0000000000000015"},
      {FormatGeneral, 9.999999999999999e-16, "0.000000000000001"},
      {FormatGeneral, 9.99999999999999e-16, "9.99999999999999E-16"},
      {FormatGeneral, -2.5e-20, "-2.5E-20"},
      {FormatSigned, -1e-15, "-.000000000000001"},
      {FormatSigned, 1e15, " 1000000000000000"},
      {FormatSigned, 1e16, " 1E+16"},
      {Single, 6.123234e-14, "0.00000000000006123234"},
      {Single, 45123456.7, "45123460"},
      {Single, 1e20, "1E+20"},
      {SignedSingle, 0.05579995, " .05579995"},
      {SignedSingle, -9.9999999e-16, "-.000000000000001"},
      {SignedSingle, 1.70141e38, " 1.70141E+38"},
      {Single, 0.01, "0.01"},  // the float rounds up into an eighth digit
      {SignedSingle, -0.01, "-.01"},
      {SignedSingle, 0.000123456789, " .0001234568"},
      {Single, -0.0, "0"},
      {SignedSingle, 9999999, " 9999999"},
      {Single, 1e7, "10000000"},
      {FormatSigned, 0, " 0"},
      {FormatSigned, -0.25, "-.25"},
      {FormatPrintItem, 0.5, " .5 "},
      {FormatPrintItem, 0, " 0 "},
      {FormatPrintItem, 1e15, " 1000000000000000 "},
      {FormatPrintItem, -1e-15, "-.000000000000001 "},
      {FormatPrintItem, 9.99999999999999999e-5, " .0001 "},
      {FormatPrintItem, 2e15, " 2E+15 "},
      {FormatPrintItem, -1e-16, "-1E-16 "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.form(c.value), c.expected) << c.value;
}

// Compulsory and optional digits; a pattern read once writes what the pattern read at each call
// writes, at the edges of its short cut: carries into a new digit, halves, the last place's
// 10^15, negative zero.
TEST(PicturePatterns, ReadOnceOrAtEachCall) {
  const struct {
    const char* pattern;
    double value;
    const char* expected;
  } cases[] = {
      {"000.0000000", 1.99998976, "001.9999898"},
      {"00.0000000", 40.99999456, "40.9999946"},
      {"000.0000000", -3.5, "-003.5000000"},
      {"###0.000000", 2.5, "2.500000"},
      {"###0.000000", 12345.5, "12345.500000"},
      {"0.000000", 0.0000005, "0.000001"},  // halves away from zero
      {"+000.000000", 2.0, "+002.000000"},
      {"+000.000000", -2.0, "-+002.000000"},
      {"00", 41.2, "41"},
      {"00.0000", 9.99995, "10.0000"},
      {"00.0000", 99.99995, "100.0000"},
      {"00.0000", 0.00005, "00.0001"},
      {"00.0000", 0.000049999, "00.0000"},
      {"00.0000", -0.0, "00.0000"},
      {"00.0000", -0.00000005, "-00.0000"},
      {"00.0000", 41.999999995, "42.0000"},
      {"00.0000", 4539238.4999999, "4539238.5000"},
      {"00.0000", 1e7 - 5e-4, "9999999.9995"},
      {"00.0000", 9.9999e14, "999990000000000.0000"},
      {" 000 ", -3.5, "- 004 "},
      {" 000 ", 1234567.0005, " 1234567 "},
      {"###.00000000", 0.000049999, ".00005000"},
      {"###.00000000", 999.9999999, "999.99999990"},
      {"###.00000000", 1e15, "1000000000000000.00000000"},
      {"000.0000000", 2.99382716049383, "002.9938272"},
      {"000.0000000", -0.00000005, "-000.0000001"},
      {"000.0000000", 4539238.4999999, "4539238.4999999"},
      {"0000000.000", 1234567.0005, "1234567.001"},
      {"0000000.000", 1e7 - 5e-4, "10000000.000"},
      {"+000.0#", -2.0 / 3, "-+000.67"},
      {"+000.0#", 4539238.4999999, "+4539238.5"},
      {"#.#", 0.00005, "."},
      {"#.#", -0.00000005, "-."},
      {"00", -2.0 / 3, "-01"},
      {"N 00.00 E", 99.99995, "N 100.00 E"},
  };
  for (const auto& c : cases) {
    std::string fixed;
    AppendFixedPicture(fixed, c.value, FixedPicture(c.pattern));
    EXPECT_EQ(fixed, c.expected) << c.pattern << " " << c.value;
    EXPECT_EQ(FormatPicture(c.value, c.pattern), c.expected) << c.pattern << " " << c.value;
  }
}

}  // namespace
}  // namespace zolvane
