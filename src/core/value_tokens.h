// Values separated by blanks, tabs or commas, as grid, palette and point files hold them.
#pragma once

#include <string_view>
#include <vector>

#include "core/text_reader.h"

namespace zolvane {

// True when the whole of `text` is one number: optional sign, digits with an optional "."
// and an optional exponent. Unlike the leading-number rule, blanks and trailing text are
// faults, so that a field either is a number or is not.
bool IsNumberText(std::string_view text);

// The one scanner of separated values: skips the separators from `position`, then returns
// the value that follows up to the next separator, leaving `position` after it; empty at the
// end of the line. `separator` says which characters part values (readers differ on tabs
// and commas); it is a template so that the test costs no more than a comparison.
template <typename Separator>
std::string_view ScanValue(std::string_view line, std::size_t& position, Separator separator) {
  while (position < line.size() && separator(line[position]))
    ++position;
  const std::size_t start = position;
  while (position < line.size() && !separator(line[position]))
    ++position;
  return line.substr(start, position - start);
}

// Splits a line at blanks, tabs and commas; runs of separators count as one.
void SplitValues(std::string_view line, std::vector<std::string_view>& values);

// The values of a file one after the other, running on across line ends.
class ValueReader {
 public:
  explicit ValueReader(LineReader& lines) : lines_(lines) {}

  ReadStatus Next(std::string_view& value);
  // Drops what is left of the line the last value stood on.
  void SkipRestOfLine() { position_ = line_.size(); }
  long long LineNumber() const { return lines_.LineNumber(); }
  std::uint64_t BytesRead() const { return lines_.BytesRead(); }

 private:
  LineReader& lines_;
  std::string_view line_;
  std::size_t position_ = 0;
};

}  // namespace zolvane
