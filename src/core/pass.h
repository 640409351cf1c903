// What an engine pass hands back to the command that ran it.
#pragma once

#include <cerrno>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/text_reader.h"

namespace zolvane {

// Called by an engine every so many records: `count` is the running count the main window
// shows, `bytesRead` how far into the input the pass is. Returning false asks it to stop.
using ProgressFn = std::function<bool(long long count, std::uint64_t bytesRead)>;

enum class PassStatus { Done, Stopped, Failed };

struct PassResult {
  PassStatus status = PassStatus::Done;
  std::string reason;        // what went wrong, when Failed
  long long line = 0;        // the input line it concerns
  long long count = 0;       // records written
  bool outputFault = false;  // Failed because the output refused the text, not the input
  std::string systemReason;  // the system's word for an output fault ("No space left on device")
  // Input a finished pass left aside, for the user to be told once the output stands: the
  // reason and the line it concerns; empty when there is none.
  std::string note;
  long long noteLine = 0;

  static PassResult Fail(std::string reason, long long line) {
    PassResult result;
    result.status = PassStatus::Failed;
    result.reason = std::move(reason);
    result.line = line;
    return result;
  }
  // Made right after the refused write, while errno still holds the system's reason.
  static PassResult WriteFault() {
    const int code = errno;
    PassResult result = Fail("The output could not be written", 0);
    result.outputFault = true;
    if (code != 0) result.systemReason = std::generic_category().message(code);
    return result;
  }
  static PassResult Stop() {
    PassResult result;
    result.status = PassStatus::Stopped;
    return result;
  }
};

// "<reason>: line <n> of <file>", the one form of report for faults found while reading;
// "<reason>: <file>" for a line of 0, a fault of the whole file.
std::string FaultText(std::string_view reason, long long line, std::string_view fileName);

// The failure for a reader that stopped on a line too long, a binary line or a read error.
PassResult ReadFault(ReadStatus status, long long line);

// The failure for a number beyond the double range (see ReadNumber).
PassResult NumberOutOfRange(long long line);

// The failure for an input without a single line, a fault of the whole file.
PassResult EmptyFileFault();

}  // namespace zolvane
