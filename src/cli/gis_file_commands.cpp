// bna2gis, gis2bna and xyz2gis: GIS vector files through GDAL.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/helper_programs.h"
#include "cli/progress.h"
#include "crs/crs.h"
#include "gis/gis_files.h"

namespace zolvane::cli {
namespace {

struct GisFileArguments {
  std::string input, output;
  std::string format, crs, layer;
  std::string label1, label2, to;
  int inLayout = 11;
};

// An unknown system ends the run as reproject's does: exit 2 and how to search.
bool KnownCrs(const std::string& crs, int& status) {
  if (crs.empty()) return true;
  std::string message;
  if (!CrsWkt(crs, message).empty()) return true;
  std::cerr << "zolvane-cli: " << message << '\n' << kSearchCrsHint << '\n';
  status = 2;
  return false;
}

// The output options of bna2gis and xyz2gis; false, with the status set, when they are wrong.
bool OutputOptions(const GisFileArguments& arguments, GisOutputOptions& options, int& status) {
  status = 1;
  if (arguments.output == "-") {
    Fail("a GIS file is written by name: standard output cannot take it");
    return false;
  }
  options.driver = GisDriverFor(arguments.output, arguments.format);
  if (options.driver.empty()) {
    Fail("no GIS format for " + arguments.output +
         ": give it an extension (.gpkg, .shp, .geojson, .fgb, .gml, .kml, .csv) or --format");
    return false;
  }
  if (!KnownCrs(arguments.crs, status)) return false;
  options.crs = arguments.crs;
  options.layer = arguments.layer;
  return true;
}

// Reports the end of a pass into a GIS file: a fault of the output names the output.
int Report(const PassResult& result, const InputName& input) {
  if (result.status != PassStatus::Done) {
    return Fail(result.outputFault ? result.reason
                                   : FaultText(result.reason, result.line, input.name));
  }
  if (!result.note.empty()) std::cerr << "zolvane-cli: " << result.note << '\n';
  return 0;
}

int RunBnaToGis(const GisFileArguments& arguments) {
  GisOutputOptions options;
  int status = 1;
  if (!OutputOptions(arguments, options, status)) return status;
  const auto input = TwoPassInput(arguments.input);
  if (!input) return 1;
  BnaCheckResult check;
  Statistics statistics;
  if (!CheckBnaInput(*input, check, statistics)) return 1;
  InputFile in(input->path);
  if (!in.IsOpen()) return Fail("cannot open " + input->name);
  PassResult result;
  {
    ProgressReader progress(in.Stream(), in.Size());
    result = BnaToGis(in.Stream(), arguments.output, options, {});
  }
  return Report(result, *input);
}

int RunXyzToGis(const GisFileArguments& arguments) {
  GisOutputOptions options;
  int status = 1;
  if (!OutputOptions(arguments, options, status)) return status;
  const InputName input(arguments.input);
  InputFile in(input.path);
  if (!in.IsOpen()) return Fail("cannot open " + input.name);
  XyzPassResult result;
  {
    ProgressReader progress(in.Stream(), in.Size());
    result = XyzToGis(in.Stream(), arguments.inLayout, arguments.output, options, {});
  }
  const int reported = Report(result.pass, input);
  if (reported == 0 && result.partialLine > 0) {
    std::cerr << "zolvane-cli: " << PartialPointText(result.partialLine, input.name) << '\n';
  }
  return reported;
}

int RunGisToBna(const GisFileArguments& arguments) {
  int status = 1;
  if (!KnownCrs(arguments.to, status)) return status;
  const InputName input(arguments.input);
  const std::string outputPath = OutputPath(arguments.output);
  if (SameFile(input.path, outputPath)) {
    return Fail("the output file must not be the input file: " + arguments.output);
  }
  OutputFile output(outputPath);
  if (!output.IsOpen()) return WriteFailure(output, arguments.output);
  GisToBnaOptions options;
  options.layer = arguments.layer;
  options.label1 = arguments.label1;
  options.label2 = arguments.label2;
  options.to = arguments.to;
  const PassResult result = GisToBna(input.path, output.Stream(), options, {});
  if (result.status != PassStatus::Done && !result.outputFault) {
    return Fail(FaultText(result.reason, result.line, input.name));
  }
  if (!output.Commit()) return WriteFailure(output, arguments.output);
  if (!result.note.empty()) {
    std::cerr << "zolvane-cli: " << FaultText(result.note, 0, input.name) << '\n';
  }
  return 0;
}

std::string FormatHelp() {
  std::string help = "GDAL driver or format name; by default the output's extension tells (";
  bool first = true;
  for (const GisFormat& format : kGisFormats) {
    help += (first ? "." : ", .") + std::string(format.extension);
    first = false;
  }
  return help + ")";
}

}  // namespace

void AddGisFileCommands(CLI::App& app, Action& action, const Settings&) {
  auto arguments = std::make_shared<GisFileArguments>();
  const char* crsHelp =
      "Coordinate reference system written: EPSG:23031, a name, a PROJ string "
      "or WKT (see crs); none by default";

  CLI::App* bna2gis = app.add_subcommand("bna2gis", std::string(HelperSummary("bna2gis")));
  bna2gis->add_option("--format", arguments->format, FormatHelp());
  bna2gis->add_option("--crs", arguments->crs, crsHelp);
  bna2gis->add_option("--layer", arguments->layer,
                      "Layer name; the output's name by default. Shapefile: NAME_points, "
                      "NAME_lines, NAME_polygons");
  bna2gis->add_option("IN", arguments->input, "BNA file to read")->required();
  bna2gis->add_option("OUT", arguments->output, "GIS file to write")->required();
  bna2gis->callback(
      [&action, arguments] { action = [arguments] { return RunBnaToGis(*arguments); }; });

  CLI::App* xyz2gis = app.add_subcommand("xyz2gis", std::string(HelperSummary("xyz2gis")));
  xyz2gis
      ->add_option("--in-layout", arguments->inLayout, std::string("Input layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
  xyz2gis->add_option("--format", arguments->format, FormatHelp());
  xyz2gis->add_option("--crs", arguments->crs, crsHelp);
  xyz2gis->add_option("--layer", arguments->layer, "Layer name; the output's name by default");
  xyz2gis->add_option("IN", arguments->input, "Point file to read")->required();
  xyz2gis->add_option("OUT", arguments->output, "GIS file to write")->required();
  xyz2gis->callback(
      [&action, arguments] { action = [arguments] { return RunXyzToGis(*arguments); }; });

  CLI::App* gis2bna = app.add_subcommand("gis2bna", std::string(HelperSummary("gis2bna")));
  gis2bna->add_option("--layer", arguments->layer, "Only this layer; every layer by default");
  gis2bna->add_option("--label1", arguments->label1,
                      "Field of label 1; by default label1, else the first text field");
  gis2bna->add_option("--label2", arguments->label2,
                      "Field of label 2; by default label2, else the next text field");
  gis2bna->add_option("--to", arguments->to,
                      "Reproject to this coordinate reference system (see crs)");
  gis2bna->add_option("IN", arguments->input, "GIS file (or Shapefile folder) to read")->required();
  gis2bna->add_option("OUT", arguments->output, "BNA file to write")->required();
  gis2bna->callback(
      [&action, arguments] { action = [arguments] { return RunGisToBna(*arguments); }; });
}

}  // namespace zolvane::cli
