// BNA files: objects of two text labels and a signed count, followed by the count's
// coordinate lines "x,y", or a single point "label1,label2,1,x,y" on one line.
#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/text_reader.h"
#include "core/ui.h"

namespace zolvane {

inline constexpr std::size_t kMaxBnaHeaderLength = 80;
// Object numbers run from 1 in a table of 5000 entries.
inline constexpr long long kMaxBnaObjects = 4999;

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
  TooManyObjects,
  LineTooLong,  // beyond what any reader accepts
  NotText,      // a NUL byte
  NumberOutOfRange,
  ReadError,
  Stopped,
};

// MissingComma when the line lacks the first or second comma, NumberOutOfRange for a single
// point beyond the double range, None otherwise.
BnaFault ParseBnaHeader(std::string_view line, BnaHeader& header);

// "x,y[,anything]": CoordinateWithoutComma, NumberOutOfRange or None.
BnaFault ParseBnaCoordinate(std::string_view line, double& x, double& y);

struct BnaCheckResult {
  BnaFault fault = BnaFault::None;
  long long line = 0;  // 1-based number of the line at fault
  long long objectCount = 0;
  long long lineCount = 0;
  int singlePointForm = 0;  // of the last header read
};

// The checking pass: validates the structure and extends the X and Y statistics. `progress`
// (may be empty) is called at every header and every 100th coordinate line.
BnaCheckResult CheckBna(std::istream& in, Statistics& statistics, const ProgressFn& progress);

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

// Reads the objects of a checked file one after the other, for the converters' second pass.
class BnaObjectReader {
 public:
  explicit BnaObjectReader(std::istream& in) : lines_(in) {}

  // The next header; End at the end of the file. A header the checker would refuse ends
  // the pass with Failed and `fault` set.
  ReadStatus NextHeader(BnaHeader& header);
  // The next coordinate line of the current object.
  ReadStatus NextPoint(double& x, double& y);

  long long LineNumber() const { return lines_.LineNumber(); }
  std::uint64_t BytesRead() const { return lines_.BytesRead(); }
  // The fault behind the last Failed.
  PassResult Fault() const { return fault_; }

 private:
  ReadStatus Fail(std::string reason);

  LineReader lines_;
  PassResult fault_;
};

}  // namespace zolvane
