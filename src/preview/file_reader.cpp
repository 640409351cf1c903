#include "preview/file_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/text_reader.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/markup.h"
#include "formats/bna/xml_to_kml.h"
#include "formats/daf.h"
#include "formats/dxf_3d.h"
#include "formats/gebco.h"
#include "formats/gmt_segments.h"
#include "formats/mapgen_to_bna.h"
#include "formats/miramon_vec.h"
#include "formats/poseidon_binary.h"
#include "formats/surfer_grids.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane::preview {
namespace {

constexpr long long kProgressInterval = 200;

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// What the first non-empty lines say; false when they say nothing certain.
bool FormatByContent(const std::string& path, Format& format) {
  InputFile file(path);
  if (!file.IsOpen()) return false;
  LineReader lines(file.Stream(), 4096);
  std::string_view line;
  std::string head;
  for (int i = 0; i < 4 && lines.Next(line) == ReadStatus::Ok; ++i) {
    head += TrimBlanksAndTabs(line);
    head += '\n';
  }
  if (head.starts_with("DSAA"))
    format = Format::Grid;
  else if (head.find("<kml") != std::string::npos)
    format = Format::Kml;
  else if (head.find("<markers") != std::string::npos)
    format = Format::Xml;
  else if (head.starts_with("Header\n") || head.starts_with("START"))
    format = Format::Daf;
  else if (head.starts_with(">"))
    format = Format::Gmt;
  else if (head.starts_with("\""))
    format = Format::Bna;
  else
    return false;
  return true;
}

bool Ends(const std::string& lower, std::string_view ending) {
  return lower.ends_with(ending);
}

template <typename Count>
bool Report(const ProgressFn& progress, Count count, std::uint64_t bytes) {
  return count % kProgressInterval != 0 || !progress || progress(count, bytes);
}

PassResult ReadBna(std::istream& in, PreviewSink& sink, const ProgressFn& progress) {
  BnaObjectReader reader(in);
  BnaHeader header;
  long long count = 0;
  for (;;) {
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return reader.Fault();
    ShapeKind kind = ShapeKind::Point;
    if (header.count > 1) kind = ShapeKind::Polygon;
    if (header.count < -1) kind = ShapeKind::Line;
    sink.Begin({kind, BnaLabelText(header.label1), BnaLabelText(header.label2), kNoValue});
    if (header.singlePoint) {
      sink.Vertex(header.x, header.y);
      ++count;
      continue;
    }
    for (long long i = header.count < 0 ? -header.count : header.count; i > 0; --i) {
      double x = 0, y = 0;
      if (reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
      sink.Vertex(x, y);
      if (!Report(progress, ++count, reader.BytesRead())) return PassResult::Stop();
    }
  }
  PassResult done;
  done.count = count;
  return done;
}

PassResult ReadXyz(std::istream& in, int layout, PreviewSink& sink, const ProgressFn& progress) {
  const XyzPassResult result = ForEachXyzPoint(in, layout, progress, [&](const XyzPoint& p) {
    sink.Sample(p.x.number, p.y.number, p.hasZ ? p.z.number : kNoValue);
  });
  return result.pass;
}

PassResult ReadDaf(std::istream& in, PreviewSink& sink, const ProgressFn& progress) {
  std::string label;
  auto block = [&](double depth, const std::vector<std::pair<double, double>>& points) {
    if (points.empty()) return;
    label = FormatGeneral(depth);
    sink.Begin({ShapeKind::Line, label, {}, depth});
    for (const auto& [x, y] : points)
      sink.Vertex(x, y);
  };
  // As daf2xyz reads: a file without its header is drawn too.
  return ReadDafBlocks(in, block, progress, DafOutside::Free).pass;
}

PassResult ReadVec(const std::string& path, std::istream& in, PreviewSink& sink,
                   const ProgressFn& progress) {
  std::string type;
  if (InputFile dvc(DvcPathOf(path)); dvc.IsOpen())
    type = ReadDvcObjectType(dvc.Stream()).value_or("");
  auto object = [&](std::string_view identifier, long long points) {
    ShapeKind kind = type == "polygon" ? ShapeKind::Polygon : ShapeKind::Line;
    if (points == 1) kind = ShapeKind::Point;
    sink.Begin({kind, TrimBlanks(identifier), type, kNoValue});
  };
  return ReadVecObjects(
      in, object, [&](double x, double y) { sink.Vertex(x, y); }, progress);
}

PassResult ReadMapgen(std::istream& in, PreviewSink& sink, const ProgressFn& progress) {
  auto segment = [&](const std::vector<float>& lonLat) {
    sink.Begin({ShapeKind::Line, "shore", {}, kNoValue});
    for (std::size_t i = 0; i + 1 < lonLat.size(); i += 2)
      sink.Vertex(lonLat[i], lonLat[i + 1]);
  };
  return ReadMapgenSegments(in, segment, progress);
}

PassResult ReadGrid(std::istream& in, PreviewSink& sink, const ProgressFn& progress) {
  auto header = [&](const SurferGridHeader& h) {
    sink.BeginGrid({h.nx, h.ny, h.xMin, h.xMax, h.yMin, h.yMax});
  };
  auto node = [&](double z) {
    sink.Node(z > kSurferBlankLimit ? kNoValue : z);
    return true;
  };
  return ReadSurferGrid(in, header, node, progress).pass;
}

PassResult ReadGebco(std::istream& in, GebcoHeader header, PreviewSink& sink,
                     const ProgressFn& progress) {
  std::string label;
  auto segment = [&](std::string_view value) {
    label.assign(value);
    // Depths colour their lines; names do not.
    const double depth = HasLeadingNumber(value) ? ReadNumber(value) : kNoValue;
    sink.Begin({ShapeKind::Line, label, {}, depth});
  };
  return ReadGebcoSegments(
      in, header, segment, [&](double lon, double lat) { sink.Vertex(lon, lat); }, progress);
}

// Points from the X and Y columns, records as the command that was told them reads them.
PassResult ReadCsv(std::istream& in, const Columns& columns, PreviewSink& sink,
                   const ProgressFn& progress) {
  const int needed = std::max(columns.x, columns.y);
  if (columns.x < 1 || columns.y < 1 || (columns.fields > 0 && needed > columns.fields))
    return PassResult::Fail("No X and Y columns to read", 0);
  LineReader lines(in);
  std::string_view line;
  for (int i = 0; i < columns.header; ++i) {
    if (const ReadStatus status = lines.Next(line); status != ReadStatus::Ok)
      return status == ReadStatus::End ? PassResult() : ReadFault(status, lines.LineNumber());
  }
  std::vector<std::string_view> fields;
  long long count = 0;
  auto point = [&](long long line) {
    bool outOfRange = false;
    const double x = ReadNumber(fields[columns.x - 1], outOfRange);
    const double y = ReadNumber(fields[columns.y - 1], outOfRange);
    if (outOfRange) return NumberOutOfRange(line);
    sink.Sample(x, y, kNoValue);
    ++count;
    return PassResult();
  };
  if (columns.fields > 0) {
    // Values run on across lines, a record every `fields` of them.
    FieldReader reader(lines);
    std::vector<Field> record(static_cast<std::size_t>(columns.fields));
    for (;;) {
      ReadStatus status = reader.Next(record[0]);
      if (status == ReadStatus::End) break;
      for (std::size_t i = 1; i < record.size() && status == ReadStatus::Ok; ++i)
        status = reader.Next(record[i]);
      if (status == ReadStatus::End)
        return PassResult::Fail("The last record is not whole", record[0].line);
      if (status != ReadStatus::Ok) return ReadFault(status, reader.LineNumber());
      fields.clear();
      for (const Field& field : record)
        fields.push_back(field.text);
      if (PassResult fault = point(record[0].line); fault.status != PassStatus::Done) return fault;
      if (!Report(progress, count, lines.BytesRead())) return PassResult::Stop();
    }
  } else {
    // A record each line that is not blank, its fields between commas.
    ReadStatus status;
    while ((status = lines.Next(line)) == ReadStatus::Ok) {
      if (TrimBlanksAndTabs(line).empty()) continue;
      fields.clear();
      for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == line.npos ? line.npos : comma - start));
        if (comma == line.npos) break;
        start = comma + 1;
      }
      if (static_cast<int>(fields.size()) < needed) {
        return PassResult::Fail("Only " + std::to_string(fields.size()) + " columns",
                                lines.LineNumber());
      }
      if (PassResult fault = point(lines.LineNumber()); fault.status != PassStatus::Done)
        return fault;
      if (!Report(progress, count, lines.BytesRead())) return PassResult::Stop();
    }
    if (status != ReadStatus::End) return ReadFault(status, lines.LineNumber());
  }
  PassResult done;
  done.count = count;
  return done;
}

// Solids as polygons of their corners, polylines as lines.
PassResult ReadDxf(std::istream& in, PreviewSink& sink, const ProgressFn& progress) {
  DxfShapeReader reader;
  reader.begin = [&](bool solid) {
    sink.Begin({solid ? ShapeKind::Polygon : ShapeKind::Line, {}, {}, kNoValue});
  };
  reader.point = [&](double x, double y) { sink.Vertex(x, y); };
  return ReadDxfShapes(in, reader, progress);
}

PassResult ReadPoseidon(std::istream& in, PreviewSink& sink, const ProgressFn& progress) {
  PoseidonReader reader;
  reader.header = [&](const PoseidonHeader& h) {
    sink.BeginGrid({ToInt64(RoundHalfEven(h.columns)), ToInt64(RoundHalfEven(h.rows)),
                    h.longLowerLeft, h.longUpperRight, h.latLowerLeft, h.latUpperRight});
  };
  reader.node = [&](float z) { sink.Node(z > kSurferBlankLimit ? kNoValue : z); };
  reader.rowEnd = [](long long, long long) {};
  return ReadPoseidonGrid(in, reader, progress).pass;
}

}  // namespace

Format FormatOf(const std::string& path) {
  Format format = Format::Xyz;
  if (FormatByContent(path, format)) return format;
  const std::string lower = Lower(path);
  if (Ends(lower, ".bna")) return Format::Bna;
  if (Ends(lower, ".gmt")) return Format::Gmt;
  if (Ends(lower, ".kml")) return Format::Kml;
  if (Ends(lower, ".xml")) return Format::Xml;
  if (Ends(lower, ".daf")) return Format::Daf;
  if (Ends(lower, ".vec")) return Format::Vec;
  if (Ends(lower, ".grd")) return Format::Grid;
  if (Ends(lower, ".dxf")) return Format::Dxf;
  if (Ends(lower, ".dat") || Ends(lower, ".map")) {
    // MapGen marks its segments with short lines such as "# -b".
    InputFile file(path);
    std::string_view line;
    LineReader lines(file.Stream(), 4096);
    if (file.IsOpen() && lines.Next(line) == ReadStatus::Ok && line.starts_with("#") &&
        line.size() <= kMapgenMarkerLength) {
      return Format::Mapgen;
    }
  }
  return Format::Xyz;
}

std::string_view FormatName(Format format) {
  switch (format) {
    case Format::Bna:
      return "BNA";
    case Format::Xyz:
      return "XYZ";
    case Format::Gmt:
      return "GMT";
    case Format::Kml:
      return "KML";
    case Format::Xml:
      return "XML markers";
    case Format::Daf:
      return "DAF";
    case Format::Vec:
      return "VEC";
    case Format::Mapgen:
      return "MapGen";
    case Format::Grid:
      return "Surfer grid";
    case Format::Gebco:
    case Format::GebcoCentennial:
    case Format::GebcoNames:
      return "GEBCO";
    case Format::Csv:
      return "CSV";
    case Format::Dxf:
      return "DXF";
    case Format::Poseidon:
      return "Poseidon grid";
  }
  return "";
}

int GuessLayout(const std::string& path) {
  InputFile file(path);
  return file.IsOpen() ? GuessXyzLayoutCode(file.Stream()) : 0;
}

PassResult ReadFile(const std::string& path, Format format, int layout, PreviewSink& sink,
                    const ProgressFn& progress, const Columns& columns) {
  InputFile file(path);
  if (!file.IsOpen()) return PassResult::Fail("The file cannot be opened", 0);
  std::istream& in = file.Stream();
  switch (format) {
    case Format::Bna:
      return ReadBna(in, sink, progress);
    case Format::Xyz:
      return ReadXyz(in, layout, sink, progress);
    case Format::Gmt:
      return ReadGmtSegments(in, sink, progress);
    case Format::Kml:
      return ReadKmlPlacemarks(in, sink, progress);
    case Format::Xml:
      return ReadXmlMarkers(in, sink, progress);
    case Format::Daf:
      return ReadDaf(in, sink, progress);
    case Format::Vec:
      return ReadVec(path, in, sink, progress);
    case Format::Mapgen:
      return ReadMapgen(in, sink, progress);
    case Format::Grid:
      return ReadGrid(in, sink, progress);
    case Format::Gebco:
      return ReadGebco(in, GebcoHeader::Atlas1997, sink, progress);
    case Format::GebcoCentennial:
      return ReadGebco(in, GebcoHeader::Centennial, sink, progress);
    case Format::GebcoNames:
      return ReadGebco(in, GebcoHeader::Names, sink, progress);
    case Format::Csv:
      return ReadCsv(in, columns, sink, progress);
    case Format::Dxf:
      return ReadDxf(in, sink, progress);
    case Format::Poseidon:
      return ReadPoseidon(in, sink, progress);
  }
  return PassResult::Fail("Unknown format", 0);
}

}  // namespace zolvane::preview
