// What happens when the user reaches a menu item: the resets that come before a command,
// the guards around it, and the window-level items (About, Exit, Help).
#pragma once

#include "app/menu_tree.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// What the window still has to do after a click.
enum class DispatchOutcome { Done, Quit, ShowHelp, ShowCalculator };

inline constexpr std::string_view kHelpStatus =
    " Help file [zolvane32.rtf] should be in windows dir ";

// A top menu or a submenu has opened: the Transform menu blanks the file names, the
// submenus of fil2fil reset the state for the command to come.
void OpenMenu(const MenuItem& item, RunState& state, Ui& ui);

// A click on a command item. Failures of the command never escape.
DispatchOutcome Dispatch(const MenuItem& item, RunState& state, Ui& ui);

// The reset every fil2fil item performs before its command: status, X/Y statistics, the
// layout codes and flags, the file filters.
void ResetForFileCommand(RunState& state, Ui& ui);

// The About box of that Index.
void ShowAbout(int index, Ui& ui);

// "Zolvane Bye bye ": true when the user confirmed.
bool ConfirmExit(Ui& ui);

}  // namespace zolvane
