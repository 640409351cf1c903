#include "formats/bna/bna_to_xyz.h"

#include "core/files.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/xyz_layout.h"
#include "formats/bna/bna_reader.h"
#include "formats/xyz_questions.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;

}  // namespace

BnaToXyzResult ConvertBnaToXyz(std::istream& in, std::ostream& out, const BnaToXyzOptions& options,
                               const ProgressFn& progress) {
  BnaToXyzResult result;
  const XyzLayout layout = XyzLayout::FromCode(options.outputFormatCode);
  BnaObjectReader reader(in);
  LineWriter writer(out);
  BnaHeader header;
  long long count = 0;
  std::string_view z;

  auto stopAsked = [&] {
    return count % kProgressInterval == 0 && progress && !progress(count, reader.BytesRead());
  };
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };

  for (;;) {
    ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return end(reader.Fault());
    result.singlePointForm = header.singlePoint ? 1 : 0;
    result.pointCount = header.count;
    z = TrimBlanks(options.label == 1 ? header.label1 : header.label2);
    const long long points =
        header.singlePoint ? 0 : (header.count < 0 ? -header.count : header.count);
    if (header.singlePoint) {
      ++count;
      if (layout.valid) WriteXyzLine(writer, layout, header.x, header.y, z);
      if (stopAsked()) return end(PassResult::Stop());
    }
    for (long long i = 0; i < points; ++i) {
      double x = 0, y = 0;
      if (reader.NextPoint(x, y) != ReadStatus::Ok) return end(reader.Fault());
      ++count;
      if (layout.valid) WriteXyzLine(writer, layout, x, y, z);
      if (stopAsked()) return end(PassResult::Stop());
    }
  }
  if (!writer.Flush()) return end(PassResult::WriteFault());
  result.pass.count = count;
  return result;
}

void BnaToXyz(int index, RunState& state, Ui& ui) {
  ui.SetFileFilters(kPointFileFilters);
  if (!AskInputFile(state, ui, 2)) return;
  ui.SetStatus(" checking bna file ");
  CheckBnaFile(state.InputFileName, state, ui);
  if (state.InputError == 1) return;
  if (!AskOutputFile(state, ui, 4)) return;
  if (!EnsureOutputFormat(state, ui)) return;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus(" Converting bna to ascii ");
  const BnaToXyzOptions options{index == 1 ? 1 : 2, state.OutputFormatCode};
  const BnaToXyzResult result =
      ConvertBnaToXyz(files.input.Stream(), files.output.Stream(), options,
                      CheckedFileProgress(ui, files.input.Size()));
  state.BnaSinglePointForm = result.singlePointForm;
  state.BnaPointCount = result.pointCount;
  if (result.pass.status != PassStatus::Done) {
    return ReportPassEnd(result.pass, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetStatus(" Finished  BNA > XYZ ");
}

}  // namespace zolvane
