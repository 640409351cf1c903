// Writing numbers as text: the forms every output of the program is made of.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zolvane {

// General form: the shortest text that holds the value to 15 significant digits, "." as
// decimal point, no blanks ("0.5", "-3", "415897.866", "0.0142857142857143"). Every form
// below writes plain decimals from 1e-15 to 1e15 and an exponent only beyond ("1E+16").
std::string FormatGeneral(double value);
void AppendGeneral(std::string& out, double value);

// Sign-position form: a blank where a non-negative number has no sign, and no zero before
// the decimal point of numbers below 1 (" 12", "-3", " .5", "-.25").
std::string FormatSigned(double value);

// Print form: the sign-position form followed by one blank (" .5 ", "-3 ").
std::string FormatPrintItem(double value);
void AppendPrintItem(std::string& out, double value);

// Single-precision short form: like the general form, to 7 significant digits.
std::string FormatSingle(float value);

// The single-precision short form, appended.
void AppendSingle(std::string& out, float value);

// Print form of a single-precision value: the sign position, the short form to 7 significant
// digits without a zero before the point, one blank (" .1 ", "-.1 ", " 1.70141E+38 ").
void AppendPrintSingle(std::string& out, float value);

// A picture pattern such as "000.0000000", "###0.000000" or "+000.000000": "0" is a
// compulsory digit, "#" an optional one, "." the decimal point, any other character before
// or after the digits is copied. The value is rounded half away from zero to the pattern's
// decimals; a negative value gets a "-" before the whole result.
std::string FormatPicture(double value, std::string_view pattern);
void AppendPicture(std::string& out, double value, std::string_view pattern);

// A picture pattern (see AppendPicture) read once, for writers that use it on every value.
class FixedPicture {
 public:
  constexpr FixedPicture(std::string_view pattern) : pattern_(pattern) {  // NOLINT: a pattern
    first_ = pattern.find_first_of("0#.");
    fixed_ = first_ != std::string_view::npos;
    if (!fixed_) first_ = last_ = pattern.size();
    for (last_ = first_; fixed_ && last_ < pattern.size(); ++last_) {
      const char c = pattern[last_];
      if (c != '0' && c != '.' && c != '#') break;
      if (c == '.' && point_) fixed_ = false;  // a second point
      if (c == '.') point_ = true;
      if (point_ && c != '.') ++decimals_;
      if (point_ && c == '0') minDecimals_ = decimals_;
      if (!point_ && c == '0') ++integerDigits_;
    }
    fixed_ = fixed_ && decimals_ <= 8;
  }
  constexpr FixedPicture(const char* pattern)  // NOLINT: a pattern converts
      : FixedPicture(std::string_view(pattern)) {}

 private:
  friend void AppendFixedPicture(std::string& out, double value, const FixedPicture& picture);
  std::string_view pattern_;
  std::size_t first_ = 0, last_ = 0;  // the digit places
  int integerDigits_ = 0;             // compulsory ones
  int decimals_ = 0, minDecimals_ = 0;
  bool point_ = false;
  bool fixed_ = false;  // one point at most, up to 8 decimals
};

// The picture form of AppendPicture, byte for byte, without its general decimal rounding for
// pictures of up to 8 decimals ("00.0000", " 000 ", "###.00000000") and values below 10^15 of
// their last place. AppendPicture reads its pattern at each call and then takes this road.
void AppendFixedPicture(std::string& out, double value, const FixedPicture& picture);

// Sign-position form of a single-precision value, to 7 significant digits (" 4512346").
std::string FormatSignedSingle(float value);
// Compact form: the sign-position form without its blank (".5", "-.25", "41.3").
void AppendCompact(std::string& out, double value);

}  // namespace zolvane
