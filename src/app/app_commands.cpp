#include "app/app_commands.h"

namespace zolvane {

void ZonesUtm(int, RunState& state, Ui& ui) {
  const auto zone = ui.ChooseZone();
  if (!zone) return;
  state.UtmZone = zone->UtmZone;
  state.CentralMeridian = zone->CentralMeridian;
}

}  // namespace zolvane
