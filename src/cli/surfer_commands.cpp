// Surfer grids, palettes and column extraction.
#include <iostream>
#include <memory>
#include <vector>

#include "cli/commands.h"
#include "core/numbers.h"
#include "formats/column_extraction.h"
#include "formats/palettes.h"
#include "formats/surfer_grids.h"

namespace zolvane::cli {
namespace {

struct SurferOptions {
  std::string input, output;
  double null = -9999;
  int every = 1;
  std::vector<int> columns;
  bool lines = false;
  bool bna = false;
};

void AddFiles(CLI::App* command, SurferOptions& options, const char* input, const char* output) {
  command->add_option("IN", options.input, input)->required();
  command->add_option("OUT", options.output, output)->required();
}

int Usage(const std::string& text) {
  std::cerr << "zolvane-cli: " << text << '\n';
  return 2;
}

int RunExtract(const SurferOptions& options) {
  ColumnExtractionOptions extraction;
  extraction.every = options.every;
  if (options.columns.empty() && !options.lines && !options.bna) {
    return Usage("extract needs one of --columns, --lines or --bna");
  }
  if (options.every < 1) return Usage("--every must be 1 or more");
  if (options.bna && options.every < 2)
    return Usage("No Extraction: --bna needs --every 2 or more");
  if (!options.columns.empty()) {
    extraction.mode = 1;
    extraction.xColumn = options.columns[0];
    extraction.yColumn = options.columns[1];
    extraction.zColumn = options.columns.size() > 2 ? options.columns[2] : 0;
    if (extraction.xColumn < 1 || extraction.yColumn < 1 || extraction.zColumn < 0) {
      return Usage("column not defined: X and Y must be 1 or more, Z 0 or more");
    }
  } else {
    extraction.mode = 2;
  }
  // The output is appended to: what it holds goes first into the new file.
  return ConvertFile(options.input, options.output, [&](InputFile& in, std::ostream& out) {
    if (!CopyExistingFile(options.output, out)) {
      return PassResult::Fail("The output file to append to could not be read", 0);
    }
    if (options.bna) return ThinBnaLines(in.Stream(), out, options.every, {});
    Statistics statistics;
    return ExtractColumns(in.Stream(), out, extraction, statistics, {}).pass;
  });
}

}  // namespace

void AddSurferCommands(CLI::App& app, Action& action) {
  auto options = std::make_shared<SurferOptions>();

  CLI::App* genesis = app.add_subcommand(
      "surfer2genesis", "Write a Surfer ASCII grid as Genesis II text (whole values from 0 up)");
  genesis->add_option("--null", options->null, "Value written for blank nodes, rounded down")
      ->capture_default_str();
  AddFiles(genesis, *options, "Surfer ASCII grid (DSAA)", "Genesis II text file");
  genesis->callback([&action, options] {
    action = [options] {
      GenesisOptions genesisOptions;
      genesisOptions.substitute = Int(options->null);
      // The grid is read twice: a pipe is spooled first.
      const auto input = TwoPassInput(options->input);
      if (!input) return 1;
      return ConvertFile(*input, options->output, [&](InputFile& in, std::ostream& out) {
        return SurferGridToGenesisText(in.Stream(), out, genesisOptions, {}).pass;
      });
    };
  });

  struct Palette {
    const char* name;
    const char* help;
    const char* output;
    PassResult (*convert)(std::istream&, std::ostream&);
  };
  for (const Palette& p :
       {Palette{"invert-clr", "Reverse the colour order of a Surfer spectrum (.clr)",
                "Surfer spectrum to write", &InvertSpectrum},
        Palette{"clr2p25", "Spread a Surfer spectrum over a 256-colour Miramon palette",
                "Miramon palette (.p25) to write", &SpectrumToP25}}) {
    CLI::App* command = app.add_subcommand(p.name, p.help);
    AddFiles(command, *options, "Surfer spectrum (.clr)", p.output);
    const auto convert = p.convert;
    command->callback([&action, options, convert] {
      action = [options, convert] {
        return ConvertFile(options->input, options->output, [&](InputFile& in, std::ostream& out) {
          return convert(in.Stream(), out);
        });
      };
    });
  }

  CLI::App* extract = app.add_subcommand(
      "extract",
      "Keep one line in N of a comma file (whole or some columns) or one BNA point in N; "
      "appends to OUT");
  extract->add_option("--every", options->every, "Keep one line or point in N")->required();
  CLI::Option* columns =
      extract->add_option("--columns", options->columns, "X,Y[,Z]: field numbers to write")
          ->delimiter(',')
          ->expected(2, 3);
  CLI::Option* lines =
      extract->add_flag("--whole-lines", options->lines, "Write the kept lines whole");
  CLI::Option* bna = extract->add_flag("--bna", options->bna, "Thin the points of a BNA file");
  // The old spelling, unlisted: xyz2bna's --lines means something else.
  CLI::Option* oldLines = extract->add_flag("--lines", options->lines)->group("");
  columns->excludes(lines, bna);
  lines->excludes(bna);
  oldLines->excludes(columns, bna);
  AddFiles(extract, *options, "Comma-separated or BNA file", "File to append to");
  extract->callback([&action, options] { action = [options] { return RunExtract(*options); }; });
}

}  // namespace zolvane::cli
