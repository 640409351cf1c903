#include "core/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace zolvane {
namespace {

// A finite non-zero magnitude as significant decimal digits d0 d1 d2 ... and the decimal
// exponent of d0 (value = d0.d1d2... x 10^exponent).
struct Decimal {
  char digits[40];
  int count = 0;
  int exponent = 0;
};

// `text` holds to_chars' scientific form up to `end`, "d.ddde+XX".
Decimal ParseScientific(const char* text, const char* end) {
  Decimal d;
  const char* p = text;
  for (; p < end && *p != 'e'; ++p) {
    if (*p != '.') d.digits[d.count++] = *p;
  }
  d.exponent = 0;
  if (p < end) std::from_chars(p + 1 + (p[1] == '+'), end, d.exponent);
  while (d.count > 1 && d.digits[d.count - 1] == '0')
    --d.count;
  return d;
}

Decimal ToDecimal(double magnitude, int significantDigits) {
  char text[64];
  // The shortest text that reads back as the value is, when it has no more digits than
  // asked for, also the value rounded to that many digits; it is much cheaper to get.
  auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
  Decimal d = ParseScientific(text, result.ptr);
  if (d.count <= significantDigits) return d;
  result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                         significantDigits - 1);
  return ParseScientific(text, result.ptr);
}

void AppendExponent(std::string& out, int exponent) {
  out += exponent < 0 ? "E-" : "E+";
  const int magnitude = std::abs(exponent);
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
}

// Plain decimals from 1e-15 to 1e15 (after rounding): coordinates near 0 and large
// projected values are read by programs that may not take an exponent.
bool NeedsExponent(const Decimal& d) {
  constexpr int kPlainExponent = 15;
  if (d.exponent == kPlainExponent) return d.count > 1 || d.digits[0] != '1';
  return d.exponent < -kPlainExponent || d.exponent > kPlainExponent;
}

// Shortest text to the given significant digits: plain decimals, with an exponent only for
// magnitudes outside what NeedsExponent keeps plain.
void AppendShortest(std::string& out, double value, int significantDigits, bool leadingZero) {
  if (value == 0.0 || !std::isfinite(value)) {
    // Our readers never produce infinities or NaN; print them as 0 rather than garbage.
    out += '0';
    return;
  }
  if (value < 0) out += '-';
  const Decimal d = ToDecimal(std::fabs(value), significantDigits);
  if (NeedsExponent(d)) {
    out += d.digits[0];
    if (d.count > 1) {
      out += '.';
      out.append(d.digits + 1, d.count - 1);
    }
    AppendExponent(out, d.exponent);
    return;
  }
  if (d.exponent < 0) {
    if (leadingZero) out += '0';
    out += '.';
    out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    out.append(d.digits, d.count);
    return;
  }
  const int integerDigits = d.exponent + 1;
  if (d.count <= integerDigits) {
    out.append(d.digits, d.count);
    out.append(static_cast<std::size_t>(integerDigits - d.count), '0');
  } else {
    out.append(d.digits, integerDigits);
    out += '.';
    out.append(d.digits + integerDigits, d.count - integerDigits);
  }
}

struct Picture {
  std::string_view prefix, suffix;
  int minIntegerDigits = 0;
  int minDecimals = 0;
  int maxDecimals = 0;
  bool hasPoint = false;
};

bool IsPlaceholder(char c) {
  return c == '0' || c == '#' || c == '.';
}

Picture ParsePicture(std::string_view pattern) {
  Picture picture;
  std::size_t first = 0;
  while (first < pattern.size() && !IsPlaceholder(pattern[first]))
    ++first;
  std::size_t last = first;
  while (last < pattern.size() && IsPlaceholder(pattern[last]))
    ++last;
  picture.prefix = pattern.substr(0, first);
  picture.suffix = pattern.substr(last);
  bool afterPoint = false;
  for (std::size_t i = first; i < last; ++i) {
    const char c = pattern[i];
    if (c == '.') {
      // A second point is an ordinary optional position: keep the first one only.
      afterPoint = true;
      picture.hasPoint = true;
    } else if (afterPoint) {
      ++picture.maxDecimals;
      if (c == '0') picture.minDecimals = picture.maxDecimals;
    } else if (c == '0') {
      ++picture.minIntegerDigits;
    }
  }
  return picture;
}

// Rounds |value| half away from zero to `decimals` places on its 15-digit decimal text, the
// way a person rounding the printed number would, and returns integer and fraction digits.
void RoundToDecimals(double magnitude, int decimals, std::string& integerPart,
                     std::string& fraction) {
  integerPart.clear();
  fraction.assign(static_cast<std::size_t>(decimals), '0');
  if (magnitude == 0.0 || !std::isfinite(magnitude)) return;
  Decimal d = ToDecimal(magnitude, 15);
  std::string digits(d.digits, d.count);
  int exponent = d.exponent;
  const long keep = static_cast<long>(exponent) + decimals + 1;
  if (keep < 0) return;
  if (keep < static_cast<long>(digits.size())) {
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
      long i = keep - 1;
      for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) {
        digits[static_cast<std::size_t>(i)] = '0';
      }
      if (i >= 0) {
        ++digits[static_cast<std::size_t>(i)];
      } else {
        digits.insert(digits.begin(), '1');
        ++exponent;
      }
    }
  }
  // digits[k] has the weight 10^(exponent - k).
  for (std::size_t k = 0; k < digits.size(); ++k) {
    const long weight = exponent - static_cast<long>(k);
    if (weight >= 0) {
      integerPart += digits[k];
    } else if (-weight <= decimals) {
      fraction[static_cast<std::size_t>(-weight - 1)] = digits[k];
    }
  }
  if (exponent >= 0) {
    const long missing = exponent + 1 - static_cast<long>(integerPart.size());
    if (missing > 0) integerPart.append(static_cast<std::size_t>(missing), '0');
  }
}

// The picture form by the decimal rounding of RoundToDecimals, for any pattern and value.
void AppendExactPicture(std::string& out, double value, std::string_view pattern) {
  const Picture picture = ParsePicture(pattern);
  std::string integerPart, fraction;
  RoundToDecimals(std::fabs(value), picture.maxDecimals, integerPart, fraction);
  if (value < 0) out += '-';
  out += picture.prefix;
  const long padding = picture.minIntegerDigits - static_cast<long>(integerPart.size());
  if (padding > 0) out.append(static_cast<std::size_t>(padding), '0');
  out += integerPart;
  if (picture.hasPoint) {
    std::size_t shown = fraction.size();
    while (shown > static_cast<std::size_t>(picture.minDecimals) && fraction[shown - 1] == '0') {
      --shown;
    }
    out += '.';
    out.append(fraction, 0, shown);
  }
  out += picture.suffix;
}

constexpr unsigned long long kPowersOfTen[] = {1ULL,
                                               10ULL,
                                               100ULL,
                                               1000ULL,
                                               10000ULL,
                                               100000ULL,
                                               1000000ULL,
                                               10000000ULL,
                                               100000000ULL,
                                               1000000000ULL,
                                               10000000000ULL,
                                               100000000000ULL,
                                               1000000000000ULL,
                                               10000000000000ULL,
                                               100000000000000ULL,
                                               1000000000000000ULL,
                                               10000000000000000ULL,
                                               100000000000000000ULL,
                                               1000000000000000000ULL,
                                               10000000000000000000ULL};

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Appends `whole` / 10^k with its k decimals, written from the last digit backwards: the
// decimals, the point, the whole part (at least "0", or nothing before decimals without
// `leadingZero`) and the sign, then in one go.
void AppendScaled(std::string& out, bool negative, unsigned long long whole, int k,
                  bool leadingZero = true) {
  char text[40];
  char* const end = text + sizeof text;
  char* p = end;
  auto rest = whole;
  int d = 0;
  for (; d + 2 <= k; d += 2) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (rest % 100), 2);
    rest /= 100;
  }
  if (d < k) {
    *--p = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  if (k > 0) *--p = '.';
  while (rest >= 100) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (rest % 100), 2);
    rest /= 100;
  }
  if (rest >= 10) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * rest, 2);
  } else if (rest > 0 || leadingZero || k == 0) {
    *--p = static_cast<char>('0' + rest);
  }
  if (negative) *--p = '-';
  out.append(p, end);
}

// AppendScaled after dropping the decimals' trailing zeros, for digits counted to a fixed
// number of significant places.
void AppendWithoutTrailingZeros(std::string& out, bool negative, unsigned long long digits,
                                int k, bool leadingZero) {
  while (k > 0 && digits % 10 == 0) {
    digits /= 10;
    --k;
  }
  AppendScaled(out, negative, digits, k, leadingZero);
}

// Values that are a whole number of 10^-k for some k up to 8, below 10^15 in those units,
// such as depths, projected metres or coordinates typed with a few decimals. The smallest k
// whose quotient reads back as the value gives the shortest text that does, which is the
// general form when it has 15 digits or fewer; it costs a few multiplications instead of a
// full shortest-digit search. False for anything else.
bool AppendFewDecimals(std::string& out, double value, bool leadingZero) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  constexpr double kLimit = 1e15;
  const double magnitude = std::fabs(value);
  if (!(magnitude > 0 && magnitude < kLimit)) return false;
  // A whole number of 10^-k is one of 10^-8 too, to within a few units of the product's last
  // bit: a value farther from one has more decimals than any k tries.
  const double scaled8 = magnitude * kPowers[8];
  if (scaled8 < kLimit) {
    const double nearest = static_cast<double>(static_cast<long long>(scaled8 + 0.5));
    if (std::fabs(scaled8 - nearest) > scaled8 * 1e-15) return false;
  }
  for (int k = 0; k <= 8; ++k) {
    const double scaled = magnitude * kPowers[k];
    if (!(scaled < kLimit)) return false;
    // Nearest whole number; halves never read back, so how they round does not matter.
    const long long whole = static_cast<long long>(scaled + 0.5);
    if (k == 0 ? static_cast<double>(whole) != magnitude
               : static_cast<double>(whole) / kPowers[k] != magnitude) {
      continue;
    }
    AppendScaled(out, value < 0, static_cast<unsigned long long>(whole), k, leadingZero);
    return true;
  }
  return false;
}

// Values from 10^-5 up to 10^15 with more digits than that. The value is a 53-bit integer
// times a power of two, so its product with 10^k (k up to 20) is exact in 128 bits: the
// fifteen significant digits and the rest beyond them come out exactly, and only an exact
// half, where the full conversion's tie rule decides, takes the full road.
bool AppendFifteenDigits(std::string& out, double value, bool leadingZero) {
  constexpr unsigned long long kLow = 100000000000000ULL;  // the smallest fifteen digits
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-5 && magnitude < 1e15)) return false;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int shift = 1075 - static_cast<int>(bits >> 52);  // magnitude = mantissa / 2^shift
  // Decimals that bring fifteen digits before the point, from the power of two (78913 / 2^18
  // is log10 2): one too few at most, which the product shows.
  int k = std::max(0, 13 - ((52 - shift) * 78913 >> 18));
  unsigned __int128 product = 0, whole = 0;
  for (int tries = 0; tries < 2; ++tries) {
    product = mantissa;
    for (int i = k; i > 0; i -= 19)
      product *= kPowersOfTen[i > 19 ? 19 : i];
    whole = product >> shift;
    if (whole >= kLow) break;
    ++k;
  }
  if (whole < kLow || whole >= 10 * kLow) return false;
  auto digits = static_cast<unsigned long long>(whole);
  const unsigned __int128 rest = product - (whole << shift);
  const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
  if (rest == half) return false;
  if (rest > half && ++digits == 10 * kLow) {
    if (k == 0) return false;  // onto 10^15, whose form the full road keeps
    digits = kLow;
    --k;
  }
  AppendWithoutTrailingZeros(out, value < 0, digits, k, leadingZero);
  return true;
}

// n / 10^k by constants, which the compiler turns into multiplications.
std::uint64_t DivideByPower(std::uint64_t n, int k) {
  switch (k) {
    case 0:
      return n;
    case 1:
      return n / 10;
    case 2:
      return n / 100;
    case 3:
      return n / 1000;
    case 4:
      return n / 10000;
    case 5:
      return n / 100000;
    case 6:
      return n / 1000000;
    case 7:
      return n / 10000000;
    default:
      return n / 100000000;
  }
}

// Single-precision values from 10^-6 up to 10^7: a float times a power of ten up to 10^12 is
// exact in long double (24 and 28 significant bits), so its seven digits round exactly; an
// exact half, where the full conversion's tie rule decides, takes the full road. False for
// anything else.
bool AppendSevenDigits(std::string& out, float value, bool leadingZero) {
  static constexpr long double kPowers[] = {1e0L, 1e1L, 1e2L, 1e3L,  1e4L,  1e5L, 1e6L,
                                            1e7L, 1e8L, 1e9L, 1e10L, 1e11L, 1e12L};
  const long double magnitude = std::fabs(static_cast<long double>(value));
  if (!(magnitude >= 1e-6L && magnitude < 1e7L)) return false;
  int k = 0;  // decimals of the seven digits: 10^(6 - k) <= magnitude, short of 10^-6 at most
  while (k < 12 && magnitude * kPowers[k] < 1e6L)
    ++k;
  const long double scaled = magnitude * kPowers[k];
  const long double whole = std::floor(scaled);
  const long double fraction = scaled - whole;
  if (fraction == 0.5L) return false;
  unsigned long long digits = static_cast<unsigned long long>(whole) + (fraction > 0.5L ? 1 : 0);
  if (digits < 1000000ULL) return false;
  if (digits >= 10000000ULL) {  // rounded up into an eighth digit: 10^7 of the last place
    if (k == 0) return false;
    digits /= 10;
    --k;
  }
  AppendWithoutTrailingZeros(out, value < 0, digits, k, leadingZero);
  return true;
}

// The general form's digits by the cheapest road that gives them; `leadingZero` keeps the
// zero before the point of magnitudes below 1.
void AppendFifteen(std::string& out, double value, bool leadingZero) {
  if (!AppendFewDecimals(out, value, leadingZero) &&
      !AppendFifteenDigits(out, value, leadingZero)) {
    AppendShortest(out, value, 15, leadingZero);
  }
}

}  // namespace

void AppendGeneral(std::string& out, double value) {
  AppendFifteen(out, value, true);
}

std::string FormatGeneral(double value) {
  std::string out;
  AppendGeneral(out, value);
  return out;
}

std::string FormatSigned(double value) {
  std::string out;
  if (!(value < 0)) out += ' ';
  AppendFifteen(out, value, false);
  return out;
}

void AppendPrintItem(std::string& out, double value) {
  if (!(value < 0)) out += ' ';
  AppendFifteen(out, value, false);
  out += ' ';
}

std::string FormatPrintItem(double value) {
  std::string out;
  AppendPrintItem(out, value);
  return out;
}

std::string FormatSingle(float value) {
  std::string out;
  AppendSingle(out, value);
  return out;
}

void AppendSingle(std::string& out, float value) {
  if (!AppendSevenDigits(out, value, true))
    AppendShortest(out, static_cast<double>(value), 7, true);
}

void AppendPrintSingle(std::string& out, float value) {
  if (!(value < 0)) out += ' ';
  if (!AppendSevenDigits(out, value, false)) {
    AppendShortest(out, static_cast<double>(value), 7, false);
  }
  out += ' ';
}

void AppendPicture(std::string& out, double value, std::string_view pattern) {
  AppendFixedPicture(out, value, FixedPicture(pattern));
}

std::string FormatPicture(double value, std::string_view pattern) {
  std::string out;
  AppendPicture(out, value, pattern);
  return out;
}

std::string FormatSignedSingle(float value) {
  std::string out;
  if (!(value < 0)) out += ' ';
  if (!AppendSevenDigits(out, value, false)) {
    AppendShortest(out, static_cast<double>(value), 7, false);
  }
  return out;
}

void AppendCompact(std::string& out, double value) {
  AppendFifteen(out, value, false);
}

void AppendFixedPicture(std::string& out, double value, const FixedPicture& picture) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  const double scaled = picture.fixed_ ? std::fabs(value) * kPowers[picture.decimals_] : -1;
  // The picture form rounds the value's 15-digit text, which below 10^12 units of the last
  // place keeps three digits beyond it (within 5e-4 of a unit of the exact value), below
  // 10^13 two and below 10^14 one; the product is within half its own last bit of the exact
  // one. Away from a half by more than both, all round the same way; the rest takes the
  // exact rounding.
  const double margin = scaled < 1e12 ? 1e-3 : scaled < 1e13 ? 1e-2 : 0.1;
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (!(scaled >= 0 && scaled < 1e15) || std::fabs(fraction - 0.5) <= margin) {
    AppendExactPicture(out, value, picture.pattern_);
    return;
  }
  const auto units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  if (value < 0) out += '-';
  if (picture.first_ > 0) out.append(picture.pattern_.data(), picture.first_);
  // Written from the last digit backwards, then in one go.
  char text[48];
  char* const end = text + sizeof text;
  char* p = end;
  std::uint64_t integerPart = DivideByPower(units, picture.decimals_);
  if (picture.point_) {
    const auto scale = static_cast<std::uint64_t>(kPowers[picture.decimals_]);
    auto decimals = static_cast<std::uint32_t>(units - integerPart * scale);
    int shown = picture.decimals_;
    for (; shown > picture.minDecimals_ && decimals % 10 == 0; --shown)
      decimals /= 10;  // optional places drop their trailing zeros
    for (int i = 0; i < shown; ++i, decimals /= 10)
      *--p = static_cast<char>('0' + decimals % 10);
    *--p = '.';
  }
  // A zero integer part has no digits of its own, only the picture's compulsory zeros.
  const char* const point = p;
  for (; integerPart > 0; integerPart /= 10)
    *--p = static_cast<char>('0' + integerPart % 10);
  for (long written = point - p; written < picture.integerDigits_; ++written)
    *--p = '0';
  out.append(p, end);
  if (picture.last_ < picture.pattern_.size()) out += picture.pattern_.substr(picture.last_);
}

}  // namespace zolvane
