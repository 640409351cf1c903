#include "formats/bna/bna_to_kml.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <initializer_list>
#include <limits>

#include "core/files.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/bna_blocks.h"
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

// The fixed lines of a placemark of each kind, ended as the writer ends lines, built once a
// pass: a placemark of one point is mostly these.
struct PlacemarkText {
  std::string open;          // up to the name
  std::string afterName[3];  // from the name's end to <coordinates>, by Kind
  std::string close[3];      // from </coordinates> to </Placemark>, by Kind

  PlacemarkText(std::string_view lineEnd, std::string_view styleUrl) {
    auto lines = [lineEnd](std::initializer_list<std::string_view> texts) {
      std::string text;
      bool first = true;
      for (const std::string_view line : texts) {
        if (!first) text += lineEnd;
        text += line;
        first = false;
      }
      return text;
    };
    constexpr std::string_view kName = "</name>", kVisible = "<visibility>1</visibility>",
                               kOpen = "<open>1</open>", kCoordinates = "<coordinates>";
    open = lines({"<Placemark>", "<name>"});
    afterName[static_cast<int>(Kind::Point)] =
        lines({kName, kVisible, kOpen, styleUrl, "<Point>", kCoordinates});
    afterName[static_cast<int>(Kind::Line)] =
        lines({kName, kVisible, kOpen, styleUrl, "", "<LineString>", "<extrude>0</extrude>",
               "<tessellate>0</tessellate>", kCoordinates});
    afterName[static_cast<int>(Kind::Polygon)] =
        lines({kName, kVisible, styleUrl, "<Polygon>", "<tessellate>1</tessellate>",
               "<outerBoundaryIs>", "<LinearRing>", kCoordinates});
    close[static_cast<int>(Kind::Point)] = lines({"</coordinates>", "</Point>", "</Placemark>"});
    close[static_cast<int>(Kind::Line)] =
        lines({"</coordinates>", "</LineString>", "</Placemark>"});
    close[static_cast<int>(Kind::Polygon)] = lines(
        {"</coordinates>", "</LinearRing>", "</outerBoundaryIs>", "</Polygon>", "</Placemark>"});
  }
};

void WriteOpening(LineWriter& writer, const PlacemarkText& text, Kind kind, std::string_view name,
                  std::string& scratch) {
  scratch.assign(text.open);
  AppendXmlText(scratch, name);
  scratch += text.afterName[static_cast<int>(kind)];
  writer.WriteLine(scratch);
}

void WriteClosing(LineWriter& writer, const PlacemarkText& text, Kind kind) {
  writer.WriteLine(text.close[static_cast<int>(kind)]);
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

namespace {

// A style reference is a URL fragment: without "#" clients do not resolve it.
std::string StyleUrl(const BnaToKmlOptions& options) {
  return "<styleUrl>#" + XmlText(options.styleName) + "</styleUrl>";
}

Kind KindOf(const BnaHeader& header) {
  // A count of -1 passes the check as one vertex: it is written as the point it is.
  if (header.count > 1) return Kind::Polygon;
  if (header.count < -1) return Kind::Line;
  return Kind::Point;
}

// What writing a run of objects found; lines are counted from the run's start.
struct PlacemarksResult {
  PassResult pass;
  long long count = 0;
};

// Writes the placemarks from the reader's position, the last `open` coordinates of `header`'s
// object first, up to the end of the input or a fault, or once `lineLimit` lines are read.
// `stopAsked(count, reader)` is asked after every point.
template <typename StopAsked, typename Note>
void WritePlacemarks(BnaObjectReader& reader, LineWriter& writer, const PlacemarkText& text,
                     int labelChoice, BnaHeader& header, long long open, long long lineLimit,
                     StopAsked&& stopAsked, Note&& note, PlacemarksResult& result) {
  std::string line;
  long long& count = result.count;
  bool inside = open > 0;  // the coordinates of `header`'s object are being written
  for (;;) {
    if (inside) {
      for (; open > 0 && reader.LineNumber() < lineLimit; --open) {
        double x = 0, y = 0;
        if (reader.NextPoint(x, y) != ReadStatus::Ok) {
          result.pass = reader.Fault();
          return;
        }
        WriteCoordinate(writer, line, x, y);
        ++count;
        if (stopAsked(count, reader)) {
          result.pass = PassResult::Stop();
          return;
        }
      }
      if (open > 0) return;
      WriteClosing(writer, text, KindOf(header));
      inside = false;
    }
    if (reader.LineNumber() >= lineLimit) return;
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) return;
    if (status != ReadStatus::Ok) {
      result.pass = reader.Fault();
      return;
    }
    const std::string_view label1 = BnaLabelText(header.label1);
    const std::string_view label2 = BnaLabelText(header.label2);
    const Kind kind = KindOf(header);
    if (header.count == -1) {
      note("Error in object  " + std::string(label1) + " " + std::string(label2));
    }
    WriteOpening(writer, text, kind, labelChoice == 2 ? label2 : label1, line);
    if (header.singlePoint) {
      WriteCoordinate(writer, line, header.x, header.y);
      ++count;
      if (stopAsked(count, reader)) {
        result.pass = PassResult::Stop();
        return;
      }
      WriteClosing(writer, text, kind);
    } else {
      open = header.count < 0 ? -header.count : header.count;
      inside = true;
    }
  }
}

void WriteFooter(LineWriter& writer) {
  writer.WriteLine("</Folder>");
  writer.WriteLine("</Document>");
  writer.WriteLine("</kml>");
}

// One block of a pass on several threads: its text and the notes of its objects.
struct KmlBlockResult {
  std::string text;
  PlacemarksResult placemarks;
  std::vector<std::string> notes;
};

PassResult ConvertInBlocks(std::istream& in, std::ostream& out, const BnaToKmlOptions& options,
                           const ProgressFn& progress, const ObjectNoteFn& note,
                           const BlockPassOptions& blocks) {
  const std::string_view lineEnd = LineEndOf(out);
  {
    LineWriter writer(out);
    WriteHeader(writer, options);
  }
  const PlacemarkText placemark(lineEnd, StyleUrl(options));
  const int labelChoice = options.style.LabelChoice;
  auto convert = [&placemark, labelChoice, lineEnd](const BnaBlock& block, KmlBlockResult& r) {
    ClearKeepingText(r);
    WriteBnaBlock(
        block, r.text, lineEnd, [&](auto& reader, auto& writer, BnaHeader& header) -> PassResult& {
          WritePlacemarks(
              reader, writer, placemark, labelChoice, header, block.openPoints, block.LinesToRead(),
              [](long long, const BnaObjectReader&) { return false; },
              [&r](std::string text) { r.notes.push_back(std::move(text)); }, r.placemarks);
          return r.placemarks.pass;
        });
  };
  PassResult result;
  long long count = 0;
  bool stopped = false;
  auto take = [&](const BnaBlock& block, KmlBlockResult& r) {
    if (note) {
      for (const std::string& text : r.notes)
        note(text);
    }
    if (!r.text.empty()) {
      // A refusal leaves its reason in errno; an older one must not pass for it.
      if (out.good()) errno = 0;
      out.write(r.text.data(), static_cast<std::streamsize>(r.text.size()));
    }
    count += r.placemarks.count;
    if (r.placemarks.pass.status != PassStatus::Done) {
      result = r.placemarks.pass;
      result.line += block.lineBase;
      return false;
    }
    if (progress && !progress(count, block.endOffset)) {
      stopped = true;
      return false;
    }
    return true;
  };
  // A placemark writes about five times its input: smaller blocks keep the output in flight
  // as large as other passes keep theirs.
  BnaBlockCutter cutter(in, std::max<std::size_t>(blocks.blockSize / 4, 1));
  RunCutBlocks<KmlBlockResult>(
      cutter, blocks.threads, [&] { return convert; }, take);
  if (stopped) return PassResult::Stop();
  if (result.status != PassStatus::Done) return result;
  {
    LineWriter writer(out);
    WriteFooter(writer);
    if (!writer.Flush()) return PassResult::WriteFault();
  }
  out.flush();
  if (!out.good()) return PassResult::WriteFault();
  result.count = count;
  return result;
}

}  // namespace

PassResult ConvertBnaToKml(std::istream& in, std::ostream& out, const BnaToKmlOptions& options,
                           const ProgressFn& progress, const ObjectNoteFn& note,
                           const BlockPassOptions& blocks) {
  if (blocks.threads > 1) return ConvertInBlocks(in, out, options, progress, note, blocks);
  BnaObjectReader reader(in);
  LineWriter writer(out);
  WriteHeader(writer, options);
  const PlacemarkText placemark(writer.LineEnd(), StyleUrl(options));
  BnaHeader header;
  PlacemarksResult placemarks;
  WritePlacemarks(
      reader, writer, placemark, options.style.LabelChoice, header, 0,
      std::numeric_limits<long long>::max(),
      [&progress](long long count, const BnaObjectReader& r) {
        return count % kProgressInterval == 0 && progress && !progress(count, r.BytesRead());
      },
      [&note](std::string text) {
        if (note) note(text);
      },
      placemarks);
  if (placemarks.pass.status != PassStatus::Done) return placemarks.pass;
  WriteFooter(writer);
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult result;
  result.count = placemarks.count;
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
  const PassResult result =
      ConvertBnaToKml(files.input.Stream(), files.output.Stream(), options,
                      CheckedFileProgress(ui, files.input.Size()),
                      [&ui](std::string_view text) { ui.SetStatus(text); }, {state.Threads});
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetStatus("kml ready");
  if (auto* questions = QuestionsOf<BnaQuestions>(ui)) questions->ForgetKmlStyle();
}

}  // namespace zolvane
