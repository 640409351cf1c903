// Every point pass that runs on several threads writes what the one-thread pass writes, and
// stops at the same fault, on inputs cut into many small blocks.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "crs/reproject.h"
#include "formats/xyz/transform_files.h"
#include "formats/xyz/translate.h"
#include "survey/igrf.h"
#include "survey/xyz_filters.h"

namespace zolvane {
namespace {

// `n` generated lines.
std::string Points(int n, const std::function<std::string(int)>& line) {
  std::string text;
  for (int i = 0; i < n; ++i)
    text += line(i);
  return text;
}

std::string Lonlat(int i, const char* separator, const char* end) {
  std::ostringstream text;
  text << 2.0 + i * 0.00137 << separator << 41.0 + i * 0.00091 << separator << 40000 + i * 7 << end;
  return text.str();
}

using Pass = std::function<XyzPassResult(std::istream&, std::ostream&, const BlockPassOptions&)>;

Pass Geo2Utm(int layout) {
  return [layout](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    XyzTransformOptions options;
    options.inputFormatCode = options.outputFormatCode = layout;
    options.projection = Projection::GeoToUtm;
    options.centralMeridian = 3;
    options.blocks = blocks;
    return static_cast<XyzPassResult>(TransformXyz(in, out, options, {}));
  };
}

Pass Utm2Geo(int layout) {
  return [layout](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    XyzTransformOptions options;
    options.inputFormatCode = layout;
    options.outputFormatCode = 21;
    options.projection = Projection::UtmToGeo;
    options.centralMeridian = 3;
    options.blocks = blocks;
    return static_cast<XyzPassResult>(TransformXyz(in, out, options, {}));
  };
}

Pass Translate(int layout) {
  return [layout](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    TranslateOptions options;
    options.inputFormatCode = options.outputFormatCode = layout;
    options.degrees = true;
    options.centralMeridian = 3;
    options.dx = 150;
    options.dy = -75;
    options.blocks = blocks;
    return TranslateXyz(in, out, options, {});
  };
}

Pass Filter(int layout) {
  return [layout](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    XyzFilterOptions options;
    options.inputFormatCode = layout;
    options.limits = {2.1, 2.5, 40, 42, 0, 0};
    options.blocks = blocks;
    XyzFilterResult result = FilterXyzPoints(in, out, options, {});
    out << "accepted " << result.accepted;
    return static_cast<XyzPassResult>(result);
  };
}

Pass Anomaly(int layout) {
  return [layout](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    AnomalyOptions options;
    options.inputFormatCode = options.outputFormatCode = layout;
    options.model = IgrfModel::Igrf14;
    options.date = 2020.5;
    options.blocks = blocks;
    XyzPassResult result;
    result.pass = ComputeAnomalies(in, out, options, {});
    return result;
  };
}

Pass Reproject(int layout) {
  return [layout](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    CrsFault fault = CrsFault::None;
    std::string message;
    const auto transform = CrsTransform::Create("EPSG:23031", "EPSG:32631", fault, message);
    EXPECT_TRUE(transform) << message;
    ReprojectOptions options;
    options.inputFormatCode = options.outputFormatCode = layout;
    options.blocks = blocks;
    return ReprojectXyz(in, out, *transform, options, {});
  };
}

std::string Utm(int i, const char* separator, const char* end) {
  std::ostringstream text;
  text << 430000 + i * 13.25 << separator << 4540000 + i * 9.5 << separator << i % 97 << end;
  return text.str();
}

TEST(ParallelBlocks, SameBytesFaultsAndLinesAsOneThread) {
  struct Row {
    const char* name;
    Pass pass;
    std::string input;
  } rows[] = {
      {"geo2utm blanks", Geo2Utm(21), Points(700, [](int i) { return Lonlat(i, " ", "\r\n"); })},
      {"geo2utm latitude fault in a middle block", Geo2Utm(11),
       Points(700, [](int i) { return i == 431 ? "2,95,1\n" : Lonlat(i, ",", "\n"); })},
      {"geo2utm lone CR ends", Geo2Utm(31),
       Points(500, [](int i) { return Lonlat(i, "\t", "\r"); })},
      {"utm2geo one value a line", Utm2Geo(11),
       Points(1500, [](int i) { return std::to_string(i % 3 == 2 ? i : 430000 + i) + "\n"; })},
      {"utm2geo one value a line, the last point cut", Utm2Geo(11),
       Points(1201, [](int i) { return std::to_string(i % 3 == 2 ? i : 430000 + i) + "\n"; })},
      {"translate blank line ends the data", Translate(21),
       Points(600, [](int i) { return i == 300 ? std::string("\n") : Lonlat(i, " ", "\n"); })},
      {"translate NUL byte in a middle block", Translate(11),
       Points(600,
              [](int i) { return i == 377 ? std::string("2,4\0,1\n", 7) : Lonlat(i, ",", "\n"); })},
      {"translate line beyond the limit", Translate(21),
       Points(300,
              [](int i) {
                return i == 150 ? std::string(kMaxLineLength + 10, '7') + "\n"
                                : Lonlat(i, " ", "\n");
              })},
      {"filter-xyz quoted and text values", Filter(11),
       Points(900,
              [](int i) { return i % 50 == 7 ? "\"A 1\",41.5,abc\n" : Lonlat(i, ",", "\n"); })},
      {"filter-xyz line without its values", Filter(21),
       Points(900, [](int i) { return i == 612 ? std::string("2.3\n") : Lonlat(i, " ", "\n"); })},
      {"igrf-anomaly", Anomaly(11), Points(400, [](int i) { return Lonlat(i, ",", "\n"); })},
      {"igrf-anomaly unreadable value", Anomaly(11),
       Points(400, [](int i) { return i == 250 ? "2,41,4x\n" : Lonlat(i, ",", "\n"); })},
      {"igrf-anomaly ends inside a point", Anomaly(11),
       Points(400, [](int i) { return Lonlat(i, ",", "\n"); }) + "2,41\n"},
      {"reproject", Reproject(21), Points(600, [](int i) { return Utm(i, " ", "\n"); })},
      {"reproject out of range number", Reproject(11),
       Points(600, [](int i) { return i == 444 ? "1e999,2,3\n" : Utm(i, ",", "\n"); })},
      {"empty", Geo2Utm(11), ""},
  };
  for (const Row& row : rows) {
    for (const std::size_t blockSize : {std::size_t{97}, std::size_t{1000}}) {
      SCOPED_TRACE(std::string(row.name) + ", blocks of " + std::to_string(blockSize));
      std::istringstream oneIn(row.input), manyIn(row.input);
      std::ostringstream oneOut, manyOut;
      const XyzPassResult one = row.pass(oneIn, oneOut, {1, blockSize});
      const XyzPassResult many = row.pass(manyIn, manyOut, {3, blockSize});
      EXPECT_EQ(manyOut.str(), oneOut.str());
      EXPECT_EQ(many.pass.status, one.pass.status);
      EXPECT_EQ(many.pass.reason, one.pass.reason);
      EXPECT_EQ(many.pass.line, one.pass.line);
      EXPECT_EQ(many.pass.note, one.pass.note);
      EXPECT_EQ(many.pass.noteLine, one.pass.noteLine);
      EXPECT_EQ(many.lineError, one.lineError);
      EXPECT_EQ(many.partialLine, one.partialLine);
      if (one.pass.status == PassStatus::Done) {
        EXPECT_EQ(many.pass.count, one.pass.count);
      }
    }
  }
}

}  // namespace
}  // namespace zolvane
