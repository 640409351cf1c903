// check-bna and bna2xyz.
#include <iostream>

#include "cli/commands.h"
#include "core/number_format.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/bna_to_xyz.h"

namespace zolvane::cli {
namespace {

struct BnaOptions {
  std::string input, output;
  int label = 1;
  int layout = 11;
};

int RunCheck(const BnaOptions& options) {
  BnaCheckResult result;
  Statistics statistics;
  if (!CheckBnaInput(options.input, result, statistics)) return 1;
  std::cout << options.input << ": valid BNA\n"
            << "objects: " << result.objectCount << '\n'
            << "lines: " << result.lineCount << '\n'
            << "X min: " << FormatGeneral(statistics.XMin)
            << "  X Max: " << FormatGeneral(statistics.XMax) << '\n'
            << "Y min: " << FormatGeneral(statistics.YMin)
            << "  Y Max: " << FormatGeneral(statistics.YMax) << '\n';
  return 0;
}

int RunBnaToXyz(const BnaOptions& options, int threads) {
  const auto input = TwoPassInput(options.input);
  if (!input) return 1;
  BnaCheckResult check;
  Statistics statistics;
  if (!CheckBnaInput(*input, check, statistics, threads)) return 1;
  return ConvertFile(*input, options.output, [&](InputFile& in, std::ostream& out) {
    BnaToXyzOptions convert{options.label, options.layout, {}};
    convert.blocks.threads = threads;
    return ConvertBnaToXyz(in.Stream(), out, convert, {}).pass;
  });
}

}  // namespace

void AddBnaCommands(CLI::App& app, Action& action, const Settings& settings) {
  auto options = std::make_shared<BnaOptions>();

  CLI::App* check =
      app.add_subcommand("check-bna", "Validate a BNA file and print its counts and X/Y ranges");
  check->add_option("IN", options->input, "BNA file")->required();
  check->callback([&action, options] { action = [options] { return RunCheck(*options); }; });

  CLI::App* toXyz =
      app.add_subcommand("bna2xyz", "Convert a BNA file to a delimited X Y (Z) point file");
  toXyz->add_option("--label", options->label, "Label that gives Z: 1 or 2")
      ->check(CLI::IsMember({1, 2}))
      ->capture_default_str();
  toXyz
      ->add_option("--out-layout,--layout", options->layout,
                   std::string("Output layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
  toXyz->add_option("IN", options->input, "BNA file")->required();
  toXyz->add_option("OUT", options->output, "Point file to write")->required();
  toXyz->callback([&action, &settings, options] {
    action = [&settings, options] { return RunBnaToXyz(*options, settings.threads); };
  });
}

}  // namespace zolvane::cli
