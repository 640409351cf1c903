// reproject and crs: any coordinate reference system PROJ knows.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/helper_programs.h"
#include "crs/crs.h"
#include "crs/reproject.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane::cli {
namespace {

struct ReprojectArguments {
  std::string from, to, input, output;
  int inLayout = 11;
  int outLayout = 11;
  bool bna = false;
  bool verbose = false;
};

std::string AccuracyText(double accuracy) {
  if (accuracy < 0) return "accuracy unknown";
  std::string text = std::to_string(accuracy);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return "accuracy " + text + " m";
}

// The operation on standard error when asked for, and always when its accuracy is unknown:
// a change of ellipsoid without a datum shift can be off by hundreds of metres.
void ReportOperation(const CrsOperation& operation, bool verbose) {
  const bool doubtful = operation.ballpark || operation.accuracy < 0;
  if (!verbose && !doubtful) return;
  std::cerr << "zolvane-cli: " << (doubtful && operation.ballpark ? "warning: " : "")
            << "operation " << operation.name << ", " << AccuracyText(operation.accuracy);
  if (operation.ballpark) std::cerr << " (no datum shift known: a ballpark transformation)";
  std::cerr << '\n';
  if (const std::string note = MissingGridNote(operation); !note.empty()) {
    std::cerr << "zolvane-cli: " << note << '\n';
  }
}

int RunReproject(const ReprojectArguments& arguments, int threads) {
  CrsFault fault = CrsFault::None;
  std::string message;
  const auto transform = CrsTransform::Create(arguments.from, arguments.to, fault, message);
  if (!transform) {
    std::cerr << "zolvane-cli: " << message << '\n';
    if (fault == CrsFault::UnknownCrs) {
      std::cerr << kSearchCrsHint << '\n';
      return 2;
    }
    return 1;
  }
  ReportOperation(transform->Operation(), arguments.verbose);
  const int decimals = Outputs().precision >= 0 ? Outputs().precision : DefaultDecimals(*transform);

  if (arguments.bna) {
    const auto input = TwoPassInput(arguments.input);
    if (!input) return 1;
    BnaCheckResult check;
    Statistics statistics;
    if (!CheckBnaInput(*input, check, statistics)) return 1;
    return ConvertFile(*input, arguments.output, [&](InputFile& in, std::ostream& out) {
      return ReprojectBna(in.Stream(), out, *transform, decimals, {});
    });
  }
  ReprojectOptions options;
  options.inputFormatCode = arguments.inLayout;
  options.outputFormatCode = arguments.outLayout;
  options.decimals = decimals;
  options.blocks.threads = threads;
  XyzPassResult result;
  const int status =
      ConvertFile(arguments.input, arguments.output, [&](InputFile& in, std::ostream& out) {
        result = ReprojectXyz(in.Stream(), out, *transform, options, {});
        return result.pass;
      });
  if (status == 0 && result.partialLine > 0) {
    std::cerr << "zolvane-cli: " << PartialPointText(result.partialLine, arguments.input) << '\n';
  }
  return status;
}

int RunCrs(const std::string& query) {
  const std::vector<CrsEntry> found = FindCrs(query);
  if (found.empty()) {
    std::cerr << "zolvane-cli: no coordinate reference system matches " << query << '\n';
    return 1;
  }
  for (const CrsEntry& entry : found)
    std::cout << entry.code << '\t' << entry.name << '\t' << entry.area << '\n';
  return 0;
}

}  // namespace

void AddCrsCommands(CLI::App& app, Action& action, const Settings& settings) {
  auto arguments = std::make_shared<ReprojectArguments>();
  CLI::App* reproject = app.add_subcommand("reproject", std::string(HelperSummary("reproject")));
  reproject
      ->add_option("--from", arguments->from,
                   "Source system: EPSG:23031, a name, a PROJ string or WKT (see crs)")
      ->required();
  reproject->add_option("--to", arguments->to, "Target system, in the same forms")->required();
  reproject
      ->add_option("--in-layout", arguments->inLayout, std::string("Input layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
  reproject
      ->add_option("--out-layout", arguments->outLayout,
                   std::string("Output layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
  reproject->add_flag("--bna", arguments->bna, "The input is a BNA file, written back as BNA");
  AddPrecisionOption(*reproject, "Decimals written; 8 for degrees and 3 for metres by default");
  reproject->add_flag("--verbose", arguments->verbose,
                      "Print the operation used and its accuracy on standard error");
  reproject->add_option("IN", arguments->input, "Point or BNA file to read")->required();
  reproject->add_option("OUT", arguments->output, "Point or BNA file to write")->required();
  reproject->callback([&action, &settings, arguments] {
    action = [&settings, arguments] { return RunReproject(*arguments, settings.threads); };
  });

  auto query = std::make_shared<std::string>();
  CLI::App* crs = app.add_subcommand("crs", std::string(HelperSummary("crs")));
  crs->add_option("QUERY", *query, "Words of the code or name, such as \"ETRS89 UTM 30N\"")
      ->required();
  crs->callback([&action, query] { action = [query] { return RunCrs(*query); }; });
}

}  // namespace zolvane::cli
