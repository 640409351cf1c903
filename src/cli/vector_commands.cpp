// XYZ to BNA/GMT, GEBCO and DAF.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "formats/daf.h"
#include "formats/gebco.h"
#include "geo/utm.h"
#include "formats/xyz/xyz_reader.h"
#include "formats/xyz/xyz_to_bna.h"

namespace zolvane::cli {
namespace {

struct VectorOptions {
  std::string input, output;
  bool lines = false, points = false;
  int inLayout = 11;
  int outLayout = 11;
  bool centennial = false;
  int zone = 0;
  int label = 1;
  bool ed50 = false;
  std::string ellipsoid = "wgs84";
};

void AddFiles(CLI::App* command, VectorOptions& options, const char* in, const char* out) {
  command->add_option("IN", options.input, std::string(in) + " file to read")->required();
  command->add_option("OUT", options.output, std::string(out) + " file to write")->required();
}

void AddInLayout(CLI::App* command, VectorOptions& options) {
  command
      ->add_option("--in-layout", options.inLayout,
                   std::string("Input layout with a label column: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
}

// Prints a note on the error stream; the output stands.
void Note(const std::string& text) {
  std::cerr << "zolvane-cli: " << text << '\n';
}

int RunXyzExport(const VectorOptions& options, bool gmt) {
  if (!gmt && options.lines == options.points) {
    std::cerr << "zolvane-cli: xyz2bna needs --lines or --points\n";
    return 2;
  }
  if (!HasLabelColumn(options.inLayout)) {
    std::cerr << "zolvane-cli: the third column labels the objects: use a layout with X, Y and "
                 "Z columns\n";
    return 2;
  }
  XyzPassResult result;
  const int status =
      ConvertFile(options.input, options.output, [&](InputFile& in, std::ostream& out) {
        result = gmt ? ConvertXyzToGmt(in.Stream(), out, options.inLayout, {})
                     : ConvertXyzToBna(in.Stream(), out, {options.inLayout, !options.points}, {});
        return result.pass;
      });
  if (status == 0 && result.partialLine > 0) {
    Note(PartialPointText(result.partialLine, options.input));
  }
  return status;
}

int RunGebco(const VectorOptions& options, GebcoOutput output) {
  GebcoOptions gebco;
  gebco.output = output;
  gebco.header = output == GebcoOutput::Gmt ? GebcoHeader::Names
                 : options.centennial       ? GebcoHeader::Centennial
                                            : GebcoHeader::Atlas1997;
  gebco.outputFormatCode = options.outLayout;
  gebco.project = options.zone >= 1;
  gebco.ellipsoid = EllipsoidNamed(options.ellipsoid);
  gebco.centralMeridian = gebco.project ? CentralMeridianOfZone(options.zone) : 0;
  const auto twoPass = TwoPassInput(options.input);
  if (!twoPass) return 1;
  if (gebco.header != GebcoHeader::Centennial) {
    InputFile input(twoPass->path);
    if (!input.IsOpen()) return Fail("cannot open " + twoPass->name);
    Statistics statistics;
    const GebcoCheckResult check = CheckGebco(input.Stream(), statistics, {}, gebco.header);
    if (check.pass.status != PassStatus::Done) {
      return Fail(FaultText(check.pass.reason, check.pass.line, twoPass->name));
    }
  }
  GebcoResult result;
  const int status = ConvertFile(*twoPass, options.output, [&](InputFile& in, std::ostream& out) {
    result = ConvertGebco(in.Stream(), out, gebco, {});
    return result.pass;
  });
  if (status == 0 && result.negativeCountLine > 0) {
    Note(FaultText("Segment with a negative count left out", result.negativeCountLine,
                   options.input));
  }
  return status;
}

int RunBnaToDaf(const VectorOptions& options) {
  BnaCheckResult check;
  BnaToDafOptions daf;
  const auto twoPass = TwoPassInput(options.input);
  if (!twoPass) return 1;
  if (!CheckBnaInput(*twoPass, check, daf.bounds)) return 1;
  daf.label = options.label;
  daf.ed50 = options.ed50 || options.ellipsoid == "ed50";
  return ConvertFile(*twoPass, options.output, [&](InputFile& in, std::ostream& out) {
    return ConvertBnaToDaf(in.Stream(), out, daf, {}, {});
  });
}

int RunDafToBna(const VectorOptions& options) {
  DafToBnaResult result;
  const int status =
      ConvertFile(options.input, options.output, [&](InputFile& in, std::ostream& out) {
        result = ConvertDafToBna(in.Stream(), out, {});
        return result.pass;
      });
  if (status == 0 && result.unendedLine > 0) {
    Note(FaultText("Block without its STOP line, written as it stands", result.unendedLine,
                   options.input));
  }
  return status;
}

}  // namespace

void AddVectorCommands(CLI::App& app, Action& action) {
  auto options = std::make_shared<VectorOptions>();

  CLI::App* bna = app.add_subcommand(
      "xyz2bna", "Write labelled points as BNA lines (one per run of a label) or points");
  CLI::Option* lines = bna->add_flag("--lines", options->lines, "One open line per run");
  CLI::Option* points = bna->add_flag("--points", options->points, "One record per point");
  lines->excludes(points);
  AddInLayout(bna, *options);
  AddFiles(bna, *options, "Point", "BNA");
  bna->callback(
      [&action, options] { action = [options] { return RunXyzExport(*options, false); }; });

  CLI::App* gmt =
      app.add_subcommand("xyz2gmt", "Write labelled points as a GMT multi-segment file");
  AddInLayout(gmt, *options);
  AddFiles(gmt, *options, "Point", "GMT");
  gmt->callback(
      [&action, options] { action = [options] { return RunXyzExport(*options, true); }; });

  struct GebcoCommand {
    const char* name;
    const char* help;
    GebcoOutput output;
  };
  for (const GebcoCommand& g :
       {GebcoCommand{"gebco2xyz", "Write the points of a GEBCO export with their segment value",
                     GebcoOutput::Xyz},
        GebcoCommand{"gebco2bna", "Write each segment of a GEBCO export as a BNA line",
                     GebcoOutput::Bna},
        GebcoCommand{"gebco2gmt", "Write a GEBCO export as a GMT multi-segment file",
                     GebcoOutput::Gmt}}) {
    CLI::App* command = app.add_subcommand(g.name, g.help);
    if (g.output != GebcoOutput::Gmt) {
      command->add_flag("--centennial", options->centennial,
                        "Centennial edition headers (no check pass)");
      command->add_option("--zone", options->zone, "Project to this UTM zone, in metres")
          ->check(CLI::Range(1, 60));
      command->add_option("--ellipsoid", options->ellipsoid, "wgs84 or ed50, for --zone")
          ->transform(EllipsoidName())
          ->capture_default_str();
    }
    if (g.output == GebcoOutput::Xyz) {
      command
          ->add_option("--out-layout", options->outLayout,
                       std::string("Output layout: ") + kLayoutHelp)
          ->check(LayoutCode())
          ->capture_default_str();
    }
    AddFiles(command, *options, "GEBCO",
             g.output == GebcoOutput::Xyz   ? "Point"
             : g.output == GebcoOutput::Bna ? "BNA"
                                            : "GMT");
    const GebcoOutput output = g.output;
    command->callback([&action, options, output] {
      action = [options, output] { return RunGebco(*options, output); };
    });
  }

  CLI::App* toDaf = app.add_subcommand("bna2daf", "Write BNA lines as DAF contours");
  toDaf->add_option("--label", options->label, "The label holding the depth, 1 or 2")
      ->required()
      ->check(CLI::IsMember({1, 2}));
  toDaf
      ->add_option("--ellipsoid", options->ellipsoid,
                   "wgs84 or ed50: how the coordinates are marked")
      ->transform(EllipsoidName())
      ->capture_default_str();
  toDaf->add_flag("--ed50", options->ed50)->group("");  // the old spelling
  AddFiles(toDaf, *options, "BNA", "DAF");
  toDaf->callback([&action, options] { action = [options] { return RunBnaToDaf(*options); }; });

  CLI::App* fromDaf = app.add_subcommand("daf2bna", "Write DAF contours as BNA lines");
  AddFiles(fromDaf, *options, "DAF", "BNA");
  fromDaf->callback([&action, options] { action = [options] { return RunDafToBna(*options); }; });

  CLI::App* dafXyz = app.add_subcommand("daf2xyz", "Write the points of DAF contours with depth");
  AddFiles(dafXyz, *options, "DAF", "Point");
  dafXyz->callback([&action, options] {
    action = [options] {
      return ConvertFile(options->input, options->output, [](InputFile& in, std::ostream& out) {
        return ConvertDafToXyz(in.Stream(), out, {});
      });
    };
  });
}

}  // namespace zolvane::cli
