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
// The same rule for a number read from a file, where a value beyond the double range (1e400)
// is a fault of the file rather than a value: it sets `outOfRange`, which is otherwise left
// as it is, so that one flag can collect every number of a line.
double ReadNumber(std::string_view text, bool& outOfRange);
// The same for a value kept in single precision: beyond the float range (1e39) is out of range
// too, where the value would turn infinite.
float ReadSingle(std::string_view text, bool& outOfRange);
// True when the leading-number rule finds a number in `text` (where 0 means a real 0).
bool HasLeadingNumber(std::string_view text);

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
