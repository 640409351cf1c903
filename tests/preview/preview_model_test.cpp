// The preview's model: what it reads of each format, and what its reduction keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "preview/load.h"
#include "support/temp_dir.h"

namespace zolvane::preview {
namespace {

using testing::TempDir;

// The same values bit for bit, blanks (NaN) included.
template <typename T>
bool SameBits(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

constexpr const char* kDafHeader = "Header\n1\n2\n3\n4\n2\nDecimal\nEndHeader\n";

TEST(PreviewModel, ReadsEveryFormat) {
  // CSV columns: X and Y a line each; values running on across lines, three a record; a
  // record a line after a header line.
  constexpr Columns kNone, kLines{2, 3, 0}, kRunOn{2, 3, 3}, kHeaded{1, 2, 0, 1};
  // Row 0 is the north: the file's second row.
  const std::vector<float> kGridNodes = {4, NAN, 5, 1, 2, 3};
  const struct {
    const char* name;
    Format format;
    long long objects;
    double xMin, xMax, yMin, yMax;
    const char* firstLabel;
    double minValue, maxValue;  // NaN: no values
    bool told;                  // the format is the command's: the file's lines do not say it
    Columns columns;            // told with a CSV file
    std::string text;
    std::vector<float> nodes = {};  // of a grid, from the north-west
  } cases[] = {
      // Quoted as parallel writes.
      {"a.bna", Format::Bna, 2, 1, 5, 2, 6, "a b", NAN, NAN, false, kNone,
       "\"a\",\"b\",-2\n1,2\n\"3\",\"4\"\n\"p\",\"q\",1,5,6\n"},
      {"a.xyz", Format::Xyz, 2, 1, 3, 2, 4, nullptr, -20, 10, false, kNone, "1 2 10\n3 4 -20\n"},
      {"a.gmt", Format::Gmt, 2, 0, 3, 2, 9, "7", -5, 7, false, kNone,
       "> 7\n1 2\n3 4\n> -5\n0 9\n>\n"},
      {"a.kml", Format::Kml, 2, 2, 4, 40, 42, "L & 1", NAN, NAN, false, kNone,
       "<kml>\n<Placemark>\n<name>L &amp; 1</name>\n<LineString>\n<coordinates>\n+002.0,+41.0,0\n"
       "3,42,0\n</coordinates>\n</LineString>\n</Placemark>\n<Placemark>\n<name>P</name>\n"
       "<Point><coordinates>4,40,0</coordinates></Point>\n</Placemark>\n</kml>\n"},
      {"a.xml", Format::Xml, 2, 2, 3, 41, 42, "L", NAN, NAN, false, kNone,
       "<?xml version=\"1.0\"?>\n<markers>\n<line colour=\"\" label=\"L\" >\n"
       "<point lat=\"41\" lng=\"2\" />\n<point lat=\"42\" lng=\"3\" />\n</line>\n"
       "<marker lat=\"41\" lng=\"2\" label=\"M\" />\n</markers>\n"},
      {"a.daf", Format::Daf, 1, 1, 3, 2, 4, "50", 50, 50, false, kNone,
       std::string(kDafHeader) + "START 43, 174=50;185=12\n1 2\n3 4\nSTOP\n"},
      // Without its header, as daf2xyz takes it.
      {"b.txt", Format::Daf, 1, 1, 3, 2, 4, "50", 50, 50, false, kNone,
       "START 43, 174=50;185=12\n1 2\n3 4\nSTOP\n"},
      {"a.vec", Format::Vec, 2, 1, 5, 2, 6, "A_7", NAN, NAN, false, kNone,
       "A_7 2\n1 2\n3 4\nB 1\n5 6\n0 0\n"},
      // A SOLID's corners, then a polyline's vertices.
      {"a.dxf", Format::Dxf, 2, 100, 700, -250, 0, nullptr, NAN, NAN, false, kNone,
       "0\nSECTION\n2\nENTITIES\n0\nSOLID\n8\n0\n62\n1\n10\n100\n20\n0\n11\n350\n21\n-100\n12\n"
       "600\n22\n-50\n13\n600\n23\n-50\n0\nPOLYLINE\n8\n0\n66\n1\n0\nVERTEX\n8\n0\n10\n600\n20\n"
       "-200\n0\nVERTEX\n8\n0\n10\n700\n20\n-250\n0\nSEQEND\n0\nENDSEC\n0\nEOF\n"},
      {"a.pos", Format::Poseidon, 0, 2.25, 3.5, 40.5, 41.5, nullptr, 5, 8, true, kNone,
       "LAT_LL: 40.5          LONG_LL 2.25            LAT_UR: 41.5          LONG_UR 3.5   "
       "          COLS 2 ROWS 2 SC_MIN 0 SC_MAX 255\n5 -1\n7 8\n"},
      {"a.csv", Format::Csv, 2, 1, 3, 2, 4, nullptr, NAN, NAN, true, kLines, "s,1,2\n\nt,3,4,u\n"},
      {"b.csv", Format::Csv, 2, 1, 3, 2, 4, nullptr, NAN, NAN, true, kRunOn, "9,1,2\n8\n3,4\n"},
      {"c.csv", Format::Csv, 2, 1, 3, 2, 4, nullptr, NAN, NAN, true, kHeaded, "X - Y\n1,2\n3,4\n"},
      {"a.dat", Format::Mapgen, 2, 2, 4, 41, 43, "shore", NAN, NAN, false, kNone,
       "# -b\n  2.0  41.0\n  3.0  42.0\n# -b\n  4.0  43.0\n"},
      {"a.grd", Format::Grid, 0, 0, 2, 0, 1, nullptr, 1, 5, false, kNone,
       "DSAA\n3 2\n0 2\n0 1\n1 5\n1 2 3\n4 1.70141e38 5\n", kGridNodes},
      // A GEBCO atlas export, which the first lines would take for points.
      {"a.asc", Format::Gebco, 2, 2, 4, 40, 42, "-50", -100, -50, true, kNone,
       "   -50     2\n41.000000 2.000000\n42.000000 3.000000\n  -100     1\n40.000000 4.000000\n"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    Source source = Source::Of(dir.Write(c.name, c.text));
    if (c.told) source.format = c.format;
    source.columns = c.columns;
    EXPECT_EQ(source.format, c.format) << c.name;
    KeptReading kept;
    Layer layer = SurveyFile(source, {}, &kept);
    EXPECT_EQ(layer.result.status, PassStatus::Done) << c.name << ": " << layer.result.reason;
    EXPECT_EQ(layer.objects, c.objects) << c.name;
    EXPECT_EQ(layer.bounds.xMin, c.xMin) << c.name;
    EXPECT_EQ(layer.bounds.xMax, c.xMax) << c.name;
    EXPECT_EQ(layer.bounds.yMin, c.yMin) << c.name;
    EXPECT_EQ(layer.bounds.yMax, c.yMax) << c.name;
    if (std::isnan(c.minValue)) {
      EXPECT_TRUE(layer.range.Empty()) << c.name;
    } else {
      EXPECT_EQ(layer.range.min, c.minValue) << c.name;
      EXPECT_EQ(layer.range.max, c.maxValue) << c.name;
    }
    // What the survey kept reduces to what the file does.
    const Grid grid{Fit(layer.bounds, 400, 300), 400, 300};
    Layer fromKept = layer;
    ReduceFile(source, grid, fromKept, {}, &kept);
    ReduceFile(source, grid, layer, {});
    EXPECT_TRUE(kept.Whole()) << c.name;
    EXPECT_EQ(fromKept.labels, layer.labels) << c.name;
    EXPECT_TRUE(SameBits(fromKept.held, layer.held)) << c.name;
    EXPECT_TRUE(SameBits(fromKept.samples.values, layer.samples.values)) << c.name;
    EXPECT_TRUE(SameBits(fromKept.grid.values, layer.grid.values)) << c.name;
    if (!c.nodes.empty()) {
      ASSERT_EQ(layer.grid.width * layer.grid.height, static_cast<int>(c.nodes.size())) << c.name;
      EXPECT_TRUE(SameBits(layer.grid.values, c.nodes)) << c.name;
    }
    if (c.firstLabel) {
      ASSERT_FALSE(layer.shapes.empty()) << c.name;
      EXPECT_EQ(layer.labels[layer.shapes[0].label], c.firstLabel) << c.name;
      EXPECT_EQ(layer.shapes[0].count, 2u) << c.name;
    }
  }
}

TEST(PreviewModel, FaultyFileKeepsWhatCameBefore) {
  TempDir dir;
  const Source source =
      Source::Of(dir.Write("t.bna", "\"a\",\"b\",-2\n1,2\n3,4\n\"c\",\"d\",-3\n5,6\n"));
  Layer layer = SurveyFile(source, {});
  EXPECT_EQ(layer.result.status, PassStatus::Failed);
  EXPECT_EQ(layer.result.line, 5);
  EXPECT_EQ(layer.bounds.xMax, 5);
  ReduceFile(source, {Fit(layer.bounds, 100, 100), 100, 100}, layer, {});
  EXPECT_EQ(layer.shapes.size(), 2u);
}

// Points far from the origin or spanning the whole range of numbers still get a view with an
// area, and what it shows lands in a cell of it (a single point at y = -1e37 once wrote far
// outside).
TEST(PreviewModel, ExtremePointsLandInsideTheView) {
  TempDir dir;
  for (const char* text : {"0,-1e37,1\n", "1e300,1e300,1\n", "-1e300,0,1\n1e300,0,2\n",
                           "0,-1e308,1\n0,1e308,2\n5,5,3\n"}) {
    const Source source = Source::Of(dir.Write("p.xyz", text), 11);
    Layer layer = SurveyFile(source, {});
    const Bounds view = Fit(layer.bounds, 200, 150);
    EXPECT_GT(view.Width(), 0) << text;
    EXPECT_GT(view.Height(), 0) << text;
    ReduceFile(source, {view, 200, 150}, layer, {});
    EXPECT_TRUE(std::any_of(layer.samples.values.begin(), layer.samples.values.end(), [](float v) {
      return !std::isnan(v);
    })) << text;
  }
}

TEST(PreviewModel, ReductionKeepsTheExtremesOfEveryColumn) {
  Layer layer;
  const Grid grid{{0, 10, -100, 100}, 10, 20};
  Decimator decimator(layer, grid);
  decimator.Begin({ShapeKind::Line, "zigzag", {}, kNoValue});
  std::map<int, std::pair<double, double>> extremes;  // column: lowest, highest
  constexpr int kVertices = 10000;
  for (int i = 0; i < kVertices; ++i) {
    const double x = 10.0 * i / kVertices;
    const double y = std::sin(i * 0.37) * (50 + i % 47);
    decimator.Vertex(x, y);
    auto [it, added] = extremes.try_emplace(static_cast<int>(x), y, y);
    it->second = {std::min(it->second.first, y), std::max(it->second.second, y)};
  }
  decimator.Finish();
  ASSERT_EQ(layer.shapes.size(), 1u);
  EXPECT_EQ(layer.shapes[0].read, kVertices);
  EXPECT_LE(layer.held.size(), 40u);
  EXPECT_EQ(layer.held.front().x, 0);
  EXPECT_EQ(layer.held.back().x, 10.0 * (kVertices - 1) / kVertices);
  for (const auto& [column, range] : extremes) {
    auto in = [&](double y) {
      return std::any_of(layer.held.begin(), layer.held.end(), [&](const Vertex& v) {
        return static_cast<int>(v.x) == column && v.y == y;
      });
    };
    EXPECT_TRUE(in(range.first)) << column;
    EXPECT_TRUE(in(range.second)) << column;
  }
}

// Degrees and metres never share a frame: degrees are drawn in the metres' zone when the
// command knows it, else each kind in a frame of its own.
TEST(PreviewModel, FramesKeepDegreesApartFromMetres) {
  constexpr const char* kDegrees = "3.0 41.0\n3.1 41.1\n";
  constexpr const char* kMetres = "500000 4538000\n508000 4550000\n";
  const struct {
    std::vector<const char*> files;
    std::optional<double> meridian;
    std::vector<std::vector<std::size_t>> frames;
  } cases[] = {
      {{kDegrees, kMetres}, std::nullopt, {{0}, {1}}},
      {{kMetres, kDegrees, kMetres}, std::nullopt, {{0, 2}, {1}}},
      {{kDegrees, kMetres}, 3.0, {{0, 1}}},
      {{kDegrees, kDegrees}, 3.0, {{0, 1}}},
      {{"", kMetres}, std::nullopt, {{0, 1}}},
  };
  constexpr const char* kNames[] = {"a.xyz", "b.xyz", "c.xyz"};
  TempDir dir;
  for (const auto& c : cases) {
    std::vector<Source> sources;
    std::vector<Layer> layers;
    for (std::size_t i = 0; i < c.files.size(); ++i) {
      sources.push_back(Source::Of(dir.Write(kNames[i], c.files[i]), 23));
      layers.push_back(SurveyFile(sources.back(), {}));
    }
    if (c.meridian && ProjectDegrees(sources, layers, *c.meridian)) {
      for (std::size_t i = 0; i < sources.size(); ++i)
        layers[i] = SurveyFile(sources[i], {});
    }
    EXPECT_EQ(FramesOf(layers), c.frames)
        << c.files.size() << " files, frame 0 of " << c.frames[0].size();
    // Projected, the degrees land among the metres of zone 31.
    for (const Layer& layer : layers) {
      if (c.meridian && c.frames.size() == 1 && c.files[1] == kMetres) {
        EXPECT_NEAR(layer.bounds.xMin, 500000, 10000);
        EXPECT_NEAR(layer.bounds.yMin, 4539000, 10000);
      }
    }
  }
}

}  // namespace
}  // namespace zolvane::preview
