// What the subcommands share: reports, the file pair of a conversion, option checks.
#include <iostream>

#include "cli/commands.h"
#include "core/xyz_layout.h"

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

CLI::Validator LayoutCode() {
  return CLI::Validator(
      [](std::string& text) {
        try {
          std::size_t used = 0;
          const int code = std::stoi(text, &used);
          if (used == text.size() && XyzLayout::FromCode(code).valid) return std::string();
        } catch (const std::exception&) {
        }
        return "not a layout code (11-14, 21-24, 31-34): " + text;
      },
      "LAYOUT");
}

bool CheckBnaInput(const std::string& path, BnaCheckResult& result, Statistics& statistics) {
  InputFile input(path);
  if (!input.IsOpen()) {
    Fail("cannot open " + path);
    return false;
  }
  result = CheckBna(input.Stream(), statistics, {});
  if (result.fault != BnaFault::None) {
    Fail(DescribeBnaFault(result, path));
    return false;
  }
  return true;
}

}  // namespace zolvane::cli
