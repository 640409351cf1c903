#include "formats/bna/bna_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "formats/bna/bna_blocks.h"

namespace zolvane {
namespace {

constexpr long long kCheckProgressInterval = 100;
long long Magnitude(long long count) {
  return count < 0 ? -count : count;
}

BnaFault FaultOfRead(ReadStatus status) {
  switch (status) {
    case ReadStatus::TooLong:
      return BnaFault::LineTooLong;
    case ReadStatus::NotText:
      return BnaFault::NotText;
    default:
      return BnaFault::ReadError;
  }
}

}  // namespace

std::string_view UnquotedBnaLabel(std::string_view label) {
  label = TrimBlanksAndTabs(label);
  if (label.size() >= 2 && label.front() == '"' && label.back() == '"') {
    label = label.substr(1, label.size() - 2);
  }
  return label;
}

long long ReadBnaCount(std::string_view text) {
  // Counts beyond this cannot be met by any file and would overflow |n|.
  constexpr double kCountLimit = 4.0e18;
  return ToInt64(std::clamp(RoundHalfEven(ReadNumber(text)), -kCountLimit, kCountLimit));
}

std::string BnaFaultReason(BnaFault fault) {
  switch (fault) {
    case BnaFault::None:
      return "No fault";
    case BnaFault::HeaderTooLong:
      return "Header line longer than 80 characters";
    case BnaFault::MissingComma:
      return "Header line without its first two commas";
    case BnaFault::ZeroCount:
      return "Object with a count of 0";
    case BnaFault::UnsupportedSinglePoint:
      return "Single-point header with a count other than 1";
    case BnaFault::SinglePointWithoutY:
      return "Single point without its y coordinate";
    case BnaFault::CoordinateWithoutComma:
      return "Coordinate line without a comma";
    case BnaFault::EndInsideObject:
      return "The file ends inside an object";
    case BnaFault::EmptyFile:
      return "The file is empty";
    case BnaFault::UnreadableNumber:
      return "Unreadable number";
    case BnaFault::LineTooLong:
      return ReadFault(ReadStatus::TooLong, 0).reason;
    case BnaFault::NotText:
      return ReadFault(ReadStatus::NotText, 0).reason;
    case BnaFault::NumberOutOfRange:
      return NumberOutOfRange(0).reason;
    case BnaFault::ReadError:
      return ReadFault(ReadStatus::Failed, 0).reason;
    case BnaFault::Stopped:
      return "Stopped";
  }
  return "";
}

BnaFault ReadBnaCoordinate(std::string_view field, double& value, BnaNumbers rule) {
  const std::size_t start = field.find_first_not_of(" \t");
  if (start != std::string_view::npos && field[start] == '"') {
    field.remove_prefix(start + 1);
    field = field.substr(0, field.find('"'));
    rule = BnaNumbers::Required;
  }
  if (rule == BnaNumbers::Required && !HasLeadingNumber(field)) {
    return BnaFault::UnreadableNumber;
  }
  bool outOfRange = false;
  value = ReadNumber(field, outOfRange);
  return outOfRange ? BnaFault::NumberOutOfRange : BnaFault::None;
}

BnaFault ParseBnaHeader(std::string_view line, BnaHeader& header, BnaNumbers rule) {
  const std::size_t p1 = line.find(',');
  if (p1 == std::string_view::npos) return BnaFault::MissingComma;
  const std::size_t p2 = line.find(',', p1 + 1);
  if (p2 == std::string_view::npos) return BnaFault::MissingComma;
  header.label1.assign(line.substr(0, p1));
  header.label2.assign(line.substr(p1 + 1, p2 - p1 - 1));
  const std::size_t p3 = line.find(',', p2 + 1);
  header.singlePoint = p3 != std::string_view::npos;
  header.hasY = false;
  header.x = header.y = 0;
  if (!header.singlePoint) {
    header.count = ReadBnaCount(line.substr(p2 + 1));
    return BnaFault::None;
  }
  header.count = ReadBnaCount(line.substr(p2 + 1, p3 - p2 - 1));
  const std::size_t p4 = line.find(',', p3 + 1);
  if (p4 == std::string_view::npos) return BnaFault::None;
  header.hasY = true;
  return ParseBnaCoordinate(line.substr(p3 + 1), header.x, header.y, rule);
}

BnaFault ParseBnaCoordinate(std::string_view line, double& x, double& y, BnaNumbers rule) {
  const std::size_t comma = line.find(',');
  if (comma == std::string_view::npos) return BnaFault::CoordinateWithoutComma;
  const BnaFault xFault = ReadBnaCoordinate(line.substr(0, comma), x, rule);
  if (xFault == BnaFault::UnreadableNumber) return xFault;
  const BnaFault yFault = ReadBnaCoordinate(line.substr(comma + 1), y, rule);
  return yFault != BnaFault::None ? yFault : xFault;
}

namespace {

// Checks objects from the reader's position, `open` coordinate lines of an object first, up to
// the end of the input or a fault, or once `lineLimit` lines are read; lines are counted from
// the reader's start. `report(lineCount)` is asked at every header, every 100th coordinate
// line and every object's end, and false stops the check.
template <typename Ranges, typename Report>
void CheckObjects(LineReader& lines, long long open, long long lineLimit, Ranges& statistics,
                  BnaCheckResult& result, Report&& report) {
  auto fail = [&](BnaFault fault, long long line) {
    result.fault = fault;
    result.line = line;
  };
  std::string_view line;
  BnaHeader header;
  for (;;) {
    if (open > 0) {
      for (; open > 0 && result.lineCount < lineLimit; --open) {
        const ReadStatus status = lines.Next(line);
        if (status == ReadStatus::End) return fail(BnaFault::EndInsideObject, result.lineCount);
        if (status != ReadStatus::Ok) return fail(FaultOfRead(status), lines.LineNumber());
        ++result.lineCount;
        if (result.lineCount % kCheckProgressInterval == 0 && !report(result.lineCount)) {
          return fail(BnaFault::Stopped, result.lineCount);
        }
        double x = 0, y = 0;
        if (const BnaFault fault = ParseBnaCoordinate(line, x, y); fault != BnaFault::None) {
          return fail(fault, result.lineCount);
        }
        statistics.UpdateXRange(x);
        statistics.UpdateYRange(y);
      }
      if (open > 0) return;
      if (!report(result.lineCount)) return fail(BnaFault::Stopped, result.lineCount);
    }
    if (result.lineCount >= lineLimit) return;
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) return;
    if (status != ReadStatus::Ok) return fail(FaultOfRead(status), lines.LineNumber());
    ++result.objectCount;
    const long long headerLine = lines.LineNumber();
    if (line.size() > kMaxBnaHeaderLength) return fail(BnaFault::HeaderTooLong, headerLine);
    if (const BnaFault fault = ParseBnaHeader(line, header); fault != BnaFault::None) {
      return fail(fault, headerLine);
    }
    result.singlePointForm = header.singlePoint ? 1 : 0;
    if (header.count == 0) return fail(BnaFault::ZeroCount, headerLine);
    ++result.lineCount;
    if (!report(result.lineCount)) return fail(BnaFault::Stopped, headerLine);
    if (header.singlePoint) {
      if (header.count != 1) return fail(BnaFault::UnsupportedSinglePoint, result.lineCount);
      if (!header.hasY) return fail(BnaFault::SinglePointWithoutY, result.lineCount);
      statistics.UpdateXRange(header.x);
      statistics.UpdateYRange(header.y);
    } else {
      open = Magnitude(header.count);
    }
  }
}

// One axis of a block's range: the values after a NaN that opened it count as they would
// have on one thread, where a NaN only sticks when it is the first value of all.
struct BlockRange {
  bool firstNan = false;
  bool has = false;
  double minimum = 0, maximum = 0;

  void Add(double value) {
    if (!has && !firstNan && std::isnan(value)) {
      firstNan = true;
      return;
    }
    if (std::isnan(value)) return;
    Statistics::Update(maximum, minimum, has, value);
  }
  void MergeInto(double& totalMax, double& totalMin, bool& totalHas) const {
    if (!totalHas && firstNan)
      Statistics::Update(totalMax, totalMin, totalHas, std::numeric_limits<double>::quiet_NaN());
    if (!has) return;
    Statistics::Update(totalMax, totalMin, totalHas, minimum);
    Statistics::Update(totalMax, totalMin, totalHas, maximum);
  }
};

// The X and Y ranges of one block, taking values as Statistics does.
struct BlockRanges {
  BlockRange x, y;
  void UpdateXRange(double value) { x.Add(value); }
  void UpdateYRange(double value) { y.Add(value); }
};

struct CheckBlockResult {
  BnaCheckResult check;
  BlockRanges ranges;
};

BnaCheckResult CheckInBlocks(std::istream& in, Statistics& statistics, const ProgressFn& progress,
                             const BlockPassOptions& blocks) {
  BnaCheckResult result;
  BnaBlockCutter cutter(in, blocks.blockSize);
  auto check = [](const BnaBlock& block, CheckBlockResult& r) {
    r = CheckBlockResult{};
    r.check.singlePointForm = -1;  // no header read in this block
    LineReader lines{std::string_view(block.text)};
    CheckObjects(lines, block.openPoints, block.LinesToRead(), r.ranges, r.check,
                 [](long long) { return true; });
    if (block.readFailed && r.check.fault == BnaFault::None) {
      r.check.fault = BnaFault::ReadError;
      r.check.line = lines.LineNumber();
    }
  };
  bool stopped = false;
  auto take = [&](const BnaBlock& block, CheckBlockResult& r) {
    result.objectCount += r.check.objectCount;
    result.lineCount += r.check.lineCount;
    if (r.check.singlePointForm >= 0) result.singlePointForm = r.check.singlePointForm;
    r.ranges.x.MergeInto(statistics.XMax, statistics.XMin, statistics.HasX);
    r.ranges.y.MergeInto(statistics.YMax, statistics.YMin, statistics.HasY);
    if (r.check.fault != BnaFault::None) {
      result.fault = r.check.fault;
      result.line = r.check.line + block.lineBase;
      return false;
    }
    if (progress && !progress(result.lineCount, block.endOffset)) {
      stopped = true;
      return false;
    }
    return true;
  };
  RunCutBlocks<CheckBlockResult>(
      cutter, blocks.threads, [&] { return check; }, take);
  if (stopped) {
    result.fault = BnaFault::Stopped;
    result.line = result.lineCount;
  } else if (result.fault == BnaFault::None && result.lineCount == 0) {
    result.fault = BnaFault::EmptyFile;
  }
  return result;
}

}  // namespace

BnaCheckResult CheckBna(std::istream& in, Statistics& statistics, const ProgressFn& progress,
                        const BlockPassOptions& blocks) {
  if (blocks.threads > 1) return CheckInBlocks(in, statistics, progress, blocks);
  BnaCheckResult result;
  LineReader lines(in);
  CheckObjects(
      lines, 0, std::numeric_limits<long long>::max(), statistics, result,
      [&](long long lineCount) { return !progress || progress(lineCount, lines.BytesRead()); });
  if (result.fault == BnaFault::None && result.lineCount == 0) result.fault = BnaFault::EmptyFile;
  return result;
}

std::string DescribeBnaFault(const BnaCheckResult& result, std::string_view fileName) {
  return FaultText(BnaFaultReason(result.fault), result.line, fileName);
}

void ReportBnaError(long long line, std::string_view segment, RunState& state, Ui& ui) {
  std::string text = " Error in the line  ";
  text += FormatSigned(static_cast<double>(line));
  text += " of segment: ";
  text += segment;
  ui.SetStatus(text);
  state.InputError = 1;
}

ProgressFn CheckedFileProgress(Ui& ui, std::uint64_t totalBytes) {
  return [&ui, totalBytes](long long, std::uint64_t bytesRead) {
    return ui.Progress(bytesRead, totalBytes);
  };
}

void CheckBnaFile(const std::string& path, RunState& state, Ui& ui) {
  ui.SetStatus("Checking BNA file");
  state.InputError = 0;
  state.BnaObjectCount = 0;
  state.Stats = {};  // the ranges of this file only
  InputFile file(ReadablePath(state, path));
  if (!file.IsOpen()) {
    state.InputError = 1;
    ReportOpenFailure(ui, path, false, file.Fault());
    return;
  }
  const BnaCheckResult result =
      CheckBna(file.Stream(), state.Stats, WindowProgress(ui, file.Size()), {state.Threads});
  state.BnaObjectCount = result.objectCount;
  state.BnaSinglePointForm = result.singlePointForm;
  ui.SetProgressCount(result.lineCount);

  constexpr std::string_view kTitle = "Test BNA";
  switch (result.fault) {
    case BnaFault::None:
      ui.SetStatus("");
      ShowStatistics(state, ui);
      return;
    case BnaFault::HeaderTooLong:
      state.InputError = 1;
      Warn(ui, "Line too long, Max. 80 characters ", kTitle);
      return;
    case BnaFault::MissingComma:
    case BnaFault::ZeroCount:
      ReportBnaError(0, "", state, ui);
      return;
    case BnaFault::UnsupportedSinglePoint:
      Warn(ui, "this BNA format is not supported (a$,b$,n(<>1),x,y,......,x,y) ", kTitle);
      ReportBnaError(result.line, "", state, ui);
      return;
    case BnaFault::SinglePointWithoutY:
    case BnaFault::CoordinateWithoutComma:
      ReportBnaError(result.line, "", state, ui);
      return;
    case BnaFault::Stopped:
      state.InputError = 1;
      ui.SetStatus("Stopped");
      return;
    default:
      state.InputError = 1;
      ui.SetStatus(DescribeBnaFault(result, path));
      return;
  }
}

ReadStatus BnaObjectReader::Fail(std::string reason) {
  fault_ = PassResult::Fail(std::move(reason), lines_.LineNumber());
  return ReadStatus::Failed;
}

ReadStatus BnaObjectReader::NextHeader(BnaHeader& header) {
  pendingPoint_ = false;
  std::string_view line;
  const ReadStatus status = lines_.Next(line);
  if (status == ReadStatus::End) return status;
  if (status != ReadStatus::Ok) return Fail(BnaFaultReason(FaultOfRead(status)));
  if (const BnaFault fault = ParseBnaHeader(line, header, rule_); fault != BnaFault::None) {
    return Fail(BnaFaultReason(fault));
  }
  if (header.count == 0) return Fail(BnaFaultReason(BnaFault::ZeroCount));
  if (header.singlePoint && header.count != 1) {
    return Fail(BnaFaultReason(BnaFault::UnsupportedSinglePoint));
  }
  if (header.singlePoint && !header.hasY)
    return Fail(BnaFaultReason(BnaFault::SinglePointWithoutY));
  if (header.singlePoint) {
    pendingPoint_ = true;
    pendingX_ = header.x;
    pendingY_ = header.y;
  }
  return ReadStatus::Ok;
}

ReadStatus BnaObjectReader::NextPoint(double& x, double& y) {
  if (pendingPoint_) {
    pendingPoint_ = false;
    x = pendingX_;
    y = pendingY_;
    return ReadStatus::Ok;
  }
  std::string_view line;
  const ReadStatus status = lines_.Next(line);
  if (status == ReadStatus::End) return Fail(BnaFaultReason(BnaFault::EndInsideObject));
  if (status != ReadStatus::Ok) return Fail(BnaFaultReason(FaultOfRead(status)));
  if (const BnaFault fault = ParseBnaCoordinate(line, x, y, rule_); fault != BnaFault::None) {
    return Fail(BnaFaultReason(fault));
  }
  return ReadStatus::Ok;
}

}  // namespace zolvane
