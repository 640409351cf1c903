// zolvane-cli's XYZ export, GEBCO and DAF subcommands, run as a user would run them.
#include <gtest/gtest.h>

#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

TEST(VectorCli, ConversionsAndTheirExitStatus) {
  const std::string gebco = "  -200    1\n41.50000  2.25000\n";
  const std::string daf =
      "Header\n1\n2\n3\n4\n2\nDecimal\nEndHeader\nSTART 43, 174=200;185=12\n2.25 41.5\nSTOP\n";
  const struct {
    std::string arguments;
    std::string input;
    int status;
    std::string expected;  // the output file, or a part of what was printed
  } cases[] = {
      {"xyz2bna --lines", "1,1,A\n2,2,A\n3,3,B\n", 0,
       "\"A\",\" \",-2\r\n1,1\r\n2,2\r\n\"B\",\"B\",1\r\n3,3\r\n"},
      {"xyz2gmt", "1,1,A\n", 0, "> A\r\n 1  1 \r\n>\r\n"},
      {"xyz2bna --points", "1,2," + std::string(68, 'L') + "\n", 0,  // a header of 80 characters
       std::string("\"").append(68, 'L') + "\",\" \",1,1,2\r\n"},
      {"gebco2xyz --zone 31 --out-layout 13", gebco, 0, "437402,4594535\r\n"},
      {"gebco2xyz --zone 31 --ellipsoid ed50 --out-layout 13", gebco, 0, "437399,4594616\r\n"},
      {"gebco2bna --centennial", ">   -200 1\n41.50000  2.25000\n", 0,
       "\"-200\",\"-200\",-1\r\n2.25,41.5\r\n"},
      {"gebco2gmt", gebco, 0, "> -200\r\n2.25 41.5\r\n>\r\n"},
      {"daf2xyz", daf, 0, "2.25 41.5 200\r\n"},
      {"daf2bna", daf, 0, "\"200\",\"200\",-1\r\n2.25,41.5\r\n"},
      {"bna2daf --label 2 --ed50", "\"a\",\"-5\",1,1,2\n", 0,
       "Header\r\n2\r\n1\r\n2\r\n1\r\n3\r\nDecimal\r\nEndHeader\r\nSTART 43, 174=5;185=12\r\n"
       "1.000000 2.000000\r\nSTOP\r\n"},
      // The header's bounds are the extremes read, 0 among them.
      {"bna2daf --label 1", "\"3\",\"b\",-3\n5,-1\n0,0\n3,-2\n", 0,
       "Header\r\n-2\r\n0\r\n0\r\n5\r\n2\r\nDecimal\r\nEndHeader\r\nSTART 43, 174=3;185=12\r\n"
       "5.000000 -1.000000\r\n0.000000 0.000000\r\n3.000000 -2.000000\r\nSTOP\r\n"},
      // Usage faults, then input faults naming the file and line.
      {"xyz2bna", "1,1,A\n", 2, "--lines or --points"},
      {"xyz2gmt --in-layout 13", "1,1\n", 2, "third column"},
      {"xyz2bna --points", "1,1,A\n2,2,\"B,C\"\n", 1, "line 2 of "},
      {"xyz2bna --points", "1,1,A\n1,2," + std::string(69, 'L') + "\n", 1,
       "Label too long: its BNA header would pass 80 characters: line 2 of "},
      {"xyz2bna --lines", "1,1," + std::string(75, 'L') + "\n2,2,A\n", 1, "line 1 of "},
      {"xyz2bna --lines",
       "1,1,A\n2,2," + std::string(37, 'L') + "\n3,3," + std::string(37, 'L') + "\n", 1,
       "line 2 of "},
      {"bna2daf --label 3", "", 2, "label"},
      {"gebco2bna", "  -200    0\n", 1, "Segment without points: line 1 of "},
      {"gebco2xyz --centennial", ">   -200 3\n41.5  2.25\n", 1,
       "The file ends inside a segment: line 2 of "},
      {"daf2bna", daf + "stray\n", 1, "line 12 of "},
      {"bna2daf --label 1", "\"a\",\"b\",0\n", 1, "line 1 of "},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string in = dir.Write("in", c.input);
    const std::string out = dir.File("out");
    const auto run = RunCli(c.arguments + " " + in + " " + out);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.output;
    if (c.status == 0) {
      EXPECT_EQ(TempDir::Read(out), c.expected) << c.arguments;
    } else {
      EXPECT_NE(run.output.find(c.expected), std::string::npos) << c.arguments << run.output;
      EXPECT_FALSE(std::filesystem::exists(out)) << c.arguments;
    }
  }
}

TEST(VectorCli, NotesLeaveTheOutput) {
  TempDir dir;
  const std::string in = dir.Write("in.daf", "Header\n\n\n\n\n\n\n\nSTART =3;\n1 1\n");
  const auto run = RunCli("daf2bna " + in + " " + dir.File("o.bna"));
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("line 10 of " + in), std::string::npos) << run.output;
  EXPECT_EQ(TempDir::Read(dir.File("o.bna")), "\"3\",\"3\",-1\r\n1,1\r\n");
  EXPECT_EQ(RunCli("xyz2gmt " + in + " " + in).status, 1);  // never over its own input
  EXPECT_EQ(TempDir::Read(in), "Header\n\n\n\n\n\n\n\nSTART =3;\n1 1\n");
}

}  // namespace
}  // namespace zolvane
