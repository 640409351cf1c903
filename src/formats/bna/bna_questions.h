// What BNA => KML and BNA => XML ask: the style of the placemarks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zolvane {

// Colours are the chooser's (red in the low byte, then green, then blue); texts are as typed.
struct KmlStyleChoice {
  int LabelChoice = 1;  // the label that names the placemarks
  std::uint32_t PointColour = 0xFF0000;
  std::string Symbol = "Circle";
  std::string SymbolScale = "0.5";
  std::uint32_t LineColour = 0x00FF00;
  std::string LineWidth = "1";
  bool RandomPolygons = true;
  std::uint32_t PolygonColour = 0xFFFFFF;
  double Transparency = 50;  // percent
  std::string FolderName;
  std::string Description;
};

struct XmlMarkersChoice {
  int LabelChoice = 1;
  std::string LineColour;  // "#rrggbb", empty until one is chosen
  std::string LineWidth;
  bool CombineCsv = false;
  std::string CsvFile;
  int SyncColumn = 0;  // 1-based column of the CSV matched against the label
};

// The dialogs keep their settings when closed without confirming (empty then); Forget...
// after a completed run makes the next one start afresh.
class BnaQuestions {
 public:
  virtual ~BnaQuestions() = default;
  virtual std::optional<KmlStyleChoice> KmlStyle() = 0;
  virtual void ForgetKmlStyle() = 0;
  virtual std::optional<XmlMarkersChoice> XmlMarkers() = 0;
  virtual void ForgetXmlMarkers() = 0;
};

}  // namespace zolvane
