// A locale whose decimal separator is a comma, generated into a private folder so that the
// machine's own locales are left alone.
#pragma once

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace zolvane::testing {

inline constexpr const char* kCommaLocale = "de_DE.UTF-8";

// Generates the locale into `dir` and returns the folder to name in LOCPATH; empty when
// localedef could not make it or the result does not write 2.5 as "2,5".
inline std::string MakeCommaLocale(const TempDir& dir) {
  const std::string folder = dir.File("locales");
  const std::string log = dir.File("localedef.log");
  const std::string make = "mkdir -p '" + folder + "' && localedef -i de_DE -f UTF-8 '" + folder +
                           "/" + kCommaLocale + "' >'" + log + "' 2>&1";
  const std::string check = "LOCPATH='" + folder + "' LC_ALL=" + kCommaLocale +
                            " bash -c 'test \"$(printf %.1f 2,5)\" = 2,5' >>'" + log + "' 2>&1";
  std::system(make.c_str());  // warnings give a non-zero status; the check decides
  return std::system(check.c_str()) == 0 ? folder : std::string();
}

}  // namespace zolvane::testing
