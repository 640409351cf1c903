#include "formats/value_tokens.h"

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
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && IsDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponent = 0;
    while (i < n && IsDigit(text[i])) {
      ++i;
      ++exponent;
    }
    if (exponent == 0) return false;
  }
  return i == n;
}

void SplitValues(std::string_view line, std::vector<std::string_view>& values) {
  values.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSeparator(line[i]))
      ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsSeparator(line[i]))
      ++i;
    if (i > start) values.push_back(line.substr(start, i - start));
  }
}

ReadStatus ValueReader::Next(std::string_view& value) {
  for (;;) {
    while (position_ < line_.size() && IsSeparator(line_[position_]))
      ++position_;
    if (position_ < line_.size()) {
      const std::size_t start = position_;
      while (position_ < line_.size() && !IsSeparator(line_[position_]))
        ++position_;
      value = line_.substr(start, position_ - start);
      return ReadStatus::Ok;
    }
    const ReadStatus status = lines_.Next(line_);
    if (status != ReadStatus::Ok) {
      line_ = {};
      return status;
    }
    position_ = 0;
  }
}

}  // namespace zolvane
