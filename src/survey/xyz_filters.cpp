#include "survey/xyz_filters.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "core/files.h"
#include "core/number_format.h"
#include "core/services.h"
#include "core/text_writer.h"
#include "core/xyz_layout.h"
#include "formats/bna/bna_reader.h"
#include "formats/xyz/xyz_pass.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;

FilterLimits LimitsOf(const RunState& state) {
  return {state.XMinLimit, state.XMaxLimit, state.YMinLimit,
          state.YMaxLimit, state.ZMinLimit, state.ZMaxLimit};
}

void StoreChoice(const FilterChoice& choice, RunState& state) {
  state.XMaxLimit = choice.XMax;
  state.XMinLimit = choice.XMin;
  state.YMaxLimit = choice.YMax;
  state.YMinLimit = choice.YMin;
  state.ZMaxLimit = choice.ZMax;
  state.ZMinLimit = choice.ZMin;
  state.CheckStatistics = choice.CheckStatistics ? 1 : 0;
  state.DeleteWindow = choice.DeleteWindow ? 1 : 0;
}

// Shows the dialog; false on Cancel. Limits in error are told, and the run goes on without
// passing any point.
bool AskLimits(bool clipping, RunState& state, Ui& ui) {
  state.FilterMode = 0;
  const auto choice = Ask(ui, &SurveyQuestions::Filter, clipping);
  if (!choice) return false;
  StoreChoice(*choice, state);
  FilterChoice asked = *choice;
  if (clipping) asked.ZRange = false;  // the clip has only the X-Y window
  state.FilterMode = static_cast<int>(FilterModeOf(asked));
  if (state.FilterMode == 0) {
    ui.Message(" Minims > maxims ", " error filters ", MessageIcon::Information, MessageButtons::Ok,
               MessageAnswer::Ok);
  }
  return true;
}

void FilterXyz(RunState& state, Ui& ui) {
  FormatCodeReset reset(state);
  struct ModeReset {
    RunState& state;
    ~ModeReset() { state.FilterMode = 0; }
  } modeReset{state};
  const int filterStatistics = state.CheckStatistics;
  ui.SetFileFilters(kPointFileFilters);
  if (!AskInputFile(state, ui, 4)) return;
  if (!AskInputFormat(state, ui)) return;
  if (filterStatistics == 1) state.CheckStatistics = 1;
  if (state.CheckStatistics == 1) {
    CheckXyzFile(state.InputFileName, state, ui);
    if (state.InputError == 1) return;
  }
  if (!AskOutputFile(state, ui, 4)) return;
  state.OutputFormatCode = state.InputFormatCode;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus(" Filtering file ");
  ui.SetProgressCount(0);
  XyzFilterOptions options;
  options.inputFormatCode = state.InputFormatCode;
  options.mode = static_cast<FilterMode>(state.FilterMode);
  options.limits = LimitsOf(state);
  options.deleteWindow = state.DeleteWindow == 1;
  options.blocks.threads = state.Threads;
  const ProgressFn window = WindowProgress(ui, files.input.Size());
  const XyzFilterResult result =
      FilterXyzPoints(files.input.Stream(), files.output.Stream(), options,
                      [&](long long accepted, std::uint64_t bytes) {
                        ui.SetStatus(FormatSigned(static_cast<double>(accepted)));
                        return window(accepted, bytes);
                      });
  if (result.pass.status != PassStatus::Done) return ReportXyzPassFault(result, state, ui);
  if (!files.Commit(ui)) return;
  ReportXyzPassDone(result, FilterXyzEndText(result.accepted), state, ui);
}

void ClipBna(RunState& state, Ui& ui) {
  struct ModeReset {
    RunState& state;
    ~ModeReset() { state.FilterMode = 0; }
  } modeReset{state};
  ui.SetFileFilters(kPointFileFilters);
  if (!AskInputFile(state, ui, 2)) return;
  ui.SetStatus(" checking bna file ");
  CheckBnaFile(state.InputFileName, state, ui);
  if (state.InputError == 1) return;
  if (!AskOutputFile(state, ui, 2)) return;
  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus(" Filtering  bna file ");
  ui.SetProgressCount(0);
  const PassResult result = ClipBnaRecords(files.input.Stream(), files.output.Stream(),
                                           LimitsOf(state), WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetStatus(ClipBnaEndText(result.count));
}

}  // namespace

FilterMode FilterModeOf(const FilterChoice& choice) {
  if (choice.ZRange) return choice.ZMax > choice.ZMin ? FilterMode::ZRange : FilterMode::None;
  return choice.XMax > choice.XMin && choice.YMax > choice.YMin ? FilterMode::Window
                                                                : FilterMode::None;
}

XyzFilterResult FilterXyzPoints(std::istream& in, std::ostream& out,
                                const XyzFilterOptions& options, const ProgressFn& progress) {
  const XyzLayout layout = XyzLayout::FromCode(
      options.outputFormatCode > 0 ? options.outputFormatCode : options.inputFormatCode);
  const FilterLimits& l = options.limits;
  long long accepted = 0;
  const ProgressFn report = [&](long long, std::uint64_t bytes) {
    return !progress || progress(accepted, bytes);
  };
  auto keep = [&options, &l, &layout](const XyzPoint& point, LineWriter& writer,
                                      long long& kept) -> std::string_view {
    bool inside = false;
    if (options.mode == FilterMode::Window) {
      const double x = point.x.number, y = point.y.number;
      inside = l.xMin <= x && x <= l.xMax && l.yMin <= y && y <= l.yMax;
    } else if (options.mode == FilterMode::ZRange) {
      const double z = point.hasZ ? point.z.number : 0.0;
      inside = l.zMin <= z && z <= l.zMax;
    } else {
      return {};
    }
    if (inside == options.deleteWindow) return {};
    ++kept;
    if (!layout.valid) return {};
    AppendXyzPoint(writer, layout, point);
    writer.EndLine();
    return {};
  };
  XyzBlockOptions blockOptions;
  blockOptions.inputFormatCode = options.inputFormatCode;
  blockOptions.blocks = options.blocks;
  XyzFilterResult result;
  static_cast<XyzPassResult&>(result) = ForEachXyzBlock(
      in, out, blockOptions, report, accepted, [&keep] { return keep; },
      [&] {
        LineWriter writer(out);
        XyzPassResult pass =
            ForEachXyzPoint(in, options.inputFormatCode, report,
                            [&](const XyzPoint& point) { return keep(point, writer, accepted); });
        if (!writer.Flush() && pass.pass.status == PassStatus::Done) {
          pass.pass = PassResult::WriteFault();
        }
        return pass;
      });
  result.accepted = accepted;
  return result;
}

PassResult ClipBnaRecords(std::istream& in, std::ostream& out, const FilterLimits& limits,
                          const ProgressFn& progress) {
  BnaObjectReader reader(in, BnaNumbers::Required);
  LineWriter writer(out);
  BnaHeader header;
  // A run is kept whole until it ends, since its header carries its length; it grows with
  // the record, not with any fixed store.
  std::vector<std::pair<double, double>> run;
  long long accepted = 0, read = 0;
  auto flush = [&] {
    if (run.empty()) return;
    const double count = run.size() == 1 ? 1.0 : -static_cast<double>(run.size());
    std::string text = "\"";
    text.append(UnquotedBnaLabel(header.label1)).append("\",\"");
    text.append(UnquotedBnaLabel(header.label2)).append("\",");
    AppendPrintItem(text, count);
    writer.WriteLine(text);
    for (const auto& [x, y] : run)
      WriteRecord(writer, {RecordItem::Number(x), RecordItem::Number(y)});
    accepted += static_cast<long long>(run.size());
    run.clear();
  };
  for (;;) {
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return reader.Fault();
    for (long long i = 0; i < std::llabs(header.count); ++i) {
      double x = 0, y = 0;
      if (reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
      if (limits.xMin < x && x < limits.xMax && limits.yMin < y && y < limits.yMax) {
        run.emplace_back(x, y);
      } else {
        flush();
      }
      ++read;
      if (read % kProgressInterval == 0 && progress && !progress(read, reader.BytesRead())) {
        return PassResult::Stop();
      }
    }
    flush();
  }
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = accepted;
  return done;
}

std::string FilterXyzEndText(long long accepted) {
  if (accepted == 0) return " 0 Accepted points | End filter xyz ";
  return FormatSigned(static_cast<double>(accepted)) + " Accepted points  | End filter xyz ";
}

std::string ClipBnaEndText(long long accepted) {
  if (accepted == 0) return " 0 acceted points  / filter bna finished";
  return FormatSigned(static_cast<double>(accepted)) + " accepted point  / filter bna finished";
}

void FilterMenu(int index, RunState& state, Ui& ui) {
  if (index == 1) {
    if (!AskLimits(false, state, ui)) return;
    FilterXyz(state, ui);
  } else if (index == 2) {
    const MessageAnswer answer = ui.Message(
        "BNA file shoud be multiline format \n Cliping will convert areas to curves", " Atencion ",
        MessageIcon::Exclamation, MessageButtons::OkCancel, MessageAnswer::Ok);
    if (answer == MessageAnswer::Cancel) return;
    if (!AskLimits(true, state, ui)) return;
    state.DeleteWindow = 0;
    ClipBna(state, ui);
  }
}

}  // namespace zolvane
