#include "formats/bna/bna_to_kml.h"

#include <algorithm>
#include <ctime>

#include "core/files.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/markup.h"
#include "formats/bna/markup_command.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;

constexpr std::string_view kKmlFilters =
    "All files (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|GOOGLE EARTH KML (*.kml)|*.kml";

enum class Kind { Point, Line, Polygon };

void Element(LineWriter& writer, std::string_view indent, std::string_view tag,
             std::string_view text) {
  std::string line(indent);
  line += '<';
  line += tag;
  line += '>';
  AppendXmlText(line, text);
  line += "</";
  line += tag;
  line += '>';
  writer.WriteLine(line);
}

void WriteHeader(LineWriter& writer, const BnaToKmlOptions& options) {
  const KmlStyleChoice& style = options.style;
  writer.WriteLine(R"(<?xml version="1.0" encoding="UTF-8"?>)");
  writer.WriteLine("<kml xmlns=\"" + std::string(kKml21Namespace) + "\">");
  Element(writer, "<Document>", "name", TrimBlanks(options.documentName));
  Element(writer, "", "description", TrimBlanks(style.Description));
  writer.WriteLine("<Style id=\"" + XmlText(options.styleName) + "\" > ");
  writer.WriteLine("<IconStyle>");
  Element(writer, "     ", "scale", style.SymbolScale);
  Element(writer, "     ", "color", KmlColour(0xFF, style.PointColour));
  writer.WriteLine("     <Icon>");
  Element(writer, "     ", "href",
          std::string(kKmlIconBase) + std::string(KmlIconPath(style.Symbol)));
  writer.WriteLine("     </Icon>");
  writer.WriteLine("</IconStyle>");
  writer.WriteLine("<LineStyle>");
  Element(writer, "     ", "color", KmlColour(0xFF, style.LineColour));
  Element(writer, "     ", "width", style.LineWidth);
  writer.WriteLine("</LineStyle>");
  writer.WriteLine("<PolyStyle>");
  Element(writer, "     ", "color", KmlPolygonColour(style));
  Element(writer, "     ", "colorMode", KmlPolygonColourMode(style));
  writer.WriteLine("     <fill>1</fill>");
  writer.WriteLine("     <outline>1</outline>");
  writer.WriteLine("</PolyStyle>");
  writer.WriteLine("</Style>");
  writer.WriteLine("<Folder>");
  Element(writer, "", "name", TrimBlanks(style.FolderName));
}

void WriteOpening(LineWriter& writer, Kind kind, std::string_view name, std::string_view styleUrl) {
  writer.WriteLine("<Placemark>");
  Element(writer, "", "name", name);
  writer.WriteLine("<visibility>1</visibility>");
  if (kind != Kind::Polygon) writer.WriteLine("<open>1</open>");
  writer.WriteLine(styleUrl);
  switch (kind) {
    case Kind::Point:
      writer.WriteLine("<Point>");
      break;
    case Kind::Line:
      writer.WriteLine("");
      writer.WriteLine("<LineString>");
      writer.WriteLine("<extrude>0</extrude>");
      writer.WriteLine("<tessellate>0</tessellate>");
      break;
    case Kind::Polygon:
      writer.WriteLine("<Polygon>");
      writer.WriteLine("<tessellate>1</tessellate>");
      writer.WriteLine("<outerBoundaryIs>");
      writer.WriteLine("<LinearRing>");
      break;
  }
  writer.WriteLine("<coordinates>");
}

void WriteClosing(LineWriter& writer, Kind kind) {
  writer.WriteLine("</coordinates>");
  switch (kind) {
    case Kind::Point:
      writer.WriteLine("</Point>");
      break;
    case Kind::Line:
      writer.WriteLine("</LineString>");
      break;
    case Kind::Polygon:
      writer.WriteLine("</LinearRing>");
      writer.WriteLine("</outerBoundaryIs>");
      writer.WriteLine("</Polygon>");
      break;
  }
  writer.WriteLine("</Placemark>");
}

void WriteCoordinate(LineWriter& writer, std::string& line, double x, double y) {
  line.clear();
  AppendSignedDegrees(line, x, 3);
  line += ',';
  AppendSignedDegrees(line, y, 2);
  line += ",0";
  writer.WriteLine(line);
}

}  // namespace

constexpr std::pair<std::string_view, std::string_view> kIcons[] = {
    {"Circle", "pal4/icon25.png"},         {"Solid_square", "pal4/icon26.png"},
    {"Empty_Square", "shapes/square.png"}, {"Cross", "pal3/icon46.png"},
    {"Flag", "pal2/icon13.png"},           {"Star", "shapes/star.png"},
    {"Triangle", "shapes/triangle.png"},   {"Diamond", "shapes/open-diamond.png"},
    {"Donut", "shapes/donut.png"},
};

std::vector<std::string> KmlSymbolNames() {
  std::vector<std::string> names;
  for (const auto& icon : kIcons)
    names.emplace_back(icon.first);
  return names;
}

std::string_view KmlIconPath(std::string_view symbol) {
  for (const auto& [name, path] : kIcons) {
    if (name == symbol) return path;
  }
  return "pal4/icon24.png";
}

std::string KmlPolygonColour(const KmlStyleChoice& style) {
  return KmlColour(TransparencyAlpha(style.Transparency),
                   style.RandomPolygons ? 0xFFFFFF : style.PolygonColour);
}

std::string_view KmlPolygonColourMode(const KmlStyleChoice& style) {
  return style.RandomPolygons ? "random" : "normal";
}

std::string KmlStyleNameNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::to_string(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) + "_map";
}

PassResult ConvertBnaToKml(std::istream& in, std::ostream& out, const BnaToKmlOptions& options,
                           const ProgressFn& progress, const ObjectNoteFn& note) {
  BnaObjectReader reader(in);
  LineWriter writer(out);
  WriteHeader(writer, options);
  // A style reference is a URL fragment: without "#" clients do not resolve it.
  const std::string styleUrl = "<styleUrl>#" + XmlText(options.styleName) + "</styleUrl>";
  BnaHeader header;
  std::string line;
  long long count = 0;
  auto stopAsked = [&] {
    return count % kProgressInterval == 0 && progress && !progress(count, reader.BytesRead());
  };

  for (;;) {
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return reader.Fault();
    const std::string_view label1 = BnaLabelText(header.label1);
    const std::string_view label2 = BnaLabelText(header.label2);
    // A count of -1 passes the check as one vertex: it is written as the point it is.
    Kind kind = Kind::Point;
    if (header.count > 1) kind = Kind::Polygon;
    if (header.count < -1) kind = Kind::Line;
    if (header.count == -1 && note) {
      note("Error in object  " + std::string(label1) + " " + std::string(label2));
    }
    WriteOpening(writer, kind, options.style.LabelChoice == 2 ? label2 : label1, styleUrl);
    if (header.singlePoint) {
      WriteCoordinate(writer, line, header.x, header.y);
      ++count;
      if (stopAsked()) return PassResult::Stop();
    } else {
      for (long long i = header.count < 0 ? -header.count : header.count; i > 0; --i) {
        double x = 0, y = 0;
        if (reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
        WriteCoordinate(writer, line, x, y);
        ++count;
        if (stopAsked()) return PassResult::Stop();
      }
    }
    WriteClosing(writer, kind);
  }
  writer.WriteLine("</Folder>");
  writer.WriteLine("</Document>");
  writer.WriteLine("</kml>");
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult result;
  result.count = count;
  return result;
}

PassResult ReadKmlPlacemarks(std::istream& in, ShapeSink& sink, const ProgressFn& progress) {
  constexpr std::string_view kOpen = "<coordinates>", kClose = "</coordinates>";
  LineReader lines(in);
  std::string_view line;
  std::string name;
  ShapeKind kind = ShapeKind::Line;
  bool inside = false;  // between <coordinates> and </coordinates>
  long long count = 0, placemarks = 0;
  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
    line = TrimBlanksAndTabs(line);
    if (!inside) {
      if (line.starts_with("<Placemark")) {
        name.clear();
        kind = ShapeKind::Line;
        if (progress && !progress(++placemarks, lines.BytesRead())) return PassResult::Stop();
      } else if (line.starts_with("<name>")) {
        const std::string_view text = line.substr(6);
        name = XmlUnescape(text.substr(0, text.find("</name>")));
      }
      if (line.find("<Point") != std::string_view::npos) kind = ShapeKind::Point;
      if (line.find("<LineString") != std::string_view::npos) kind = ShapeKind::Line;
      if (line.find("<Polygon") != std::string_view::npos) kind = ShapeKind::Polygon;
      const std::size_t open = line.find(kOpen);
      if (open == std::string_view::npos) continue;
      sink.Begin({kind, name, {}, kNoValue});
      inside = true;
      line = line.substr(open + kOpen.size());
    }
    const std::size_t close = line.find(kClose);
    if (close != std::string_view::npos) {
      line = line.substr(0, close);
      inside = false;
    }
    // Tuples "x,y[,z]" separated by blanks.
    while (!(line = TrimBlanksAndTabs(line)).empty()) {
      const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
      const std::string_view tuple = line.substr(0, end);
      const std::size_t comma = tuple.find(',');
      if (comma == std::string_view::npos) {
        return PassResult::Fail("Coordinate without a comma", lines.LineNumber());
      }
      const std::string_view rest = tuple.substr(comma + 1);
      sink.Vertex(ReadNumber(tuple.substr(0, comma)), ReadNumber(rest.substr(0, rest.find(','))));
      ++count;
      line.remove_prefix(end);
    }
  }
  if (inside) return PassResult::Fail("The file ends inside coordinates", lines.LineNumber());
  PassResult done;
  done.count = count;
  return done;
}

void BnaToKml(int /*index*/, RunState& state, Ui& ui) {
  std::optional<CommandFiles> opened;
  std::optional<KmlStyleChoice> choice;
  if (!StartMarkupCommand(state, ui, {kKmlFilters, " checking bna file ", 4}, opened, [&] {
        return (choice = Ask(ui, &BnaQuestions::KmlStyle)).has_value();
      })) {
    return;
  }
  CommandFiles& files = *opened;
  state.LabelChoice = choice->LabelChoice == 2 ? 2 : 1;
  state.StyleName = KmlStyleNameNow();

  BnaToKmlOptions options{*choice, state.OutputFileName, state.StyleName};
  options.style.LabelChoice = state.LabelChoice;
  const PassResult result = ConvertBnaToKml(files.input.Stream(), files.output.Stream(), options,
                                            CheckedFileProgress(ui, files.input.Size()),
                                            [&ui](std::string_view text) { ui.SetStatus(text); });
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetStatus("kml ready");
  if (auto* questions = QuestionsOf<BnaQuestions>(ui)) questions->ForgetKmlStyle();
}

}  // namespace zolvane
