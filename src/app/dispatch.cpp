#include "app/dispatch.h"

#include <exception>
#include <string>

#include "core/services.h"

namespace zolvane {
namespace {

// Runs the command and turns any failure into a status message, so that no failure
// reaches the event loop.
void RunGuarded(const MenuItem& item, RunState& state, Ui& ui) {
  if (!item.command) return;
  try {
    item.command(item.index, state, ui);
  } catch (const std::exception& error) {
    ui.SetStatus(std::string(" Error: ") + error.what() + " ");
  } catch (...) {
    ui.SetStatus(" Error: the command failed ");
  }
}

// What the last command left in the window (its status text, its statistics and count) must
// not pass for this one's, nor its ranges drive this one.
void ClearLastCommand(RunState& state, Ui& ui) {
  ui.SetStatus("");
  state.Stats = {};
  ShowStatistics(state, ui);
  ui.SetProgressCount(0);
}

void RunFileToFile(const MenuItem& item, RunState& state, Ui& ui) {
  ResetForFileCommand(state, ui);
  // The flag lives only while its command runs, also when that one fails.
  if (item.index == 2) state.ToPointsMode = 1;
  if (item.command) {
    // A failure ends the command without a message.
    try {
      item.command(item.index, state, ui);
    } catch (...) {
    }
  }
  state.ToPointsMode = 0;
  state.InputError = 0;
}

// The box before a Geosail or Bridge plan export; Cancel runs nothing.
bool NoticeAccepted(MenuRule rule, Ui& ui) {
  const bool geosail = rule == MenuRule::GeosailWarning;
  const std::string_view text =
      geosail ? " GeoSail only accepts points or lined defined by to points."
                " Only the first and the last points will be used"
              : " Convert a bna file to a points or lines file "
                " defined in  DEGREES & MINUTES as used in Navigation (Sailing format) ";
  const std::string_view title = geosail ? " Format GeoSail " : " Bridge format ";
  return ui.Message(text, title, MessageIcon::Information, MessageButtons::OkCancel,
                    MessageAnswer::Ok) != MessageAnswer::Cancel;
}

void RunGeoToUtm(const MenuItem& item, RunState& state, Ui& ui) {
  state.UtmZone = 0;
  state.CentralMeridian = 0;
  if (item.index == 1 || item.index == 2) {
    state.GeoToUtmMode = 1;
    RunGuarded(item, state, ui);
    state.GeoToUtmMode = 0;
    state.UtmZone = 0;
    state.CentralMeridian = 0;
  }
}

void RunUtmToGeo(const MenuItem& item, RunState& state, Ui& ui) {
  if (item.index != 1 && item.index != 2) return;
  state.UtmToGeoMode = 1;
  RunGuarded(item, state, ui);
  state.UtmToGeoMode = 0;
}

struct AboutBox {
  int index;
  std::string_view title;
  std::string_view text;
};

constexpr AboutBox kAboutBoxes[] = {
    {0, " About This Program ",
     " Zolvane version 8.05 - october 2012 \n"
     "File conversion and survey tools for marine geoscience\n"
     "BNA, XYZ, KML, GMT, GEBCO, DAF, VEC and survey-plan formats\n"
     "Free software, offered without warranty\n"},
    {1, " About SURFER, MAPVIEWER & DIDGER ",
     "Surfer & Mapviewer: Golden Software\nwww.goldensoftware.com"},
    {2, " About GENESIS II ", "Genesis II: Geomantics Ltd.\nwww.geomantics.com"},
    {3, " About GEBCO ", " GEBCO Digital Atlas: BODC \nwww.bodc.ac.uk"},
    {5, " About MERLIN ", " Merlin: Kongsberg-Simrad \nwww.kongsberg.com"},
    {6, " About Miramon ",
     " Miramon: Centre de Recerca Ecologica i aplicacions Forestals, UAB  \n"
     "www.creaf.uab.cat/miramon"},
};

}  // namespace

void ResetForFileCommand(RunState& state, Ui& ui) {
  ui.SetStatus("");
  state.Stats.ClearXY();
  state.InputFormatCode = 0;
  state.OutputFormatCode = 0;
  state.LastInputFormatCode = state.LastOutputFormatCode = 0;
  state.InputError = 0;
  state.GeoToUtmMode = 0;
  state.CheckStatistics = 0;
  ui.SetFileFilters(kPointFileFilters);
}

void OpenMenu(const MenuItem& item, RunState& state, Ui& ui) {
  if (item.rule == MenuRule::ClearFileNames) {
    ClearFileNames(state, ui);
  } else if (item.rule == MenuRule::FileToFile) {
    ResetForFileCommand(state, ui);
  }
}

DispatchOutcome Dispatch(const MenuItem& item, RunState& state, Ui& ui) {
  if (!IsEnabled(item) || item.kind != MenuKind::Command) return DispatchOutcome::Done;
  switch (item.window) {
    case WindowAction::Help:
      ui.SetStatus(kHelpStatus);
      return DispatchOutcome::ShowHelp;
    case WindowAction::About:
      ShowAbout(item.index, ui);
      return DispatchOutcome::Done;
    case WindowAction::Exit:
      return ConfirmExit(ui) ? DispatchOutcome::Quit : DispatchOutcome::Done;
    case WindowAction::Calculator:
      return DispatchOutcome::ShowCalculator;
    case WindowAction::None:
      break;
  }
  ClearLastCommand(state, ui);
  switch (item.rule) {
    case MenuRule::FileToFile:
      RunFileToFile(item, state, ui);
      break;
    case MenuRule::AfterReset:
      ResetForFileCommand(state, ui);
      RunGuarded(item, state, ui);
      break;
    case MenuRule::GeosailWarning:
    case MenuRule::BridgeNotice:
      ResetForFileCommand(state, ui);
      if (NoticeAccepted(item.rule, ui)) RunGuarded(item, state, ui);
      break;
    case MenuRule::GeoToUtm:
      RunGeoToUtm(item, state, ui);
      break;
    case MenuRule::UtmToGeo:
      RunUtmToGeo(item, state, ui);
      break;
    case MenuRule::Plain:
    case MenuRule::ClearFileNames:
      RunGuarded(item, state, ui);
      break;
  }
  state.InputCopyFile.reset();  // a piped input's private copy goes with its command
  return DispatchOutcome::Done;
}

void ShowAbout(int index, Ui& ui) {
  for (const AboutBox& box : kAboutBoxes) {
    if (box.index == index) {
      ui.Message(box.text, box.title, MessageIcon::Exclamation, MessageButtons::Ok,
                 MessageAnswer::Ok);
      return;
    }
  }
}

bool ConfirmExit(Ui& ui) {
  return ui.Message("Zolvane Bye bye ", " E X I T ", MessageIcon::None, MessageButtons::OkCancel,
                    MessageAnswer::Cancel) == MessageAnswer::Ok;
}

}  // namespace zolvane
