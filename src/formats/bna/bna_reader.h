// BNA files: objects of two text labels and a signed count, followed by the count's
// coordinate lines "x,y", or a single point "label1,label2,1,x,y" on one line.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

#include "core/block_pass.h"
#include "core/pass.h"
#include "core/run_state.h"
#include "core/text_reader.h"
#include "core/ui.h"

namespace zolvane {

inline constexpr std::size_t kMaxBnaHeaderLength = 80;

// One header line, split at its first commas. The labels are the raw texts between them,
// copied so that they outlive the line.
struct BnaHeader {
  std::string label1;
  std::string label2;
  long long count = 0;       // n, rounded to a whole number
  bool singlePoint = false;  // the five-field form
  bool hasY = false;         // single point: a comma stands before y
  double x = 0, y = 0;       // single point: its coordinates
};

// A label as record-style writers want it: trimmed of blanks and tabs, without the double
// quotes around it.
std::string_view UnquotedBnaLabel(std::string_view label);

// n of a header: the number of `text`, rounded to a whole number, kept within a range no
// file can reach so that |n| never overflows.
long long ReadBnaCount(std::string_view text);

enum class BnaFault {
  None,
  HeaderTooLong,           // over 80 characters
  MissingComma,            // header without its first or second comma
  ZeroCount,               // n = 0
  UnsupportedSinglePoint,  // five-field form with n other than 1
  SinglePointWithoutY,     // five-field form without the comma before y
  CoordinateWithoutComma,
  EndInsideObject,  // fewer coordinate lines than the count
  EmptyFile,
  UnreadableNumber,  // a coordinate without a number where 0 may not be guessed
  LineTooLong,       // beyond what any reader accepts
  NotText,           // a NUL byte
  NumberOutOfRange,
  ReadError,
  Stopped,
};

// What a coordinate field without a number reads as: 0 by the leading-number rule, or a
// fault for readers that must not guess. A field in double quotes (what record-style
// writers make of a coordinate text) without a number is a fault either way.
enum class BnaNumbers { Leading, Required };

// One coordinate field by the leading-number rule; a field in double quotes, blanks around
// them allowed, is read for the number inside them. UnreadableNumber, NumberOutOfRange or None.
BnaFault ReadBnaCoordinate(std::string_view field, double& value, BnaNumbers rule);

// MissingComma when the line lacks the first or second comma; for a single point
// UnreadableNumber or NumberOutOfRange as ReadBnaCoordinate finds them; None otherwise.
BnaFault ParseBnaHeader(std::string_view line, BnaHeader& header,
                        BnaNumbers rule = BnaNumbers::Leading);

// "x,y[,anything]": CoordinateWithoutComma, UnreadableNumber, NumberOutOfRange or None.
BnaFault ParseBnaCoordinate(std::string_view line, double& x, double& y,
                            BnaNumbers rule = BnaNumbers::Leading);

struct BnaCheckResult {
  BnaFault fault = BnaFault::None;
  long long line = 0;  // 1-based number of the line at fault
  long long objectCount = 0;
  long long lineCount = 0;
  int singlePointForm = 0;  // of the last header read
};

// The checking pass: validates the structure and extends the X and Y statistics. `progress`
// (may be empty) is called at every header and every 100th coordinate line, or after every
// block when the check runs on several threads (the same fault, line, counts and ranges).
BnaCheckResult CheckBna(std::istream& in, Statistics& statistics, const ProgressFn& progress,
                        const BlockPassOptions& blocks = {});

// What is wrong, in a few words ("The file ends inside an object").
std::string BnaFaultReason(BnaFault fault);

// A plain description of a fault, naming the file and the line, for reports outside the
// main window.
std::string DescribeBnaFault(const BnaCheckResult& result, std::string_view fileName);

// " Error in the line  <n> of segment: <segment>", and raises the error flag.
void ReportBnaError(long long line, std::string_view segment, RunState& state, Ui& ui);

// The check as a command step: reports its outcome in the main window and leaves
// InputError at 1 when the file is at fault.
void CheckBnaFile(const std::string& path, RunState& state, Ui& ui);

// Progress of a conversion over a file CheckBnaFile has just counted: it moves the bar only,
// so "# points" keeps the check's count rather than the pass's thinned one.
ProgressFn CheckedFileProgress(Ui& ui, std::uint64_t totalBytes);

// Reads the objects of a file one after the other: the converters' second pass over a checked
// file, and the planning commands' only pass, which take no coordinate without a number
// (BnaNumbers::Required) and so need no check before it.
class BnaObjectReader {
 public:
  explicit BnaObjectReader(std::istream& in, BnaNumbers rule = BnaNumbers::Leading)
      : lines_(in), rule_(rule) {}
  // A file's text already in memory, which must outlive the reader.
  explicit BnaObjectReader(std::string_view text, BnaNumbers rule = BnaNumbers::Leading)
      : lines_(text), rule_(rule) {}

  // The next header; End at the end of the file. A header the checker would refuse ends
  // the pass with Failed and `fault` set.
  ReadStatus NextHeader(BnaHeader& header);
  // The next point of the current object: the coordinate line, or for a single-point
  // header the point it holds, so that |n| calls read any object.
  ReadStatus NextPoint(double& x, double& y);

  long long LineNumber() const { return lines_.LineNumber(); }
  std::uint64_t BytesRead() const { return lines_.BytesRead(); }
  // The fault behind the last Failed.
  PassResult Fault() const { return fault_; }

 private:
  ReadStatus Fail(std::string reason);

  LineReader lines_;
  BnaNumbers rule_;
  PassResult fault_;
  bool pendingPoint_ = false;  // a single-point header holds the object's point
  double pendingX_ = 0, pendingY_ = 0;
};

}  // namespace zolvane
