#include "formats/surfer_grids.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/value_tokens.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 4096;  // node values between progress reports
// More nodes than this are refused rather than held.
constexpr long long kMaxGridNodes = 1LL << 28;

constexpr std::string_view kGenesisNotice =
    " Genesis TXT: a Surfer grid in format GS_ASCII will be necessary\n Output Z values will "
    "transformed to positive integers";
constexpr std::string_view kGenesisInputFilters =
    "All files (*.*)|*.*|Surfer ascii grid (*.grd)|*.grd|Surfer xyz (*.dat)|*.dat|Genesis xyz "
    "(*.xyz)|*.xyz";
constexpr std::string_view kGenesisOutputFilters =
    "All files (*.*)|*.*|Surfer ascii grid (*.grd)|*.grd|Surfer xyz (*.dat)|*.dat|Genesis TXT "
    "(*.TXT)|*.TXT";
constexpr std::string_view kNullPrompt =
    " Input VALUE to substitute Surfer Null values (1.70141E+38)";

constexpr std::string_view kSurferClass = "Surfer.Application";
constexpr std::string_view kGridFilters =
    "All files (*.*)|*.*|Surfer Map (*.srf)|*.srf|surfer Grid (*.grd)|*.grd";
constexpr std::string_view kFormatPrompt =
    " Be sure a image, surface, contour o Shaded is selcted in the Surfer's window and select "
    "the format for output data: 1 for GS Binary, 2 for GS ASCII, 3 Surfer7 binary or 4 for "
    "ASCII XYZ, in this order ";

}  // namespace

SurferGridResult ReadSurferGrid(std::istream& in, const SurferHeaderFn& header,
                                const SurferNodeFn& node, const ProgressFn& progress) {
  SurferGridResult result;
  LineReader lines(in);
  ValueReader values(lines);
  std::string_view value;
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };
  // The next value as a number; false with the fault set at the end or on a text.
  PassResult fault;
  bool outOfRange = false;
  auto number = [&](double& target, const char* endReason) {
    const ReadStatus status = values.Next(value);
    if (status == ReadStatus::End) {
      fault = PassResult::Fail(endReason, values.LineNumber());
      return false;
    }
    if (status != ReadStatus::Ok) {
      fault = ReadFault(status, values.LineNumber());
      return false;
    }
    if (!IsNumberText(value)) {
      fault = PassResult::Fail("Not a number: " + std::string(value), values.LineNumber());
      return false;
    }
    target = ReadNumber(value, outOfRange);
    return true;
  };

  const ReadStatus first = values.Next(value);
  if (first != ReadStatus::Ok && first != ReadStatus::End) {
    return end(ReadFault(first, values.LineNumber()));
  }
  if (first == ReadStatus::End || value != "DSAA") {
    return end(PassResult::Fail("Not a Surfer ASCII grid (DSAA)", values.LineNumber()));
  }
  constexpr const char* kShortHeader = "The grid header is cut short";
  double nx = 0, ny = 0;
  SurferGridHeader& h = result.header;
  if (!number(nx, kShortHeader) || !number(ny, kShortHeader)) return end(fault);
  if (!(nx >= 1 && ny >= 1 && Int(nx) == nx && Int(ny) == ny)) {
    return end(
        PassResult::Fail("The grid sizes must be positive whole numbers", values.LineNumber()));
  }
  if (nx > kMaxGridNodes || ny > kMaxGridNodes || nx * ny > kMaxGridNodes) {
    return end(PassResult::Fail("The grid is too large to be held", values.LineNumber()));
  }
  for (double* field : {&h.xMin, &h.xMax, &h.yMin, &h.yMax, &h.zMin, &h.zMax}) {
    if (!number(*field, kShortHeader)) return end(fault);
  }
  if (outOfRange) return end(NumberOutOfRange(values.LineNumber()));
  h.nx = static_cast<long long>(nx);
  h.ny = static_cast<long long>(ny);
  result.headerRead = true;
  header(h);

  const long long total = h.nx * h.ny;
  const std::string shortGrid =
      "The grid ends before its " + FormatGeneral(static_cast<double>(total)) + " values";
  long long count = 0;
  for (long long r = 0; r < h.ny; ++r) {
    for (long long c = 0; c < h.nx; ++c) {
      double z = 0;
      if (!number(z, shortGrid.c_str())) return end(fault);
      if (outOfRange) return end(NumberOutOfRange(values.LineNumber()));
      if (!node(z)) return end(PassResult::Fail("A node value out of range", values.LineNumber()));
      if (++count % kProgressInterval == 0 && progress && !progress(count, values.BytesRead())) {
        return end(PassResult::Stop());
      }
    }
    values.SkipRestOfLine();
  }
  result.pass.count = total;
  return result;
}

GenesisResult SurferGridToGenesisText(std::istream& in, std::ostream& out,
                                      const GenesisOptions& options, const ProgressFn& progress) {
  // Rows come from south to north; they are held in file order and written the other way.
  std::vector<double> table;
  SurferGridHeader h;
  const double substitute = options.substitute;
  auto header = [&](const SurferGridHeader& read) {
    h = read;
    table.reserve(static_cast<std::size_t>(std::min(h.nx * h.ny, 1LL << 20)));
  };
  auto node = [&](double z) {
    if (z > kSurferBlankLimit) z = substitute;
    const double value = z != substitute ? Int(z - h.zMin) : z;
    table.push_back(value);
    return std::isfinite(value);
  };
  GenesisResult result = ReadSurferGrid(in, header, node, progress);
  if (result.pass.status != PassStatus::Done) return result;
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };
  const long long total = h.nx * h.ny;
  LineWriter writer(out);
  std::string scratch;
  for (long long r = h.ny - 1; r >= 0; --r) {
    const double* row = table.data() + r * h.nx;
    for (long long c = 0; c < h.nx; ++c) {
      scratch.clear();
      AppendPrintItem(scratch, row[c]);
      writer.Append(scratch);
      writer.EndLine();
    }
  }
  if (!writer.Flush()) return end(PassResult::WriteFault());
  result.pass.count = total;
  return result;
}

void SurferGridToGenesis(int /*index*/, RunState& state, Ui& ui) {
  if (ui.Message(kGenesisNotice, " Surfer grid to Genesis II", MessageIcon::Information,
                 MessageButtons::OkCancel, MessageAnswer::Ok) != MessageAnswer::Ok) {
    return;
  }
  ui.SetFileFilters(kGenesisInputFilters);
  if (!AskInputFile(state, ui, 2)) return;
  ui.SetFileFilters(kGenesisOutputFilters);
  if (!AskOutputFile(state, ui, 4)) return;
  GenesisOptions options;
  options.substitute = Int(ReadNumber(ui.InputBox(kNullPrompt, "Null Value", "-9999")));

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  const GenesisResult result = SurferGridToGenesisText(
      files.input.Stream(), files.output.Stream(), options, WindowProgress(ui, files.input.Size()));
  if (result.headerRead) {
    const SurferGridHeader& h = result.header;
    state.Stats.XMax = h.xMax;
    state.Stats.YMax = h.yMax;
    state.Stats.XMin = h.xMin;
    state.Stats.YMin = h.yMin;
    state.Stats.ZMax = Int(h.zMax - h.zMin);
    state.Stats.ZMin = 0;
    state.Stats.HasX = state.Stats.HasY = state.Stats.HasZ = true;
    ShowStatistics(state, ui);
  }
  if (result.pass.status != PassStatus::Done) {
    return ReportPassEnd(result.pass, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.pass.count);
  ui.SetStatus(" Finished,  Surfer Grid > GenesisII TXT ");
}

std::unique_ptr<SurferAutomation> ConnectSurfer() {
  // Surfer's automation interface is a Windows component; none is reachable here.
  return nullptr;
}

void ExtractSurferGrid(int /*index*/, RunState& state, Ui& ui) {
  const std::unique_ptr<SurferAutomation> surfer = ConnectSurfer();
  if (!surfer) {
    Warn(ui, "Surfer's automation interface is not available on this system.", "Grid Extract");
    return;
  }
  ExtractSurferGrid(state, ui, *surfer);
}

void ExtractSurferGrid(RunState& state, Ui& ui, SurferAutomation& surfer) {
  std::string mapFile;
  const SurferObject running = surfer.AttachRunning(kSurferClass);
  if (running == 0) {
    // No Surfer runs: start one on a map of the user's choice.
    ui.SetFileFilters(kGridFilters);
    if (!AskInputFile(state, ui, 2)) return;
    mapFile = state.InputFileName;
    surfer.CreateInstance(kSurferClass);
    const SurferObject started = surfer.AttachRunning(kSurferClass);
    if (started != 0) {
      surfer.SetVisible(started, true);
      surfer.OpenDocument(started, mapFile);
    }
  } else {
    const std::optional<long long> windows = surfer.WindowsCount(running);
    if (windows && *windows == 0) surfer.AddDocument(running, 1);
    surfer.SetVisible(running, true);
    surfer.SetWindowState(running, 0);
  }

  int format = 0;
  while (format == 0) {
    const std::string answer = ui.InputBox(kFormatPrompt, "Grid Extract", "3");
    // An empty answer is Cancel: the question would otherwise come back for ever.
    if (TrimBlanksAndTabs(answer).empty()) return;
    const double chosen = ReadNumber(answer);
    if (chosen >= 1 && chosen <= 4 && Int(chosen) == chosen) format = static_cast<int>(chosen);
  }

  SurferObject grid = 0;
  if (const SurferObject application = surfer.AttachRunning("surfer.application")) {
    if (const SurferObject document = surfer.ActiveDocument(application)) {
      if (const SurferObject map = surfer.SelectionItem(document, 1)) {
        if (const SurferObject overlay = surfer.OverlaysItem(map, 1)) grid = surfer.Grid(overlay);
      }
    }
  }

  ui.SetFileFilters(kGridFilters);
  const std::optional<std::string> output = ui.ChooseOutputFile(3, {});
  if (!output || output->empty()) return;
  if (!mapFile.empty() && SameFile(*output, mapFile)) {
    Warn(ui, "The output file must not be the input file:\n" + *output, " Output file ");
    return;
  }
  state.OutputFileName = *output;
  ui.SetOutputFileName(*output);

  std::error_code error;
  const bool existed = std::filesystem::exists(*output, error);
  const bool saved = grid != 0 && surfer.SaveFile(grid, *output, format);
  // A file left from before proves nothing when the save failed.
  const bool present = std::filesystem::exists(*output, error);
  ui.SetStatus(present && (saved || !existed)
                   ? "Surfer Grid extracted"
                   : "try again with surfer map selected (click on the object)");
}

}  // namespace zolvane
