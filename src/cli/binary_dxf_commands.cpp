// DXF, Poseidon grids and binary points: dxf3d, poseidon2grd and bin2xyz.
#include <charconv>
#include <cmath>
#include <memory>

#include "cli/commands.h"
#include "cli/progress.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "formats/dxf_3d.h"
#include "formats/poseidon_binary.h"

namespace zolvane::cli {
namespace {

struct BinaryDxfOptions {
  std::string input, output;
  std::string start, end;
  double factor = 1000;
  std::string profile = "Line1";
  int outLayout = 11;
};

bool ParseNumber(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size() &&
         std::isfinite(value);
}

// "X,Y" as two numbers.
bool ParsePosition(const std::string& text, double& x, double& y) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  return ParseNumber(std::string_view(text).substr(0, comma), x) &&
         ParseNumber(std::string_view(text).substr(comma + 1), y);
}

CLI::Validator Position() {
  return CLI::Validator(
      [](std::string& text) {
        double x = 0, y = 0;
        return ParsePosition(text, x, y) ? std::string() : "not a position X,Y: " + text;
      },
      "X,Y");
}

void AddFiles(CLI::App* command, BinaryDxfOptions& options, const char* in, const char* out) {
  command->add_option("IN", options.input, in)->required();
  command->add_option("OUT", options.output, out)->required();
}

int RunDxf3d(const BinaryDxfOptions& o) {
  DxfTo3dOptions options;
  ParsePosition(o.start, options.x1, options.y1);
  ParsePosition(o.end, options.x2, options.y2);
  options.factor = o.factor;
  options.profile = o.profile;
  const auto twoPass = TwoPassInput(o.input);
  if (!twoPass) return 1;
  {
    InputFile input(twoPass->path);
    if (!input.IsOpen()) return Fail("cannot open " + twoPass->name);
    Statistics statistics;
    const PassResult scan = ScanDxfSolids(input.Stream(), statistics, {});
    if (scan.status != PassStatus::Done) {
      return Fail(FaultText(scan.reason, scan.line, twoPass->name));
    }
    // The window reads the range back from the panel's text; so does this.
    options.xMin = ReadNumber(FormatGeneral(statistics.XMin));
    options.xMax = ReadNumber(FormatGeneral(statistics.XMax));
  }
  if (const std::string fault = DxfOptionsFault(options); !fault.empty()) {
    return Fail(fault + ": " + o.input);
  }
  return ConvertFile(*twoPass, o.output, [&](InputFile& in, std::ostream& out) {
    return ConvertDxfTo3d(in.Stream(), out, options, {});
  });
}

int RunPoseidon(const BinaryDxfOptions& o) {
  return ConvertFile(o.input, o.output, [](InputFile& in, std::ostream& out) {
    return ConvertPoseidonGrid(in.Stream(), out, {}, {}).pass;
  });
}

// Like ConvertFile, with the faults of a binary file, which concern records, not lines.
int RunBinary(const BinaryDxfOptions& o, int threads) {
  const InputName name(o.input);
  if (SameFile(name.path, OutputPath(o.output))) {
    return Fail("the output file must not be the input file: " + o.output);
  }
  InputFile input(name.path);
  if (!input.IsOpen()) return Fail("cannot open " + name.name);
  OutputFile output(OutputPath(o.output));
  if (!output.IsOpen()) return WriteFailure(output, o.output);
  ApplyOutputSettings(output.Stream());
  BinaryPointResult result;
  {
    ProgressReader progress(input.Stream(), input.Size());
    BinaryPointOptions options{o.outLayout, {}};
    options.blocks.threads = threads;
    result = ConvertBinaryPoints(input.Stream(), output.Stream(), options, {});
  }
  if (result.pass.status != PassStatus::Done && !result.pass.outputFault) {
    return Fail(BinaryFaultText(result.pass, name.name));
  }
  if (!output.Commit()) return WriteFailure(output, o.output);
  return 0;
}

}  // namespace

void AddBinaryDxfCommands(CLI::App& app, Action& action, const Settings& settings) {
  auto options = std::make_shared<BinaryDxfOptions>();

  CLI::App* dxf = app.add_subcommand(
      "dxf3d", "Lay a 2D Didger profile drawing along a transect as a real-world 3D DXF");
  dxf->add_option("--start", options->start, "Transect start X,Y (left of the profile)")
      ->required()
      ->check(Position());
  dxf->add_option("--end", options->end, "Transect end X,Y (right of the profile)")
      ->required()
      ->check(Position());
  dxf->add_option("--factor", options->factor, "Drawing Y is divided by this to give Z")
      ->check(CLI::Validator(
          [](std::string& text) {
            double value = 0;
            return ParseNumber(text, value) && value != 0 ? std::string()
                                                          : "the factor must be a number, not 0";
          },
          "F"))
      ->capture_default_str();
  dxf->add_option("--profile", options->profile, "Profile name: layer and comment")
      ->capture_default_str();
  AddFiles(dxf, *options, "2D DXF drawing to read", "3D DXF file to write");
  dxf->callback([&action, options] { action = [options] { return RunDxf3d(*options); }; });

  CLI::App* poseidon =
      app.add_subcommand("poseidon2grd", "Convert a Simrad Poseidon grid into a Surfer ASCII grid");
  AddFiles(poseidon, *options, "Poseidon grid to read", "Surfer grid to write");
  poseidon->callback([&action, options] { action = [options] { return RunPoseidon(*options); }; });

  CLI::App* binary =
      app.add_subcommand("bin2xyz", "Convert a binary point file into an XYZ text file");
  binary
      ->add_option("--out-layout", options->outLayout, std::string("Output layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
  AddFiles(binary, *options, "Binary point file to read", "XYZ file to write");
  binary->callback([&action, &settings, options] {
    action = [&settings, options] { return RunBinary(*options, settings.threads); };
  });
}

}  // namespace zolvane::cli
