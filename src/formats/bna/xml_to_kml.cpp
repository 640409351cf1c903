#include "formats/bna/xml_to_kml.h"

#include <optional>
#include <vector>

#include "core/files.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/markup.h"

namespace zolvane {
namespace {

constexpr std::string_view kXmlToKmlFilters =
    "All files (*.*)|*.*|XML created with zolvane (*.xml)|*.xml|Google KML (*.kml)|*.kml";

struct Attribute {
  std::string_view name;
  std::string_view value;  // as written, entities and all
  std::size_t start;       // where its name starts in the line
};

// The name="value" pairs after the element name, up to the first text that is not one, into
// `attributes` (a vector kept from line to line).
const std::vector<Attribute>& Attributes(std::string_view line,
                                         std::vector<Attribute>& attributes) {
  attributes.clear();
  std::size_t i = line.find_first_of(" \t");
  while (i != std::string_view::npos && i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
      ++i;
    const std::size_t equals = line.find('=', i);
    if (equals == std::string_view::npos || equals + 1 >= line.size() || line[equals + 1] != '"') {
      break;
    }
    const std::size_t close = line.find('"', equals + 2);
    if (close == std::string_view::npos) break;
    attributes.push_back({TrimBlanksAndTabs(line.substr(i, equals - i)),
                          line.substr(equals + 2, close - equals - 2), i});
    i = close + 1;
  }
  return attributes;
}

const Attribute* Find(const std::vector<Attribute>& attributes, std::string_view name) {
  for (const Attribute& attribute : attributes) {
    if (attribute.name == name) return &attribute;
  }
  return nullptr;
}

struct Position {
  std::string lat, lng;
};

std::optional<Position> PositionOf(const std::vector<Attribute>& attributes) {
  const Attribute* lat = Find(attributes, "lat");
  const Attribute* lng = Find(attributes, "lng");
  if (!lat || !lng) return std::nullopt;
  // Unescaped, then escaped again for the KML, so hand-written text cannot break it.
  return Position{XmlText(TrimBlanks(XmlUnescape(lat->value))),
                  XmlText(TrimBlanks(XmlUnescape(lng->value)))};
}

// The texts are copied, not read, but a number no double can hold is no position.
bool InRange(const Position& p) {
  bool outOfRange = false;
  ReadNumber(p.lat, outOfRange);
  ReadNumber(p.lng, outOfRange);
  return !outOfRange;
}

std::string CoordinateLine(const Position& p) {
  return p.lng + "," + p.lat + ",0";
}

void WriteCoordinateLine(LineWriter& writer, const Position& p) {
  writer.Append(p.lng);
  writer.Append(',');
  writer.Append(p.lat);
  writer.Append(",0");
  writer.EndLine();
}

void WriteMarker(LineWriter& writer, std::string_view line,
                 const std::vector<Attribute>& attributes, const Position& p) {
  writer.WriteLine("<LookAt>");
  writer.WriteLine("<longitude>" + p.lng + "</longitude>");
  writer.WriteLine("<latitude> " + p.lat + "</latitude>");
  writer.WriteLine("<tilt>0</tilt>");
  writer.WriteLine("<heading>0</heading>");
  writer.WriteLine("<altitudeMode>relativeToGround</altitudeMode>");
  writer.WriteLine("</LookAt>");
  writer.WriteLine("<Placemark>");
  // The line's own name from a combined CSV table, else the marker's label.
  const Attribute* name = Find(attributes, "Line_Id");
  if (!name) name = Find(attributes, "label");
  writer.WriteLine("<name>" + XmlText(name ? XmlUnescape(name->value) : std::string()) + "</name>");

  // The label and whatever follows it, without the element's end, one item a line.
  std::string description;
  if (const Attribute* label = Find(attributes, "label")) {
    std::string_view rest = TrimBlanksAndTabs(line.substr(label->start));
    if (rest.ends_with("/>"))
      rest.remove_suffix(2);
    else if (rest.ends_with(">"))
      rest.remove_suffix(1);
    description = XmlUnescape(TrimBlanksAndTabs(rest));
  }
  std::string text;
  for (std::size_t i = 0; i < description.size(); ++i) {
    const char c = description[i];
    if (c == ' ') {
      text += '\r';
    } else if (c == ']' && description.compare(i, 3, "]]>") == 0) {
      text += "]]]]><![CDATA[>";  // a CDATA section cannot hold its own end
      i += 2;
    } else {
      text += c;
    }
  }
  std::string safe;
  // Bytes that are not UTF-8 become their Latin-1 characters; the markup stays as it is.
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find_first_of("&<>\"\r", start);
    if (end == std::string::npos) end = text.size();
    AppendXmlText(safe, std::string_view(text).substr(start, end - start));
    if (end < text.size()) safe += text[end];
    start = end + 1;
  }
  writer.WriteLine("<description>");
  writer.WriteLine("  <![CDATA[  ");
  writer.WriteLine(safe);
  writer.WriteLine(" ]]> ");
  writer.WriteLine("</description>");
  writer.WriteLine("<Point><coordinates>" + CoordinateLine(p) + "</coordinates></Point>");
  writer.WriteLine("</Placemark>");
}

}  // namespace

PassResult ConvertXmlToKml(std::istream& in, std::ostream& out, std::string_view documentName,
                           const ProgressFn& progress) {
  LineReader lines(in);
  LineWriter writer(out);
  writer.WriteLine(R"(<?xml version="1.0" encoding="UTF-8"?>)");
  writer.WriteLine("<kml xmlns=\"" + std::string(kKml22Namespace) + "\">");
  writer.WriteLine("<Document>");
  writer.WriteLine("<name>" + XmlText(documentName) + "</name>");

  std::string_view line;
  std::vector<Attribute> found;
  ReadStatus status = ReadStatus::Ok;
  long long count = 0;
  // The declaration and "<markers>".
  for (int i = 0; i < 2 && status == ReadStatus::Ok; ++i)
    status = lines.Next(line);
  while (status == ReadStatus::Ok) {
    status = lines.Next(line);
    if (status != ReadStatus::Ok) break;
    line = TrimBlanksAndTabs(line);
    if (line.starts_with("<mark")) {
      const std::vector<Attribute>& attributes = Attributes(line, found);
      const std::optional<Position> p = PositionOf(attributes);
      if (!p) return PassResult::Fail("Marker without its lat and lng", lines.LineNumber());
      if (!InRange(*p)) return NumberOutOfRange(lines.LineNumber());
      WriteMarker(writer, line, attributes, *p);
    } else if (line.starts_with("<line")) {
      const long long start = lines.LineNumber();
      writer.WriteLine("<Placemark>");
      writer.WriteLine("<LineString>");
      writer.WriteLine("<coordinates>");
      for (;;) {
        status = lines.Next(line);
        if (status == ReadStatus::End) {
          return PassResult::Fail(
              "The file ends inside the line element of line " + std::to_string(start),
              lines.LineNumber());
        }
        if (status != ReadStatus::Ok) break;
        line = TrimBlanksAndTabs(line);
        if (line.starts_with("</lin")) break;
        if (!line.starts_with("<point")) continue;
        const std::optional<Position> p = PositionOf(Attributes(line, found));
        if (!p) return PassResult::Fail("Point without its lat and lng", lines.LineNumber());
        if (!InRange(*p)) return NumberOutOfRange(lines.LineNumber());
        WriteCoordinateLine(writer, *p);
      }
      if (status != ReadStatus::Ok) break;
      writer.WriteLine("</coordinates>");
      writer.WriteLine("</LineString>");
      writer.WriteLine("</Placemark>");
    } else {
      break;
    }
    ++count;
    if (progress && !progress(count, lines.BytesRead())) return PassResult::Stop();
  }
  if (status != ReadStatus::Ok && status != ReadStatus::End) {
    return ReadFault(status, lines.LineNumber());
  }
  writer.WriteLine("</Document>");
  writer.WriteLine("</kml>");
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult result;
  result.count = count;
  return result;
}

PassResult ReadXmlMarkers(std::istream& in, ShapeSink& sink, const ProgressFn& progress) {
  LineReader lines(in);
  std::string_view line;
  std::vector<Attribute> found;
  long long count = 0, elements = 0;
  // The position of a marker or point element; false when it lacks one.
  auto vertex = [&](const std::vector<Attribute>& attributes) {
    const Attribute* lat = Find(attributes, "lat");
    const Attribute* lng = Find(attributes, "lng");
    if (!lat || !lng) return false;
    sink.Vertex(ReadNumber(TrimBlanks(XmlUnescape(lng->value))),
                ReadNumber(TrimBlanks(XmlUnescape(lat->value))));
    ++count;
    return true;
  };
  auto label = [](const std::vector<Attribute>& attributes) {
    const Attribute* found = Find(attributes, "label");
    return found ? XmlUnescape(found->value) : std::string();
  };
  for (;;) {
    ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
    line = TrimBlanksAndTabs(line);
    if (line.starts_with("<markers")) continue;
    if (line.starts_with("<mark")) {
      const std::vector<Attribute>& attributes = Attributes(line, found);
      const std::string text = label(attributes);
      sink.Begin({ShapeKind::Point, text, {}, kNoValue});
      if (!vertex(attributes)) {
        return PassResult::Fail("Marker without its lat and lng", lines.LineNumber());
      }
    } else if (line.starts_with("<line")) {
      const std::string text = label(Attributes(line, found));
      sink.Begin({ShapeKind::Line, text, {}, kNoValue});
      for (;;) {
        status = lines.Next(line);
        if (status == ReadStatus::End) {
          return PassResult::Fail("The file ends inside a line element", lines.LineNumber());
        }
        if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
        line = TrimBlanksAndTabs(line);
        if (line.starts_with("</lin")) break;
        if (line.starts_with("<point") && !vertex(Attributes(line, found))) {
          return PassResult::Fail("Point without its lat and lng", lines.LineNumber());
        }
      }
    } else {
      continue;
    }
    if (progress && !progress(++elements, lines.BytesRead())) return PassResult::Stop();
  }
  PassResult done;
  done.count = count;
  return done;
}

void XmlToKml(int /*index*/, RunState& state, Ui& ui) {
  ui.SetFileFilters(kXmlToKmlFilters);
  if (!AskInputFile(state, ui, 2)) return;
  if (!AskOutputFile(state, ui, 3)) return;
  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetProgressCount(0);
  const PassResult result =
      ConvertXmlToKml(files.input.Stream(), files.output.Stream(), state.OutputFileName,
                      WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetStatus("Google KML ready");
  ClearFileNames(state, ui);
}

}  // namespace zolvane
