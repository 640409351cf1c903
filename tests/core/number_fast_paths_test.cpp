// The short cuts for plain decimals give what the full conversions give.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "core/number_format.h"
#include "core/numbers.h"
#include "core/text_reader.h"

namespace zolvane {
namespace {

TEST(ReadNumberPlainDecimals, AgreeWithCorrectlyRoundedConversion) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    std::string text = random() % 3 == 0 ? "-" : "";
    const int integerDigits = static_cast<int>(random() % 9);
    const int decimals = static_cast<int>(random() % 9);
    for (int d = 0; d < integerDigits; ++d)
      text += static_cast<char>('0' + random() % 10);
    if (decimals > 0 || random() % 2 == 0) text += '.';
    for (int d = 0; d < decimals; ++d)
      text += static_cast<char>('0' + random() % 10);
    if (integerDigits + decimals == 0) continue;
    const double expected = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(ReadNumber(text), expected) << text;
    ASSERT_EQ(ReadNumber(text + ",5"), expected) << text;
  }
  // Longer or exponent texts keep the general rule.
  EXPECT_EQ(ReadNumber("1234567890123456"), 1234567890123456.0);
  EXPECT_EQ(ReadNumber("12345678.123456789"), 12345678.123456789);
  EXPECT_EQ(ReadNumber("1.5e2"), 150);
  EXPECT_EQ(ReadNumber("1.2.3"), 1.2);
  EXPECT_TRUE(std::signbit(ReadNumber("-0")));
}

TEST(ReadNumberPlainDecimals, ReadsOnlyInsideTheText) {
  // Each text in a block of its own size, so a sanitizer sees any read past it.
  const std::string digits = "12.5678901234";
  for (std::size_t length = 1; length <= digits.size(); ++length) {
    const std::unique_ptr<char[]> block(new char[length]);
    std::memcpy(block.get(), digits.data(), length);
    const std::string_view view(block.get(), length);
    EXPECT_EQ(ReadNumber(view), std::strtod(std::string(view).c_str(), nullptr)) << view;
  }
}

// The C library's `digits` significant digits of `value` (correctly rounded), written as
// plain decimals: the general forms for magnitudes from 1e-15 to 1e15.
std::string PlainDigits(double value, int digits) {
  if (value == 0) return "0";
  char text[48];
  std::snprintf(text, sizeof text, "%.*e", digits - 1, std::fabs(value));
  std::string mantissa(1, text[0]);
  mantissa.append(text + 2, static_cast<std::size_t>(digits - 1));
  const int exponent = std::atoi(std::strchr(text, 'e') + 1);
  while (mantissa.size() > 1 && mantissa.back() == '0')
    mantissa.pop_back();
  std::string plain = value < 0 ? "-" : "";
  if (exponent < 0) {
    plain.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0');
    return plain.append(mantissa);
  }
  const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
  if (mantissa.size() <= integerDigits) {
    return plain.append(mantissa).append(integerDigits - mantissa.size(), '0');
  }
  return plain.append(mantissa, 0, integerDigits).append(".").append(mantissa, integerDigits);
}

TEST(AppendGeneralFewDecimals, AgreeWithTheFullRoad) {
  std::mt19937_64 random(5);
  for (int i = 0; i < 300000; ++i) {
    const int decimals = static_cast<int>(random() % 11);
    std::uint64_t limit = 1;
    for (int d = static_cast<int>(random() % 16); d >= 0; --d)
      limit *= 10;
    double value = static_cast<double>(random() % limit);
    for (int d = 0; d < decimals; ++d)
      value /= 10;
    if (random() % 2) value = -value;
    if (random() % 7 == 0) value = std::nextafter(value, 1e300);  // not a short decimal
    // The exponent forms have their own table.
    if (std::fabs(value) >= 1e15 || (value != 0 && std::fabs(value) < 1e-15)) continue;
    ASSERT_EQ(FormatGeneral(value), PlainDigits(value, 15)) << value;
  }
  // Computed values with all their digits, from 10^-5 to 10^15, and the halves between them.
  for (int i = 0; i < 300000; ++i) {
    double value = std::ldexp(static_cast<double>(random() >> 11), -53) * 10;  // [0, 10)
    value = std::max(1.0, value) * std::pow(10.0, static_cast<int>(random() % 20) - 5);
    if (i % 5 == 0) value = std::floor(value * 1e3) / 1e3 + 0.0005;  // near a half
    if (random() % 2) value = -value;
    ASSERT_EQ(FormatGeneral(value), PlainDigits(value, 15)) << value;
    ASSERT_EQ(FormatPrintItem(value), FormatSigned(value) + " ") << value;
    const std::string general = PlainDigits(value, 15);
    const bool below1 = std::fabs(value) < 1;
    ASSERT_EQ(FormatSigned(value),
              std::string(value < 0 ? "-" : " ")
                  .append(general, (value < 0 ? 1 : 0) + (below1 ? 1 : 0), std::string::npos))
        << value;
  }
  // Single-precision values against the C library's seven digits, written plainly.
  for (int i = 0; i < 300000; ++i) {
    const auto value =
        static_cast<float>((0.1 + 0.9 * std::ldexp(static_cast<double>(random() >> 11), -53)) *
                           std::pow(10.0, static_cast<int>(random() % 15) - 7));
    const std::string plain = PlainDigits(value, 7);
    ASSERT_EQ(FormatSingle(value), plain) << plain;
    ASSERT_EQ(FormatSignedSingle(-value),
              std::string("-").append(plain, value < 1 ? 1 : 0, std::string::npos))
        << plain;
  }
  EXPECT_EQ(FormatGeneral(999999.99999999999), "1000000");
  EXPECT_EQ(FormatGeneral(400023.907618899123), "400023.907618899");
  EXPECT_EQ(FormatGeneral(999999999999999), "999999999999999");
}

}  // namespace
}  // namespace zolvane
