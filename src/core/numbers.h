// Reading numbers from text and rounding them to whole numbers.
#pragma once

#include <cstdint>
#include <string_view>

namespace zolvane {

// The leading-number rule: blanks and tabs anywhere are ignored, then an optional sign,
// digits, an optional "." with digits and an optional exponent are read; reading stops at
// the first other character. Text without a leading number gives 0. "." is the decimal
// point whatever the locale. Values beyond the double range saturate to +-DBL_MAX.
double ReadNumber(std::string_view text);

// Int: rounds towards minus infinity.
double Int(double value);
// Fix: rounds towards zero.
double Fix(double value);
// Rounding to a whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// Whole-number conversions that saturate instead of overflowing.
std::int64_t ToInt64(double wholeValue);
std::int32_t ToInt32(double wholeValue);

}  // namespace zolvane
