// What one subcommand writes, the next reads right: the BNA of every subcommand that writes
// one passes the check and goes through the exports with all its vertices, and the round
// trips through other formats keep them.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "preview/file_reader.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunBash;
using testing::TempDir;

struct Vertex {
  double x, y;
};

// Every vertex and point of a file in file order, read by the readers the preview draws with.
class Collect : public preview::PreviewSink {
 public:
  void Begin(const ShapeStart&) override { ++objects; }
  void Vertex(double x, double y) override { vertices.push_back({x, y}); }
  void Sample(double x, double y, double) override { vertices.push_back({x, y}); }
  void BeginGrid(const preview::GridArea&) override {}
  void Node(double) override {}

  long long objects = 0;
  std::vector<zolvane::Vertex> vertices;
};

std::vector<Vertex> VerticesOf(const std::string& path, preview::Format format) {
  Collect collect;
  const PassResult result = preview::ReadFile(path, format, 11, collect, {});
  EXPECT_EQ(result.status, PassStatus::Done) << path << ": " << result.reason;
  return collect.vertices;
}

// The "PTS x y" lines of a HYPACK line file.
std::vector<Vertex> HypackVertices(const std::string& path) {
  std::istringstream lines(TempDir::Read(path));
  std::vector<Vertex> vertices;
  std::string word;
  Vertex v{};
  while (lines >> word) {
    if (word == "PTS" && lines >> v.x >> v.y) vertices.push_back(v);
  }
  return vertices;
}

void ExpectSameVertices(const std::vector<Vertex>& got, const std::vector<Vertex>& expected,
                        const std::string& what) {
  ASSERT_EQ(got.size(), expected.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i) {
    // Six decimals is the least any of these formats writes.
    const auto near = [](double a, double b) {
      return std::abs(a - b) <= 5.1e-7 * std::max(1.0, std::abs(b) * 1e-6);
    };
    EXPECT_TRUE(near(got[i].x, expected[i].x) && near(got[i].y, expected[i].y))
        << what << " vertex " << i << ": " << got[i].x << "," << got[i].y << " against "
        << expected[i].x << "," << expected[i].y;
  }
}

TEST(Chains, EveryBnaWriterFeedsTheCheckAndTheExports) {
  const struct {
    const char* make;        // writes out.bna in the folder of the inputs
    const char* keeps = "";  // the file whose vertices out.bna holds, when it keeps them
    preview::Format keptFormat = preview::Format::Bna;
  } chains[] = {
      {"parallel --start 500000,4500000 --end 500000,4510000 --spacing 250 --count 2 out.bna"},
      {"rotate --centre 2.2,41.2 --angle 30 --ccw geo.bna out.bna"},
      {"circle --centre 2,41 --radius 0.01 out.bna"},
      {"clip-bna --x 2.12,2.32 --y 41,42 geo.bna out.bna"},
      {"swath --constant 50 --metres --in-layout 11 utm.xyz out.bna"},
      {"xyz2bna --lines --in-layout 11 utm.xyz out.bna", "utm.xyz", preview::Format::Xyz},
      {"xyz2bna --points --in-layout 11 utm.xyz out.bna", "utm.xyz", preview::Format::Xyz},
      {"gebco2bna atlas.asc out.bna"},
      {"bna2daf --label 1 geo.bna c.daf && \"$CLI\" daf2bna c.daf out.bna"},
      // DAF holds contours: the lines and polygons come back whole.
      {"bna2daf --label 1 lines.bna c.daf && \"$CLI\" daf2bna c.daf out.bna", "lines.bna"},
      {"bna2vec --id both geo.bna c.vec && \"$CLI\" vec2bna c.vec out.bna", "geo.bna"},
      {"mapgen2bna shore.dat out.bna"},
      {"bna2points geo.bna out.bna", "geo.bna"},
      {"geo2utm --bna --zone 31 geo.bna out.bna"},
      {"bna2points wide.bna out.bna"},
      {"geo2utm --bna --zone 31 wide.bna out.bna"},
  };
  // A lambda per row, so that an ASSERT ends only its own row.
  const auto follow = [](const auto& chain) {
    TempDir dir;
    // The inputs of the chains; no coordinate is 0, so a 0 in an output is a fault.
    const std::string lines =
        "\"-100\",\"depth\",3\n2.10,41.30\n2.15,41.32\n2.20,41.35\n"
        "\"-200\",\"Cap Creus\",-2\n2.30,41.10\n2.35,41.12\n";
    dir.Write("lines.bna", lines);
    dir.Write("geo.bna", lines + "\"Buoy\",\"\",1,2.25,41.20\n");
    // Coordinate lines may carry more fields after x,y; the check takes them.
    dir.Write(
        "wide.bna",
        "\"A\",\"B\",-2\n2.10,41.30,5\n2.20,41.40,6\n\"C\",\"D\",2\n2.3,41.5,7,x\n2.4,41.6\n");
    dir.Write("utm.xyz",
              "431000,4581000,-10\n431100,4581050,-10\n431200,4581150,-10\n"
              "431300,4581300,-20\n431400,4581400,-20\n");
    dir.Write("atlas.asc",
              "  -200    2\n41.50000  2.25000\n41.60000  2.30000\n"
              "  -300    3\n41.70000  2.40000\n41.80000  2.50000\n41.90000  2.60000\n");
    dir.Write("shore.dat",
              "# -b\n-70.964500 42.266300\n-70.965200 42.265600\n# -b\n"
              "-70.966000 42.264000\n-70.967000 42.263000\n-70.968000 42.262000\n");
    const std::string cd = "cd " + dir.Path().string() + " && ";
    const std::string name = chain.make;
    const auto made = RunBash(cd + "\"$CLI\" " + name);
    ASSERT_EQ(made.status, 0) << name << ": " << made.output;
    const auto check = RunBash(cd + "\"$CLI\" check-bna out.bna");
    EXPECT_EQ(check.status, 0) << name << ": " << check.output;

    const std::vector<Vertex> written = VerticesOf(dir.File("out.bna"), preview::Format::Bna);
    ASSERT_FALSE(written.empty()) << name;
    for (const Vertex& v : written)
      EXPECT_TRUE(v.x != 0 && v.y != 0) << name << ": a coordinate read as 0";
    if (*chain.keeps) {
      ExpectSameVertices(written, VerticesOf(dir.File(chain.keeps), chain.keptFormat),
                         name + " keeps " + chain.keeps);
    }

    const auto exports = RunBash(
        cd + "\"$CLI\" bna2xyz --label 1 --out-layout 11 out.bna out.xyz && " +
        "\"$CLI\" bna2kml out.bna out.kml && \"$CLI\" bna2hypack --label 1 out.bna out.lnw");
    ASSERT_EQ(exports.status, 0) << name << ": " << exports.output;
    ExpectSameVertices(VerticesOf(dir.File("out.xyz"), preview::Format::Xyz), written,
                       name + " to XYZ");
    ExpectSameVertices(VerticesOf(dir.File("out.kml"), preview::Format::Kml), written,
                       name + " to KML");
    ExpectSameVertices(HypackVertices(dir.File("out.lnw")), written, name + " to HYPACK");
  };
  for (const auto& chain : chains)
    follow(chain);
}

}  // namespace
}  // namespace zolvane
