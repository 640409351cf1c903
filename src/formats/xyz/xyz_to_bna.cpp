#include "formats/xyz/xyz_to_bna.h"

#include <string>
#include <utility>
#include <vector>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/xyz_layout.h"
#include "formats/bna/bna_reader.h"
#include "formats/xyz/xyz_pass.h"

namespace zolvane {
namespace {

// Hands every point of the file to `use(x, y, label, line)`, which returns false to end the
// pass. The label is a comma field's own text ("007" stays "007"), or the general form of the
// number in a blank or tab column. The rules of ForEachXyzPoint hold: a partial last point is
// left out and noted, faults end the pass.
// With `bnaLabels`, a label holding a comma or a double quote ends the pass: the BNA header
// it would go into is split at its commas when read back.
template <typename Use>
XyzPassResult ForEachLabelledPoint(std::istream& in, int inputFormatCode, bool bnaLabels,
                                   const ProgressFn& progress, Use&& use) {
  const XyzLayout layout = XyzLayout::FromCode(inputFormatCode);
  std::string label;
  if (layout.delimiter != ',') {
    return ForEachXyzPoint(in, inputFormatCode, progress,
                           [&](const XyzPoint& point, long long line) {
                             label.clear();
                             AppendGeneral(label, point.z.number);
                             return use(point.x.number, point.y.number, label, line);
                           });
  }
  constexpr long long kProgressInterval = 200;
  XyzPassResult result;
  LineReader lines(in);
  FieldReader fields(lines);
  Field field;
  double values[2] = {0, 0};
  long long count = 0;
  for (;;) {
    int k = 0;
    ReadStatus status = ReadStatus::Ok;
    for (; k < 3; ++k) {
      status = fields.Next(field);
      if (status != ReadStatus::Ok) break;
      if (k < 2) {
        values[k] = ReadNumber(field.text);
      } else {
        label.assign(field.text);
      }
    }
    if (status == ReadStatus::End) {
      if (k > 0) result.partialLine = fields.LineNumber();
      break;
    }
    if (status != ReadStatus::Ok) {
      result.pass = ReadFault(status, fields.LineNumber());
      break;
    }
    if (bnaLabels && label.find_first_of(",\"") != std::string::npos) {
      result.pass = PassResult::Fail("Label with a comma or a double quote, which BNA cannot hold",
                                     field.line);
      break;
    }
    ++count;
    const bool yFirst = layout.YFirst();
    if (!use(values[yFirst ? 1 : 0], values[yFirst ? 0 : 1], label, field.line)) break;
    if (count % kProgressInterval == 0 && progress && !progress(count, lines.BytesRead())) {
      result.pass = PassResult::Stop();
      break;
    }
  }
  result.pass.count = count;
  return result;
}

// Writes BNA header lines, refusing one the BNA check would refuse for its length.
class BnaHeaderWriter {
 public:
  explicit BnaHeaderWriter(LineWriter& writer) : writer_(writer) {}

  // False, with the fault naming the input line of the label, when the header is too long.
  bool Write(std::initializer_list<RecordItem> items, long long line) {
    text_.clear();
    AppendRecord(text_, items);
    if (text_.size() > kMaxBnaHeaderLength) {
      fault_ = PassResult::Fail("Label too long: its BNA header would pass " +
                                    std::to_string(kMaxBnaHeaderLength) + " characters",
                                line);
      return false;
    }
    writer_.WriteLine(text_);
    return true;
  }
  const PassResult& Fault() const { return fault_; }

 private:
  LineWriter& writer_;
  std::string text_;
  PassResult fault_;
};

XyzPassResult Finish(XyzPassResult result, LineWriter& writer) {
  if (!writer.Flush() && result.pass.status == PassStatus::Done) {
    result.pass = PassResult::WriteFault();
  }
  return result;
}

// Resets the input layout code when the command ends, whichever way.
struct InputCodeReset {
  RunState& state;
  ~InputCodeReset() {
    state.LastInputFormatCode = state.InputFormatCode;
    state.InputFormatCode = 0;
  }
};

// The dialogs both commands share, up to an open pair of files. False when the command ends.
bool AskFiles(RunState& state, Ui& ui, std::string_view filters, int outputFilter,
              std::string_view title) {
  ui.SetFileFilters(filters);
  if (!AskInputFile(state, ui, 4)) return false;
  if (!AskInputFormat(state, ui)) return false;
  if (!HasLabelColumn(state.InputFormatCode)) {
    Warn(ui,
         "The third column of the points labels the objects: choose a layout with X, Y and Z "
         "columns.",
         title);
    return false;
  }
  if (state.CheckStatistics == 1) {
    CheckXyzFile(state.InputFileName, state, ui);
    if (state.InputError == 1) return false;
  }
  return AskOutputFile(state, ui, outputFilter);
}

}  // namespace

bool HasLabelColumn(int inputFormatCode) {
  const XyzLayout layout = XyzLayout::FromCode(inputFormatCode);
  return layout.valid && layout.HasZ();
}

XyzPassResult ConvertXyzToBna(std::istream& in, std::ostream& out, const XyzToBnaOptions& options,
                              const ProgressFn& progress) {
  LineWriter writer(out);
  if (!HasLabelColumn(options.inputFormatCode)) {
    XyzPassResult result;
    result.pass = XyzFault(XyzStatus::BadLine, 1);
    result.lineError = true;
    return result;
  }
  BnaHeaderWriter headers(writer);
  std::string previous;
  std::vector<std::pair<double, double>> run;
  long long runLine = 0;  // the input line of the run's first point
  // One run of lines mode. The last run of the file carries its label twice.
  auto writeRun = [&](std::string_view second) {
    if (run.empty()) return true;
    const double count = run.size() == 1 ? 1.0 : -static_cast<double>(run.size());
    if (!headers.Write(
            {RecordItem::Text(previous), RecordItem::Text(second), RecordItem::Number(count)},
            runLine)) {
      return false;
    }
    for (const auto& [x, y] : run)
      WriteRecord(writer, {RecordItem::Number(x), RecordItem::Number(y)});
    run.clear();
    return true;
  };
  auto use = [&](double x, double y, const std::string& label, long long line) {
    if (!options.lines) {
      return headers.Write({RecordItem::Text(label), RecordItem::Text(" "), RecordItem::Number(1),
                            RecordItem::Number(x), RecordItem::Number(y)},
                           line);
    }
    if (run.empty() || label != previous) {
      if (!writeRun(" ")) return false;
      previous = label;
      runLine = line;
    }
    run.emplace_back(x, y);
    return true;
  };
  XyzPassResult result = ForEachLabelledPoint(in, options.inputFormatCode, true, progress, use);
  const bool refused = headers.Fault().status == PassStatus::Failed;
  if (!refused && result.pass.status == PassStatus::Done) writeRun(previous);
  if (headers.Fault().status == PassStatus::Failed) result.pass = headers.Fault();
  return Finish(std::move(result), writer);
}

XyzPassResult ConvertXyzToGmt(std::istream& in, std::ostream& out, int inputFormatCode,
                              const ProgressFn& progress) {
  LineWriter writer(out);
  if (!HasLabelColumn(inputFormatCode)) {
    XyzPassResult result;
    result.pass = XyzFault(XyzStatus::BadLine, 1);
    result.lineError = true;
    return result;
  }
  std::string previous, numbers;
  bool first = true;
  auto use = [&](double x, double y, const std::string& label, long long) {
    if (first || label != previous) {
      writer.Append("> ");
      writer.Append(label);
      writer.EndLine();
      previous = label;
      first = false;
    }
    numbers.clear();
    AppendPrintItem(numbers, x);
    AppendPrintItem(numbers, y);
    writer.WriteLine(numbers);
    return true;
  };
  XyzPassResult result = ForEachLabelledPoint(in, inputFormatCode, false, progress, use);
  if (result.pass.status == PassStatus::Done) writer.WriteLine(">");
  return Finish(std::move(result), writer);
}

void XyzToBna(int index, RunState& state, Ui& ui) {
  InputCodeReset reset{state};
  if (!AskFiles(state, ui, kPointFileFilters, 2, " xyz => bna ")) return;
  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus("converting ascii to bna format file ");
  ui.SetProgressCount(0);
  const XyzToBnaOptions options{state.InputFormatCode, index != 2};
  const XyzPassResult result = ConvertXyzToBna(files.input.Stream(), files.output.Stream(), options,
                                               WindowProgress(ui, files.input.Size()));
  if (result.pass.status != PassStatus::Done) return ReportXyzPassFault(result, state, ui);
  if (!files.Commit(ui)) return;
  ReportXyzPassDone(result, " Finished,  XYZ > BNA  ", state, ui);
}

void XyzToGmt(int, RunState& state, Ui& ui) {
  InputCodeReset reset{state};
  constexpr std::string_view kFilters =
      "All files  (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|XYZ (*.dat)|*.dat|Geosail "
      "(*.obj)|*.obj ";
  if (!AskFiles(state, ui, kFilters, 1, " xyz => GMT ")) return;
  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus("converting ascii to GMT format ");
  ui.SetProgressCount(0);
  const XyzPassResult result =
      ConvertXyzToGmt(files.input.Stream(), files.output.Stream(), state.InputFormatCode,
                      WindowProgress(ui, files.input.Size()));
  if (result.pass.status != PassStatus::Done) return ReportXyzPassFault(result, state, ui);
  if (!files.Commit(ui)) return;
  ReportXyzPassDone(result, " Finished:   XYZ > GMT  ", state, ui);
}

}  // namespace zolvane
