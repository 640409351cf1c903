// Conversions give the same bytes whatever the locale's decimal separator.
#include <gtest/gtest.h>

#include <string>

#include "support/comma_locale.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunBash;
using testing::ShellWord;
using testing::TempDir;

// One conversion of each family, each with decimals to read and to write.
TEST(LocaleCli, ACommaLocaleChangesNoByte) {
  TempDir dir;
  const std::string locales = testing::MakeCommaLocale(dir);
  if (locales.empty()) GTEST_SKIP() << "localedef could not make " << testing::kCommaLocale;
  const std::string contours = ShellWord(ZOLVANE_EXAMPLES "/contours.bna");
  const std::string lonLat = ShellWord(ZOLVANE_EXAMPLES "/points-lonlat.xyz");
  const struct {
    std::string arguments, input;  // the input, when given, is written to a file "in"
  } cases[] = {
      {"bna2xyz --label 1 " + contours, ""},
      {"geo2utm --zone 31 --in-layout 21 --out-layout 11 " + lonLat, ""},
      {"utm2geo --zone 31 --in-layout 11 --out-layout 21", "415897.5,4539238.25,100.5\n"},
      {"xyz2bna --lines --in-layout 11", "1.5,1.25,A\n2.5,2.75,A\n"},
      {"gebco2xyz --zone 31 --out-layout 13", "  -200.5    1\n41.50000  2.25000\n"},
      {"daf2xyz",
       "Header\n1\n2\n3\n4\n2\nDecimal\nEndHeader\nSTART 43, 174=200;185=12\n"
       "2.25 41.5\nSTOP\n"},
      {"swath --constant 20.5 --metres --in-layout 13", "10.5,10\n100,10.25\n100,100\n"},
      {"towed --layback 10.5", "0,0,5,a\n100.5,0,5,b\n"},
      {"igrf-anomaly --model igrf14 --year 2024 --month 6 --in-layout 21", "2.5 41.5 45000.5\n"},
      {"bna2kml --label 1 --transparency 37.5 --style-name plan " + contours, ""},
      {"surfer2genesis --null -7.5", "DSAA\n2 2\n0 1.5\n0 1\n1 4.5\n1.25 2\n3 1.70141E+38\n"},
      {"clr2p25", "ColorMap 1 1\n0 0 0 0\n37.5 10 20 30\n100 255 255 255\n"},
      {"distance-time --line-speed 5.5 --transit-speed 10 " + contours, ""},
      {"rotate --centre -3.5,41 --angle 30.5 " + contours, ""},
  };
  const std::string comma = "LOCPATH=" + ShellWord(locales) + " LC_ALL=" + testing::kCommaLocale;
  for (const auto& c : cases) {
    const std::string input = c.input.empty() ? "" : ShellWord(dir.Write("in", c.input));
    const std::string command = " \"$CLI\" " + c.arguments + " " + input + " -";
    const auto plain = RunBash("LC_ALL=C" + command);
    const auto german = RunBash(comma + command);
    EXPECT_EQ(plain.status, 0) << c.arguments << "\n" << plain.output;
    EXPECT_FALSE(plain.output.empty()) << c.arguments;
    EXPECT_EQ(german.output, plain.output) << c.arguments;
  }
  // The one value printed rather than written to a file.
  const std::string igrf = " \"$CLI\" igrf --lat -33.9 --lon 18.4 --year 2024.5 --model igrf14";
  EXPECT_EQ(RunBash(comma + igrf).output, RunBash("LC_ALL=C" + igrf).output);
}

}  // namespace
}  // namespace zolvane
