#include "core/pass.h"

namespace zolvane {

std::string FaultText(std::string_view reason, long long line, std::string_view fileName) {
  std::string text(reason);
  text += ": line ";
  text += std::to_string(line);
  text += " of ";
  text += fileName;
  return text;
}

PassResult ReadFault(ReadStatus status, long long line) {
  if (status == ReadStatus::TooLong) {
    return PassResult::Fail("Line longer than " + std::to_string(kMaxLineLength) + " characters",
                            line);
  }
  return PassResult::Fail("The file could not be read", line);
}

}  // namespace zolvane
