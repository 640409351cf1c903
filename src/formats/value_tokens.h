// Values separated by blanks, tabs or commas, as grid and palette files hold them.
#pragma once

#include <string_view>
#include <vector>

#include "core/text_reader.h"

namespace zolvane {

// True when the whole of `text` is one number: optional sign, digits with an optional "."
// and an optional exponent. Unlike the leading-number rule, trailing text is a fault.
bool IsNumberText(std::string_view text);

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
