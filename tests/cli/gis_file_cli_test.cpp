// bna2gis, xyz2gis and gis2bna run as a user would, with GDAL's own ogrinfo as the judge of
// what they write.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::Parts;
using testing::RunBash;
using testing::RunCli;
using testing::ShellWord;
using testing::Split;
using testing::TempDir;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The records of a BNA text (a header and its coordinate lines), sorted: formats that keep a
// layer per geometry kind give them back grouped by kind.
std::vector<std::string> SortedRecords(const std::string& bna) {
  std::vector<std::string> records;
  std::istringstream lines(bna);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.starts_with('"') || records.empty())
      records.push_back(line);
    else
      records.back() += "\n" + line;
  }
  std::sort(records.begin(), records.end());
  return records;
}

// Clockwise rings (a Shapefile stores outer rings so), a closed polygon and an open one, labels
// with blanks and accents.
constexpr const char* kSurvey =
    "\"Línea 1\",\"Costa Brava\",-3\r\n500000,4000000\r\n500100,4000100\r\n500200,4000050\r\n"
    "\"Punto\",\"con blancos\",1,500050.5,4000020.25\r\n"
    "\"Bloque Ñ\",\"zona\",5\r\n500000,4000000\r\n500000,4000100\r\n500100,4000100\r\n"
    "500100,4000000\r\n500000,4000000\r\n"
    "\"Abierto\",\"\",3\r\n0,0\r\n0,50\r\n50,0\r\n"
    "\"Línea 2\",\"a b\",-2\r\n1.125,2.5\r\n3.75,-4\r\n";

TEST(GisFileCli, RoundTrips) {
  const struct {
    const char* out;      // what bna2gis (or xyz2gis) writes
    const char* back;     // what gis2bna reads
    bool grouped;         // records come back grouped by kind
    std::string ogrinfo;  // parts of what ogrinfo -al -so says of it
  } rows[] = {
      {"s.gpkg", "s.gpkg", false,
       Parts("Geometry: Unknown (any)", "Feature Count: 5", "ED50 / UTM zone 31N",
             "vertices: Integer")},
      {"s.geojson", "s.geojson", false,
       Parts("Feature Count: 5", "ED50 / UTM zone 31N", "label1: String", "label2: String")},
      {"shp/s.shp", "shp", true,
       Parts("Layer name: s_polygons", "Geometry: Polygon", "Feature Count: 2",
             "ED50 / UTM zone 31N")},
      {"shp/s.shp", "shp", true,
       Parts("Layer name: s_lines", "Geometry: Line String", "Feature Count: 2", "label2: String")},
      {"s.fgb", "s.fgb", false,
       Parts("Feature Count: 5", "ED50 / UTM zone 31N", "vertices: Integer")},
      {"s.csv", "s.csv", false, Parts("Feature Count: 5", "label1: String")},
      {"s.gml", "s.gml", false, Parts("Feature Count: 5", "label2: String")},
  };
  for (const auto& row : rows) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("shp"));
    const std::string bna = dir.Write("s.bna", kSurvey);
    const auto written = RunCli("bna2gis --crs EPSG:23031 " + bna + " " + dir.File(row.out));
    ASSERT_EQ(written.status, 0) << row.out << written.output;
    const auto info = RunBash("ogrinfo -al -so " + ShellWord(dir.File(row.back)));
    for (const std::string& said : Split(row.ogrinfo))
      EXPECT_TRUE(Has(info.output, said)) << row.out << ": " << said << "\n" << info.output;
    const auto back = RunCli("gis2bna " + dir.File(row.back) + " " + dir.File("back.bna"));
    ASSERT_EQ(back.status, 0) << row.out << back.output;
    const std::string text = TempDir::Read(dir.File("back.bna"));
    if (row.grouped) {
      EXPECT_EQ(SortedRecords(text), SortedRecords(kSurvey)) << row.out << "\n" << text;
    } else {
      EXPECT_EQ(text, kSurvey) << row.out;
    }
    EXPECT_EQ(RunCli("check-bna " + dir.File("back.bna")).status, 0) << row.out;
  }

  // Points with Z, and back with empty labels.
  TempDir dir;
  const std::string xyz = dir.Write("p.xyz", "500000.5,4000000.25,-12.5\n500010,4000020,-13\n");
  ASSERT_EQ(RunCli("xyz2gis --crs EPSG:32631 " + xyz + " " + dir.File("p.gpkg")).status, 0);
  const auto info = RunBash("ogrinfo -al " + ShellWord(dir.File("p.gpkg")));
  for (const char* said : {"Geometry: 3D Point", "Feature Count: 2", "WGS 84 / UTM zone 31N",
                           "z (Real) = -12.5", "POINT Z (500010 4000020 -13)"}) {
    EXPECT_TRUE(Has(info.output, said)) << said << "\n" << info.output;
  }
  ASSERT_EQ(RunCli("gis2bna " + dir.File("p.gpkg") + " " + dir.File("p.bna")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("p.bna")),
            "\"\",\"\",1,500000.5,4000000.25\r\n\"\",\"\",1,500010,4000020\r\n");
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

TEST(GisFileCli, ImportsAndRefuses) {
  const struct {
    const char* name;
    const char* input;    // kImport when null
    const char* options;  // before IN OUT
    int status;
    const char* expected;  // the BNA written, or what the message holds
  } rows[] = {
      {"gis.geojson", nullptr, "", 0,
       "\"Bloque; 'B'\",\"licence\",5\r\n0,0\r\n0,10\r\n10,10\r\n10,0\r\n0,0\r\n"
       "\"Bloque; 'B'\",\"hole\",4\r\n2,2\r\n4,2\r\n4,4\r\n2,2\r\n"
       "\"Bloque; 'B'\",\"licence\",4\r\n20,20\r\n20,30\r\n30,20\r\n20,20\r\n"
       "\"Cable\",\"route\",-2\r\n1,1\r\n2,2\r\n"
       "\"Cable\",\"route\",-3\r\n3,3\r\n4,4\r\n5,5\r\n"
       "\"Boya\",\"\",1,1.5,-2.25\r\n"},
      {"gis.geojson", nullptr, "--label1 kind --label2 n", 0, "\"licence\",\"7\",5\r\n"},
      {"gis.geojson", nullptr, "--layer nothere", 1, "No layer nothere (the layers: gis): "},
      {"gis.geojson", nullptr, "--label2 depth", 1, "No field depth in layer gis: "},
      {"gis.geojson", nullptr, "--to EPSG:99999", 2, "zolvane-cli crs QUERY"},
      {"empty.geojson",
       R"({"type":"FeatureCollection","features":[{"type":"Feature","id":4,"properties":{},
          "geometry":{"type":"LineString","coordinates":[]}}]})",
       "", 1, "A geometry with no vertices in feature 4 of layer empty: "},
      {"null.geojson",
       R"({"type":"FeatureCollection","features":[{"type":"Feature","id":6,"properties":{},
          "geometry":null}]})",
       "", 1, "A geometry with no vertices in feature 6 of layer null: "},
      {"long.geojson",
       R"({"type":"FeatureCollection","features":[{"type":"Feature","id":5,"properties":{"a":
          "a label of sixty characters or so, far beyond what fits well"},
          "geometry":{"type":"Point","coordinates":[123456.789,4123456.789]}}]})",
       "", 1, "Labels too long for a BNA header of 80 characters in feature 5 of layer long: "},
      {"junk.geojson", "{\"type\": \"FeatureCollection\", \"features\": [", "", 1,
       "Not a GIS file GDAL reads"},
      {"missing.gpkg", "", "", 1, "The file cannot be opened: "},
  };
  for (const auto& row : rows) {
    TempDir dir;
    std::string input = dir.File(row.name);
    if (!row.input || *row.input) input = dir.Write(row.name, row.input ? row.input : kImport);
    dir.Write("old.bna", "kept");
    const auto run =
        RunCli("gis2bna " + std::string(row.options) + " " + input + " " + dir.File("old.bna"));
    EXPECT_EQ(run.status, row.status) << row.name << " " << row.options << run.output;
    const std::string text = TempDir::Read(dir.File("old.bna"));
    if (row.status == 0) {
      EXPECT_TRUE(text.starts_with(row.expected)) << row.options << "\n" << text;
      EXPECT_EQ(RunCli("check-bna " + dir.File("old.bna")).status, 0);
    } else {
      EXPECT_TRUE(Has(run.output, row.expected)) << row.name << " " << row.options << run.output;
      EXPECT_EQ(text, "kept") << row.name;
      EXPECT_EQ(dir.Entries(), row.input && !*row.input ? 1 : 2) << row.name;
    }
  }
  // The labels' commas and quotes are counted.
  TempDir dir;
  const auto run = RunCli("gis2bna " + dir.Write("n.geojson", kImport) + " " + dir.File("n.bna"));
  EXPECT_TRUE(Has(run.output, "3 characters of the labels a BNA header cannot hold")) << run.output;
}

TEST(GisFileCli, WritesNothingOnFault) {
  const struct {
    const char* options;
    const char* bna;
    const char* message;
  } rows[] = {
      {"", "\"A\",\"B\",-2\r\n1,2\r\n", "line 2 of "},
      {"--format NoSuchDriver", kSurvey, "GDAL has no vector format NoSuchDriver"},
      {"--crs EPSG:99999", kSurvey, "zolvane-cli crs QUERY"},
  };
  for (const auto& row : rows) {
    for (const char* out : {"o.gpkg", "shp/o.shp"}) {
      TempDir dir;
      std::filesystem::create_directories(dir.File("shp"));
      const std::string bna = dir.Write("in.bna", row.bna);
      const std::string target = dir.Write(out, "old");
      const auto run = RunCli("bna2gis " + std::string(row.options) + " " + bna + " " + target);
      EXPECT_NE(run.status, 0) << row.options;
      EXPECT_TRUE(Has(run.output, row.message)) << row.options << run.output;
      EXPECT_EQ(TempDir::Read(target), "old");
      EXPECT_EQ(dir.Entries() + dir.Entries("shp"), 3) << row.options << " " << out;
    }
  }
}

}  // namespace
}  // namespace zolvane
