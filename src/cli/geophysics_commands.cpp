// Swath coverage, towed vehicle, IGRF.
#include <cmath>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "core/number_format.h"
#include "core/xyz_layout.h"
#include "survey/igrf.h"
#include "survey/swath_coverage.h"
#include "survey/towed_vehicle.h"

namespace zolvane::cli {
namespace {

struct GeophysicsOptions {
  std::string input, output;
  int inLayout = 11;
  int outLayout = 11;
  // swath
  double constant = 0, coefficient = 0;
  bool metres = false;
  // towed
  double layback = 0;
  bool laybackFromFile = false;
  double maxStep = 10000;
  // igrf
  double latitude = 0, longitude = 0, year = 2005, month = 1;
  std::string model = "igrf2005";
};

int Usage(const std::string& text) {
  std::cerr << "zolvane-cli: " << text << '\n';
  return 2;
}

void AddFiles(CLI::App* command, GeophysicsOptions& options, const char* kind) {
  command->add_option("IN", options.input, std::string(kind) + " file to read")->required();
  command->add_option("OUT", options.output, "File to write")->required();
}

CLI::Option* AddInLayout(CLI::App* command, GeophysicsOptions& options) {
  return command
      ->add_option("--in-layout", options.inLayout, std::string("Input layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
}

void AddDate(CLI::App* command, GeophysicsOptions& options) {
  command->add_option("--month", options.month, "Month, 1 to 12 (the date is year + month / 12)")
      ->capture_default_str();
  command->add_option("--model", options.model, "igrf2005 or igrf14")
      ->transform(Choice({"igrf2005", "igrf14"}))
      ->capture_default_str();
}

IgrfModel ModelNamed(const std::string& name) {
  return name == "igrf14" ? IgrfModel::Igrf14 : IgrfModel::Igrf2005;
}

int RunSwath(const GeophysicsOptions& options, bool coefficient) {
  if (coefficient && !XyzLayout::FromCode(options.inLayout).HasZ()) {
    std::cerr << "zolvane-cli: warning: the input has no Z column, so every polygon has zero "
                 "width\n";
  }
  const SwathOptions swath{
      options.inLayout, coefficient,
      SwathFactor(coefficient ? options.coefficient : options.constant, !options.metres)};
  return ConvertFile(options.input, options.output, [&](InputFile& in, std::ostream& out) {
    return CoverSwath(in.Stream(), out, swath, {});
  });
}

int RunTowed(const GeophysicsOptions& options) {
  if (!options.laybackFromFile && !(options.layback > 0)) {
    return Usage("--layback must be a positive distance in metres");
  }
  const TowedOptions towed{options.laybackFromFile ? 0.0f : static_cast<float>(options.layback),
                           static_cast<float>(options.maxStep)};
  return ConvertFile(options.input, options.output, [&](InputFile& in, std::ostream& out) {
    return CorrectTowedPositions(in.Stream(), out, towed, {});
  });
}

bool CheckDate(IgrfModel model, double date) {
  if (IgrfDateCovered(model, date)) return true;
  std::cerr << "zolvane-cli: the date " << FormatGeneral(date)
            << " is outside the model's years (1900-2030)\n";
  return false;
}

int RunIgrf(const GeophysicsOptions& options) {
  const IgrfModel model = ModelNamed(options.model);
  const double date = SurveyDate(options.year, options.month);
  if (!CheckDate(model, date)) return 2;
  const double field = ModelTotalField(model, options.latitude, options.longitude, date);
  std::cout << FormatGeneral(std::round(field * 10) / 10) << '\n';
  return 0;
}

int RunAnomaly(const GeophysicsOptions& options, int threads) {
  if (!XyzLayout::FromCode(options.inLayout).HasZ()) {
    return Usage("the input layout must have a Z column holding the total field");
  }
  AnomalyOptions anomaly;
  anomaly.inputFormatCode = options.inLayout;
  anomaly.outputFormatCode = options.outLayout;
  anomaly.model = ModelNamed(options.model);
  anomaly.date = SurveyDate(options.year, options.month);
  anomaly.blocks.threads = threads;
  if (!CheckDate(anomaly.model, anomaly.date)) return 2;
  return ConvertFile(options.input, options.output, [&](InputFile& in, std::ostream& out) {
    return ComputeAnomalies(in.Stream(), out, anomaly, {});
  });
}

}  // namespace

void AddGeophysicsCommands(CLI::App& app, Action& action, const Settings& settings) {
  auto options = std::make_shared<GeophysicsOptions>();

  CLI::App* swath =
      app.add_subcommand("swath", "BNA polygons of the ground a swath covers along a track");
  auto* constant =
      swath->add_option("--constant", options->constant, "Constant swath width, metres");
  auto* coefficient =
      swath->add_option("--coefficient", options->coefficient, "Swath width = depth x value");
  constant->excludes(coefficient);
  swath->add_flag("--metres", options->metres, "Coordinates in metres (default: degrees)");
  AddInLayout(swath, *options);
  AddFiles(swath, *options, "Track point");
  swath->callback([&action, options, constant, coefficient] {
    if (constant->count() == 0 && coefficient->count() == 0) {
      action = [] { return Usage("swath needs --constant or --coefficient"); };
      return;
    }
    const bool byDepth = coefficient->count() > 0;
    action = [options, byDepth] { return RunSwath(*options, byDepth); };
  });

  CLI::App* towed = app.add_subcommand(
      "towed", "Positions of a towed vehicle behind the ship (records X, Y, layback, label)");
  auto* layback = towed->add_option("--layback", options->layback, "Constant layback, metres");
  auto* fromFile = towed->add_flag("--layback-from-file", options->laybackFromFile,
                                   "Take each record's own layback");
  layback->excludes(fromFile);
  towed->add_option("--max-step", options->maxStep, "Largest step between fixes, metres")
      ->capture_default_str();
  AddFiles(towed, *options, "Ship position");
  towed->callback([&action, options, layback, fromFile] {
    if (layback->count() == 0 && fromFile->count() == 0) {
      action = [] { return Usage("towed needs --layback or --layback-from-file"); };
      return;
    }
    action = [options] { return RunTowed(*options); };
  });

  CLI::App* igrf = app.add_subcommand("igrf", "Print the IGRF total field (nT) at sea level");
  igrf->add_option("--lat", options->latitude, "Latitude, degrees")->required();
  igrf->add_option("--lon", options->longitude, "Longitude, degrees east")->required();
  igrf->add_option("--year", options->year, "Year")->required();
  AddDate(igrf, *options);
  igrf->callback([&action, options] { action = [options] { return RunIgrf(*options); }; });

  CLI::App* anomaly = app.add_subcommand(
      "igrf-anomaly", "Magnetic anomaly: measured total field (Z) minus the IGRF, per point");
  anomaly->add_option("--year", options->year, "Year of the survey")->capture_default_str();
  AddDate(anomaly, *options);
  AddInLayout(anomaly, *options);
  anomaly
      ->add_option("--out-layout", options->outLayout, std::string("Output layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
  AddFiles(anomaly, *options, "Point");
  anomaly->callback([&action, &settings, options] {
    action = [&settings, options] { return RunAnomaly(*options, settings.threads); };
  });
}

}  // namespace zolvane::cli
