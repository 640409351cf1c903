// Miramon VEC, MapGen and Kingdom Suite.
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "formats/csv_to_kingdom.h"
#include "formats/mapgen_to_bna.h"
#include "formats/miramon_vec.h"

namespace zolvane::cli {
namespace {

struct GisOptions {
  std::string input, output;
  // bna2vec
  std::string id = "both";
  std::string datum = "wgs84";
  int utmZone = 0;
  bool south = false;
  // csv2ks
  int shotColumn = 1, xColumn = 2, yColumn = 3;
  std::string lineName = "L-0";
};

void AddFiles(CLI::App* command, GisOptions& options, const char* in, const char* out) {
  command->add_option("IN", options.input, in)->required();
  command->add_option("OUT", options.output, out)->required();
}

int RunBnaToVec(const GisOptions& options) {
  BnaCheckResult check;
  Statistics statistics;
  const auto twoPass = TwoPassInput(options.input);
  if (!twoPass) return 1;
  if (!CheckBnaInput(*twoPass, check, statistics)) return 1;
  const std::string dvcPath = DvcPathOf(options.output);
  if (SameFile(dvcPath, options.output) || SameFile(dvcPath, options.input)) {
    return Fail("the VEC file needs a name of its own beside its DVC file: " + dvcPath);
  }
  VecLayerChoice choice;
  choice.Identifier = options.id == "label1" ? 1 : options.id == "label2" ? 2 : 3;
  choice.Ed50 = options.datum == "ed50";
  choice.Degrees = options.utmZone < 1;
  choice.South = options.south;
  choice.ZoneText = std::to_string(options.utmZone);
  DvcDescription dvc = DvcOf(choice);
  dvc.bounds = statistics;
  std::error_code error;
  dvc.source = std::filesystem::absolute(options.input, error).string();

  OutputFile dvcFile(dvcPath);
  if (!dvcFile.IsOpen()) return WriteFailure(dvcFile, dvcPath);
  ApplyOutputSettings(dvcFile.Stream());
  bool dvcWritten = false;
  const int status = ConvertFile(*twoPass, options.output, [&](InputFile& in, std::ostream& out) {
    const BnaToVecResult result = ConvertBnaToVec(in.Stream(), out, {choice.Identifier}, {});
    if (result.pass.status == PassStatus::Done) {
      dvc.objectType = result.objectType;
      dvcWritten = WriteDvc(dvcFile.Stream(), dvc);
    }
    return result.pass;
  });
  if (status != 0) return status;
  if (!dvcWritten || !dvcFile.Commit()) return WriteFailure(dvcFile, dvcPath);
  return 0;
}

int RunVecToBna(const GisOptions& options) {
  const std::string dvcPath = DvcPathOf(options.input);
  const DvcRead dvc = ReadDvcFile(dvcPath);
  if (!dvc.fault.empty()) return Fail(dvc.fault);
  if (SameFile(dvcPath, options.output)) {
    return Fail("the output file must not be the DVC file: " + dvcPath);
  }
  const std::string& objectType = dvc.objectType;
  const int status =
      ConvertFile(options.input, options.output, [&](InputFile& in, std::ostream& out) {
        return ConvertVecToBna(in.Stream(), out, objectType, {});
      });
  if (status != 0) return status;
  // What went to a device or standard output cannot be read back for the check.
  if (!std::filesystem::is_regular_file(OutputPath(options.output))) return 0;
  BnaCheckResult check;
  Statistics statistics;
  if (!CheckBnaInput(options.output, check, statistics)) return Fail("errors in bna file");
  return 0;
}

int RunMapgen(const GisOptions& options) {
  return ConvertFile(options.input, options.output, [](InputFile& in, std::ostream& out) {
    return ConvertMapgenToBna(in.Stream(), out, {});
  });
}

int RunKingdom(const GisOptions& options) {
  const KingdomOptions kingdom{options.shotColumn, options.xColumn, options.yColumn,
                               options.lineName};
  const std::string fault = KingdomColumnFault(kingdom);
  if (!fault.empty()) {
    std::cerr << "zolvane-cli: " << fault << '\n';
    return 2;
  }
  return ConvertFile(options.input, options.output, [&](InputFile& in, std::ostream& out) {
    return ConvertCsvToKingdom(in.Stream(), out, kingdom, {});
  });
}

}  // namespace

void AddGisCommands(CLI::App& app, Action& action) {
  auto options = std::make_shared<GisOptions>();

  CLI::App* toVec =
      app.add_subcommand("bna2vec", "Convert a BNA file to a Miramon VEC file and its DVC");
  toVec->add_option("--id", options->id, "Object identifier: label1, label2 or both")
      ->transform(Choice({"label1", "label2", "both"}))
      ->capture_default_str();
  toVec->add_option("--ellipsoid", options->datum, "wgs84 or ed50")
      ->transform(EllipsoidName())
      ->capture_default_str();
  CLI::Option* zone =
      toVec->add_option("--zone", options->utmZone, "The BNA is in UTM metres of this zone")
          ->check(CLI::Range(1, 60));
  CLI::Option* south =
      toVec->add_flag("--south", options->south, "UTM zone of the southern hemisphere");
  // The old spellings, unlisted, so that scripts go on working.
  toVec->add_option("--datum", options->datum)->transform(EllipsoidName())->group("");
  CLI::Option* oldZone =
      toVec->add_option("--utm-zone", options->utmZone)->check(CLI::Range(1, 60))->group("");
  AddFiles(toVec, *options, "BNA file", "VEC file to write (its DVC goes beside it)");
  toVec->callback([&action, options, zone, oldZone, south] {
    if (south->count() > 0 && zone->count() + oldZone->count() == 0)
      throw CLI::RequiresError("--south", "--zone");
    action = [options] { return RunBnaToVec(*options); };
  });

  CLI::App* toBna = app.add_subcommand(
      "vec2bna", "Convert a Miramon VEC file, with the DVC file beside it, to BNA");
  AddFiles(toBna, *options, "VEC file", "BNA file to write");
  toBna->callback([&action, options] { action = [options] { return RunVecToBna(*options); }; });

  CLI::App* mapgen =
      app.add_subcommand("mapgen2bna", "Convert MapGen coastline segments to BNA lines");
  AddFiles(mapgen, *options, "MapGen file", "BNA file to write");
  mapgen->callback([&action, options] { action = [options] { return RunMapgen(*options); }; });

  CLI::App* kingdom = app.add_subcommand(
      "csv2ks", "Convert comma-separated shot navigation to a Kingdom Suite navigation file");
  kingdom->add_option("--shot-column", options->shotColumn, "Column of the shot or CDP, 1 to 3")
      ->check(CLI::Range(1, 3))
      ->capture_default_str();
  kingdom->add_option("--x-column", options->xColumn, "Column of X, 1 to 3")
      ->check(CLI::Range(1, 3))
      ->capture_default_str();
  kingdom->add_option("--y-column", options->yColumn, "Column of Y, 1 to 3")
      ->check(CLI::Range(1, 3))
      ->capture_default_str();
  kingdom->add_option("--line-name", options->lineName, "Line name ending every line")
      ->capture_default_str();
  AddFiles(kingdom, *options, "CSV file of three columns", "Navigation file to write");
  kingdom->callback([&action, options] { action = [options] { return RunKingdom(*options); }; });
}

}  // namespace zolvane::cli
