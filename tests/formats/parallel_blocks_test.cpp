// Every point pass that runs on several threads writes what the one-thread pass writes, and
// stops at the same fault, on inputs cut into many small blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>

#include "crs/reproject.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/bna_to_xyz.h"
#include "formats/poseidon_binary.h"
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

// Geo > UTM keeps the layout; UTM > Geo writes points with blanks and Z.
Pass Transform(Projection projection, int layout) {
  return [=](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    XyzTransformOptions options;
    options.inputFormatCode = layout;
    options.outputFormatCode = projection == Projection::GeoToUtm ? layout : 21;
    options.projection = projection;
    options.centralMeridian = 3;
    options.blocks = blocks;
    return static_cast<XyzPassResult>(TransformXyz(in, out, options, {}));
  };
}
Pass Geo2Utm(int layout) {
  return Transform(Projection::GeoToUtm, layout);
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

Pass Bna2Xyz(int label, int layout) {
  return [label, layout](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    const BnaToXyzOptions options{label, layout, blocks};
    const BnaToXyzResult result = ConvertBnaToXyz(in, out, options, {});
    out << "form " << result.singlePointForm << " count " << result.pointCount;
    return XyzPassResult{result.pass};
  };
}

// Objects of 1 to 40 vertices (object `i` has i % 40 + 1, a negative count for odd ones),
// a single point every seventh; `vertex(i, k)` may replace vertex k of object i.
std::string Objects(int n, const char* end,
                    const std::function<std::string(int, int)>& vertex = nullptr) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    const std::string labels = "\"z" + std::to_string(i) + "\", depth " + std::to_string(i % 9);
    if (i % 7 == 3) {
      text += labels + ",1," + std::to_string(2 + i * 0.001) + "," + std::to_string(41 - i * 0.01);
      text += end;
      continue;
    }
    const int vertices = i % 40 + 1;
    text += labels + "," + std::to_string(i % 2 ? -vertices : vertices) + end;
    for (int k = 0; k < vertices; ++k) {
      const std::string own = vertex ? vertex(i, k) : std::string();
      text += own.empty() ? std::to_string(430000 + i * 1.25 + k) + "," +
                                std::to_string(4.5e6 - k * 0.375) + end
                          : own;
    }
  }
  return text;
}

// bna2kml with its notes after the document.
Pass Bna2Kml(int label) {
  return [label](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    BnaToKmlOptions options;
    options.style.LabelChoice = label;
    options.documentName = "d.kml";
    options.styleName = "1_map";
    std::string notes;
    const PassResult pass = ConvertBnaToKml(
        in, out, options, {},
        [&notes](std::string_view note) {
          notes += note;
          notes += '|';
        },
        blocks);
    out << notes;
    return XyzPassResult{pass};
  };
}

// The check before a BNA conversion: its fault, line, counts and ranges.
Pass CheckBnaPass() {
  return [](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    Statistics ranges;
    const BnaCheckResult check = CheckBna(in, ranges, {}, blocks);
    out.precision(17);
    out << BnaFaultReason(check.fault) << " at " << check.line << ", " << check.objectCount
        << " objects, " << check.lineCount << " lines, form " << check.singlePointForm << ", x "
        << ranges.XMin << " to " << ranges.XMax << ", y " << ranges.YMin << " to " << ranges.YMax;
    return XyzPassResult{};
  };
}

// A binary point file: columns, the record count, then records of tagged x and y (the types
// turn through 2, 3, 4 and 5) and a float z when there are three columns; `record(i)` may
// replace record i's bytes.
std::string Records(int columns, int count, int written,
                    const std::function<std::string(int)>& record = nullptr) {
  std::string data;
  auto raw = [&data](const auto& v) {
    data.append(reinterpret_cast<const char*>(&v), sizeof v);  // little-endian test machines
  };
  raw(static_cast<std::int16_t>(columns));
  raw(static_cast<std::int32_t>(count));
  for (int i = 0; i < written; ++i) {
    if (record) {
      if (const std::string own = record(i); !own.empty()) {
        data += own;
        continue;
      }
    }
    for (int value = 0; value < 2; ++value) {
      const int type = (i + value) % 4 + 2;
      raw(static_cast<std::int16_t>(type));
      if (type == 2) raw(static_cast<std::int16_t>(i - 300));
      if (type == 3) raw(static_cast<std::int32_t>(i * 1000 + 7));
      if (type == 4) raw(static_cast<float>(i * 0.1f));
      if (type == 5) raw(430000 + i * 0.125);
    }
    if (columns == 3) raw(static_cast<float>(-i * 0.5f));
  }
  return data;
}

Pass Bin2Xyz(int layout) {
  return [layout](std::istream& in, std::ostream& out, const BlockPassOptions& blocks) {
    const BinaryPointResult result = ConvertBinaryPoints(in, out, {layout, blocks}, {});
    return XyzPassResult{result.pass};
  };
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
      {"utm2geo one value a line", Transform(Projection::UtmToGeo, 11),
       Points(1500, [](int i) { return std::to_string(i % 3 == 2 ? i : 430000 + i) + "\n"; })},
      {"utm2geo one value a line, the last point cut", Transform(Projection::UtmToGeo, 11),
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
      {"bna2xyz objects and single points", Bna2Xyz(1, 11), Objects(120, "\r\n")},
      {"bna2xyz lone CR ends, z from label 2", Bna2Xyz(2, 32), Objects(90, "\r")},
      {"bna2xyz object longer than a block", Bna2Xyz(1, 21),
       "a,b,300\n" + Points(300, [](int i) { return Utm(i, ",", "\n"); }) + Objects(20, "\n")},
      {"bna2xyz coordinate fault in a middle block", Bna2Xyz(1, 11),
       Objects(120, "\n",
               [](int i, int k) { return i == 70 && k == 5 ? "431000 4500000\n" : ""; })},
      {"bna2xyz header fault in a middle block", Bna2Xyz(1, 11),
       Objects(60, "\n") + "a,b,0\n" + Objects(60, "\n")},
      {"bna2xyz ends inside an object", Bna2Xyz(1, 11), Objects(61, "\n") + "a,b,5\n1,2\n"},
      {"bna2xyz NUL byte in a middle block", Bna2Xyz(2, 11),
       Objects(60, "\n") + std::string("a,b,1,2\0,4\n", 11) + Objects(60, "\n")},
      {"check-bna objects and single points", CheckBnaPass(), Objects(120, "\r\n")},
      {"check-bna object longer than a block, lone CR ends", CheckBnaPass(),
       "a,b,-300\r" + Points(300, [](int i) { return Utm(i, ",", "\r"); }) + Objects(20, "\r")},
      {"check-bna coordinate without a comma in a middle block", CheckBnaPass(),
       Objects(120, "\n",
               [](int i, int k) { return i == 70 && k == 5 ? "431000 4500000\n" : ""; })},
      {"check-bna header too long in a middle block", CheckBnaPass(),
       Objects(60, "\n") + std::string(90, 'h') + ",b,2\n1,2\n3,4\n" + Objects(60, "\n")},
      {"check-bna count of 0 in a middle block", CheckBnaPass(),
       Objects(60, "\n") + "a,b,0\n" + Objects(60, "\n")},
      {"check-bna single point of count 2 in a middle block", CheckBnaPass(),
       Objects(60, "\n") + "a,b,2,1,2\n" + Objects(60, "\n")},
      {"check-bna ends inside an object", CheckBnaPass(), Objects(61, "\n") + "a,b,5\n1,2\n"},
      {"check-bna NUL byte in a middle block", CheckBnaPass(),
       Objects(60, "\n") + std::string("a,b,1,2\0,4\n", 11) + Objects(60, "\n")},
      {"check-bna empty", CheckBnaPass(), ""},
      {"bna2kml objects and single points", Bna2Kml(1), Objects(120, "\r\n")},
      {"bna2kml one-vertex lines noted, a coordinate fault after them", Bna2Kml(2),
       Objects(50, "\n") + "l,m,-1\n5,6\n" + Objects(30, "\n") + "n,o,-1\n7,8\n" +
           Objects(40, "\n", [](int i, int k) { return i == 33 && k == 2 ? "x\n" : ""; })},
      {"bna2kml ends inside an object", Bna2Kml(1), Objects(61, "\n") + "a,b,5\n1,2\n"},
      {"bin2xyz three columns", Bin2Xyz(11), Records(3, 700, 700)},
      {"bin2xyz two columns, bytes after the records", Bin2Xyz(22), Records(2, 500, 520)},
      {"bin2xyz unknown type in a middle record", Bin2Xyz(11),
       Records(3, 700, 700, [](int i) { return i == 433 ? std::string("\x09\0\0\0", 4) : ""; })},
      {"bin2xyz infinite value in a middle record", Bin2Xyz(11),
       Records(2, 700, 700,
               [](int i) {
                 if (i != 517) return std::string();
                 const double inf = HUGE_VAL;
                 std::string own("\x05\0", 2);
                 own.append(reinterpret_cast<const char*>(&inf), sizeof inf);
                 return own + std::string("\x02\0\x01\0", 4);
               })},
      {"bin2xyz ends inside a record", Bin2Xyz(13),
       Records(3, 700, 650) + std::string("\x05\0\x01", 3)},
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
