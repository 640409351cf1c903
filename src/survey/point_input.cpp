#include "survey/point_input.h"

namespace zolvane {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool IsNumberText(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  for (; i < n && IsDigit(text[i]); ++i)
    ++digits;
  if (i < n && text[i] == '.') {
    for (++i; i < n && IsDigit(text[i]); ++i)
      ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == n || !IsDigit(text[i])) return false;
    while (i < n && IsDigit(text[i]))
      ++i;
  }
  return i == n;
}

}  // namespace zolvane
