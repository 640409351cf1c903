// Malformed inputs for every reader of zolvane-cli: each ends the command with exit 1 and a
// message naming the file (and the line where there is one), and leaves an existing output
// file as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

// Stands for a line of 10 MB, made when the row runs. A reader meets it where it meets a NUL
// byte; only readers that tell the two apart, or meet them at other lines, have both rows.
const std::string kLong = "<10 MB>";
const std::string kNul("\0\xff\x01", 3);

const std::string kDafHeader = "Header\n1\n2\n3\n4\n2\nDecimal\nEndHeader\n";
const std::string kPoseidon =
    "LAT_LL: 40.5          LONG_LL 2               LAT_UR: 41.5          LONG_UR 3  COLS 3 "
    "ROWS 2 SC_MIN 0 SC_MAX 9\n";
const std::string kDsaa = "DSAA\n2 2\n0 1\n0 1\n1 4\n";
const std::string kXml = "<?xml?>\n<markers>\n";
const std::string kClr = "ColorMap 1 1\n0 0 0 0\n";

std::string Solid(const std::string& x1, const std::string& y1) {
  return "0\nSECTION\n2\nENTITIES\n0\nSOLID\n8\n0\n62\n1\n10\n100\n20\n0\n11\n" + x1 + "\n21\n" +
         y1 + "\n12\n600\n22\n-50\n13\n600\n23\n-50\n0\nENDSEC\n0\nEOF\n";
}

// A binary point file: column count, record count, then the records' bytes.
std::string Binary(int columns, long long records, const std::string& body) {
  std::string head(6, '\0');
  head[0] = static_cast<char>(columns);
  for (int i = 0; i < 4; ++i)
    head[2 + i] = static_cast<char>((static_cast<unsigned long long>(records) >> (8 * i)) & 0xff);
  return head + body;
}

struct Malformed {
  const char* command;
  std::string input;
  long long line;  // the line the message names; 0 for a fault of the whole file
};

const std::vector<Malformed> kMalformed = {
    {"check-bna IN", "a,b,3\n1,2\n3,", 3},
    {"check-bna IN", "a,b,2\n1," + kNul + "\n2,3\n", 2},
    {"check-bna IN", "a,b,2\n1,2\n1e400,3\n", 3},
    {"check-bna IN", "a,b,1,1e400,2\n", 1},
    // A command that reads through the reader of the command above it keeps a row.
    {"bna2xyz IN OUT", "a,b,3\n1,2\n3,", 3},
    // The record reader of the survey commands and of the BNA extraction.
    {"distance-time IN OUT", "a,b,3\n1,2\n3,", 3},
    {"distance-time IN OUT", "a,b,2\n1," + kNul + "\n2,3\n", 2},
    {"distance-time IN OUT", "a,b,2147483648\n1,2\n", 2},
    {"distance-time IN OUT", "a,b,2\n1,2\n" + kLong + ",3\n", 3},
    {"distance-time IN OUT", "a,b,2\n1,2\n1e400,3\n", 3},
    {"distance-time IN OUT", "", 0},
    // XYZ: the blank and tab layouts split lines alike, the comma ones read fields. A comma
    // file cut inside a point is converted without it.
    {"xyz2xyz --in-layout 21 IN OUT", "1 2 3\n4 5", 2},
    {"xyz2xyz --in-layout 21 IN OUT", "1 2 3\n" + kNul + " 2 3\n", 2},
    {"xyz2xyz --in-layout 21 IN OUT", "1 2 3\n1e400 2 3\n", 2},
    {"xyz2xyz --in-layout 21 IN OUT", "1 2 3\n4 5 1E+999\n", 2},
    {"xyz2xyz --in-layout 11 IN OUT", "1,2,3\n" + kNul + ",2,3\n", 2},
    {"xyz2xyz --in-layout 11 IN OUT", "1,2,3\n1e400,2,3\n", 2},
    {"xyz2xyz --in-layout 31 IN OUT", "1\t2\t3\n" + kLong + "\t2\t3\n", 2},
    {"gebco2xyz IN OUT", "  -200    2\n41.50000  2.25000\n", 2},
    {"gebco2xyz IN OUT", "  -200    1\n" + kNul + "\n", 2},
    {"gebco2xyz IN OUT", "  -200 2147483648\n41.50000  2.25000\n", 2},
    {"gebco2xyz IN OUT", "  -200    1\n41.50000  1e400\n", 2},
    {"gebco2bna --centennial IN OUT", ">   -200 2\n41.50000  2.25000\n", 2},
    {"gebco2bna --centennial IN OUT", ">   -200 2147483648\n41.50000  2.25000\n", 2},
    {"gebco2bna --centennial IN OUT", ">   -200 1\n1e400     2.25000\n", 2},
    {"daf2bna IN OUT", kDafHeader.substr(0, 12), 4},
    {"daf2bna IN OUT", kDafHeader + "START =1;\n" + kNul + " 1\nSTOP\n", 10},
    {"daf2bna IN OUT", kDafHeader + "START =1;\n1e400 1\nSTOP\n", 10},
    {"daf2bna IN OUT", kDafHeader + "START =1e400;\n1 1\nSTOP\n", 9},
    {"daf2bna IN OUT", "", 0},
    {"daf2xyz IN OUT", kDafHeader + "START =1e400;\n1 1\nSTOP\n", 9},
    {"vec2bna IN OUT", "1 3\n1 2\n", 2},
    {"vec2bna IN OUT", "1 2\n1 2\n" + kNul + " 3\n", 3},
    {"vec2bna IN OUT", "1 2147483648\n1 2\n", 2},
    {"vec2bna IN OUT", "1 2\n1 2\n1e400 2\n0 0\n", 3},
    {"vec2bna IN OUT", "", 0},
    {"mapgen2bna IN OUT", "# -b\n-70.964500 \n", 2},
    {"mapgen2bna IN OUT", "# -b\n-70.96 42.26\n" + kNul + "\x02\x03\x04 42.26 1234\n", 3},
    {"mapgen2bna IN OUT", "# -b\n-70.96 42.26\n1e400 42.26\n", 3},
    {"mapgen2bna IN OUT", "# -b\n-70.96 42.26\n1e39 42.260000\n", 3},  // beyond a float
    {"surfer2genesis IN OUT", kDsaa + "1 2\n3", 7},
    {"surfer2genesis IN OUT", "DSAA\n2147483648 2\n0 1\n0 1\n1 4\n1 2\n3 4\n", 2},
    {"surfer2genesis IN OUT", kDsaa + "1 2\n3 " + kLong + "\n", 7},
    {"poseidon2grd IN OUT", kPoseidon + "1 -1 3\n4 5", 3},
    {"poseidon2grd IN OUT", kPoseidon + "1 -1 3\n" + kNul + " 5 6\n", 3},
    {"poseidon2grd IN OUT",
     "LAT_LL: 40.5 LONG_LL 2 LAT_UR: 41.5 LONG_UR 3  COLS 3 ROWS 2147483648 "
     "SC_MIN 0 SC_MAX 9\n1 2 3\n",
     2},
    {"poseidon2grd IN OUT", kPoseidon + "1 -1 3\n4 1e400 6\n", 3},
    {"poseidon2grd IN OUT",
     "LAT_LL: 1e400 LONG_LL 2 LAT_UR: 41.5 LONG_UR 3  COLS 3 ROWS 2 "
     "SC_MIN 0 SC_MAX 9\n1 2 3\n",
     1},
    // Binary points have records, not lines.
    {"bin2xyz IN OUT", Binary(2, 2, std::string("\2\0\1\0\2\0\2\0\3\0", 10)), 0},
    {"bin2xyz IN OUT", Binary(2, 2147483647LL, std::string("\2\0\1\0\2\0\2\0", 8)), 0},
    {"bin2xyz IN OUT", Binary(2, 1, std::string("\4\0\0\0\x80\x7f\2\0\1\0", 10)), 0},      // +inf
    {"bin2xyz IN OUT", Binary(3, 1, std::string("\2\0\1\0\2\0\1\0\0\0\xc0\x7f", 12)), 0},  // NaN
    {"invert-clr IN OUT", kClr + "100 255 255", 3},
    {"invert-clr IN OUT", kClr + kNul + " 1 2 3\n", 3},
    {"invert-clr IN OUT", kClr + "100 255 255 2147483648\n", 3},
    {"invert-clr IN OUT", kClr + "100 1e400 255 255\n", 3},
    {"clr2p25 IN OUT", kClr + "1e400 1 255 255\n", 3},
    {"extract --every 1 --columns 1,2,3 IN OUT", "1,2,3\n4,5", 2},
    {"extract --every 1 --columns 1,2,3 IN OUT", "1,2,3\n" + kNul + ",2,3\n", 2},
    {"extract --every 1 --columns 1,2,3 IN OUT", "1,2,3\n1e400,2,3\n", 2},
    {"extract --every 1 --columns 1,2,3 IN OUT", "1,2,3\n1,1e39,3\n", 2},  // y is a float
    {"dxf3d --start 0,0 --end 1000,0 IN OUT", Solid("350", "-100").substr(0, 60), 17},
    {"dxf3d --start 0,0 --end 1000,0 IN OUT", "0\nSECTION\n2\nENTITIES\n0\nSOLID\n" + kNul, 7},
    {"dxf3d --start 0,0 --end 1000,0 IN OUT", Solid(kLong, "-100"), 16},
    {"dxf3d --start 0,0 --end 1000,0 IN OUT", Solid("1e400", "-100"), 16},
    {"dxf3d --start 0,0 --end 1000,0 IN OUT", Solid("350", "-1e400"), 18},
    {"dxf3d --start 0,0 --end 1000,0 IN OUT", "", 0},
    {"csv2ks IN OUT", "101,523456.7,4712345.25\n102,5234", 2},
    {"csv2ks IN OUT", "101,523456.7,4712345.25\n" + kNul + ",1,2\n", 2},
    {"csv2ks IN OUT", "101,1,2\n102,3,\n-1e999\n", 3},
    {"xml2kml IN OUT", kXml + "<marker lat=\"1\" lng=\"2", 3},
    {"xml2kml IN OUT", kXml + "<marker lat=\"1\" lng=\"2\" label=\"" + kNul + "\" />\n", 3},
    {"xml2kml IN OUT", kXml + "<marker lat=\"1e400\" lng=\"2\" />\n", 3},
    {"xml2kml IN OUT", kXml + "<line>\n<point lat=\"1\" lng=\"-1e400\" />\n</line>\n", 4},
    // Swath and the anomaly read their points through the XYZ reader above; their rows prove
    // the wiring and check the unreadable values they refuse.
    {"swath --constant 20 --metres --in-layout 23 IN OUT", "10 10\n100 10\n100", 3},
    {"swath --constant 20 --metres --in-layout 13 IN OUT", "10,10\n1e400,10\n100,100\n", 2},
    {"swath --coefficient 2 --metres --in-layout 11 IN OUT", "10,10,5\n20,10,1e400\n", 2},
    {"towed --layback 10 IN OUT", "0,0,5,a\n100,0,5", 2},
    {"towed --layback 10 IN OUT", "0,0,5,a\n" + kNul + ",0,5,b\n", 2},
    {"towed --layback 10 IN OUT", "0,0,5,a\n1e400,0,5,b\n", 2},
    {"towed --layback-from-file IN OUT", "0,0,5,a\n100,0,1e39,b\n", 2},  // layback is a float
    {"igrf-anomaly --model igrf14 --year 2024 --in-layout 21 IN OUT", "2 41 45000\n3 41", 2},
    {"igrf-anomaly --model igrf14 --year 2024 --in-layout 21 IN OUT", "2 41 1e400\n", 1},
};

TEST(MalformedInput, EndsWithTheFileAndLineAndKeepsTheOutput) {
  TempDir dir;
  const std::string out = dir.File("out.txt");
  for (const Malformed& row : kMalformed) {
    const std::string kept = "kept\r\n";
    dir.Write("out.txt", kept);
    // IN and OUT stand for the files; a VEC file has its description beside it.
    std::string command = row.command, input = row.input;
    if (const std::size_t at = input.find(kLong); at != std::string::npos)
      input.replace(at, kLong.size(), std::string(10 << 20, '1'));
    const bool vec = command.starts_with("vec2bna");
    const std::string in = dir.Write(vec ? "in.vec" : "in.txt", input);
    if (vec) dir.Write("in.dvc", "a\nb\nc\nobject: line\n");
    command.replace(command.find(" IN"), 3, " " + in);
    if (const std::size_t at = command.find(" OUT"); at != std::string::npos)
      command.replace(at, 4, " " + out);
    const auto run = RunCli(command);
    const std::string where =
        (row.line > 0 ? "line " + std::to_string(row.line) + " of " : ": ") + in;
    EXPECT_EQ(run.status, 1) << row.command << " " << row.input.substr(0, 40);
    EXPECT_NE(run.output.find(where), std::string::npos)
        << row.command << " " << row.input.substr(0, 40) << ": " << run.output;
    EXPECT_EQ(TempDir::Read(out), kept) << row.command << " " << row.input.substr(0, 40);
  }
}

}  // namespace
}  // namespace zolvane
