// The read-transform-write loop every XYZ-to-XYZ conversion shares.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/services.h"
#include "core/text_writer.h"
#include "core/ui.h"
#include "core/xyz_layout.h"
#include "formats/xyz/xyz_blocks.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {

// Reads every point by `inputFormatCode`, lets `transform(point)` change it (or return a
// fault reason that ends the pass at its line), and writes it by `outputFormatCode`;
// `extra(point, text)` may add text after the columns. An invalid output layout writes
// nothing. `progress` is called every 200 points.
template <typename Transform, typename Extra>
XyzPassResult RunXyzPass(std::istream& in, std::ostream& out, int inputFormatCode,
                         int outputFormatCode, const ProgressFn& progress, Transform&& transform,
                         Extra&& extra) {
  const XyzLayout output = XyzLayout::FromCode(outputFormatCode);
  LineWriter writer(out);
  std::string extraText;
  XyzPassResult result =
      ForEachXyzPoint(in, inputFormatCode, progress, [&](XyzPoint& point) -> std::string_view {
        if (const std::string_view fault = FaultOfCall(transform, point); !fault.empty()) {
          return fault;
        }
        extraText.clear();
        extra(point, extraText);
        if (!output.valid) return {};
        AppendXyzPoint(writer, output, point);
        if (!extraText.empty()) writer.Append(extraText);
        writer.EndLine();
        return {};
      });
  if (!writer.Flush() && result.pass.status == PassStatus::Done) {
    result.pass = PassResult::WriteFault();
  }
  return result;
}

// The same pass without extra text on every core of `blocks`: `makeTransform()` gives each
// thread its own transform, which must keep no state from one point to the next.
template <typename MakeTransform>
XyzPassResult RunXyzBlockPass(std::istream& in, std::ostream& out, int inputFormatCode,
                              int outputFormatCode, const BlockPassOptions& blocks,
                              const ProgressFn& progress, MakeTransform&& makeTransform) {
  const XyzLayout output = XyzLayout::FromCode(outputFormatCode);
  XyzBlockOptions options;
  options.inputFormatCode = inputFormatCode;
  options.blocks = blocks;
  long long tally = 0;
  return ForEachXyzBlock(
      in, out, options, progress, tally,
      [&] {
        return [output, transform = makeTransform()](XyzPoint& point, LineWriter& writer,
                                                     long long&) mutable -> std::string_view {
          if (const std::string_view fault = FaultOfCall(transform, point); !fault.empty()) {
            return fault;
          }
          if (!output.valid) return {};
          AppendXyzPoint(writer, output, point);
          writer.EndLine();
          return {};
        };
      },
      [&] {
        return RunXyzPass(in, out, inputFormatCode, outputFormatCode, progress, makeTransform(),
                          [](const XyzPoint&, std::string&) {});
      });
}

// Reports a pass that did not finish: a line without its values in the reader's own form,
// anything else with the file and line named.
inline void ReportXyzPassFault(const XyzPassResult& result, RunState& state, Ui& ui) {
  if (result.lineError) return ReportLineError(result.pass.line, state, ui);
  ReportPassEnd(result.pass, state.InputFileName, state, ui);
}

// The end of a finished pass: its count, and `doneText` unless a partial point was left out.
inline void ReportXyzPassDone(const XyzPassResult& result, std::string_view doneText,
                              RunState& state, Ui& ui) {
  ui.SetProgressCount(result.pass.count);
  if (result.partialLine > 0) {
    ui.SetStatus(PartialPointText(result.partialLine, state.InputFileName));
  } else {
    ui.SetStatus(doneText);
  }
  ShowPassNote(result.pass, state.InputFileName, ui);
}

}  // namespace zolvane
