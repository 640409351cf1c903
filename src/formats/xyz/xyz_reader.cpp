#include "formats/xyz/xyz_reader.h"

#include <cmath>
#include <vector>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/value_tokens.h"
#include "formats/xyz/xyz_questions.h"

namespace zolvane {
namespace {

// False for a number beyond the double range.
bool AssignField(XyzValue& value, const Field& field) {
  if (field.quoted || !IsNumberText(field.text)) {
    value.SetText(field.text);
    return true;
  }
  bool outOfRange = false;
  value.SetNumber(ReadNumber(field.text, outOfRange));
  return !outOfRange;
}

XyzStatus StatusOfRead(ReadStatus status) {
  switch (status) {
    case ReadStatus::TooLong:
      return XyzStatus::TooLong;
    case ReadStatus::NotText:
      return XyzStatus::NotText;
    default:
      return XyzStatus::ReadFailed;
  }
}

// The values of a point in the order its columns stand in the file.
void ColumnTargets(const XyzLayout& layout, XyzPoint& point, XyzValue* targets[3]) {
  targets[0] = layout.YFirst() ? &point.y : &point.x;
  targets[1] = layout.YFirst() ? &point.x : &point.y;
  targets[2] = &point.z;
}

// One line of a blank or tab layout. Made for each delimiter so that the test for a blank
// costs no more than a comparison.
template <bool kTabs>
XyzStatus SplitLine(std::string_view line, const XyzLayout& layout, XyzPoint& point) {
  auto blank = [](char c) { return c == ' ' || (kTabs && c == '\t'); };
  std::size_t begin = 0, end = line.size();
  while (begin < end && blank(line[begin]))
    ++begin;
  while (end > begin && blank(line[end - 1]))
    --end;
  line = line.substr(begin, end - begin);
  // An empty line ends the data as the end of the file would.
  if (line.empty()) return XyzStatus::End;
  // The line ends in a value, so a value that stops short of the end has another after it.
  const std::size_t n = line.size();
  std::size_t i = 0;
  const std::string_view first = ScanValue(line, i, blank);
  if (i == n) return XyzStatus::BadLine;

  XyzValue* targets[3];
  ColumnTargets(layout, point, targets);
  bool outOfRange = false;
  targets[0]->SetNumber(ReadNumber(first, outOfRange));
  // The last value runs to the end of the line.
  auto rest = [&line, &i, &blank] {
    while (blank(line[i]))
      ++i;
    return line.substr(i);
  };
  if (!layout.HasZ()) {
    targets[1]->SetNumber(ReadNumber(rest(), outOfRange));
    return outOfRange ? XyzStatus::OutOfRange : XyzStatus::Point;
  }
  targets[1]->SetNumber(ReadNumber(ScanValue(line, i, blank), outOfRange));
  if (i == n) return XyzStatus::BadLine;
  targets[2]->SetNumber(ReadNumber(rest(), outOfRange));
  return outOfRange ? XyzStatus::OutOfRange : XyzStatus::Point;
}

}  // namespace

void XyzValue::SetText(std::string_view value) {
  text.assign(value);
  isText = true;
  number = ReadNumber(value);
}

void XyzValue::SetPicture(double value, std::string_view pattern) {
  text.clear();
  AppendPicture(text, value, pattern);
  isText = true;
  number = ReadNumber(text);
}

XyzReader::XyzReader(std::istream& in, int inputFormatCode)
    : lines_(in), fields_(lines_), layout_(XyzLayout::FromCode(inputFormatCode)) {}

XyzReader::XyzReader(std::string_view text, int inputFormatCode)
    : lines_(text), fields_(lines_), layout_(XyzLayout::FromCode(inputFormatCode)) {}

XyzStatus XyzReader::ReadFields(XyzPoint& point) {
  XyzValue* targets[3];
  ColumnTargets(layout_, point, targets);
  const int needed = layout_.HasZ() ? 3 : 2;
  Field field;
  const int first = resumeAt_;
  resumeAt_ = 0;
  for (int k = first; k < needed; ++k) {
    const ReadStatus status = fields_.Next(field);
    if (status == ReadStatus::End) {
      ended_ = true;
      partialFields_ = k;
      return k == 0 ? XyzStatus::End : XyzStatus::PartialPoint;
    }
    if (status != ReadStatus::Ok) return StatusOfRead(status);
    if (!AssignField(*targets[k], field)) return XyzStatus::OutOfRange;
  }
  return XyzStatus::Point;
}

XyzStatus XyzReader::ReadLine(XyzPoint& point) {
  std::string_view line;
  const ReadStatus status = lines_.Next(line);
  if (status == ReadStatus::End) {
    ended_ = true;
    return XyzStatus::End;
  }
  if (status != ReadStatus::Ok) return StatusOfRead(status);

  const XyzStatus result = layout_.delimiter == '\t' ? SplitLine<true>(line, layout_, point)
                                                     : SplitLine<false>(line, layout_, point);
  if (result == XyzStatus::End) {
    ended_ = true;
    // The data ends here; what follows is counted so the user learns it was left out.
    const long long blank = lines_.LineNumber();
    dataEndLine_ = blank;
    ReadStatus next;
    while ((next = lines_.Next(line)) == ReadStatus::Ok) {
      if (!TrimBlanksAndTabs(line).empty()) ++unreadLines_;
    }
    unreadCountCut_ = next != ReadStatus::End;
    if (unreadLines_ > 0) blankLine_ = blank;
  }
  return result;
}

XyzStatus ReadXyzPoint(XyzReader& reader, XyzPoint& point) {
  if (!reader.layout_.valid) return XyzStatus::BadLine;
  if (reader.ended_) return XyzStatus::End;
  point.hasZ = reader.layout_.HasZ();
  if (!point.hasZ) point.z.SetText({});
  return reader.layout_.delimiter == ',' ? reader.ReadFields(point) : reader.ReadLine(point);
}

int GuessXyzLayoutCode(std::istream& in) {
  constexpr int kLinesLooked = 20;
  LineReader lines(in);
  std::string_view line;
  char delimiter = 0;
  std::size_t columns = 0;
  bool firstWithinLatitude = true, secondBeyond = false;
  for (int i = 0; i < kLinesLooked && lines.Next(line) == ReadStatus::Ok; ++i) {
    line = TrimBlanksAndTabs(line);
    if (line.empty()) continue;
    if (delimiter == 0) {
      delimiter = line.find(',') != std::string_view::npos    ? ','
                  : line.find('\t') != std::string_view::npos ? '\t'
                                                              : ' ';
    }
    std::vector<double> values;
    for (std::size_t start = 0; start < line.size();) {
      std::size_t end = delimiter == ',' ? line.find(',', start) : line.find_first_of(" \t", start);
      if (end == std::string_view::npos) end = line.size();
      const std::string_view field = TrimBlanksAndTabs(line.substr(start, end - start));
      if (!field.empty() || delimiter == ',') values.push_back(ReadNumber(field));
      start = end + 1;
    }
    if (columns == 0) columns = values.size();
    if (values.size() >= 2) {
      firstWithinLatitude = firstWithinLatitude && std::abs(values[0]) <= 90;
      secondBeyond = secondBeyond || std::abs(values[1]) > 90;
    }
  }
  if (columns < 2) return 0;
  const int tens = delimiter == ',' ? 10 : delimiter == '\t' ? 30 : 20;
  const bool yFirst = firstWithinLatitude && secondBeyond;
  if (columns >= 3) return tens + (yFirst ? 2 : 1);
  return tens + (yFirst ? 4 : 3);
}

PassResult XyzFault(XyzStatus status, long long line) {
  switch (status) {
    case XyzStatus::BadLine:
      return PassResult::Fail("Line without its second or third value", line);
    case XyzStatus::PartialPoint:
      return PassResult::Fail("The file ends inside a point", line);
    case XyzStatus::TooLong:
      return ReadFault(ReadStatus::TooLong, line);
    case XyzStatus::NotText:
      return ReadFault(ReadStatus::NotText, line);
    case XyzStatus::OutOfRange:
      return NumberOutOfRange(line);
    default:
      return ReadFault(ReadStatus::Failed, line);
  }
}

void AppendXyzPoint(LineWriter& writer, const XyzLayout& layout, const XyzPoint& point) {
  auto append = [&writer](const XyzValue& value) {
    if (value.isText) {
      writer.Append(value.text);
    } else {
      writer.AppendGeneral(value.number);
    }
  };
  append(layout.YFirst() ? point.y : point.x);
  writer.Append(layout.delimiter);
  append(layout.YFirst() ? point.x : point.y);
  if (layout.HasZ()) {
    writer.Append(layout.delimiter);
    if (point.hasZ) append(point.z);
  }
}

bool AskInputFormat(RunState& state, Ui& ui) {
  const auto choice = Ask(ui, &XyzQuestions::InputOptions);
  if (!choice || choice->InputFormatCode < 1) return false;
  state.InputFormatCode = choice->InputFormatCode;
  state.CheckStatistics = choice->CheckStatistics ? 1 : 0;
  return true;
}

bool AskXyzFiles(RunState& state, Ui& ui) {
  constexpr int kXyzFilter = 4;
  if (!AskInputFile(state, ui, kXyzFilter)) return false;
  if (!AskInputFormat(state, ui)) return false;
  if (!AskOutputFile(state, ui, kXyzFilter)) return false;
  if (!EnsureOutputFormat(state, ui)) return false;
  if (state.CheckStatistics == 1) {
    CheckXyzFile(state.InputFileName, state, ui);
    if (state.InputError == 1) return false;
  }
  return true;
}

void NoteUnreadData(const XyzReader& reader, PassResult& result) {
  NoteUnreadLines(reader.BlankLine(), reader.UnreadLines(), result);
}

void NoteUnreadLines(long long blankLine, long long n, PassResult& result) {
  if (blankLine == 0 || n == 0) return;
  result.note = "A blank line ends the data: " + std::to_string(n) +
                (n == 1 ? " line after it was" : " lines after it were") + " left unread";
  result.noteLine = blankLine;
}

std::string PartialPointText(long long line, std::string_view fileName) {
  return FaultText("The file ends inside a point, which was left out", line, fileName);
}

XyzPassResult CheckXyz(std::istream& in, int inputFormatCode, Statistics& statistics,
                       const ProgressFn& progress) {
  return ForEachXyzPoint(in, inputFormatCode, progress, [&statistics](const XyzPoint& point) {
    statistics.UpdateXRange(point.x.number);
    statistics.UpdateYRange(point.y.number);
    if (point.hasZ) statistics.UpdateZRange(point.z.number);
  });
}

void CheckXyzFile(const std::string& path, RunState& state, Ui& ui) {
  ui.SetStatus(" Checking ascii file ");
  state.InputError = 0;
  state.Stats = {};  // the ranges of this file only
  InputFile file(ReadablePath(state, path));
  if (!file.IsOpen()) {
    state.InputError = 1;
    ReportOpenFailure(ui, path, false, file.Fault());
    return;
  }
  const XyzPassResult result =
      CheckXyz(file.Stream(), state.InputFormatCode, state.Stats, WindowProgress(ui, file.Size()));
  if (result.pass.status != PassStatus::Done) {
    if (result.lineError) return ReportLineError(result.pass.line, state, ui);
    return ReportPassEnd(result.pass, path, state, ui);
  }
  ui.SetProgressCount(result.pass.count);
  ShowStatistics(state, ui);
  ui.SetStatus("");
}

}  // namespace zolvane
