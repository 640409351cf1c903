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
#include "core/value_tokens.h"

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

namespace {

// The values of a grid file read as numbers, with the faults the reading pass reports.
class GridNumbers {
 public:
  // `linesBefore`: the lines of the file before the point the stream starts at.
  explicit GridNumbers(std::istream& in, long long linesBefore = 0)
      : lines_(in), values_(lines_), linesBefore_(linesBefore) {}

  ReadStatus Text(std::string_view& value) { return values_.Next(value); }
  // The next value as a number; false with Fault() set at the end or on a text. A number
  // beyond the double range only sets OutOfRange(), for the caller to report when it will.
  bool Next(double& target, const char* endReason) {
    std::string_view value;
    const ReadStatus status = values_.Next(value);
    if (status == ReadStatus::End) {
      fault_ = PassResult::Fail(endReason, LineNumber());
      return false;
    }
    if (status != ReadStatus::Ok) {
      fault_ = ReadFault(status, LineNumber());
      return false;
    }
    if (!IsNumberText(value)) {
      fault_ = PassResult::Fail("Not a number: " + std::string(value), LineNumber());
      return false;
    }
    target = ReadNumber(value, outOfRange_);
    return true;
  }
  // Drops what is left of the line a row ended on.
  void EndRow() { values_.SkipRestOfLine(); }

  const PassResult& Fault() const { return fault_; }
  bool OutOfRange() const { return outOfRange_; }
  long long LineNumber() const { return linesBefore_ + values_.LineNumber(); }
  std::uint64_t BytesRead() const { return values_.BytesRead(); }

 private:
  LineReader lines_;
  ValueReader values_;
  long long linesBefore_;
  PassResult fault_;
  bool outOfRange_ = false;
};

// "DSAA" and the eight numbers of the header.
constexpr int kHeaderValues = 9;

// Where a row starts: a row after the first starts on a line of its own (the rest of the
// line ending the row before is dropped); the first may share the header's last line.
struct RowStart {
  std::uint64_t offset = 0;  // from where the stream stood when the reading began
  long long line = 0;        // lines before it
  int skip = 0;              // values to pass over from `offset`
};
using RowStartFn = std::function<void(long long row, const RowStart& start)>;

SurferGridResult ReadGrid(std::istream& in, const SurferHeaderFn& header, const SurferNodeFn& node,
                          const ProgressFn& progress, const RowStartFn& rowStart) {
  SurferGridResult result;
  GridNumbers values(in);
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };
  std::string_view value;
  const ReadStatus first = values.Text(value);
  if (first != ReadStatus::Ok && first != ReadStatus::End) {
    return end(ReadFault(first, values.LineNumber()));
  }
  if (first == ReadStatus::End || value != "DSAA") {
    return end(PassResult::Fail("Not a Surfer ASCII grid (DSAA)", values.LineNumber()));
  }
  constexpr const char* kShortHeader = "The grid header is cut short";
  double nx = 0, ny = 0;
  SurferGridHeader& h = result.header;
  if (!values.Next(nx, kShortHeader) || !values.Next(ny, kShortHeader)) {
    return end(values.Fault());
  }
  if (!(nx >= 1 && ny >= 1 && Int(nx) == nx && Int(ny) == ny)) {
    return end(
        PassResult::Fail("The grid sizes must be positive whole numbers", values.LineNumber()));
  }
  if (nx > kMaxGridNodes || ny > kMaxGridNodes || nx * ny > kMaxGridNodes) {
    return end(PassResult::Fail("The grid is too large to be held", values.LineNumber()));
  }
  for (double* field : {&h.xMin, &h.xMax, &h.yMin, &h.yMax, &h.zMin, &h.zMax}) {
    if (!values.Next(*field, kShortHeader)) return end(values.Fault());
  }
  if (values.OutOfRange()) return end(NumberOutOfRange(values.LineNumber()));
  h.nx = static_cast<long long>(nx);
  h.ny = static_cast<long long>(ny);
  result.headerRead = true;
  header(h);

  const long long total = h.nx * h.ny;
  const std::string shortGrid =
      "The grid ends before its " + FormatGeneral(static_cast<double>(total)) + " values";
  long long count = 0;
  for (long long r = 0; r < h.ny; ++r) {
    if (rowStart) {
      rowStart(r, r == 0 ? RowStart{0, 0, kHeaderValues}
                         : RowStart{values.BytesRead(), values.LineNumber(), 0});
    }
    for (long long c = 0; c < h.nx; ++c) {
      double z = 0;
      if (!values.Next(z, shortGrid.c_str())) return end(values.Fault());
      if (values.OutOfRange()) return end(NumberOutOfRange(values.LineNumber()));
      if (!node(z)) return end(PassResult::Fail("A node value out of range", values.LineNumber()));
      if (++count % kProgressInterval == 0 && progress && !progress(count, values.BytesRead())) {
        return end(PassResult::Stop());
      }
    }
    values.EndRow();
  }
  result.pass.count = total;
  return result;
}

// Rows are written back in groups of about this many nodes, held while they are reversed.
constexpr long long kGroupNodes = 1LL << 18;

}  // namespace

SurferGridResult ReadSurferGrid(std::istream& in, const SurferHeaderFn& header,
                                const SurferNodeFn& node, const ProgressFn& progress) {
  return ReadGrid(in, header, node, progress, {});
}

GenesisResult SurferGridToGenesisText(std::istream& in, std::ostream& out,
                                      const GenesisOptions& options, const ProgressFn& progress) {
  // Rows come from south to north and are written the other way. The reading pass checks
  // every value and notes where each group of rows starts; the writing pass reads the groups
  // again from the last, so only one group is held whatever the grid's size.
  const std::streamoff base = in.tellg();
  if (base < 0) {
    GenesisResult result;
    result.pass = PassResult::Fail("The grid must be a file that can be read twice", 0);
    return result;
  }
  SurferGridHeader h;
  const double substitute = options.substitute;
  long long groupRows = 1;
  std::vector<RowStart> groups;
  auto header = [&](const SurferGridHeader& read) {
    h = read;
    groupRows = std::max(1LL, kGroupNodes / h.nx);
  };
  auto shifted = [&](double z) {
    if (z > kSurferBlankLimit) z = substitute;
    return z != substitute ? Int(z - h.zMin) : z;
  };
  auto node = [&](double z) { return std::isfinite(shifted(z)); };
  auto rowStart = [&](long long row, const RowStart& start) {
    if (row % groupRows == 0) groups.push_back(start);
  };
  GenesisResult result = ReadGrid(in, header, node, progress, rowStart);
  if (result.pass.status != PassStatus::Done) return result;
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };

  const std::string changed = "The grid changed while it was read";
  LineWriter writer(out);
  std::string scratch;
  auto write = [&](double value) {
    scratch.clear();
    AppendPrintItem(scratch, value);
    writer.Append(scratch);
    writer.EndLine();
  };
  std::vector<double> held;
  if (groupRows > 1) held.reserve(static_cast<std::size_t>(groupRows * h.nx));
  for (auto g = static_cast<long long>(groups.size()) - 1; g >= 0; --g) {
    const RowStart& start = groups[static_cast<std::size_t>(g)];
    in.clear();
    if (!in.seekg(base + static_cast<std::streamoff>(start.offset))) {
      return end(PassResult::Fail(changed, start.line + 1));
    }
    GridNumbers numbers(in, start.line);
    std::string_view skipped;
    for (int i = 0; i < start.skip; ++i) {
      if (numbers.Text(skipped) != ReadStatus::Ok) {
        return end(PassResult::Fail(changed, numbers.LineNumber()));
      }
    }
    const long long firstRow = g * groupRows;
    const long long rows = std::min(groupRows, h.ny - firstRow);
    held.clear();
    for (long long r = 0; r < rows; ++r) {
      for (long long c = 0; c < h.nx; ++c) {
        double z = 0;
        if (!numbers.Next(z, changed.c_str())) return end(numbers.Fault());
        // A single row is written as it is read: rows longer than a group are never held.
        if (rows == 1) {
          write(shifted(z));
        } else {
          held.push_back(shifted(z));
        }
      }
      numbers.EndRow();
    }
    for (long long r = rows - 1; r >= 0 && rows > 1; --r) {
      const double* row = held.data() + r * h.nx;
      for (long long c = 0; c < h.nx; ++c)
        write(row[c]);
    }
  }
  if (!writer.Flush()) return end(PassResult::WriteFault());
  result.pass.count = h.nx * h.ny;
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
