#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace zolvane {
namespace {

bool IsIgnored(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Collects the characters of the leading number, dropping ignored blanks, into out.
// Returns the number of mantissa digits seen (0 means there is no number).
template <typename Sink>
int ScanNumber(std::string_view text, Sink&& out) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto skip = [&] {
    while (i < n && IsIgnored(text[i]))
      ++i;
  };
  skip();
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') out('-');
    ++i;
  }
  int digits = 0;
  for (skip(); i < n && IsDigit(text[i]); skip()) {
    out(text[i++]);
    ++digits;
  }
  if (i < n && text[i] == '.') {
    out('.');
    ++i;
    for (skip(); i < n && IsDigit(text[i]); skip()) {
      out(text[i++]);
      ++digits;
    }
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    // The exponent counts only when digits follow it.
    std::size_t j = i + 1;
    while (j < n && IsIgnored(text[j]))
      ++j;
    char sign = 0;
    if (j < n && (text[j] == '+' || text[j] == '-')) sign = text[j++];
    while (j < n && IsIgnored(text[j]))
      ++j;
    if (j < n && IsDigit(text[j])) {
      out('e');
      if (sign == '-') out('-');
      for (i = j; i < n && IsDigit(text[i]); skip())
        out(text[i++]);
    }
  }
  return digits;
}

// Decimal order of magnitude of a scanned number, to tell overflow from underflow.
long long MagnitudeOf(std::string_view number) {
  long long integerDigits = 0, fractionZeros = 0, exponent = 0;
  bool seenNonZero = false, inFraction = false;
  std::size_t i = 0;
  if (i < number.size() && number[i] == '-') ++i;
  for (; i < number.size() && number[i] != 'e'; ++i) {
    const char c = number[i];
    if (c == '.') {
      inFraction = true;
    } else if (c != '0' || seenNonZero) {
      if (!seenNonZero && inFraction) break;
      seenNonZero = true;
      if (!inFraction) ++integerDigits;
    } else if (inFraction) {
      ++fractionZeros;
    }
  }
  const std::size_t e = number.find('e');
  if (e != std::string_view::npos) {
    bool negative = false;
    for (std::size_t k = e + 1; k < number.size(); ++k) {
      if (number[k] == '-') {
        negative = true;
      } else if (exponent < 1000000000) {
        exponent = exponent * 10 + (number[k] - '0');
      }
    }
    if (negative) exponent = -exponent;
  }
  return integerDigits > 0 ? integerDigits + exponent : exponent - fractionZeros;
}

double Convert(std::string_view number, bool& outOfRange) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    const bool negative = number.front() == '-';
    if (MagnitudeOf(number) > 0) {
      outOfRange = true;
      const double huge = std::numeric_limits<double>::max();
      return negative ? -huge : huge;
    }
    return negative ? -0.0 : 0.0;
  }
  return error == std::errc() ? value : 0.0;
}

// Plain decimals such as "-1181.13" with at most 15 digits: the digits make an exact whole
// number and a power of ten up to 1e15 is exact, so one division rounds the same way the
// full conversion does. Anything else (blanks inside, an exponent, more digits) returns
// false and takes the general road.
bool ReadPlainDecimal(std::string_view text, double& value) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && IsIgnored(text[i]))
    ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint64_t mantissa = 0;
  int digits = 0, decimals = 0;
  for (; i < n && IsDigit(text[i]) && digits <= 15; ++i, ++digits)
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
  if (i < n && text[i] == '.') {
    for (++i; i < n && IsDigit(text[i]) && digits <= 15; ++i, ++digits, ++decimals)
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
  }
  if (digits == 0 || digits > 15) return false;
  if (i < n) {
    const char c = text[i];
    if (IsIgnored(c) || c == '.' || c == 'e' || c == 'E') return false;
  }
  const double whole = static_cast<double>(mantissa);
  const double magnitude = decimals == 0 ? whole : whole / kPowers[decimals];
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

double ReadNumber(std::string_view text) {
  bool outOfRange = false;
  return ReadNumber(text, outOfRange);
}

double ReadNumber(std::string_view text, bool& outOfRange) {
  double plain = 0.0;
  if (ReadPlainDecimal(text, plain)) return plain;
  // Most fields are short: collect them on the stack and only fall back to the heap for
  // absurdly long digit runs.
  char local[128];
  std::size_t used = 0;
  std::string heap;
  auto out = [&](char c) {
    if (used < sizeof local) {
      local[used++] = c;
    } else {
      if (heap.empty()) heap.assign(local, used);
      heap.push_back(c);
    }
  };
  if (ScanNumber(text, out) == 0) return 0.0;
  return Convert(heap.empty() ? std::string_view(local, used) : std::string_view(heap), outOfRange);
}

float ReadSingle(std::string_view text, bool& outOfRange) {
  const double value = ReadNumber(text, outOfRange);
  constexpr double kLargest = std::numeric_limits<float>::max();
  if (value > kLargest || value < -kLargest) {
    outOfRange = true;
    return 0;
  }
  return static_cast<float>(value);
}

bool HasLeadingNumber(std::string_view text) {
  return ScanNumber(text, [](char) {}) > 0;
}

double Int(double value) {
  return std::floor(value);
}

double Fix(double value) {
  return std::trunc(value);
}

double RoundHalfEven(double value) {
  // nearbyint follows the current rounding mode, which is round-to-nearest-even unless a
  // caller changed it; do it explicitly to be independent of that.
  const double floor = std::floor(value);
  const double difference = value - floor;
  if (difference > 0.5) return floor + 1.0;
  if (difference < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::int64_t ToInt64(double wholeValue) {
  if (std::isnan(wholeValue)) return 0;
  constexpr double kLimit = 9223372036854775807.0;  // rounds to 2^63
  if (wholeValue >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (wholeValue <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(wholeValue);
}

std::int32_t ToInt32(double wholeValue) {
  if (std::isnan(wholeValue)) return 0;
  if (wholeValue >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (wholeValue <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(wholeValue);
}

}  // namespace zolvane
