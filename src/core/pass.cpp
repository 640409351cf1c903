#include "core/pass.h"

namespace zolvane {

std::string FaultText(std::string_view reason, long long line, std::string_view fileName) {
  std::string text(reason);
  // Faults of the whole file (an empty one) concern no line.
  if (line > 0) {
    text += ": line ";
    text += std::to_string(line);
    text += " of ";
  } else {
    text += ": ";
  }
  text += fileName;
  return text;
}

PassResult ReadFault(ReadStatus status, long long line) {
  if (status == ReadStatus::TooLong) {
    return PassResult::Fail("Line longer than " + std::to_string(kMaxLineLength) + " characters",
                            line);
  }
  if (status == ReadStatus::NotText) return PassResult::Fail("Not a text file (a NUL byte)", line);
  return PassResult::Fail("The file could not be read", line);
}

PassResult NumberOutOfRange(long long line) {
  return PassResult::Fail("A number out of range", line);
}

PassResult EmptyFileFault() {
  return PassResult::Fail("The file is empty", 0);
}

}  // namespace zolvane
