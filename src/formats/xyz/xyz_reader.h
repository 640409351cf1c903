// XYZ point files: two or three numeric columns separated by commas, blanks or tabs, in the
// column order of the input layout code (core/xyz_layout.h).
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/ui.h"
#include "core/xyz_layout.h"

namespace zolvane {

// One value of a point. Values are numbers, except a comma field that is not a plain number
// (a quoted text, "12abc", an empty field): that keeps its text, written back unchanged,
// and `number` holds what the leading-number rule makes of it for any arithmetic.
struct XyzValue {
  double number = 0;
  std::string text;
  bool isText = false;

  void SetNumber(double value) {
    number = value;
    isText = false;
  }
  void SetText(std::string_view value);
  // A coordinate written through a picture pattern such as "000.0000000".
  void SetPicture(double value, std::string_view pattern);
};

struct XyzPoint {
  XyzValue x, y, z;
  bool hasZ = false;  // orders 3 and 4 have no Z column
};

enum class XyzStatus {
  Point,
  End,           // end of the file, or an empty line in the blank and tab layouts
  BadLine,       // a blank or tab line without its second or third value
  PartialPoint,  // a comma file ended inside a point; the next read gives End
  TooLong,       // a line beyond what any reader accepts
  NotText,       // a line with a NUL byte
  OutOfRange,    // a number beyond the double range
  ReadFailed,
};

// Reads the points of one file by its layout code. Memory stays bounded whatever the file.
class XyzReader {
 public:
  XyzReader(std::istream& in, int inputFormatCode);
  // Points of text already in memory, which must outlive the reader.
  XyzReader(std::string_view text, int inputFormatCode);
  XyzReader(const XyzReader&) = delete;
  XyzReader& operator=(const XyzReader&) = delete;

  const XyzLayout& Layout() const { return layout_; }
  // Number of the line read last: the line in error after BadLine, the last line of the
  // file after PartialPoint.
  long long LineNumber() const { return lines_.LineNumber(); }
  std::uint64_t BytesRead() const { return lines_.BytesRead(); }
  // After End: the blank line that ended the data, and the lines holding something that
  // followed it, unread; 0 and 0 when none followed (blank lines at the end of a file).
  long long BlankLine() const { return blankLine_; }
  long long UnreadLines() const { return unreadLines_; }
  // After End: the blank line that ended the data, whatever followed it; 0 for none.
  long long DataEndLine() const { return dataEndLine_; }
  // After End: the lines after the blank one were counted up to a line no reader takes.
  bool UnreadCountCut() const { return unreadCountCut_; }
  // After PartialPoint: the values of the point read before the input ended.
  int PartialFields() const { return partialFields_; }
  // The next read goes on with a comma point whose first `fieldsRead` values the point
  // already holds, begun in the text before this reader's.
  void ResumePoint(int fieldsRead) { resumeAt_ = fieldsRead; }

 private:
  friend XyzStatus ReadXyzPoint(XyzReader& reader, XyzPoint& point);
  XyzStatus ReadFields(XyzPoint& point);
  XyzStatus ReadLine(XyzPoint& point);

  LineReader lines_;
  FieldReader fields_;
  XyzLayout layout_;
  bool ended_ = false;
  bool unreadCountCut_ = false;
  int partialFields_ = 0, resumeAt_ = 0;
  long long blankLine_ = 0, unreadLines_ = 0, dataEndLine_ = 0;
};

// The next point of the file. An invalid layout code reads as a bad first line.
XyzStatus ReadXyzPoint(XyzReader& reader, XyzPoint& point);

// The layout code the first lines of a point file suggest: the delimiter they hold (comma,
// then tab, else blank), two columns or three, and Y first when the first column stays
// within +-90 while the second goes beyond. 0 when the file holds no line to go by. The
// stream is read, not rewound.
int GuessXyzLayoutCode(std::istream& in);

// The failure that ends a pass after a status other than Point and End, for the reports.
PassResult XyzFault(XyzStatus status, long long line);

struct XyzPassResult {
  PassResult pass;            // pass.count: the points read
  bool lineError = false;     // the fault is a line without its values (or no layout chosen)
  long long partialLine = 0;  // a comma file ended inside a point on this line; it was left out
};

// The note for data a blank line left unread, in the pass's result for the command to show
// once its output is in place.
void NoteUnreadData(const XyzReader& reader, PassResult& result);
// The same note for `unread` lines after the blank line `blankLine`; none for 0 lines.
void NoteUnreadLines(long long blankLine, long long unread, PassResult& result);

// Calls `f(args...)`, which returns nothing or a fault reason (empty when there is none).
template <typename F, typename... Args>
std::string_view FaultOfCall(F&& f, Args&&... args) {
  if constexpr (std::is_void_v<std::invoke_result_t<F, Args...>>) {
    f(std::forward<Args>(args)...);
    return {};
  } else {
    return f(std::forward<Args>(args)...);
  }
}

// Reads every point by `inputFormatCode` and hands it to `use`, with the rules every pass
// over a point file shares: a partial last point is left out and noted, data after a blank
// line is noted, any other fault ends the pass with its line, and `progress` (may be empty)
// is called every 200 points. `use` may return a fault reason that ends the pass at the
// point's line.
template <typename Use>
XyzPassResult ForEachXyzPoint(std::istream& in, int inputFormatCode, const ProgressFn& progress,
                              Use&& use) {
  constexpr long long kProgressInterval = 200;
  XyzPassResult result;
  XyzReader reader(in, inputFormatCode);
  XyzPoint point;
  long long count = 0;
  for (;;) {
    const XyzStatus status = ReadXyzPoint(reader, point);
    if (status == XyzStatus::End) {
      NoteUnreadData(reader, result.pass);
      break;
    }
    if (status == XyzStatus::PartialPoint) {
      result.partialLine = reader.LineNumber();
      continue;
    }
    if (status != XyzStatus::Point) {
      // No layout chosen counts as a fault of the first line.
      result.pass = XyzFault(status, reader.Layout().valid ? reader.LineNumber() : 1);
      result.lineError = status == XyzStatus::BadLine;
      break;
    }
    // A `use` that takes the point's line too may end the pass by returning false, its fault
    // then its own to report; any other may return a fault reason.
    if constexpr (std::is_invocable_v<Use&, XyzPoint&, long long>) {
      if (!use(point, reader.LineNumber())) break;
    } else if (const std::string_view fault = FaultOfCall(use, point); !fault.empty()) {
      result.pass = PassResult::Fail(std::string(fault), reader.LineNumber());
      break;
    }
    ++count;
    if (count % kProgressInterval == 0 && progress && !progress(count, reader.BytesRead())) {
      result.pass = PassResult::Stop();
      break;
    }
  }
  result.pass.count = count;
  return result;
}

// The statistics pre-scan: extends the X, Y and Z ranges with every point read. `progress`
// (may be empty) is called every 200 points.
XyzPassResult CheckXyz(std::istream& in, int inputFormatCode, Statistics& statistics,
                       const ProgressFn& progress);

// The pre-scan as a command step: shows the ranges, or reports the line at fault and leaves
// InputError at 1.
void CheckXyzFile(const std::string& path, RunState& state, Ui& ui);

// The values of a point in the columns of an output layout, joined by its delimiter, without
// ending the line (callers may add columns of their own). A missing Z writes nothing.
void AppendXyzPoint(LineWriter& writer, const XyzLayout& layout, const XyzPoint& point);

// Shows the input-options dialog and stores its layout code and statistics choice. False
// when the user closed it without confirming.
bool AskInputFormat(RunState& state, Ui& ui);

// The dialogs of a command converting one point file into another, in their order: the
// input file and its layout, the output file and its layout, then the pre-scan when the
// user asked for it. False when the command is to end. The filter list must be set.
bool AskXyzFiles(RunState& state, Ui& ui);

// Puts the layout codes back to 0 when a command that asked for them ends, whichever way,
// so that the option dialogs ask again next time.
class FormatCodeReset {
 public:
  explicit FormatCodeReset(RunState& state) : state_(state) {}
  FormatCodeReset(const FormatCodeReset&) = delete;
  FormatCodeReset& operator=(const FormatCodeReset&) = delete;
  ~FormatCodeReset() {
    state_.LastInputFormatCode = state_.InputFormatCode;
    state_.LastOutputFormatCode = state_.OutputFormatCode;
    state_.InputFormatCode = 0;
    state_.OutputFormatCode = 0;
  }

 private:
  RunState& state_;
};

// The status text for a comma file that ended inside a point.
std::string PartialPointText(long long line, std::string_view fileName);

}  // namespace zolvane
