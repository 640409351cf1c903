#include "core/services.h"

#include "core/files.h"
#include "core/number_format.h"

namespace zolvane {

bool AskInputFile(RunState& state, Ui& ui, int filterIndex, std::string_view title) {
  const auto name = ui.ChooseInputFile(filterIndex, title);
  if (!name || name->empty()) return false;
  state.InputCopyFile.reset();
  if (ReadsOnce(*name)) {
    // Most commands read their input twice; a pipe would be empty the second time.
    std::string error;
    state.InputCopyFile = InputCopy::Make(*name, error);
    if (!state.InputCopyFile) {
      ReportOpenFailure(ui, *name, false);
      return false;
    }
  }
  state.InputFileName = *name;
  ui.SetInputFileName(*name);
  return true;
}

bool AskOutputFile(RunState& state, Ui& ui, int filterIndex, std::string_view title) {
  const auto name = ui.ChooseOutputFile(filterIndex, title);
  if (!name || name->empty()) return false;
  if (!state.InputFileName.empty() && SameFile(*name, state.InputFileName)) {
    Warn(ui, "The output file must not be the input file:\n" + *name, " Output file ");
    return false;
  }
  state.OutputFileName = *name;
  ui.SetOutputFileName(*name);
  return true;
}

void ClearFileNames(RunState& state, Ui& ui) {
  state.InputFileName.clear();
  state.OutputFileName.clear();
  ui.SetInputFileName("");
  ui.SetOutputFileName("");
}

void ShowStatistics(const RunState& state, Ui& ui) {
  ui.ShowStatistics(state.Stats);
}

void ReportLineError(long long line, RunState& state, Ui& ui) {
  ui.SetStatus("Error in the line: " + FormatSigned(static_cast<double>(line)) + " of " +
               state.InputFileName);
  state.InputError = 1;
}

void Warn(Ui& ui, std::string_view text, std::string_view title) {
  ui.Message(text, title, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok);
}

void ReportOpenFailure(Ui& ui, std::string_view fileName, bool forWriting,
                       std::string_view reason) {
  std::string text = forWriting ? "The file cannot be written:\n" : "The file cannot be opened:\n";
  text += fileName;
  if (!reason.empty()) {
    text += "\n";
    text += reason;
  }
  Warn(ui, text, " Zolvane ");
}

void ReportPassEnd(const PassResult& result, std::string_view fileName, RunState& state, Ui& ui) {
  if (result.status == PassStatus::Done) return;
  state.InputError = 1;
  if (result.status == PassStatus::Stopped) {
    ui.SetStatus("Stopped");
  } else if (result.outputFault) {
    // The input is sound; the fault lies with the file being written.
    ui.SetStatus(result.reason + ": " + state.OutputFileName);
    ReportOpenFailure(ui, state.OutputFileName, true, result.systemReason);
  } else {
    ui.SetStatus(FaultText(result.reason, result.line, fileName));
  }
}

void ShowPassNote(const PassResult& result, std::string_view fileName, Ui& ui) {
  if (result.note.empty()) return;
  ui.Message(FaultText(result.note, result.noteLine, fileName), " Note ", MessageIcon::Information,
             MessageButtons::Ok, MessageAnswer::Ok);
}

bool CommandFiles::Open(Ui& ui) const {
  if (!input.IsOpen()) {
    ReportOpenFailure(ui, input.Path(), false, input.Fault());
    return false;
  }
  if (!output.IsOpen()) {
    ReportOpenFailure(ui, output.Path(), true, output.Fault());
    return false;
  }
  return true;
}

bool CommandFiles::Commit(Ui& ui) {
  if (output.Commit()) {
    ui.OutputCompleted();
    return true;
  }
  if (output.WritesInPlace()) {
    Warn(ui,
         "The file cannot be written, and its old content is lost (it had to be written in "
         "place):\n" +
             output.Path() + (output.Fault().empty() ? "" : "\n" + output.Fault()),
         " Zolvane ");
  } else {
    ReportOpenFailure(ui, output.Path(), true, output.Fault());
  }
  return false;
}

ProgressFn WindowProgress(Ui& ui, std::uint64_t totalBytes) {
  return [&ui, totalBytes](long long count, std::uint64_t bytesRead) {
    ui.SetProgressCount(count);
    return ui.Progress(bytesRead, totalBytes);
  };
}

}  // namespace zolvane
