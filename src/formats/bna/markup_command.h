// The start the BNA => KML and BNA => XML commands share, up to their options dialog.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "core/run_state.h"
#include "core/services.h"
#include "core/ui.h"

namespace zolvane {

struct MarkupStart {
  std::string_view filters;
  std::string_view checking;  // the status shown while the input is checked
  int outputFilter;
};

// Asks for the BNA input and checks it, asks for the output, opens both into `files` and
// runs `askOptions` (the dialog; false on Cancel). False when any step ends the command.
bool StartMarkupCommand(RunState& state, Ui& ui, const MarkupStart& start,
                        std::optional<CommandFiles>& files,
                        const std::function<bool()>& askOptions);

}  // namespace zolvane
