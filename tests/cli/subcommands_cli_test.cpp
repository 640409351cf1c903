// Every subcommand run as a user would run it: its options reach the conversion, a fault ends
// with exit 1 and the file and line, a misuse with exit 2, and a refused run leaves the input
// and any old output as they were, and no temporary. The conversions' own bytes are tabled
// with their engines; a row here proves the wiring. Where a tool of GDAL is the judge
// (ogrinfo, gdalinfo), the row runs it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::Parts;
using testing::RunBash;
using testing::ShellWord;
using testing::Split;
using testing::TempDir;

enum class Is { Exact, Starts, Has };
using enum Is;

struct Row {
  std::string run;  // in a folder of its own, where "in" holds `input`
  std::string input;
  int status;
  std::string printed = "";  // parts of what was printed; none: nothing, on success
  std::string written = "";  // "out" on success: its bytes, its start, or its parts
  Is is = Is::Exact;
  std::string otherName = "", other = "";  // one more file in the folder
};

const std::string kLine = "\"S1\",\"two\",-2\r\n-3.25,41.5\r\n10.5,-33.75\r\n";
const std::string kObjects =
    "\"P & Q\",\"p2\",1,-3.5,41.25\n\"L\",\"l2\",-3\n1,2\n3,4\n5,5\n"
    "\"G\",\"g2\",4\n0,0\n1,0\n1,1\n0,0\nM,N,-1\n2,3\n";
// X from 100 to 600; a corner at 350, -100.
const std::string kDrawing =
    "0\nSECTION\n2\nENTITIES\n0\nSOLID\n8\n0\n62\n1\n10\n100\n20\n0\n11\n350\n21\n-100\n12\n"
    "600\n22\n-50\n13\n600\n23\n-50\n0\nENDSEC\n0\nEOF\n";
const std::string kGebco = "  -200    1\n41.50000  2.25000\n";
const std::string kDaf =
    "Header\n1\n2\n3\n4\n2\nDecimal\nEndHeader\nSTART 43, 174=200;185=12\n2.25 41.5\nSTOP\n";
const std::string kGrid = "DSAA\n2 2\n0 1\n0 1\n1 4\n1 2\n3 1.70141E+38\n";
const std::string kClr = "ColorMap 1 1\n0 0 0 0\n100 255 255 255\n";
const std::string kVec = "\"A\",\"7\",-2\n500000,4000000\n500100,4000100\n";
const std::string kLonelyVec = "1 1\n1 2\n0 0\n";
const std::string kTrack = "10,10\n100,10\n100,100\n";
const std::string kFixes = "0,0,5,a\n100,0,5,b\n";
const std::string kMetres = "500000,4000000\n500300,4000400\n";
const std::string kNav = "101,523456.7,4712345.25\n";
const std::string kBeyond = "Latitude beyond 90 degrees north or south: ";
const std::string kFiltered = "0 0 1\n10 10 2\n5 5 3\n20 5 4\n";
const std::string kTwoNodes = "\"A\",\"B\",2\n2,41\n2,41.1\n";
const std::string kUnreadable = "\"A\",\"B\",2\n1,1\nx,2\n";
const std::string kOne = "\"-25\",\"first\",2\r\n2.5,41.3\r\n2.75,41.25\r\n";
const std::string kOneXyz = "2.5,41.3,\"-25\"\r\n2.75,41.25,\"-25\"\r\n";
const std::string kAlone = "--version && cp \"$CLI\" . && ./zolvane-cli ";
const std::string kPoints = "2 41 0\n2.1 41.2 0\n";

// Runs the subcommand spelt both ways, OUT in `files` (or its standard output) named a, then
// b; prints nothing when both give the same bytes.
std::string BothSpellings(const std::string& spelling, const std::string& alias,
                          const std::string& files) {
  const auto named = [&](const std::string& name) {
    std::string text = files.find("OUT") == std::string::npos ? files + " >OUT" : files;
    for (std::size_t at; (at = text.find("OUT")) != std::string::npos;)
      text.replace(at, 3, name);
    return text;
  };
  return spelling + " " + named("a") + " && \"$CLI\" " + alias + " " + named("b") +
         " && cmp a b && test -s a";
}

const std::string kWideCsv = [] {
  std::string wide;
  for (int i = 0; i <= 60; ++i)
    wide += "c,";
  return wide + "c\n";
}();
// A header and 250 points, past the points between two progress reports.
std::string Long(std::string header, const std::string& point) {
  for (int i = 0; i < 250; ++i)
    header += point;
  return header;
}
const std::string kFiveThousand = [] {
  std::string points;
  for (int i = 1; i < 5000; ++i)
    points += "2 41 0\n";
  return points + "2 -95 0\n";
}();

// Clockwise rings (a Shapefile stores outer rings so), a closed polygon and an open one, labels
// with blanks and accents.
constexpr const char* kSurvey =
    "\"Línea 1\",\"Costa Brava\",-3\r\n500000,4000000\r\n500100,4000100\r\n500200,4000050\r\n"
    "\"Punto\",\"con blancos\",1,500050.5,4000020.25\r\n"
    "\"Bloque Ñ\",\"zona\",5\r\n500000,4000000\r\n500000,4000100\r\n500100,4000100\r\n"
    "500100,4000000\r\n500000,4000000\r\n"
    "\"Abierto\",\"\",3\r\n0,0\r\n0,50\r\n50,0\r\n"
    "\"Línea 2\",\"a b\",-2\r\n1.125,2.5\r\n3.75,-4\r\n";

// Writes `file` from the BNA "in" with bna2gis, lets ogrinfo describe what it wrote (`back`),
// reads that into "out" and checks what came back.
std::string GisRoundTrip(const std::string& file, const std::string& back) {
  return "bna2gis --crs EPSG:23031 in " + file + " && ogrinfo -al -so " + back +
         " && \"$CLI\" gis2bna " + back + " out && \"$CLI\" check-bna out";
}

constexpr const char* kImport = R"({"type": "FeatureCollection", "features": [
 {"type": "Feature", "id": 1, "properties": {"n": 7, "name": "Bloque, \"B\"", "kind": "licence"},
  "geometry": {"type": "MultiPolygon", "coordinates": [
   [[[0,0],[0,10],[10,10],[10,0],[0,0]], [[2,2],[4,2],[4,4],[2,2]]],
   [[[20,20],[20,30],[30,20],[20,20]]]]}},
 {"type": "Feature", "id": 2, "properties": {"n": 8, "name": "Cable", "kind": "route"},
  "geometry": {"type": "MultiLineString", "coordinates": [[[1,1,5],[2,2,5]], [[3,3],[4,4],[5,5]]]}},
 {"type": "Feature", "id": 3, "properties": {"n": 9, "name": "Boya", "kind": null},
  "geometry": {"type": "Point", "coordinates": [1.5, -2.25]}}
]})";

const Row kRows[] = {
    // What every subcommand shares: the version, the nearest right word for a mistyped one,
    // names with blanks, accents and leading dashes, and outputs that cannot be written.
    {"--version; ldd \"$CLI\" | grep -iE 'qt|gdal|proj'; echo \"found $?\"", "", 0,
     "zolvane-cli 8.05\nfound 1\n"},
    {kAlone + "plot a.bna b.png; echo \"exit $?\"", "", 0,
     "zolvane-cli: plot is run by zolvane-cli-plot, which is not installed: install the package "
     "zolvane\nexit 1\n"},
    {kAlone + "-q reproject --help; echo \"exit $?\"", "", 0,
     "reproject is run by zolvane-cli-proj, which is not installed: install the package "
     "zolvane-cli\nexit 1\n"},
    {"bogus", "", 2, "unknown subcommand bogus\n"},
    {"bna2xzy a.bna b.xyz", "", 2, "unknown subcommand bna2xzy (did you mean bna2xyz?)"},
    {"--versoin", "", 2, "unknown option --versoin (did you mean --version?)"},
    {"-q --hlep", "", 2, "unknown option --hlep (did you mean --help?)"},
    {"bna2xyz --lable 1 a.bna b.xyz", "", 2, "--lable (did you mean --label?)"},
    {"--threads 2 bogus", "", 2, "unknown subcommand bogus\n"},
    {"--threads=2 -q bna2xzy a.bna b.xyz", "", 2, "unknown subcommand bna2xzy (did you mean"},
    {"bna2xyz 'survey lines.bna' 'Ñandú é.xyz' && cat 'Ñandú é.xyz'", "", 0, kOneXyz, "", Exact,
     "survey lines.bna", kOne},
    {"bna2xyz -- '- x ü.bna' --.xyz && cat -- --.xyz", "", 0, kOneXyz, "", Exact, "- x ü.bna",
     kOne},
    {"check-bna -- -lines.bna", "", 1, "line 4 of -lines.bna", "", Exact, "-lines.bna",
     kOne + "oops\r\n"},
    {"bna2xyz -lines.bna out", "", 2, "zolvane-cli bna2xyz -- -lines.bna", "", Exact, "-lines.bna",
     kOne},
    {"bna2xyz in - >>out", kOne, 0, "", "kept\n" + kOneXyz, Exact, "out", "kept\n"},
    {"bna2xyz in gone/out", kOne, 1,
     "zolvane-cli: cannot write gone/out: No such file or directory\n"},
    {"bna2xyz in .", kOne, 1, "zolvane-cli: cannot write .: Is a directory\n"},
    // One spelling per idea; the old spellings and any case of a choice give the same bytes.
    {BothSpellings("bna2vec --ellipsoid ed50 --zone 31 --south",
                   "bna2vec --datum ED50 --utm-zone 31 --south",
                   "in OUT.vec && cat OUT.vec OUT.dvc >OUT"),
     kLine, 0},
    {BothSpellings("bna2daf --label 1 --ellipsoid ed50", "bna2daf --label 1 --ed50", "in -"), kLine,
     0},
    {BothSpellings("bna2kml --style-name s --symbol Star", "bna2kml --style-name s --symbol star",
                   "in -"),
     kLine, 0},
    {BothSpellings("geo2utm --zone 31 --ellipsoid ed50 --in-layout 21",
                   "geo2utm --zone 31 --ellipsoid ED50 --in-layout 21", "in -"),
     kPoints, 0},
    {BothSpellings("plot --format svg --in-layout 21", "plot --format SVG --layout 21", "in -"),
     kPoints, 0},
    {BothSpellings("translate --distance 1 --degrees --zone 31 --ellipsoid wgs84 --in-layout 21",
                   "translate --distance 1 --degrees --zone 31 --in-layout 21", "in -"),
     kPoints, 0},
    {BothSpellings("filter-xyz --z -1,1 --in-layout 21 --out-layout 21",
                   "filter-xyz --z -1,1 --in-layout 21", "in -"),
     kPoints, 0},
    {BothSpellings("parallel --start 500000,4500000 --end 500000,4510000",
                   "parallel --a 500000,4500000 --b 500000,4510000", "-"),
     "", 0},
    {BothSpellings("interpolate --start 500000.5,4500000 --end 500100,4500050.25 --slider 300",
                   "interpolate --p1 500000.5,4500000 --p2 500100,4500050.25 --slider 300", ""),
     "", 0},
    {BothSpellings("extract --every 2 --whole-lines", "extract --every 2 --lines",
                   "in OUT.x && cat OUT.x >OUT"),
     "1.5,2.25,3\n4.5,5.25,6\n7.5,8.25,9\n10.5,11.25,12\n", 0},
    {"bna2kml --symbol Moon in -", kLine, 2, "Moon is not one of {Circle,"},
    // The bounds of the picture's size are allowed.
    {"plot --width 20000 --height 150 --format svg --in-layout 21 in -", kPoints, 0, "<svg"},
    {"plot --width 200 --height 20000 --format svg --in-layout 21 in -", kPoints, 0, "<svg"},
    {"plot --width 20001 --format svg in -", kPoints, 2, "--width must be 200 to 20000"},
    // A cut BNA on standard input ends with its fault and writes nothing.
    {"bna2xyz - out <in", "a,b,3\r\n1,2\r\n", 1, "standard input"},

    // BNA check and BNA => XYZ.
    {"check-bna in", "a,b,3\n1,2\n3,4\n5,6\nc,d,1,-7,8\n", 0,
     Parts("objects: 2", "X min: -7  X Max: 5")},
    {"check-bna missing.bna", "", 1, "missing.bna"},
    {"check-bna", "", 2},
    {"bna2xyz --label 2 --layout 22 in out", "\"A\",\"B\",1,2.5,41.3\r\n", 0, "",
     "41.3 2.5 \"B\"\r\n"},
    {"bna2xyz --layout 25 in out", "a,b,1\n1,2\n", 2},
    {"bna2xyz --label 3 in out", "a,b,1\n1,2\n", 2},
    {"bna2xyz in", "a,b,1\n1,2\n", 2},
    {"bna2xyz in in", "a,b,1\n1,2\n", 1},

    // Coordinates: one position, files each way, faults and notes.
    {"utm --lat 41 --lon 2", "", 0, "zone 31\neasting 415897\nnorthing 4539238\n"},
    {"utm --zone 31 --easting 415897 --northing 4539238", "", 0,
     "latitude 40.9999946\nlongitude 001.9999898\n"},
    {"utm --lat 95 --lon 2", "", 1, kBeyond + "95"},
    {"geo2utm --zone 31 --in-layout 21 in out", "2 41 100\n", 0, "", "415897,4539238,100\r\n"},
    {"utm2geo --zone 31 in out", "415897,4539238,100\r\n", 0, "", "001.9999898,40.9999946,100\r\n"},
    {"geo2utm --zone 31 --bna in out", "\"A\",\"B\",2\n2,41\n3,0\n", 0, "",
     "\"A\",\"B\",2\r\n415897,4539238\r\n500000,0\r\n"},
    {"bna2points in out", "\"A\",\"B\",2\n2,41\n3,0\n", 0, "",
     "\"A\",\"B\",1,2,41\r\n\"A\",\"B\",1,3,0\r\n"},
    {"translate --distance 1 --unit nm --metres --in-layout 13 --out-layout 13 in out", kMetres, 0,
     "", "500000,4001852\r\n500300,4002252\r\n"},
    // Degrees are shifted in the metres of the ellipsoid asked for.
    {"translate --distance 1 --degrees --zone 31 --ellipsoid ed50 --in-layout 21 --out-layout 21 "
     "in out",
     "2 41 100\n", 0, "", "001.9998634 41.0090002 100\r\n"},
    {"xyz2xyz none.dat out", "", 1, "none.dat"},
    // A comma file ending inside a point: noted, the points before it written.
    {"xyz2xyz --out-layout 21 in out", "1,2,3\n4,5\n", 0, "line 2 of in", "1 2 3\r\n"},
    {"geo2utm --zone 31 --in-layout 21 in out", "2 41 0\n2 95 0\n", 1, kBeyond + "line 2 of in"},
    {"geo2utm --zone 31 --bna in out", "\"A\",\"B\",2\n2,41\n2,-91\n", 1, kBeyond + "line 3 of in"},
    // A blank line still ends the data, and the user learns what was left unread.
    {"geo2utm --zone 31 --in-layout 21 in out", "2 41 0\n\n2 42 0\n \n2 43 0\n", 0,
     "A blank line ends the data: 2 lines after it were left unread: line 2 of in",
     "415897,4539238,0\r\n"},
    {"xyz2xyz --in-layout 23 --out-layout 13 in out", "1 2\n\n \n", 0, "", "1,2\r\n"},
    // Distances run on across the equator: 0.002 degrees of latitude are 221 m.
    {"geo2utm --zone 31 --in-layout 13 --out-layout 13 --distances in out", "2,-0.001\n2,0.001\n",
     0, "", "388719,10000110, 0 , 0 \r\n388719,110, 221 , 221 \r\n"},
    {"xyz2xyz --in-layout 13 --out-layout 13 --distances --zone 31 in out", "2,-0.001\n2,0.001\n",
     0, "", "2,-0.001, 0 , 0 \r\n2,0.001, 221 , 221 \r\n"},
    // The zone of the central longitude, found by the checking pass.
    {"geo2utm --zone auto --in-layout 21 in out", "2 41 0\n", 0, "zone 31\n",
     "415897,4539238,0\r\n"},
    {"geo2utm --zone auto --bna in out", "\"A\",\"B\",2\n-4,41\n3,0\n", 0, "zone 30\n",
     "\"A\",\"B\",2\r\n415897,4539238\r\n1168881,0\r\n"},
    // Through PROJ: layouts, Z, labels and every record kept; decimals by the target's unit.
    {"reproject --from EPSG:4326 --to EPSG:32631 --in-layout 21 --out-layout 11 in out",
     "2.4 41.2 -35\n", 0, "", "449691.799,4561132.857,-35\r\n"},
    {"reproject --from EPSG:32631 --to EPSG:4326 --in-layout 14 --out-layout 33 in out",
     "4561132.857,449691.799\n", 0, "", "2.40000000\t41.20000000\r\n"},
    {"reproject --from EPSG:4326 --to EPSG:32734 --bna in out",
     "\"A\",\"B\",2\n20.5,-33.9\n18.4,-33.9\n\"P\",\"Q\",1,20.5,-33.9\n", 0, "",
     "\"A\",\"B\",2\r\n453771.824,6248819.230\r\n259583.222,6245888.045\r\n"
     "\"P\",\"Q\",1,453771.824,6248819.230\r\n"},
    {"reproject --from EPSG:4326 --to EPSG:32631 --in-layout 21 --verbose in out", "2.4 41.2 0\n",
     0, "operation UTM zone 31N", "449691.799,4561132.857,0\r\n"},
    // No datum shift known: said even unasked.
    {"reproject --from EPSG:4326 --to '+proj=longlat +ellps=intl' --in-layout 13 --out-layout 13 "
     "--precision 2 in out",
     "2,41\n", 0, "warning: operation Ballpark", "2.00,41.00\r\n"},
    // Every operation of NAD27 to NAD83 needs a grid Debian does not install: the grid named.
    {"reproject --from EPSG:4267 --to EPSG:4269 --in-layout 21 --out-layout 21 in out",
     "-100 40 0\n", 0,
     "NAD27 to NAD83 (4) needs the grid ca_nrc_ntv2_0.tif, which is not installed",
     "-100.00041559 39.99999688 0\r\n"},
    // LF line ends and decimals asked for, before or after the subcommand's name.
    {"--lf geo2utm --zone 31 --in-layout 21 in out", "2 41 0\n", 0, "", "415897,4539238,0\n"},
    {"--precision 1 reproject --from EPSG:4326 --to EPSG:32734 --bna --lf in out",
     "\"A\",\"B\",2\n20.5,-33.9\n18.4,-33.9\n", 0, "",
     "\"A\",\"B\",2\n453771.8,6248819.2\n259583.2,6245888.0\n"},
    {"--precision 2 geo2utm --zone 31 --in-layout 21 in out", "2 41 0\n", 2,
     "geo2utm writes the decimals its format fixes"},
    // Past the first batch handed to PROJ.
    {"reproject --from EPSG:4326 --to EPSG:32631 --bna in out && wc -l <out",
     Long("\"A\",\"B\",250\n", "2,41\n"), 0, "251\n"},
    {"reproject --from EPSG:4326 --to EPSG:32631 --in-layout 21 in out", kFiveThousand, 1,
     "line 5000 of in"},
    {"reproject --from EPSG:4326 --to EPSG:32631 --bna in out", "\"A\",\"B\",2\n2,41\n2,91\n", 1,
     "line 3 of in"},
    {"reproject --from EPSG:99999 --to EPSG:32631 in out", "1,2\n", 2, "zolvane-cli crs QUERY"},
    {"reproject --from EPSG:4326 --to 'WGS 84 / UTM zone 99N' in out", "1,2\n", 2,
     "unknown coordinate reference system: WGS 84 / UTM zone 99N"},
    {"crs 'ETRS89 UTM 30N'", "", 0, "EPSG:25830\tETRS89 / UTM zone 30N\t"},
    {"crs 'no such system'", "", 1, "no coordinate reference system matches"},
    {"utm", "", 2},
    {"utm --lat 41", "", 2},
    {"utm --lat 41 --lon 2 --zone 31", "", 2},
    {"utm --lat 41 --lon 2 --ellipsoid clarke", "", 2},
    {"geo2utm in out", "1,2,3\n", 2},
    {"geo2utm --zone 61 in out", "1,2,3\n", 2},
    {"utm2geo --zone 31 --in-layout 15 in out", "1,2,3\n", 2},
    {"xyz2xyz --out-layout abc in out", "1,2,3\n", 2},
    {"translate --distance 1 --degrees in out", "1,2,3\n", 2},
    {"translate --distance 0 in out", "1,2,3\n", 2},
    {"translate --distance 1 --degrees --metres in out", "1,2,3\n", 2},

    // Geophysics; negative coordinates are values, not options.
    {"swath --constant 20 --metres --in-layout 13 in out", kTrack, 0, "", "\" 10\",\" 10\",5\r\n",
     Starts},
    {"towed --layback 10 in out", kFixes, 0, "",
     "\"X_ship - Y_ship - X_sonar - Y_sonar - layback - label \"\r\n100,0,90,0,10,\"b\"\r\n"},
    {"towed --layback-from-file in out", kFixes, 0, "", "100,0,95,0,5,\"b\"", Has},
    {"igrf --lat -33.9 --lon 18.4 --year 2006 --month 6 --model igrf2005", "", 0, "26022.9\n"},
    {"igrf --lat -33.9 --lon 18.4 --year 2006 --month 6 --model igrf14", "", 0, "26005.8\n"},
    {"igrf-anomaly --model igrf14 --year 2024 --in-layout 21 --out-layout 13 in out",
     "2 41 45000\n-3.5 -41 30000\n", 0, "", "2,41\r\n-3.5,-41\r\n"},
    {"swath in out", "2,41,45000\n", 2},  // no method
    {"swath --constant 1 --coefficient 1 in out", "2,41,45000\n", 2},
    {"towed --layback -5 in out", "2,41,45000\n", 2},
    {"towed in out", "2,41,45000\n", 2},
    {"igrf --lat 0 --lon 0 --year 2031 --model igrf14", "", 2},
    {"igrf --lat 0 --lon 0 --year 1899 --model igrf14", "", 2},
    {"igrf-anomaly --in-layout 13 in out", "2,41,45000\n", 2},

    // Miramon VEC both ways, MapGen and Kingdom Suite.
    {"bna2vec --id both --datum ed50 --utm-zone 31 --south in out.vec && cat out.vec out.dvc && "
     "\"$CLI\" vec2bna out.vec out",
     kVec, 0,
     Parts("A_7 2\r\n500000 4000000\r\n500100 4000100\r\n0 0\r\n\r\n",
           "object type : line\r\nref. system : UTM-31S-ED50\r\nref. units  : m\r\n",
           "comment     : creado a partir de  /", "/in\r\n"),
     "A_7 ,line,-2 \r\n500000,4000000\r\n500100,4000100\r\n"},
    {"bna2vec --id label2 in out.vec && cat out.dvc", kVec, 0, "ref. system : lat/long-WGS84\r\n"},
    {"vec2bna lone.vec out", "", 1, "lone.dvc Not found", "", Exact, "lone.vec", kLonelyVec},
    {"mapgen2bna shore.dat out", "", 0, "",
     "\"shore\",\"costa\",-2\r\n-70.9645,42.2663\r\n-70.9652,42.2656\r\n", Exact, "shore.dat",
     "# -b\r\n-70.964500 42.266300\r\n-70.965200 42.265600\r\n# -b\r\n"},
    {"csv2ks in out", kNav, 0, "", "00101.000    523456.700   4712345.250   L-0\r\n"},
    {"csv2ks --shot-column 3 --x-column 1 --y-column 2 --line-name L-7 in out", kNav, 0, "",
     "4712345.250    000101.000   0523456.700   L-7\r\n"},
    {"bna2vec in out", "\"A\",\"B\",3\n1,2\n", 1, "line 2 of in"},
    {"csv2ks --shot-column 4 in out", "1,2,3\n", 2},
    {"csv2ks --x-column 0 in out", "1,2,3\n", 2},
    {"csv2ks --shot-column 2 in out", "1,2,3\n", 2},
    {"bna2vec --south in out", "1,2,3\n", 2},
    {"bna2vec --utm-zone 61 in out", "1,2,3\n", 2},
    {"bna2vec --id label3 in out", "1,2,3\n", 2},
    {"bna2vec --datum nad27 in out", "1,2,3\n", 2},
    {"vec2bna", "", 2},

    // Grids, palettes and extraction; extraction appends.
    {"surfer2genesis --null -7.5 in out", kGrid, 0, "", " 2 \r\n-8 \r\n 0 \r\n 1 \r\n"},
    {"invert-clr in out", kClr, 0, "", "ColorMap 1 1\r\n 0 ", Starts},
    {"clr2p25 in out && wc -l <out", kClr, 0, "257\n"},
    {"extract --every 2 --columns 2,1,3 in out && \"$CLI\" extract --every 1 --whole-lines in out",
     "10.5,20.25,abc\n1,2,3\n4,5,6\n", 0, "",
     "20.25,10.5,\"abc\"\r\n5,4,\"6\"\r\n10.5,20.25,abc\r\n1,2,3\r\n4,5,6\r\n"},
    {"extract --every 3 --bna in out", "\"A\",\"B\",-3\n1,1\n2,2\n3,3\n", 0, "",
     "\"A\",\"B\",-1\r\n3,3\r\n"},
    {"extract --every 1 --columns 1,3 in out", "1,2\n", 1, "", "", Exact, "out", "kept\n"},
    {"extract --every 2 in out", "1,2\n", 2},
    {"extract --every 2 --whole-lines --bna in out", "1,2\n", 2},
    {"extract --every 1 --bna in out", "1,2\n", 2},
    {"extract --every 2 --columns 0,1 in out", "1,2\n", 2},
    {"extract --every 0 --whole-lines in out", "1,2\n", 2},
    {"extract --every 2 --columns 1 in out", "1,2\n", 2},
    {"extract --every 2 --lines --columns 1,2 in out", "1,2\n", 2},

    // XYZ export, GEBCO and DAF.
    {"xyz2bna --lines in out", "1,1,A\n2,2,A\n3,3,B\n", 0, "",
     "\"A\",\" \",-2\r\n1,1\r\n2,2\r\n\"B\",\"B\",1\r\n3,3\r\n"},
    {"xyz2gmt in out", "1,1,A\n", 0, "", "> A\r\n 1  1 \r\n>\r\n"},
    {"xyz2bna --points in out", "1,2," + std::string(68, 'L') + "\n", 0,
     "",  // 80 characters
     "\"" + std::string(68, 'L') + "\",\" \",1,1,2\r\n"},
    {"gebco2xyz --zone 31 --ellipsoid ed50 --out-layout 13 in out", kGebco, 0, "",
     "437399,4594616\r\n"},
    {"gebco2bna --centennial in out", ">   -200 1\n41.50000  2.25000\n", 0, "",
     "\"-200\",\"-200\",-1\r\n2.25,41.5\r\n"},
    {"gebco2gmt in out", kGebco, 0, "", "> -200\r\n2.25 41.5\r\n>\r\n"},
    {"gebco2xyz in out && wc -l <out", Long("  -200   250\n", "41.50000  2.25000\n"), 0, "250\n"},
    {"daf2xyz in out", kDaf, 0, "", "2.25 41.5 200\r\n"},
    {"bna2daf --label 2 --ed50 in out", "\"a\",\"-5\",1,1,2\n", 0, "",
     "Header\r\n2\r\n1\r\n2\r\n1\r\n3\r\nDecimal\r\nEndHeader\r\nSTART 43, 174=5;185=12\r\n"
     "1.000000 2.000000\r\nSTOP\r\n"},
    // The header's bounds are the extremes read, 0 among them.
    {"bna2daf --label 1 in out", "\"3\",\"b\",-3\n5,-1\n0,0\n3,-2\n", 0, "",
     "Header\r\n-2\r\n0\r\n0\r\n5\r\n2\r\nDecimal\r\nEndHeader\r\nSTART 43, 174=3;185=12\r\n"
     "5.000000 -1.000000\r\n0.000000 0.000000\r\n3.000000 -2.000000\r\nSTOP\r\n"},
    {"daf2bna in out", "Header\n\n\n\n\n\n\n\nSTART =3;\n1 1\n", 0, "line 10 of in",
     "\"3\",\"3\",-1\r\n1,1\r\n"},
    {"xyz2bna in out", "1,1,A\n", 2, "--lines or --points"},
    {"xyz2gmt --in-layout 13 in out", "1,1\n", 2, "third column"},
    {"xyz2bna --points in out", "1,1,A\n2,2,\"B,C\"\n", 1, "line 2 of in"},
    {"xyz2bna --lines in out", "1,1," + std::string(75, 'L') + "\n2,2,A\n", 1, "line 1 of in"},
    {"xyz2bna --lines in out",
     "1,1,A\n2,2," + std::string(37, 'L') + "\n3,3," + std::string(37, 'L') + "\n", 1,
     "line 2 of in"},
    {"bna2daf --label 3 in out", "", 2, "label"},
    {"bna2daf --label 1 in out", "\"a\",\"b\",0\n", 1, "line 1 of in"},

    // Survey plans; the options each takes.
    {"bna2hypack --label 2 in out", kLine, 0, "", "LNN two\r\nEOL\r\n", Has},
    {"bna2merlin in out", kLine, 0, "", "DEG\r\nSurvey1 from bna\r\n0 0 0 0\r\n_LINE L-S1 ",
     Starts},  // the default name
    {"bna2merlin --plan-name 'Bay 3' in out", kLine, 0, "", "DEG\r\nBay 3\r\n0 0 0 0\r\n", Starts},
    {"bna2geosail --label 1 in out", kLine, 0, "", "\"S1\",2\r\n", Starts},
    {"bna2bridge --label 2 in out", kLine, 0, "", "\"two\"\r\n 41 30.0000N", Starts},
    {"bna2asciiplan in out", "M,n,-1\n-0.0123456789,0.05579995\n", 0, "",
     "DEG\r\n \r\n0 0 0 0\r\n_LINE M 1 20060501010101 0   .05579995 -.0123456789 \"\r\n"},
    {"bna2hypack in out", kLine, 2},  // the label is not optional
    {"bna2geosail --label 3 in out", kLine, 2},
    {"bna2bridge --label 1 in", kLine, 2},
    {"bna2merlin in out", "a,b,-3\n1,2\n", 1, "line 2 of in"},

    // Planning: drawing, distances, interpolation, filters.
    {"parallel --start 0,0 --end 0,1000 --spacing 100 out", "", 0, "",
     "\"Master\",\"0\",-2\r\n0,0\r\n0,1000\r\n\" 1L\",\" 1L\",-2\r\n"
     "\"-000100\",\"0000000\"\r\n\"-000100\",\"0001000\"\r\n\" 1R\",\" 1R\",-2\r\n"
     "\"000100\",\"0000000\"\r\n\"000100\",\"0001000\"\r\n"},
    {"rotate --centre -3.5,41 --angle 90 --ccw in out", "\"A\",\"B\",1,-3.5,42\n", 0, "",
     "\"A\",\"B\",1\r\n-4.5,41\r\n"},
    {"rotate --centre=0,0 --angle 90 in out", "\"A\",\"B\",2\n\"10\",\" 0 \"\n 0 ,\"-5\"\n", 0, "",
     "\"A\",\"B\",2\r\n0,-10\r\n-5,0\r\n"},
    {"circle --centre -1,2 --radius 1 out", "", 0, "", "circle,38, 38 \r\n 0 ,  2 \r\n", Starts},
    {"distance-time --line-speed 0 --zone 31 in out", kTwoNodes, 0, "",
     Parts("Sailing speed in the line:  .1  Kn., Between lines:  5  Kn. \r\n",
           " 41 06.0000N  002 00.0000E 002  005.99nm."),
     Has},
    // 0.2 degrees of latitude: 11.94 nm, not the 10000 km step of the southern northings.
    {"distance-time in out", "\"A\",\"B\",2\n2,-0.1\n2,0.1\n", 0, "", "N.Miles = 11.94", Has},
    {"distance-time in out", "\"A\",\"B\",2\n2,41\n2,95\n", 1, kBeyond + "line 3 of in"},
    // 1000 m to the west of a master line from south to north, on both sides of the equator.
    {"parallel --degrees --start 2,-0.1 --end 2,0.1 out", "", 0, "",
     "\" 1L\",\" "
     "1L\",-2\r\n\"001.9910100\",\"-00.0999934\"\r\n\"001.9910100\",\"00.1000024\"\r\n",
     Has},
    {"interpolate --start 0,0 --end 100,50 --slider 250", "", 0, "x 25\ny 12.5\n25%\n"},
    {"interpolate --start 0,0 --end 100,50 --distance 3 --total 12", "", 0, "x 25\ny 12.5\n25%\n"},
    {"interpolate --start -10,0 --end 10,0 --slider 15", "", 0, "x -9.7\ny 0\n2%\n"},
    {"interpolate --start 0,0 --slider 250", "", 2},
    {"interpolate --end 100,50 --slider 250", "", 2},
    {"interpolate --start 0,0 --end 100,50 --distance 3 --total 0", "", 1},
    {"interpolate --start 0,0 --end 100,50", "", 2},
    {"interpolate --start 0,0 --end 100,50 --slider 1001", "", 2},
    {"interpolate --start 0:0 --end 100,50 --slider 1", "", 2},
    {"filter-xyz --in-layout 21 --x 0,10 --y 0,10 in out", kFiltered, 0, "3 points accepted\n",
     "0 0 1\r\n10 10 2\r\n5 5 3\r\n"},
    {"filter-xyz --in-layout 21 --x 0,10 --y 0,10 --delete in out", kFiltered, 0,
     "1 points accepted\n", "20 5 4\r\n"},
    {"filter-xyz --in-layout 21 --z -1,2 --out-layout 11 in out", kFiltered, 0,
     "2 points accepted\n", "0,0,1\r\n10,10,2\r\n"},
    {"filter-xyz in out", kFiltered, 2},
    {"filter-xyz --x 0,1 --z 0,1 in out", kFiltered, 2},
    {"filter-xyz --x 5,1 --y 0,1 in out", kFiltered, 1},
    {"clip-bna --x 0,10 --y 0,10 in out", "\"A\",\"B\",3\n1,1\n20,1\n2,2\n", 0,
     "2 points accepted\n", "\"A\",\"B\", 1 \r\n1,1\r\n\"A\",\"B\", 1 \r\n2,2\r\n"},
    {"rotate --centre 0,0 --angle 5 in out", kUnreadable, 1, "line 3 of in"},
    {"clip-bna --x 0,10 --y 0,10 in out", kUnreadable, 1, "line 3 of in"},

    // Profile DXF, Poseidon and binary points, with GDAL reading what they write.
    {"dxf3d --start -100,40 --end -100,41 --factor 10 --profile P in out && ogrinfo -al out",
     kDrawing, 0, Parts("Layer (String) = P", "-100 40.5 -10"),
     "11\r\n-100 \r\n21\r\n 40.5 \r\n 31 \r\n-10 \r\n", Has},
    {"dxf3d --start 0,0 --end 1,1 --factor 0 in out", kDrawing, 2, "not 0"},
    {"dxf3d --start 0,0 --end 1,1 in out",
     "SOLID\n8\n0\n62\n1\n10\n5\n20\n1\n0\nENTITIES\n0\nEOF\n", 1, "no X extent"},
    // Nodes at 2, 2.5, 3 and 40.5, 41.5: cells of 0.5 by 1 around them.
    {"poseidon2grd in out && gdalinfo out",
     "LAT_LL: 40.5          LONG_LL 2               LAT_UR: 41.5          LONG_UR 3  COLS 3 "
     "ROWS 2 SC_MIN 0 SC_MAX 9\n1 -1 3\n4 5 6\n",
     0,
     Parts("Driver: GSAG", "Size is 3, 2", "NoData Value=1.70141",
           "Upper Left  (   1.7500000,  42.0000000)", "Lower Right (   3.2500000,  40.0000000)"),
     "DSAA\r\n", Starts},

    // KML and XML: options become the style and the markers.
    {"bna2kml --label 2 --symbol Flag --symbol-scale 2 --point-colour ff8000 --line-colour "
     "0A0B0C --line-width 3 --polygon-colour 102030 --transparency 0 --folder 'F <1>' "
     "--description D --style-name s1 in out",
     kObjects, 0, "Error in object  M N",
     Parts("<Style id=\"s1\" > ", "<scale>2</scale>", "<color>ff0080ff</color>", "pal2/icon13.png",
           "<color>ff0c0b0a</color>", "<width>3</width>", "<color>ff302010</color>",
           "<colorMode>normal</colorMode>", "<name>F &lt;1&gt;</name>",
           "<description>D</description>", "<name>p2</name>", "<styleUrl>#s1</styleUrl>"),
     Has},
    {"bna2kml in out", kObjects, 0, "Error in object  M N",
     Parts("<color>80ffffff</color>\r\n     <colorMode>random</colorMode>", "_map</styleUrl>"),
     Has},
    // LIBKML names the style each placemark refers to; only "#s1" refers to the document's.
    {"bna2kml --style-name s1 in o.kml; echo \"styled $(ogrinfo -ro -al o.kml | grep -c "
     "'Style = @s1$')\"",
     kObjects, 0, "styled 4\n"},
    {"bna2kml in o.kml; ogrinfo -ro -al o.kml; ogrinfo --config GDAL_SKIP LIBKML -ro -al o.kml",
     kObjects, 0,
     Parts("Feature Count: 4", "POINT Z (-3.5 41.25 0)", "LINESTRING Z (1 2 0,3 4 0,5 5 0)",
           "POLYGON Z ((0 0 0,1 0 0,1 1 0,0 0 0))", "POINT Z (2 3 0)", "P & Q")},
    // Two rows for one label, and a column named like the marker's own attribute.
    {"bna2xml --line-colour FF8000 --line-width 2 --csv t.csv --sync-column 3 in o.xml && cat "
     "o.xml && \"$CLI\" xml2kml o.xml out && xmllint --noout o.xml out",
     kObjects, 0,
     Parts("line not found: G",
           "label=\"L\" Survey=\"S &amp; 1\" Line_Id=\"K\" label_2=\"L\" Survey_2=\"S2\" "
           "Line_Id_2=\"K2\" label_3=\"L\"  />",
           "<line colour=\"#ff8000\" width=\"2\" label=\"L\" > "),
     "<name>K</name>", Has, "t.csv", "Survey,Line_Id,label\n\"S & 1\",K,L\nS2,K2,L\n"},
    {"bna2kml --point-colour orange in out", "a,b,1,1,2\n", 2},
    {"bna2kml --polygon-colour 12345 in out", "a,b,1,1,2\n", 2},
    {"bna2kml --transparency 101 in out", "a,b,1,1,2\n", 2},
    {"bna2xml --csv x.csv in out", "a,b,1,1,2\n", 2},
    {"xml2kml in", "a,b,1,1,2\n", 2},
    {"bna2kml in out", "a,b,2\n1,2\n", 1, "line 2 of in"},
    {"bna2xml --csv none.csv --sync-column 1 in out", "a,b,1,1,2\n", 1, "none.csv"},
    {"bna2xml --csv w.csv --sync-column 1 in out", "a,b,1,1,2\n", 1, "more than 60 columns", "",
     Exact, "w.csv", kWideCsv},

    // GIS files through GDAL: labels from the attributes asked for, each part an object.
    {"gis2bna gis.geojson out && \"$CLI\" check-bna out", "", 0,
     Parts("3 characters of the labels a BNA header cannot hold", "objects: 6"),
     "\"Bloque; 'B'\",\"licence\",5\r\n0,0\r\n0,10\r\n10,10\r\n10,0\r\n0,0\r\n"
     "\"Bloque; 'B'\",\"hole\",4\r\n2,2\r\n4,2\r\n4,4\r\n2,2\r\n"
     "\"Bloque; 'B'\",\"licence\",4\r\n20,20\r\n20,30\r\n30,20\r\n20,20\r\n"
     "\"Cable\",\"route\",-2\r\n1,1\r\n2,2\r\n\"Cable\",\"route\",-3\r\n3,3\r\n4,4\r\n5,5\r\n"
     "\"Boya\",\"\",1,1.5,-2.25\r\n",
     Exact, "gis.geojson", kImport},
    {"gis2bna --label1 kind --label2 n gis.geojson out", "", 0, "", "\"licence\",\"7\",5\r\n",
     Starts, "gis.geojson", kImport},
    {"gis2bna --layer nothere gis.geojson out", "", 1, "No layer nothere (the layers: gis): ", "",
     Exact, "gis.geojson", kImport},
    {"gis2bna --label2 depth gis.geojson out", "", 1, "No field depth in layer gis: ", "", Exact,
     "gis.geojson", kImport},
    {"gis2bna --to EPSG:99999 gis.geojson out", "", 2, "zolvane-cli crs QUERY", "", Exact,
     "gis.geojson", kImport},
    {"gis2bna empty.geojson out", "", 1,
     "A geometry with no vertices in feature 4 of layer empty: ", "", Exact, "empty.geojson",
     R"({"type":"FeatureCollection","features":[{"type":"Feature","id":4,"properties":{},
          "geometry":{"type":"LineString","coordinates":[]}}]})"},
    {"gis2bna null.geojson out", "", 1,
     "A geometry with no vertices in feature 6 of layer null: ", "", Exact, "null.geojson",
     R"({"type":"FeatureCollection","features":[{"type":"Feature","id":6,"properties":{},
          "geometry":null}]})"},
    {"gis2bna long.geojson out", "", 1,
     "Labels too long for a BNA header of 80 characters in feature 5 of layer long: ", "", Exact,
     "long.geojson",
     R"({"type":"FeatureCollection","features":[{"type":"Feature","id":5,"properties":{"a":
          "a label of sixty characters or so, far beyond what fits well"},
          "geometry":{"type":"Point","coordinates":[123456.789,4123456.789]}}]})"},
    {"gis2bna junk.geojson out", "", 1, "Not a GIS file GDAL reads", "", Exact, "junk.geojson",
     "{\"type\": \"FeatureCollection\", \"features\": ["},
    // GIS files through GDAL, ogrinfo the judge of what bna2gis writes; a Shapefile keeps a
    // layer per kind, so its records come back grouped by kind.
    {GisRoundTrip("s.gpkg", "s.gpkg"), kSurvey, 0,
     Parts("Geometry: Unknown (any)", "Feature Count: 5", "ED50 / UTM zone 31N",
           "vertices: Integer", "objects: 5"),
     kSurvey},
    {GisRoundTrip("s.geojson", "s.geojson"), kSurvey, 0,
     Parts("Feature Count: 5", "ED50 / UTM zone 31N", "label1: String", "label2: String"), kSurvey},
    {GisRoundTrip("s.fgb", "s.fgb"), kSurvey, 0,
     Parts("Feature Count: 5", "ED50 / UTM zone 31N", "vertices: Integer"), kSurvey},
    {GisRoundTrip("s.csv", "s.csv"), kSurvey, 0, Parts("Feature Count: 5", "label1: String"),
     kSurvey},
    {GisRoundTrip("s.gml", "s.gml"), kSurvey, 0, Parts("Feature Count: 5", "label2: String"),
     kSurvey},
    {"--version >v && mkdir shp && \"$CLI\" " + GisRoundTrip("shp/s.shp", "shp"), kSurvey, 0,
     Parts("Layer name: s_polygons", "Geometry: Polygon", "Feature Count: 2", "ED50 / UTM zone 31N",
           "Layer name: s_lines", "Geometry: Line String", "label2: String", "objects: 5"),
     Parts("\"Bloque Ñ\",\"zona\",5\r\n500000,4000000\r\n500000,4000100\r\n500100,4000100\r\n"
           "500100,4000000\r\n500000,4000000\r\n\"Abierto\",\"\",3\r\n0,0\r\n0,50\r\n50,0\r\n",
           "\"Línea 1\",\"Costa Brava\",-3\r\n500000,4000000\r\n500100,4000100\r\n"
           "500200,4000050\r\n\"Línea 2\",\"a b\",-2\r\n1.125,2.5\r\n3.75,-4\r\n",
           "\"Punto\",\"con blancos\",1,500050.5,4000020.25\r\n"),
     Has},
    // Points with Z, and back with empty labels.
    {"xyz2gis --crs EPSG:32631 in p.gpkg && ogrinfo -al p.gpkg && \"$CLI\" gis2bna p.gpkg out",
     "500000.5,4000000.25,-12.5\n500010,4000020,-13\n", 0,
     Parts("Geometry: 3D Point", "Feature Count: 2", "WGS 84 / UTM zone 31N", "z (Real) = -12.5",
           "POINT Z (500010 4000020 -13)"),
     "\"\",\"\",1,500000.5,4000000.25\r\n\"\",\"\",1,500010,4000020\r\n"},
    // One file written, as asked: nothing to say.
    {"bna2gis --crs EPSG:23031 in o.gpkg", kSurvey, 0},
    // A refused bna2gis leaves the file it would have replaced.
    {"bna2gis in o.gpkg", "\"A\",\"B\",-2\r\n1,2\r\n", 1, "line 2 of in", "", Exact, "o.gpkg",
     "old"},
    {"bna2gis in o.shp", "\"A\",\"B\",-2\r\n1,2\r\n", 1, "line 2 of in", "", Exact, "o.shp", "old"},
    {"bna2gis --format NoSuchDriver in o.gpkg", kSurvey, 1,
     "GDAL has no vector format NoSuchDriver", "", Exact, "o.gpkg", "old"},
    {"bna2gis --crs EPSG:99999 in o.gpkg", kSurvey, 2, "zolvane-cli crs QUERY", "", Exact, "o.gpkg",
     "old"},
    {"gis2bna missing.gpkg out", "", 1, "The file cannot be opened: "},
};

TEST(Subcommands, OptionsMessagesAndExitStatus) {
  for (const Row& row : kRows) {
    TempDir dir;
    dir.Write("in", row.input);
    if (row.status != 0) dir.Write("out", "kept\n");  // which a refused run leaves as it was
    if (!row.otherName.empty()) dir.Write(row.otherName, row.other);
    const std::string out = dir.File("out"), before = TempDir::Read(out);
    const long entriesBefore = dir.Entries();
    const auto run = RunBash("cd " + ShellWord(dir.Path().string()) + " && \"$CLI\" " + row.run);
    EXPECT_EQ(run.status, row.status) << row.run << "\n" << run.output;
    for (const std::string& part : Split(row.printed))
      EXPECT_NE(run.output.find(part), std::string::npos) << row.run << ": " << part;
    if (row.printed.empty() && row.status == 0) {
      EXPECT_EQ(run.output, "") << row.run;
    }
    EXPECT_EQ(TempDir::Read(dir.File("in")), row.input) << row.run;
    if (row.status != 0) {
      EXPECT_EQ(TempDir::Read(out), before) << row.run;
      if (!row.otherName.empty()) {
        EXPECT_EQ(TempDir::Read(dir.File(row.otherName)), row.other) << row.run;
      }
      EXPECT_EQ(dir.Entries(), entriesBefore) << row.run << ": a temporary left";
    } else if (row.is == Is::Exact && !row.written.empty()) {
      EXPECT_EQ(TempDir::Read(out), row.written) << row.run;
    } else if (row.is == Is::Starts) {
      EXPECT_TRUE(TempDir::Read(out).starts_with(row.written)) << row.run;
    } else {
      for (const std::string& part : Split(row.written))
        EXPECT_NE(TempDir::Read(out).find(part), std::string::npos) << row.run << ": " << part;
    }
  }
}

}  // namespace
}  // namespace zolvane
