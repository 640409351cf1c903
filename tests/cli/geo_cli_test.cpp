// zolvane-cli's coordinate subcommands, run as a user would run them.
#include <gtest/gtest.h>

#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

TEST(GeoCli, OnePositionEachWay) {
  const auto forward = RunCli("utm --lat 41 --lon 2");
  EXPECT_EQ(forward.status, 0);
  EXPECT_EQ(forward.output, "zone 31\neasting 415897\nnorthing 4539238\n");
  const auto back = RunCli("utm --zone 31 --easting 415897 --northing 4539238");
  EXPECT_EQ(back.status, 0);
  EXPECT_EQ(back.output, "latitude 40.9999946\nlongitude 001.9999898\n");
  EXPECT_NE(RunCli("utm --lat -33 --lon 18 --ellipsoid ed50").output.find("zone 34\n"),
            std::string::npos);
}

TEST(GeoCli, FilesEachWay) {
  TempDir dir;
  const std::string in = dir.Write("in.dat", "2 41 100\n");
  EXPECT_EQ(RunCli("geo2utm --zone 31 --in-layout 21 " + in + " " + dir.File("u.dat")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("u.dat")), "415897,4539238,100\r\n");
  EXPECT_EQ(RunCli("utm2geo --zone 31 " + dir.File("u.dat") + " " + dir.File("g.dat")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("g.dat")), "001.9999898,40.9999946,100\r\n");

  const std::string bna = dir.Write("in.bna", "\"A\",\"B\",2\n2,41\n3,0\n");
  EXPECT_EQ(RunCli("geo2utm --zone 31 --bna " + bna + " " + dir.File("o.bna")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("o.bna")), "\"A\",\"B\",2\r\n415897,4539238\r\n500000,0\r\n");
  EXPECT_EQ(RunCli("bna2points " + bna + " " + dir.File("p.bna")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("p.bna")), "\"A\",\"B\",1,2,41\r\n\"A\",\"B\",1,3,0\r\n");

  const std::string metres = dir.Write("m.dat", "500000,4000000\n500300,4000400\n");
  EXPECT_EQ(RunCli("xyz2xyz --in-layout 13 --out-layout 13 --distances " + metres + " " +
                   dir.File("d.dat"))
                .status,
            0);
  EXPECT_EQ(TempDir::Read(dir.File("d.dat")),
            "500000,4000000, 0 , 0 \r\n500300,4000400, 500 , 500 \r\n");
  EXPECT_EQ(RunCli("translate --distance 1 --unit nm --metres --in-layout 13 --out-layout 13 " +
                   metres + " " + dir.File("t.dat"))
                .status,
            0);
  EXPECT_EQ(TempDir::Read(dir.File("t.dat")), "500000,4001852\r\n500300,4002252\r\n");
  // Degrees are shifted in the metres of the ellipsoid asked for.
  EXPECT_EQ(RunCli("translate --distance 1 --degrees --zone 31 --ellipsoid ed50 --in-layout 21 "
                   "--out-layout 21 " +
                   in + " " + dir.File("e.dat"))
                .status,
            0);
  EXPECT_EQ(TempDir::Read(dir.File("e.dat")), "001.9998634 41.0090002 100\r\n");
}

TEST(GeoCli, InputFaultsNameTheFileAndLine) {
  TempDir dir;
  const std::string bad = dir.Write("bad.dat", "1 2 3\n4 5\n");
  const auto run = RunCli("geo2utm --zone 31 --in-layout 21 " + bad + " " + dir.File("o.dat"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("line 2 of " + bad), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.dat")));

  const auto missing = RunCli("xyz2xyz " + dir.File("none.dat") + " " + dir.File("o.dat"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("none.dat"), std::string::npos);

  const std::string same = dir.Write("same.dat", "1,2,3\n");
  EXPECT_EQ(RunCli("xyz2xyz " + same + " " + same).status, 1);
  EXPECT_EQ(TempDir::Read(same), "1,2,3\n");

  // A comma file ending inside a point: noted, the points before it written.
  const std::string partial = dir.Write("p.dat", "1,2,3\n4,5\n");
  const auto note = RunCli("xyz2xyz --out-layout 21 " + partial + " " + dir.File("q.dat"));
  EXPECT_EQ(note.status, 0);
  EXPECT_NE(note.output.find("line 2 of " + partial), std::string::npos) << note.output;
  EXPECT_EQ(TempDir::Read(dir.File("q.dat")), "1 2 3\r\n");
}

TEST(GeoCli, ImpossiblePointsNotesAndWarnings) {
  const std::string kBeyond = "Latitude beyond 90 degrees north or south: ";
  const struct {
    std::string arguments;
    std::string input;  // given, the input file and an output file follow the arguments
    int status;
    std::string printed;  // a part of what was printed; nothing at all when empty
    std::string written;  // the output, when the run succeeds
  } cases[] = {
      {"utm --lat 95 --lon 2", "", 1, kBeyond + "95", ""},
      {"utm --lat -90.5 --lon 2", "", 1, kBeyond + "-90.5", ""},
      {"geo2utm --zone 31 --in-layout 21", "2 41 0\n2 95 0\n", 1, kBeyond + "line 2 of ", ""},
      {"geo2utm --zone 31 --bna", "\"A\",\"B\",2\n2,41\n2,-91\n", 1, kBeyond + "line 3 of ", ""},
      // A blank line still ends the data, and the user learns what was left unread.
      {"geo2utm --zone 31 --in-layout 21", "2 41 0\n\n2 42 0\n \n2 43 0\n", 0,
       "A blank line ends the data: 2 lines after it were left unread: line 2 of ",
       "415897,4539238,0\r\n"},
      {"xyz2xyz --in-layout 23 --out-layout 13", "1 2\n\n \n", 0, "", "1,2\r\n"},
      // Distances run on across the equator: 0.002 degrees of latitude are 221 m.
      {"geo2utm --zone 31 --in-layout 13 --out-layout 13 --distances", "2,-0.001\n2,0.001\n", 0, "",
       "388719,10000110, 0 , 0 \r\n388719,110, 221 , 221 \r\n"},
      {"xyz2xyz --in-layout 13 --out-layout 13 --distances --zone 31", "2,-0.001\n2,0.001\n", 0, "",
       "2,-0.001, 0 , 0 \r\n2,0.001, 221 , 221 \r\n"},
      // The zone of the central longitude, found by the checking pass.
      {"geo2utm --zone auto --in-layout 21", "2 41 0\n", 0, "zone 31\n", "415897,4539238,0\r\n"},
      {"geo2utm --zone auto --bna", "\"A\",\"B\",2\n-4,41\n3,0\n", 0, "zone 30\n",
       "\"A\",\"B\",2\r\n415897,4539238\r\n1168881,0\r\n"},
      // Through PROJ: layouts, Z, labels and every record kept; decimals by the target's unit.
      {"reproject --from EPSG:4326 --to EPSG:32631 --in-layout 21 --out-layout 11",
       "2.4 41.2 -35\n", 0, "", "449691.799,4561132.857,-35\r\n"},
      {"reproject --from EPSG:32631 --to EPSG:4326 --in-layout 14 --out-layout 33",
       "4561132.857,449691.799\n", 0, "", "2.40000000\t41.20000000\r\n"},
      {"reproject --from EPSG:4326 --to EPSG:32734 --bna",
       "\"A\",\"B\",2\n20.5,-33.9\n18.4,-33.9\n\"P\",\"Q\",1,20.5,-33.9\n", 0, "",
       "\"A\",\"B\",2\r\n453771.824,6248819.230\r\n259583.222,6245888.045\r\n"
       "\"P\",\"Q\",1,453771.824,6248819.230\r\n"},
      {"reproject --from EPSG:4326 --to EPSG:32631 --in-layout 21 --verbose", "2.4 41.2 0\n", 0,
       "operation UTM zone 31N", "449691.799,4561132.857,0\r\n"},
      // No datum shift known: said even unasked.
      {"reproject --from EPSG:4326 --to '+proj=longlat +ellps=intl' --in-layout 13 --out-layout 13 "
       "--precision 2",
       "2,41\n", 0, "warning: operation Ballpark", "2.00,41.00\r\n"},
      // Every operation of NAD27 to NAD83 needs a grid Debian does not install: the grid named.
      {"reproject --from EPSG:4267 --to EPSG:4269 --in-layout 21 --out-layout 21", "-100 40 0\n", 0,
       "NAD27 to NAD83 (4) needs the grid ca_nrc_ntv2_0.tif, which is not installed",
       "-100.00041559 39.99999688 0\r\n"},
      // LF line ends and decimals asked for, before or after the subcommand's name.
      {"--lf geo2utm --zone 31 --in-layout 21", "2 41 0\n", 0, "", "415897,4539238,0\n"},
      {"--precision 1 reproject --from EPSG:4326 --to EPSG:32734 --bna --lf",
       "\"A\",\"B\",2\n20.5,-33.9\n18.4,-33.9\n", 0, "",
       "\"A\",\"B\",2\n453771.8,6248819.2\n259583.2,6245888.0\n"},
      {"--precision 2 geo2utm --zone 31 --in-layout 21", "2 41 0\n", 2,
       "geo2utm writes the decimals its format fixes", ""},
      {"reproject --from EPSG:4326 --to EPSG:32631 --in-layout 21", "2 41 0\n2 95 0\n", 1,
       "line 2 of ", ""},
      // Past the first batch handed to PROJ.
      {"reproject --from EPSG:4326 --to EPSG:32631 --in-layout 21",
       [] {
         std::string points;
         for (int i = 1; i < 5000; ++i)
           points += "2 41 0\n";
         return points + "2 -95 0\n";
       }(),
       1, "line 5000 of ", ""},
      {"reproject --from EPSG:4326 --to EPSG:32631 --bna", "\"A\",\"B\",2\n2,41\n2,91\n", 1,
       "line 3 of ", ""},
      {"reproject --from EPSG:99999 --to EPSG:32631", "1,2\n", 2, "zolvane-cli crs QUERY", ""},
      {"reproject --from EPSG:4326 --to 'WGS 84 / UTM zone 99N'", "1,2\n", 2,
       "unknown coordinate reference system: WGS 84 / UTM zone 99N", ""},
      {"crs 'ETRS89 UTM 30N'", "", 0, "EPSG:25830\tETRS89 / UTM zone 30N\t", ""},
      {"crs 'no such system'", "", 1, "no coordinate reference system matches", ""},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string out = dir.File("out");
    std::string arguments = c.arguments;
    if (!c.input.empty()) arguments.append(" ").append(dir.Write("in", c.input)).append(" " + out);
    const auto run = RunCli(arguments);
    EXPECT_EQ(run.status, c.status) << arguments << "\n" << run.output;
    if (c.printed.empty()) {
      EXPECT_EQ(run.output, "") << arguments;
    } else {
      EXPECT_NE(run.output.find(c.printed), std::string::npos) << arguments << "\n" << run.output;
    }
    if (c.status == 0) {
      EXPECT_EQ(TempDir::Read(out), c.written) << arguments;
    } else {
      EXPECT_FALSE(std::filesystem::exists(out)) << arguments;
    }
  }
}

TEST(GeoCli, UsageErrors) {
  TempDir dir;
  const std::string files = dir.Write("in.dat", "1,2,3\n") + " " + dir.File("o.dat");
  for (const std::string& arguments :
       {std::string("utm"), std::string("utm --lat 41"),
        std::string("utm --lat 41 --lon 2 --zone 31"),
        std::string("utm --lat 41 --lon 2 --ellipsoid clarke"), "geo2utm " + files,
        "geo2utm --zone 61 " + files, "utm2geo --zone 31 --in-layout 15 " + files,
        "xyz2xyz --out-layout abc " + files, "translate --distance 1 --degrees " + files,
        "translate --distance 0 " + files, "translate --distance 1 --degrees --metres " + files}) {
    EXPECT_EQ(RunCli(arguments).status, 2) << arguments;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.dat")));
}

}  // namespace
}  // namespace zolvane
