// What the coordinate commands ask: the UTM zone (also asked by the converters that project)
// and the translation.
#pragma once

#include <optional>

namespace zolvane {

// What the UTM-zone dialog hands back.
struct ZoneChoice {
  int UtmZone = 1;
  int CentralMeridian = -177;
};

// What the translate dialog hands back, as typed: the distance in its unit, the unit, and
// the direction in degrees clockwise from north.
struct TranslateChoice {
  double Distance = 0;
  bool Kilometres = true;
  double Angle = 0;
};

// Empty when the user closed the dialog without confirming it.
class GeoQuestions {
 public:
  virtual ~GeoQuestions() = default;
  // Waited for by a command that needs a zone.
  virtual std::optional<ZoneChoice> ChooseZone() = 0;
  virtual std::optional<TranslateChoice> Translate() = 0;
};

}  // namespace zolvane
