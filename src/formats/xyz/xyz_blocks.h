// Point passes on every core: the blocks of a point file are read and converted on worker
// threads and written in order, with the bytes, faults and line numbers of the one-thread
// pass.
#pragma once

#include <cerrno>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/block_pass.h"
#include "core/pass.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {

// One block converted: its output and what the next block must know of it. Lines are
// counted from the block's start.
struct XyzBlockResult {
  std::string text;
  PassResult pass;  // Failed: the fault that ends the pass, at a line of this block
  bool lineError = false;
  long long lines = 0, count = 0, tally = 0;
  long long partialLine = 0;
  // A blank line ended the data in this block; the lines after it that hold something.
  bool ended = false, unreadCountCut = false;
  long long blankLine = 0, unreadLines = 0;
  // A comma point runs on into the next block: the values it has so far.
  int startFields = 0, openFields = 0;
  XyzPoint openPoint;
};

struct XyzBlockOptions {
  int inputFormatCode = 11;
  BlockPassOptions blocks;
  bool partialPointFault = false;     // a comma file ending inside a point fails the pass
  std::string_view lineEnd = "\r\n";  // that of the output the blocks go to
};

// Reads the points of one block, from a point begun before it when `startFields` > 0.
// `use(point, writer, tally)` converts a point and returns a fault reason or nothing; a
// `use(point, line, writer, tally)` returns the fault with its own line, and may hold points
// back until its `Finish(writer)`.
template <typename Use>
void ConvertXyzBlock(const TextBlock& block, const XyzBlockOptions& options, int startFields,
                     const XyzPoint& startPoint, Use& use, XyzBlockResult& result) {
  std::string text = std::move(result.text);  // its room is used again
  text.clear();
  result = XyzBlockResult{};
  result.text = std::move(text);
  result.startFields = startFields;
  XyzReader reader(std::string_view(block.text), options.inputFormatCode);
  XyzPoint point;
  if (startFields > 0) {
    point = startPoint;
    reader.ResumePoint(startFields);
  }
  LineWriter writer(result.text, options.lineEnd);
  for (;;) {
    const XyzStatus status = ReadXyzPoint(reader, point);
    if (status == XyzStatus::End) {
      result.ended = reader.DataEndLine() > 0;
      result.blankLine = reader.DataEndLine();
      result.unreadLines = reader.UnreadLines();
      result.unreadCountCut = reader.UnreadCountCut();
      break;
    }
    if (status == XyzStatus::PartialPoint && !block.last) {
      result.openFields = reader.PartialFields();
      result.openPoint = point;
      break;
    }
    if (status == XyzStatus::PartialPoint && !options.partialPointFault) {
      result.partialLine = reader.LineNumber();
      continue;
    }
    if (status != XyzStatus::Point) {
      result.pass = XyzFault(status, reader.LineNumber());
      result.lineError = status == XyzStatus::BadLine;
      break;
    }
    if constexpr (std::is_invocable_v<Use&, XyzPoint&, long long, LineWriter&, long long&>) {
      ++result.count;
      result.pass = use(point, reader.LineNumber(), writer, result.tally);
      if (result.pass.status != PassStatus::Done) break;
    } else {
      if (const std::string_view fault = use(point, writer, result.tally); !fault.empty()) {
        result.pass = PassResult::Fail(std::string(fault), reader.LineNumber());
        break;
      }
      ++result.count;
    }
  }
  // A converter that holds points back writes them at the end of the block, or before the
  // fault that ended it; a fault among them comes first.
  if constexpr (requires { use.Finish(writer); }) {
    if (PassResult held = use.Finish(writer); held.status != PassStatus::Done) {
      result.pass = std::move(held);
      result.lineError = false;
    }
  }
  writer.Flush();
  result.lines = reader.LineNumber();
  if (block.readFailed && result.pass.status == PassStatus::Done) {
    result.pass = ReadFault(ReadStatus::Failed, result.lines);
  }
}

// The lines holding something in a block after the data ended; false when a line no reader
// takes stopped the count.
inline bool CountUnreadLines(const TextBlock& block, long long& unread, long long& lines) {
  LineReader reader{std::string_view(block.text)};
  std::string_view line;
  ReadStatus status;
  while ((status = reader.Next(line)) == ReadStatus::Ok) {
    if (!TrimBlanksAndTabs(line).empty()) ++unread;
  }
  lines = reader.LineNumber();
  return status == ReadStatus::End;
}

// The whole pass: `makeUse()` gives each thread its own converter, called as in
// ConvertXyzBlock. `tally` (the converters' own count, such as the points kept) is summed in
// input order and up to date whenever `progress` is called. One thread, or a layout that
// cannot be read, runs `useSequential` through the one-thread pass instead.
template <typename MakeUse, typename Sequential>
XyzPassResult ForEachXyzBlock(std::istream& in, std::ostream& out,
                              const XyzBlockOptions& passOptions, const ProgressFn& progress,
                              long long& tally, MakeUse&& makeUse, Sequential&& sequential) {
  if (passOptions.blocks.threads <= 1 || !XyzLayout::FromCode(passOptions.inputFormatCode).valid) {
    return sequential();
  }
  XyzBlockOptions options = passOptions;
  options.lineEnd = LineEndOf(out);
  XyzPassResult result;
  long long base = 0, count = 0;
  int openFields = 0;
  XyzPoint openPoint;
  bool ended = false, countCut = false;
  long long blankLine = 0, unread = 0;
  bool stopped = false;
  std::optional<std::invoke_result_t<MakeUse&>> ownUse;  // for blocks read again in order

  auto take = [&](const TextBlock& block, XyzBlockResult& r) {
    if (ended) {
      long long lines = 0;
      if (!countCut) countCut = !CountUnreadLines(block, unread, lines);
      return true;
    }
    if (r.startFields != openFields) {
      if (!ownUse) ownUse.emplace(makeUse());
      ConvertXyzBlock(block, options, openFields, openPoint, *ownUse, r);
    }
    if (!r.text.empty()) {
      // A refusal leaves its reason in errno; an older one must not pass for it.
      if (out.good()) errno = 0;
      out.write(r.text.data(), static_cast<std::streamsize>(r.text.size()));
    }
    count += r.count;
    tally += r.tally;
    if (r.pass.status == PassStatus::Failed) {
      result.pass = r.pass;
      result.pass.line = r.pass.line + base;
      result.lineError = r.lineError;
      return false;
    }
    if (r.partialLine > 0) result.partialLine = r.partialLine + base;
    if (r.ended) {
      ended = true;
      countCut = r.unreadCountCut;
      blankLine = r.blankLine + base;
      unread = r.unreadLines;
    }
    openFields = r.openFields;
    openPoint = r.openPoint;
    base += r.lines;
    if (progress && !progress(count, block.endOffset)) {
      stopped = true;
      return false;
    }
    return true;
  };
  RunBlocks<XyzBlockResult>(
      in, options.blocks, kMaxLineLength,
      [&] {
        return [&options, use = makeUse()](const TextBlock& block, XyzBlockResult& r) mutable {
          ConvertXyzBlock(block, options, 0, XyzPoint{}, use, r);
        };
      },
      take);
  if (stopped) result.pass = PassResult::Stop();
  if (result.pass.status == PassStatus::Done) NoteUnreadLines(blankLine, unread, result.pass);
  result.pass.count = count;
  out.flush();
  if (!out.good() && result.pass.status == PassStatus::Done) result.pass = PassResult::WriteFault();
  return result;
}

}  // namespace zolvane
