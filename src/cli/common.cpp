// What the subcommands share: reports, the file pair of a conversion, option checks.
#include <iostream>

#include "cli/commands.h"
#include "cli/progress.h"
#include "core/text_writer.h"
#include "core/xyz_layout.h"

namespace zolvane::cli {

OutputSettings& Outputs() {
  static OutputSettings settings;
  return settings;
}

void ApplyOutputSettings(std::ostream& out) {
  if (Outputs().lf) EndLinesWithLf(out);
}

int Fail(const std::string& text) {
  std::cerr << "zolvane-cli: " << text << '\n';
  return 1;
}

InputName::InputName(const std::string& given)
    : name(given == "-" ? "standard input" : given), path(given == "-" ? "/dev/stdin" : given) {}

std::optional<InputName> TwoPassInput(const std::string& given) {
  InputName input(given);
  if (ReadsOnce(input.path)) {
    std::string error;
    input.copy = InputCopy::Make(input.path, error);
    if (!input.copy) {
      Fail(error);
      return std::nullopt;
    }
    input.path = input.copy->Path();
  }
  return input;
}

std::string OutputPath(const std::string& given) {
  return given == "-" ? "/dev/stdout" : given;
}

int WriteFailure(const OutputFile& output, const std::string& outputName) {
  std::string text = "cannot write " + (outputName == "-" ? "standard output" : outputName);
  if (!output.Fault().empty()) text += ": " + output.Fault();
  if (output.WritesInPlace()) text += " (written in place: its old content is lost)";
  return Fail(text);
}

int ConvertFile(const InputName& input, const std::string& outputName,
                const std::function<PassResult(InputFile&, std::ostream&)>& convert) {
  const std::string outputPath = OutputPath(outputName);
  if (SameFile(input.path, outputPath)) {
    return Fail("the output file must not be the input file: " + outputName);
  }
  InputFile in(input.path);
  if (!in.IsOpen()) return Fail("cannot open " + input.name);
  OutputFile output(outputPath);
  if (!output.IsOpen()) return WriteFailure(output, outputName);
  ApplyOutputSettings(output.Stream());
  PassResult result;
  {
    ProgressReader progress(in.Stream(), in.Size());
    result = convert(in, output.Stream());
  }
  if (result.status != PassStatus::Done && !result.outputFault)
    return Fail(FaultText(result.reason, result.line, input.name));
  // After a write fault Commit() refuses too, and says why.
  if (!output.Commit()) return WriteFailure(output, outputName);
  if (!result.note.empty()) {
    std::cerr << "zolvane-cli: " << FaultText(result.note, result.noteLine, input.name) << '\n';
  }
  return 0;
}

void AddPrecisionOption(CLI::App& app, const std::string& help) {
  app.add_option("--precision", Outputs().precision, help)->check(CLI::Range(0, 15));
}

CLI::Validator Choice(std::vector<std::string> names) {
  std::string list;
  for (const std::string& name : names)
    list += (list.empty() ? "" : ",") + name;
  return CLI::Validator(
      [names, list](std::string& text) {
        for (const std::string& name : names) {
          if (CLI::detail::to_lower(name) == CLI::detail::to_lower(text)) {
            text = name;
            return std::string();
          }
        }
        return text + " is not one of {" + list + "}";
      },
      "{" + list + "}");
}

CLI::Validator EllipsoidName() {
  return Choice({"wgs84", "ed50"});
}

Ellipsoid EllipsoidNamed(std::string_view name) {
  return name == "ed50" ? kEd50 : kWgs84;
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

bool CheckBnaInput(const InputName& name, BnaCheckResult& result, Statistics& statistics,
                   int threads) {
  InputFile input(name.path);
  if (!input.IsOpen()) {
    Fail("cannot open " + name.name);
    return false;
  }
  {
    ProgressReader progress(input.Stream(), input.Size());
    result = CheckBna(input.Stream(), statistics, {}, {threads});
  }
  if (result.fault != BnaFault::None) {
    Fail(DescribeBnaFault(result, name.name));
    return false;
  }
  return true;
}

std::string StandardStreamsHelp(bool takesInput, bool takesOutput) {
  std::string text;
  if (takesInput) text = "IN may be - for standard input";
  if (takesOutput) {
    text += takesInput ? " and OUT - for standard output" : "OUT may be - for standard output";
    text +=
        ". A run that fails may leave partial data on standard output (a file is only "
        "replaced when the run succeeds).";
  } else if (takesInput) {
    text += '.';
  }
  return text;
}

}  // namespace zolvane::cli
