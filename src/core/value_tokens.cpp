#include "core/value_tokens.h"

namespace zolvane {
namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool IsNumberText(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto digits = [&] {
    const std::size_t start = i;
    while (i < n && IsDigit(text[i]))
      ++i;
    return i - start;
  };
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissa = digits();
  if (i < n && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == n;
}

void SplitValues(std::string_view line, std::vector<std::string_view>& values) {
  values.clear();
  std::size_t i = 0;
  for (std::string_view value; !(value = ScanValue(line, i, IsSeparator)).empty();)
    values.push_back(value);
}

ReadStatus ValueReader::Next(std::string_view& value) {
  for (;;) {
    value = ScanValue(line_, position_, IsSeparator);
    if (!value.empty()) return ReadStatus::Ok;
    const ReadStatus status = lines_.Next(line_);
    if (status != ReadStatus::Ok) {
      line_ = {};
      return status;
    }
    position_ = 0;
  }
}

}  // namespace zolvane
