// bna2kml, bna2xml and xml2kml.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/bna_to_xml.h"
#include "formats/bna/xml_to_kml.h"

namespace zolvane::cli {
namespace {

struct KmlOptions {
  std::string input, output;
  int label = 1;
  std::string symbol = "Circle";
  std::string symbolScale = "0.5";
  std::string pointColour = "0000ff";
  std::string lineColour = "00ff00";
  std::string lineWidth = "1";
  std::string polygonColour = "random";
  double transparency = 50;
  std::string folder, description, styleName;
  // bna2xml
  std::string xmlLineColour, xmlLineWidth, csv;
  int syncColumn = 0;
};

// "ff8000" as people type it, red first, into the chooser's form (red in the low byte).
std::uint32_t ChooserColour(const std::string& rrggbb) {
  const auto value = static_cast<std::uint32_t>(std::stoul(rrggbb, nullptr, 16));
  return ((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16);
}

CLI::Validator HexColour(bool randomToo) {
  return CLI::Validator(
      [randomToo](std::string& text) {
        if (randomToo && text == "random") return std::string();
        if (text.size() == 6 &&
            text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
          return std::string();
        }
        return "not a colour RRGGBB" + std::string(randomToo ? " or random" : "") + ": " + text;
      },
      randomToo ? "random|RRGGBB" : "RRGGBB");
}

void PrintNote(std::string_view text) {
  std::cerr << "zolvane-cli: " << text << '\n';
}

int RunBnaToKml(const KmlOptions& o, int threads) {
  BnaCheckResult check;
  Statistics statistics;
  const auto twoPass = TwoPassInput(o.input);
  if (!twoPass) return 1;
  if (!CheckBnaInput(*twoPass, check, statistics, threads)) return 1;
  BnaToKmlOptions options;
  KmlStyleChoice& style = options.style;
  style.LabelChoice = o.label;
  style.Symbol = o.symbol;
  style.SymbolScale = o.symbolScale;
  style.PointColour = ChooserColour(o.pointColour);
  style.LineColour = ChooserColour(o.lineColour);
  style.LineWidth = o.lineWidth;
  style.RandomPolygons = o.polygonColour == "random";
  if (!style.RandomPolygons) style.PolygonColour = ChooserColour(o.polygonColour);
  style.Transparency = o.transparency;
  style.FolderName = o.folder;
  style.Description = o.description;
  options.documentName = o.output;
  options.styleName = o.styleName.empty() ? KmlStyleNameNow() : o.styleName;
  return ConvertFile(*twoPass, o.output, [&](InputFile& in, std::ostream& out) {
    return ConvertBnaToKml(in.Stream(), out, options, {}, PrintNote, {threads});
  });
}

int RunBnaToXml(const KmlOptions& o) {
  BnaCheckResult check;
  Statistics statistics;
  const auto twoPass = TwoPassInput(o.input);
  if (!twoPass) return 1;
  if (!CheckBnaInput(*twoPass, check, statistics)) return 1;
  CsvTable table;
  if (!o.csv.empty()) {
    InputFile file(o.csv);
    if (!file.IsOpen()) return Fail("cannot open " + o.csv);
    const CsvLoadResult loaded = LoadCsvTable(file.Stream(), o.syncColumn, table);
    switch (loaded.fault) {
      case CsvFault::None:
        break;
      case CsvFault::NoColumns:
        return Fail("no column names in " + o.csv);
      case CsvFault::TooManyColumns:
        return Fail("more than " + std::to_string(kMaxCsvColumns) + " columns in " + o.csv);
      case CsvFault::BadSyncColumn:
        return Fail("--sync-column must be between 1 and " + std::to_string(table.columns.size()) +
                    " for " + o.csv);
      case CsvFault::ReadError:
        return Fail(FaultText("cannot read the CSV file", loaded.line, o.csv));
    }
  }
  BnaToXmlOptions options{o.label, o.xmlLineColour.empty() ? "" : "#" + o.xmlLineColour,
                          o.xmlLineWidth, o.csv.empty() ? nullptr : &table};
  for (char& c : options.lineColour)
    c = static_cast<char>(std::tolower(c));
  return ConvertFile(*twoPass, o.output, [&](InputFile& in, std::ostream& out) {
    return ConvertBnaToXml(in.Stream(), out, options, {}, PrintNote, [](std::string_view label) {
      PrintNote("line not found: " + std::string(label));
      return true;
    });
  });
}

int RunXmlToKml(const KmlOptions& o) {
  return ConvertFile(o.input, o.output, [&](InputFile& in, std::ostream& out) {
    return ConvertXmlToKml(in.Stream(), out, o.output, {});
  });
}

void AddFiles(CLI::App* command, KmlOptions& options, const char* in, const char* out) {
  command->add_option("IN", options.input, in)->required();
  command->add_option("OUT", options.output, out)->required();
}

CLI::Option* AddLabel(CLI::App* command, KmlOptions& options, const char* what) {
  return command->add_option("--label", options.label, what)
      ->check(CLI::IsMember({1, 2}))
      ->capture_default_str();
}

}  // namespace

void AddKmlCommands(CLI::App& app, Action& action, const Settings& settings) {
  auto options = std::make_shared<KmlOptions>();

  CLI::App* kml = app.add_subcommand("bna2kml", "Convert a geographic WGS84 BNA file to KML");
  AddLabel(kml, *options, "Label that names the placemarks: 1 or 2");
  kml->add_option("--symbol", options->symbol, "Point icon")
      ->transform(Choice(KmlSymbolNames()))
      ->capture_default_str();
  kml->add_option("--symbol-scale", options->symbolScale, "Point icon scale")
      ->capture_default_str();
  kml->add_option("--point-colour", options->pointColour, "Point colour, red-green-blue hex")
      ->check(HexColour(false))
      ->capture_default_str();
  kml->add_option("--line-colour", options->lineColour, "Line colour, red-green-blue hex")
      ->check(HexColour(false))
      ->capture_default_str();
  kml->add_option("--line-width", options->lineWidth, "Line width")->capture_default_str();
  kml->add_option("--polygon-colour", options->polygonColour,
                  "Polygon colour: random or red-green-blue hex")
      ->check(HexColour(true))
      ->capture_default_str();
  kml->add_option("--transparency", options->transparency, "Polygon transparency in percent")
      ->check(CLI::Range(0.0, 100.0))
      ->capture_default_str();
  kml->add_option("--folder", options->folder, "Folder name");
  kml->add_option("--description", options->description, "Document description");
  kml->add_option("--style-name", options->styleName,
                  "Style name (default: seconds since midnight followed by _map)");
  AddFiles(kml, *options, "BNA file", "KML file to write");
  kml->callback([&action, &settings, options] {
    action = [&settings, options] { return RunBnaToKml(*options, settings.threads); };
  });

  CLI::App* xml = app.add_subcommand("bna2xml", "Convert a BNA file to XML markers for web maps");
  AddLabel(xml, *options, "Label of the markers: 1 or 2");
  xml->add_option("--line-colour", options->xmlLineColour, "Line colour, red-green-blue hex")
      ->check(HexColour(false));
  xml->add_option("--line-width", options->xmlLineWidth, "Line width");
  CLI::Option* sync = xml->add_option("--sync-column", options->syncColumn,
                                      "CSV column (from 1) matched against the marker label")
                          ->check(CLI::PositiveNumber);
  xml->add_option("--csv", options->csv, "CSV table whose matching rows enrich the markers")
      ->needs(sync);
  AddFiles(xml, *options, "BNA file", "XML file to write");
  xml->callback([&action, options] { action = [options] { return RunBnaToXml(*options); }; });

  CLI::App* back = app.add_subcommand("xml2kml", "Convert XML markers to KML");
  AddFiles(back, *options, "XML marker file", "KML file to write");
  back->callback([&action, options] { action = [options] { return RunXmlToKml(*options); }; });
}

}  // namespace zolvane::cli
