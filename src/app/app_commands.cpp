#include "app/app_commands.h"

#include "formats/xyz/transform_questions.h"

namespace zolvane {

void ZonesUtm(int, RunState& state, Ui& ui) {
  const auto zone = Ask(ui, &GeoQuestions::ChooseZone);
  if (!zone) return;
  state.UtmZone = zone->UtmZone;
  state.CentralMeridian = zone->CentralMeridian;
}

}  // namespace zolvane
