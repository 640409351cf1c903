#include "formats/bna/markup_command.h"

#include "formats/bna/bna_reader.h"

namespace zolvane {

bool StartMarkupCommand(RunState& state, Ui& ui, const MarkupStart& start,
                        std::optional<CommandFiles>& files,
                        const std::function<bool()>& askOptions) {
  ui.SetFileFilters(start.filters);
  if (!AskInputFile(state, ui, 2)) return false;
  ui.SetStatus(start.checking);
  CheckBnaFile(state.InputFileName, state, ui);
  if (state.InputError == 1) return false;
  if (!AskOutputFile(state, ui, start.outputFilter)) return false;

  files.emplace(state);
  if (!files->Open(ui)) return false;
  state.KmlDialogResult = 1;
  const bool chosen = askOptions();
  state.KmlDialogResult = 0;
  // Nothing is written on Cancel, so a file of that name keeps its contents.
  if (!chosen) ClearFileNames(state, ui);
  return chosen;
}

}  // namespace zolvane
