#include "formats/bna/bna_to_xml.h"

#include <cctype>
#include <iterator>
#include <unordered_set>

#include "core/files.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/bna_questions.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/markup.h"
#include "formats/bna/markup_command.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;

constexpr std::string_view kXmlFilters =
    "All files (*.*)|*.*|BNA (*.bna)|*.bna|Extensible arkup language (*.xml)|*.xml";
constexpr std::string_view kCsvTitle = " CSV file ";

// The attributes every marker carries before any from the CSV table.
constexpr const char* kMarkerAttributes[] = {"lat", "lng", "html", "label"};

void AppendLatLng(std::string& line, double x, double y) {
  line += "lat=\"";
  AppendSignedDegrees(line, y, 2);
  line += "\" lng=\"";
  AppendSignedDegrees(line, x, 3);
  line += '"';
}

void WritePoint(LineWriter& writer, double x, double y) {
  std::string line = "<point ";
  AppendLatLng(line, x, y);
  line += " />";
  writer.WriteLine(line);
}

// Reads the CSV table named in the choice; false, with a message naming the file, when it
// cannot be used.
bool LoadCsvFile(const XmlMarkersChoice& choice, CsvTable& table, Ui& ui) {
  InputFile file(choice.CsvFile);
  if (!file.IsOpen()) {
    ReportOpenFailure(ui, choice.CsvFile, false, file.Fault());
    return false;
  }
  const CsvLoadResult result = LoadCsvTable(file.Stream(), choice.SyncColumn, table);
  switch (result.fault) {
    case CsvFault::None:
      return true;
    case CsvFault::NoColumns:
      Warn(ui, "The CSV file has no column names:\n" + choice.CsvFile, kCsvTitle);
      return false;
    case CsvFault::TooManyColumns:
      Warn(ui,
           "The CSV file has more than " + std::to_string(kMaxCsvColumns) + " columns:\n" +
               choice.CsvFile,
           kCsvTitle);
      return false;
    case CsvFault::BadSyncColumn:
      Warn(ui,
           "The CSV field number to synchronize must be between 1 and " +
               std::to_string(table.columns.size()) + ":\n" + choice.CsvFile,
           kCsvTitle);
      return false;
    case CsvFault::ReadError:
      Warn(ui, FaultText("The CSV file could not be read", result.line, choice.CsvFile), kCsvTitle);
      return false;
  }
  return false;
}

// A column name as an attribute name: characters a name cannot hold become "_", so a
// heading like "Line Id" or "2nd" still gives a well-formed marker.
std::string AttributeName(std::string_view name) {
  const auto nameChar = [](unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '-' || c == '.' || c >= 0x80;
  };
  std::string safe;
  if (name.empty() || !(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_' ||
                        static_cast<unsigned char>(name[0]) >= 0x80)) {
    safe += '_';
  }
  for (const char c : name)
    safe += nameChar(static_cast<unsigned char>(c)) ? c : '_';
  return safe;
}

// A name not yet on the marker: a repeated one gets the first free suffix "_2", "_3"...,
// since an element that repeats an attribute is not well-formed XML.
std::string UniqueName(const std::string& name, std::unordered_set<std::string>& used) {
  std::string unique = name;
  for (int n = 2; !used.insert(unique).second; ++n)
    unique = name + '_' + std::to_string(n);
  return unique;
}

}  // namespace

CsvLoadResult LoadCsvTable(std::istream& in, int syncColumn, CsvTable& table) {
  table = {};
  LineReader lines(in);
  std::string_view first;
  ReadStatus status = lines.Next(first);
  if (status == ReadStatus::End) return {CsvFault::NoColumns, 1};
  if (status != ReadStatus::Ok) return {CsvFault::ReadError, lines.LineNumber()};
  std::vector<std::string_view> names;
  SplitFields(first, names);
  if (names.size() > kMaxCsvColumns) return {CsvFault::TooManyColumns, 1};
  for (const std::string_view name : names)
    table.columns.emplace_back(TrimBlanks(name));
  if (table.columns.empty()) return {CsvFault::NoColumns, 1};
  if (syncColumn < 1 || static_cast<std::size_t>(syncColumn) > table.columns.size()) {
    return {CsvFault::BadSyncColumn, 1};
  }

  // The n-th row matching one label gets the names rowNames[n]: unique among the marker's
  // own attributes and those of the rows before it.
  std::unordered_set<std::string> used(std::begin(kMarkerAttributes), std::end(kMarkerAttributes));
  std::vector<std::vector<std::string>> rowNames;
  std::unordered_map<std::string, std::size_t> rowsOfLabel;

  FieldReader fields(lines);
  std::vector<std::string> record;
  Field field;
  while ((status = fields.Next(field)) == ReadStatus::Ok) {
    record.emplace_back(field.text);
    if (record.size() < table.columns.size()) continue;
    const std::string& label = record[static_cast<std::size_t>(syncColumn - 1)];
    const std::size_t row = rowsOfLabel[label]++;
    if (row == rowNames.size()) {
      auto& names = rowNames.emplace_back();
      for (const std::string& column : table.columns)
        names.push_back(UniqueName(AttributeName(column), used));
    }
    std::string& pieces = table.pieces[label];
    for (std::size_t i = 0; i < record.size(); ++i) {
      AppendXmlText(pieces, rowNames[row][i]);
      pieces += "=\"";
      AppendXmlText(pieces, record[i]);
      pieces += "\" ";
    }
    record.clear();
  }
  if (status != ReadStatus::End) return {CsvFault::ReadError, fields.LineNumber()};
  return {};
}

PassResult ConvertBnaToXml(std::istream& in, std::ostream& out, const BnaToXmlOptions& options,
                           const ProgressFn& progress, const ObjectNoteFn& note,
                           const LabelMissingFn& missing) {
  BnaObjectReader reader(in);
  LineWriter writer(out);
  writer.WriteLine(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)");
  writer.WriteLine("<markers>");
  BnaHeader header;
  long long count = 0;
  std::string line;

  for (;;) {
    ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return reader.Fault();
    double x = header.x, y = header.y;
    if (!header.singlePoint && reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
    ++count;
    if (progress && !progress(count, reader.BytesRead())) return PassResult::Stop();
    const std::string_view label1 = TrimBlanks(BnaLabelText(header.label1));
    const std::string_view label2 = TrimBlanks(BnaLabelText(header.label2));
    const std::string_view label = options.label == 2 ? label2 : label1;
    // A count of -1 passes the check as one vertex: it is written as the point it is.
    const bool point = header.count == 1 || header.count == -1;
    if (header.count == -1 && note) {
      note("Error in object  " + std::string(label1) + " " + std::string(label2));
    }

    line = "<marker ";
    AppendLatLng(line, x, y);
    line += " html=\"";
    AppendXmlText(line, label1);
    line += "&lt;br&gt;";
    AppendXmlText(line, label2);
    line += "\" label=\"";
    AppendXmlText(line, label);
    line += '"';
    if (options.csv) {
      const auto found = options.csv->pieces.find(std::string(label));
      if (found != options.csv->pieces.end()) {
        line += ' ';
        line += found->second;
      } else if (missing && !missing(label)) {
        return PassResult::Stop();
      }
    }
    line += " />";
    writer.WriteLine(line);
    if (point) continue;

    line = "<line colour=\"";
    AppendXmlText(line, options.lineColour);
    line += "\" width=\"";
    AppendXmlText(line, options.lineWidth);
    line += "\" label=\"";
    AppendXmlText(line, label);
    line += "\" > ";
    writer.WriteLine(line);
    WritePoint(writer, x, y);
    for (long long i = (header.count < 0 ? -header.count : header.count) - 1; i > 0; --i) {
      if (reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
      WritePoint(writer, x, y);
      ++count;
      if (count % kProgressInterval == 0 && progress && !progress(count, reader.BytesRead())) {
        return PassResult::Stop();
      }
    }
    writer.WriteLine("</line>");
  }
  writer.WriteLine("</markers>");
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult result;
  result.count = count;
  return result;
}

void BnaToXml(int /*index*/, RunState& state, Ui& ui) {
  std::optional<CommandFiles> opened;
  std::optional<XmlMarkersChoice> choice;
  if (!StartMarkupCommand(state, ui, {kXmlFilters, " Checking bna file ", 3}, opened, [&] {
        return (choice = Ask(ui, &BnaQuestions::XmlMarkers)).has_value();
      })) {
    return;
  }
  CommandFiles& files = *opened;
  CsvTable table;
  if (choice->CombineCsv && !LoadCsvFile(*choice, table, ui)) return;
  state.LabelChoice = choice->LabelChoice == 2 ? 2 : 1;

  BnaToXmlOptions options{state.LabelChoice, choice->LineColour, choice->LineWidth,
                          choice->CombineCsv ? &table : nullptr};
  const PassResult result = ConvertBnaToXml(
      files.input.Stream(), files.output.Stream(), options,
      CheckedFileProgress(ui, files.input.Size()),
      [&ui](std::string_view text) { ui.SetStatus(text); },
      [&ui](std::string_view label) {
        return ui.Message(label, "line not found", MessageIcon::Exclamation,
                          MessageButtons::OkCancel, MessageAnswer::Ok) == MessageAnswer::Ok;
      });
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetStatus("XML ready");
  if (auto* questions = QuestionsOf<BnaQuestions>(ui)) questions->ForgetXmlMarkers();
}

}  // namespace zolvane
