// The main window's menu tree: every item in display order, with the command behind it.
// The window builds its menu bar from this table and hands each click to the dispatch.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// Every menu command receives the Index of the item that started it.
using CommandFn = void (*)(int index, RunState& state, Ui& ui);

// Adapts a command that does not look at the Index (the file transforms behind G2U/U2G).
template <void (*Command)(RunState&, Ui&)>
void IgnoringIndex(int, RunState& state, Ui& ui) {
  Command(state, ui);
}

enum class MenuKind {
  TopMenu,  // an entry of the menu bar that opens a menu
  Submenu,  // an item that opens a submenu; runs nothing itself
  Command,  // runs something (also a menu-bar entry without a menu, like Exit)
  Separator,
};

// What the dispatch does around the command of an item.
enum class MenuRule {
  Plain,           // runs the command as it is
  FileToFile,      // fil2fil: reset, run with the failure trap, clear the error flag
  AfterReset,      // items of fil2fil's submenus: their parent reset the state on opening
  GeosailWarning,  // id2: AfterReset, then a warning that may cancel
  BridgeNotice,    // id1: AfterReset, then a notice that may cancel
  GeoToUtm,        // G2U: zone cleared and the mode flag raised around the command
  UtmToGeo,        // U2G: the mode flag raised around the command
  ClearFileNames,  // the Transform menu: opening it blanks both file names
};

// Items the window handles itself rather than a command of the run state.
enum class WindowAction { None, Help, About, Exit, Calculator };

struct MenuItem {
  int depth;                 // 0 menu bar, 1 item of a top menu, 2 item of a submenu
  std::string_view control;  // the control's name; with the Index it names the item
  int index;                 // Index within its control array; -1 for a single control
  std::string_view caption;
  MenuKind kind;
  MenuRule rule = MenuRule::Plain;
  CommandFn command = nullptr;  // nullptr: not built yet, offered disabled
  WindowAction window = WindowAction::None;
  bool visible = true;
};

// The whole tree in display order; an item's children are the deeper items that follow it.
std::span<const MenuItem> MenuTree();

// "fil2fil_1" for an array item, "swath" for a single control, "transformar" for a top menu.
std::string ObjectName(const MenuItem& item);

// Whether the item can be clicked: visible, and its command built.
bool IsEnabled(const MenuItem& item);

// The item with that object name, or nullptr.
const MenuItem* FindMenuItem(std::string_view objectName);

}  // namespace zolvane
