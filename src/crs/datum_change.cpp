#include "crs/datum_change.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/files.h"
#include "core/services.h"
#include "crs/crs.h"
#include "crs/crs_questions.h"
#include "crs/reproject.h"
#include "formats/bna/bna_reader.h"
#include "formats/xyz/xyz_pass.h"
#include "formats/xyz/xyz_questions.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {
namespace {

constexpr int kAllFilesFilter = 1;
constexpr int kBnaFilter = 2;
constexpr int kXyzFilter = 4;

}  // namespace

bool DatumChangeReadsBna(const std::string& path) {
  if (path.size() < 4) return false;
  std::string extension = path.substr(path.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".bna";
}

void DatumChange(RunState& state, Ui& ui) {
  FormatCodeReset reset(state);
  state.CheckStatistics = 0;
  ui.SetFileFilters(kPointFileFilters);
  if (!AskInputFile(state, ui, kAllFilesFilter)) return;
  const bool bna = DatumChangeReadsBna(state.InputFileName);
  if (bna) {
    ui.SetStatus(" Checking bna format file ");
    CheckBnaFile(state.InputFileName, state, ui);
    if (state.InputError == 1) return;
  } else if (!AskInputFormat(state, ui)) {
    return;
  }
  const auto choice = Ask(ui, &CrsQuestions::ChooseCrs);
  if (!choice) return;
  CrsFault fault = CrsFault::None;
  std::string message;
  const auto transform = CrsTransform::Create(choice->From, choice->To, fault, message);
  if (!transform) {
    if (fault == CrsFault::UnknownCrs) message += "\n" + std::string(kCrsSearchHint);
    ui.Message(message, "Datum change", MessageIcon::Exclamation, MessageButtons::Ok,
               MessageAnswer::Ok);
    return;
  }
  if (!AskOutputFile(state, ui, bna ? kBnaFilter : kXyzFilter)) return;
  if (!bna && !EnsureOutputFormat(state, ui)) return;
  if (!bna && state.CheckStatistics == 1) {
    CheckXyzFile(state.InputFileName, state, ui);
    if (state.InputError == 1) return;
  }

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus(" Changing datum ");
  ui.SetProgressCount(0);
  const int decimals = DefaultDecimals(*transform);
  const ProgressFn progress = WindowProgress(ui, files.input.Size());
  if (bna) {
    const PassResult result =
        ReprojectBna(files.input.Stream(), files.output.Stream(), *transform, decimals, progress);
    if (result.status != PassStatus::Done) {
      return ReportPassEnd(result, state.InputFileName, state, ui);
    }
    if (!files.Commit(ui)) return;
    ui.SetProgressCount(result.count);
    ui.SetStatus(" Finished   Datum change ");
    return;
  }
  ReprojectOptions options;
  options.inputFormatCode = state.InputFormatCode;
  options.outputFormatCode = state.OutputFormatCode;
  options.decimals = decimals;
  const XyzPassResult result =
      ReprojectXyz(files.input.Stream(), files.output.Stream(), *transform, options, progress);
  if (result.pass.status != PassStatus::Done) return ReportXyzPassFault(result, state, ui);
  if (!files.Commit(ui)) return;
  ReportXyzPassDone(result, " Finished   Datum change ", state, ui);
}

}  // namespace zolvane
