#include "preview/file_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/markup.h"
#include "formats/bna/xml_to_kml.h"
#include "formats/daf.h"
#include "formats/gebco.h"
#include "formats/gmt_segments.h"
#include "formats/mapgen_to_bna.h"
#include "formats/miramon_vec.h"
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
  else if (head.starts_with("Header\n"))
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
  return ReadDafBlocks(in, block, progress).pass;
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
  }
  return "";
}

int GuessLayout(const std::string& path) {
  InputFile file(path);
  return file.IsOpen() ? GuessXyzLayoutCode(file.Stream()) : 0;
}

PassResult ReadFile(const std::string& path, Format format, int layout, PreviewSink& sink,
                    const ProgressFn& progress) {
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
  }
  return PassResult::Fail("Unknown format", 0);
}

}  // namespace zolvane::preview
