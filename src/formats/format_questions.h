// What the format converters ask beyond their files.
#pragma once

#include <optional>
#include <string>

namespace zolvane {

// Miramon VEC, MapGen and Kingdom Suite: what their option dialogs hand back.
struct VecLayerChoice {
  int Identifier = 3;  // 1 label 1, 2 label 2, 3 both
  bool Ed50 = false;
  bool Degrees = true;
  bool South = false;
  std::string ZoneText = "31";  // the zone box as typed
};
struct KingdomNavigationChoice {
  int ShotColumn = 1, XColumn = 2, YColumn = 3;
  std::string LineName = "L-0";  // as typed
};

// What the extraction dialog hands back, as set: the two mode boxes, the frequency as the
// whole number its box reads as, the three column numbers and the BNA box.
struct ColumnExtractionChoice {
  bool Columns = true;
  bool Lines = false;
  int Frequency = 1;
  double XColumn = 0, YColumn = 0, ZColumn = 0;
  bool Bna = false;
};

// What the transect dialog of the 3D DXF conversion hands back: its six boxes as typed.
struct ProfileDxfChoice {
  std::string StartX = "0", StartY = "0", EndX = "0", EndY = "0";
  std::string Factor = "1000";
  std::string Profile = "Line1";
};

// Empty when the user closed the dialog without confirming it.
class FormatQuestions {
 public:
  virtual ~FormatQuestions() = default;
  virtual std::optional<VecLayerChoice> VecLayer() = 0;
  // The GO of the Kingdom Suite dialog. `keepValues` shows the dialog again with what it
  // held, otherwise it starts with its initial texts.
  virtual std::optional<KingdomNavigationChoice> KingdomNavigation(bool keepValues) = 0;
  // "Extract Columns and/or lines".
  virtual std::optional<ColumnExtractionChoice> ColumnExtraction() = 0;
  // Didger.dxf > Real World 3D DXF: empty when closed without Convert.
  virtual std::optional<ProfileDxfChoice> ProfileDxf() = 0;
};

}  // namespace zolvane
