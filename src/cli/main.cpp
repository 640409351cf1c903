// zolvane-cli: the converters of the main window, for shells and scripts.
#include <iostream>

#include "cli/commands.h"

namespace zolvane::cli {

int Fail(const std::string& text) {
  std::cerr << "zolvane-cli: " << text << '\n';
  return 1;
}

int ConvertFile(const std::string& inputPath, const std::string& outputPath,
                const std::function<PassResult(InputFile&, std::ostream&)>& convert) {
  if (SameFile(inputPath, outputPath)) {
    return Fail("the output file must not be the input file: " + outputPath);
  }
  InputFile input(inputPath);
  if (!input.IsOpen()) return Fail("cannot open " + inputPath);
  OutputFile output(outputPath);
  if (!output.IsOpen()) return Fail("cannot write " + outputPath);
  const PassResult result = convert(input, output.Stream());
  if (result.status != PassStatus::Done)
    return Fail(FaultText(result.reason, result.line, inputPath));
  if (!output.Commit()) return Fail("cannot write " + outputPath);
  return 0;
}

}  // namespace zolvane::cli

int main(int argc, char** argv) {
  CLI::App app{"Zolvane 8.05 converters for marine geoscience text formats", "zolvane-cli"};
  app.require_subcommand(1);
  zolvane::cli::Action action;
  zolvane::cli::AddBnaCommands(app, action);
  zolvane::cli::AddGeoCommands(app, action);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return 2;
  }
  try {
    return action ? action() : 2;
  } catch (const std::exception& e) {
    return zolvane::cli::Fail(e.what());
  }
}
