// Survey-plan, Geosail and Bridge exports.
#include "cli/commands.h"
#include "formats/bna/bna_to_asciiplan.h"
#include "formats/bna/bna_to_bridge.h"
#include "formats/bna/bna_to_geosail.h"
#include "formats/bna/bna_to_hypack.h"
#include "formats/bna/bna_to_merlin.h"

namespace zolvane::cli {
namespace {

struct PlanOptions {
  std::string input, output;
  int label = 1;
  std::string planName{kDefaultMerlinPlanName};
};

// A pass over a checked BNA file, given the object count the check found.
using PlanPass = std::function<PassResult(std::istream&, std::ostream&, long long objectCount)>;

int RunPlan(const PlanOptions& options, const PlanPass& pass) {
  BnaCheckResult check;
  Statistics statistics;
  const auto twoPass = TwoPassInput(options.input);
  if (!twoPass) return 1;
  if (!CheckBnaInput(*twoPass, check, statistics)) return 1;
  return ConvertFile(*twoPass, options.output, [&](InputFile& in, std::ostream& out) {
    return pass(in.Stream(), out, check.objectCount);
  });
}

CLI::App* AddPlanCommand(CLI::App& app, Action& action, const char* name, const char* summary,
                         const char* outputHelp, const std::shared_ptr<PlanOptions>& options,
                         PlanPass pass) {
  CLI::App* command = app.add_subcommand(name, summary);
  command->add_option("IN", options->input, "BNA file")->required();
  command->add_option("OUT", options->output, outputHelp)->required();
  command->callback(
      [&action, options, pass] { action = [options, pass] { return RunPlan(*options, pass); }; });
  return command;
}

void AddLabelOption(CLI::App* command, PlanOptions& options) {
  command->add_option("--label", options.label, "Label that names each object: 1 or 2")
      ->required()
      ->check(CLI::IsMember({1, 2}));
}

}  // namespace

void AddPlanCommands(CLI::App& app, Action& action) {
  auto options = std::make_shared<PlanOptions>();
  PlanOptions& o = *options;

  AddLabelOption(
      AddPlanCommand(app, action, "bna2hypack", "Convert BNA lines to a HYPACK line file (LNW)",
                     "LNW file to write", options,
                     [&o](std::istream& in, std::ostream& out, long long objects) {
                       return ConvertBnaToHypack(in, out, {o.label, objects}, {});
                     }),
      o);

  AddPlanCommand(app, action, "bna2merlin", "Convert BNA lines to a Simrad Merlin planning file",
                 "Planning file to write", options,
                 [&o](std::istream& in, std::ostream& out, long long) {
                   return ConvertBnaToMerlin(in, out, {o.planName}, {});
                 })
      ->add_option("--plan-name", o.planName, "Plan name written on the second line")
      ->capture_default_str();

  AddPlanCommand(app, action, "bna2asciiplan", "Convert a BNA file to a Simrad SIS asciiplan",
                 "Asciiplan file to write", options,
                 [](std::istream& in, std::ostream& out, long long) {
                   return ConvertBnaToAsciiplan(in, out, {});
                 });

  AddLabelOption(
      AddPlanCommand(app, action, "bna2geosail", "Convert BNA points and lines to Geosail targets",
                     "Geosail target file to write", options,
                     [&o](std::istream& in, std::ostream& out, long long) {
                       return ConvertBnaToGeosail(in, out, o.label, {});
                     }),
      o);

  AddLabelOption(
      AddPlanCommand(app, action, "bna2bridge",
                     "Convert a BNA file to a Bridge plan in degrees and decimal minutes",
                     "Bridge plan to write", options,
                     [&o](std::istream& in, std::ostream& out, long long) {
                       return ConvertBnaToBridgePlan(in, out, o.label, {});
                     }),
      o);
}

}  // namespace zolvane::cli
