#include "formats/bna/bna_to_xyz.h"

#include <cerrno>
#include <limits>

#include "core/files.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/xyz_layout.h"
#include "formats/bna/bna_blocks.h"
#include "formats/bna/bna_reader.h"
#include "formats/xyz/xyz_questions.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;

// What converting a run of lines found; lines are counted from the run's start.
struct ObjectsResult {
  PassResult pass;
  long long count = 0;
  bool headerRead = false;
  int singlePointForm = 0;
  long long pointCount = 0;
};

// Converts the objects from the reader's position, `open` coordinate lines of `header`'s
// object first, up to the end of the input or a fault, or once `lineLimit` lines are read.
// `stopAsked(count, reader)` is asked after every point.
template <typename StopAsked>
void ConvertObjects(BnaObjectReader& reader, LineWriter& writer, const BnaToXyzOptions& options,
                    BnaHeader& header, long long open, long long lineLimit, StopAsked&& stopAsked,
                    ObjectsResult& result) {
  const XyzLayout layout = XyzLayout::FromCode(options.outputFormatCode);
  auto zOf = [&] { return TrimBlanks(options.label == 1 ? header.label1 : header.label2); };
  std::string_view z = zOf();
  long long& count = result.count;
  for (;;) {
    for (; open > 0 && reader.LineNumber() < lineLimit; --open) {
      double x = 0, y = 0;
      if (reader.NextPoint(x, y) != ReadStatus::Ok) {
        result.pass = reader.Fault();
        return;
      }
      ++count;
      if (layout.valid) WriteXyzLine(writer, layout, x, y, z);
      if (stopAsked(count, reader)) {
        result.pass = PassResult::Stop();
        return;
      }
    }
    if (reader.LineNumber() >= lineLimit) return;
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) return;
    if (status != ReadStatus::Ok) {
      result.pass = reader.Fault();
      return;
    }
    result.headerRead = true;
    result.singlePointForm = header.singlePoint ? 1 : 0;
    result.pointCount = header.count;
    z = zOf();
    open = header.singlePoint ? 0 : (header.count < 0 ? -header.count : header.count);
    if (header.singlePoint) {
      ++count;
      if (layout.valid) WriteXyzLine(writer, layout, header.x, header.y, z);
      if (stopAsked(count, reader)) {
        result.pass = PassResult::Stop();
        return;
      }
    }
  }
}

// One block of a pass on several threads, with its output.
struct BlockResult {
  std::string text;
  ObjectsResult objects;
};

BnaToXyzResult ConvertInBlocks(std::istream& in, std::ostream& out, const BnaToXyzOptions& options,
                               const ProgressFn& progress) {
  BnaToXyzResult result;
  const std::string_view lineEnd = LineEndOf(out);
  long long count = 0;
  bool stopped = false;
  BnaBlockCutter cutter(in, options.blocks.blockSize);
  auto convert = [&options, lineEnd](const BnaBlock& block, BlockResult& r) {
    ClearKeepingText(r);
    WriteBnaBlock(block, r.text, lineEnd,
                  [&](auto& reader, auto& writer, BnaHeader& header) -> PassResult& {
                    ConvertObjects(
                        reader, writer, options, header, block.openPoints, block.LinesToRead(),
                        [](long long, const BnaObjectReader&) { return false; }, r.objects);
                    return r.objects.pass;
                  });
  };
  auto take = [&](const BnaBlock& block, BlockResult& r) {
    if (!r.text.empty()) {
      // A refusal leaves its reason in errno; an older one must not pass for it.
      if (out.good()) errno = 0;
      out.write(r.text.data(), static_cast<std::streamsize>(r.text.size()));
    }
    count += r.objects.count;
    if (r.objects.headerRead) {
      result.singlePointForm = r.objects.singlePointForm;
      result.pointCount = r.objects.pointCount;
    }
    if (r.objects.pass.status != PassStatus::Done) {
      result.pass = r.objects.pass;
      result.pass.line += block.lineBase;
      return false;
    }
    if (progress && !progress(count, block.endOffset)) {
      stopped = true;
      return false;
    }
    return true;
  };
  RunCutBlocks<BlockResult>(
      cutter, options.blocks.threads, [&] { return convert; }, take);
  if (stopped) result.pass = PassResult::Stop();
  result.pass.count = count;
  out.flush();
  if (!out.good() && result.pass.status == PassStatus::Done) result.pass = PassResult::WriteFault();
  return result;
}

}  // namespace

BnaToXyzResult ConvertBnaToXyz(std::istream& in, std::ostream& out, const BnaToXyzOptions& options,
                               const ProgressFn& progress) {
  if (options.blocks.threads > 1) return ConvertInBlocks(in, out, options, progress);
  BnaToXyzResult result;
  BnaObjectReader reader(in);
  LineWriter writer(out);
  BnaHeader header;
  ObjectsResult objects;
  ConvertObjects(
      reader, writer, options, header, 0, std::numeric_limits<long long>::max(),
      [&progress](long long count, const BnaObjectReader& r) {
        return count % kProgressInterval == 0 && progress && !progress(count, r.BytesRead());
      },
      objects);
  result.singlePointForm = objects.singlePointForm;
  result.pointCount = objects.pointCount;
  if (objects.pass.status != PassStatus::Done) {
    result.pass = std::move(objects.pass);
    return result;
  }
  if (!writer.Flush()) {
    result.pass = PassResult::WriteFault();
    return result;
  }
  result.pass.count = objects.count;
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
  BnaToXyzOptions options{index == 1 ? 1 : 2, state.OutputFormatCode, {}};
  options.blocks.threads = state.Threads;
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
