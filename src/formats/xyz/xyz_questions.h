// The XYZ layout questions, asked by every command that reads or writes XYZ points whatever
// its family.
#pragma once

#include <optional>

#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// What the output-options dialog hands back.
struct OutputOptionsChoice {
  int OutputFormatCode = 11;
  bool Distances = false;
};

// What the input-options dialog hands back.
struct InputOptionsChoice {
  int InputFormatCode = 11;
  bool CheckStatistics = false;
};

// Empty when the user closed the dialog without confirming it.
class XyzQuestions {
 public:
  virtual ~XyzQuestions() = default;
  virtual std::optional<OutputOptionsChoice> OutputOptions() = 0;
  virtual std::optional<InputOptionsChoice> InputOptions() = 0;
};

// Shows the output-options dialog unless a layout is already chosen. False when the user
// closed the dialog without confirming it.
inline bool EnsureOutputFormat(RunState& state, Ui& ui) {
  if (state.OutputFormatCode >= 1) return true;
  const auto choice = Ask(ui, &XyzQuestions::OutputOptions);
  if (!choice) return false;
  state.OutputFormatCode = choice->OutputFormatCode;
  state.OutputDistances = choice->Distances;
  return true;
}

}  // namespace zolvane
