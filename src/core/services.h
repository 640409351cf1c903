// The steps every command takes the same way: choosing its files, reporting faults and
// progress.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/files.h"
#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// The filter list of the file-to-file converters.
inline constexpr std::string_view kPointFileFilters =
    "All files (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|XYZ (*.dat)|*.dat|Geosail "
    "(*.obj)|*.obj ";

// Asks for the input file with the filter list already set; writes the name into the
// window. False on Cancel. `title` names the dialog where a command has a title of its own.
bool AskInputFile(RunState& state, Ui& ui, int filterIndex, std::string_view title = {});

// Asks for the output file. False on Cancel, and also when the name is the input file's:
// writing there would destroy the data being read, so that is refused with a message.
bool AskOutputFile(RunState& state, Ui& ui, int filterIndex, std::string_view title = {});

// Empties both file names, in the run state and in the window.
void ClearFileNames(RunState& state, Ui& ui);

// Copies the statistics into the panel.
void ShowStatistics(const RunState& state, Ui& ui);

// "Error in the line: <n> of <input file>", and raises the error flag.
void ReportLineError(long long line, RunState& state, Ui& ui);

// A message box with the exclamation icon and OK.
void Warn(Ui& ui, std::string_view text, std::string_view title);

// Says that a file could not be opened or written, and why when the system said
// ("Permission denied", "No space left on device").
void ReportOpenFailure(Ui& ui, std::string_view fileName, bool forWriting,
                       std::string_view reason = {});

// Shows the fault of a failed pass in the status line and raises the error flag; "Stopped"
// when the user stopped it. A write fault names the output file, in a message box too.
void ReportPassEnd(const PassResult& result, std::string_view fileName, RunState& state, Ui& ui);

// Tells the user, in a message box, what a finished pass over `fileName` noted it left aside.
void ShowPassNote(const PassResult& result, std::string_view fileName, Ui& ui);

// The two files of a command's conversion pass, named by the window's labels.
struct CommandFiles {
  explicit CommandFiles(const RunState& state)
      : input(ReadablePath(state, state.InputFileName)), output(state.OutputFileName) {}

  // False, with a message naming the file, when either could not be opened.
  bool Open(Ui& ui) const;
  // Puts the output in place; false, with a message, when it could not be written.
  bool Commit(Ui& ui);

  InputFile input;
  OutputFile output;
};

// Progress callback for a pass over a file of `totalBytes`: the count goes to the window's
// counter, the bytes to its progress bar.
ProgressFn WindowProgress(Ui& ui, std::uint64_t totalBytes);

}  // namespace zolvane
