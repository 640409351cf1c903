// Writing numbers as text: the forms every output of the program is made of.
#pragma once

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

// Sign-position form of a single-precision value, to 7 significant digits (" 4512346").
std::string FormatSignedSingle(float value);
// Compact form: the sign-position form without its blank (".5", "-.25", "41.3").
void AppendCompact(std::string& out, double value);

}  // namespace zolvane
