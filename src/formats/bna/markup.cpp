#include "formats/bna/markup.h"

#include <algorithm>
#include <cmath>

#include "core/number_format.h"
#include "core/numbers.h"
#include "core/text_reader.h"

namespace zolvane {
namespace {

// Printable ASCII that XML holds as it is.
bool IsPlainXml(unsigned char c) {
  return c >= 0x20 && c < 0x7F && c != '&' && c != '<' && c != '>' && c != '"';
}

// Length of the UTF-8 sequence starting at `i`, 0 when the bytes there are not one.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  unsigned minimum = 0;
  unsigned code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  if (code == 0xFFFE || code == 0xFFFF) return 0;
  return length;
}

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    // Runs of characters that stay as they are go in one piece.
    std::size_t plain = i;
    while (plain < text.size() && IsPlainXml(static_cast<unsigned char>(text[plain])))
      ++plain;
    if (plain > i) {
      out.append(text, i, plain - i);
      i = plain;
      if (i == text.size()) break;
    }
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8Length(text, i);
      if (length > 0) {
        out.append(text, i, length);
        i += length;
      } else {
        // Windows tools write labels in Latin-1.
        AppendUtf8(out, c);
        ++i;
      }
      continue;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += (c < 0x20 && c != '\t') || c == 0x7F ? ' ' : static_cast<char>(c);
    }
    ++i;
  }
}

std::string Utf8Text(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c >= 0x80 ? Utf8Length(text, i) : 1;
    if (length > 0) {
      out.append(text, i, length);
      i += length;
    } else {
      AppendUtf8(out, c);
      ++i;
    }
  }
  return out;
}

std::string XmlText(std::string_view text) {
  std::string out;
  AppendXmlText(out, text);
  return out;
}

std::string XmlUnescape(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] != '&') {
      const std::size_t entity = std::min(text.find('&', i), text.size());
      out.append(text, i, entity - i);
      i = entity;
      continue;
    }
    bool replaced = false;
    for (const auto& [entity, c] : kEntities) {
      if (text.substr(i, entity.size()) == entity) {
        out += c;
        i += entity.size();
        replaced = true;
        break;
      }
    }
    if (!replaced && text.substr(i, 2) == "&#") {
      const std::size_t end = text.find(';', i);
      if (end != std::string_view::npos && end - i <= 10) {
        const bool hex = i + 2 < end && (text[i + 2] == 'x' || text[i + 2] == 'X');
        unsigned long code = 0;
        bool digits = end > i + (hex ? 3 : 2);
        for (std::size_t k = i + (hex ? 3 : 2); k < end && digits; ++k) {
          const char d = text[k];
          int v = -1;
          if (d >= '0' && d <= '9') v = d - '0';
          if (hex && d >= 'a' && d <= 'f') v = d - 'a' + 10;
          if (hex && d >= 'A' && d <= 'F') v = d - 'A' + 10;
          if (v < 0) digits = false;
          code = code * (hex ? 16 : 10) + static_cast<unsigned long>(v < 0 ? 0 : v);
        }
        if (digits && code > 0 && code <= 0x10FFFF) {
          AppendUtf8(out, static_cast<unsigned>(code));
          i = end + 1;
          replaced = true;
        }
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

void AppendHexByte(std::string& out, unsigned value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += kDigits[(value >> 4) & 0xF];
  out += kDigits[value & 0xF];
}

std::string KmlColour(unsigned alpha, std::uint32_t colour) {
  std::string out;
  AppendHexByte(out, alpha);
  AppendHexByte(out, (colour >> 16) & 0xFF);
  AppendHexByte(out, (colour >> 8) & 0xFF);
  AppendHexByte(out, colour & 0xFF);
  return out;
}

std::string HtmlColour(std::uint32_t colour) {
  std::string out = "#";
  AppendHexByte(out, colour & 0xFF);
  AppendHexByte(out, (colour >> 8) & 0xFF);
  AppendHexByte(out, (colour >> 16) & 0xFF);
  return out;
}

unsigned TransparencyAlpha(double percent) {
  const double clamped = percent > 100 ? 100 : (percent < 0 || std::isnan(percent) ? 0 : percent);
  return static_cast<unsigned>(RoundHalfEven(std::fabs(clamped - 100) * 255 / 100));
}

void AppendSignedDegrees(std::string& out, double value, int integerDigits) {
  static constexpr FixedPicture kLongitude("000.000000");
  static constexpr FixedPicture kLatitude("00.000000");
  out += value < 0 ? '-' : '+';
  AppendFixedPicture(out, std::fabs(value), integerDigits == 3 ? kLongitude : kLatitude);
}

std::string_view BnaLabelText(std::string_view raw) {
  const std::string_view text = TrimBlanksAndTabs(raw);
  if (text.empty() || text.front() != '"') return text;
  const std::size_t close = text.find('"', 1);
  return close == std::string_view::npos ? text.substr(1) : text.substr(1, close - 1);
}

}  // namespace zolvane
