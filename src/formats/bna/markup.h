// What the KML and XML marker writers share: text made safe for XML, colour strings,
// coordinates in fixed-width signed degrees and the label texts of BNA headers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/number_format.h"

namespace zolvane {

// Appends `text` as XML character data or attribute value: &, <, > and the double quote
// become entities; bytes that are not UTF-8 are taken as Latin-1, and control characters
// XML cannot hold become blanks, so the document stays well-formed whatever the labels.
void AppendXmlText(std::string& out, std::string_view text);
std::string XmlText(std::string_view text);

// `text` as UTF-8 by the same rule: bytes that are not UTF-8 are taken as Latin-1.
std::string Utf8Text(std::string_view text);

// The reverse of the five entities and of numeric character references.
std::string XmlUnescape(std::string_view text);

// Two lower-case hexadecimal digits.
void AppendHexByte(std::string& out, unsigned value);

// A colour of the chooser (red in the low byte, then green, then blue) as KML's aabbggrr.
std::string KmlColour(unsigned alpha, std::uint32_t colour);
// The same colour as "#rrggbb".
std::string HtmlColour(std::uint32_t colour);
// The polygon alpha for a transparency in percent (clamped to 0..100): 50 gives 128.
unsigned TransparencyAlpha(double percent);

// "+003.500000" / "-003.500000": one sign character, at least `integerDigits` integer digits,
// six decimals.
void AppendSignedDegrees(std::string& out, double value, int integerDigits);

// The text of a label as the delimited-field reader gives it: blanks around it dropped,
// the double quotes around it removed.
std::string_view BnaLabelText(std::string_view raw);

// Told of an object whose count makes no kind ("Error in object  <label 1> <label 2>").
using ObjectNoteFn = std::function<void(std::string_view)>;

}  // namespace zolvane
