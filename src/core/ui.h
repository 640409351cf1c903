// The services a command asks of the user interface. The main window implements them with
// real widgets; tests answer them from a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/run_state.h"

namespace zolvane {

enum class MessageIcon { None, Exclamation, Information, Question, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// What the output-options dialog hands back.
struct XyzoChoice {
  int OutputFormatCode = 11;
  bool Distances = false;
};

// What the input-options dialog hands back.
struct XyziChoice {
  int InputFormatCode = 11;
  bool CheckStatistics = false;
};

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

// BNA => KML and BNA => XML: what their dialogs hand back. Colours are the chooser's (red in
// the low byte, then green, then blue); texts are as typed.
struct KmlChoice {
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

struct XmlChoice {
  int LabelChoice = 1;
  std::string LineColour;  // "#rrggbb", empty until one is chosen
  std::string LineWidth;
  bool CombineCsv = false;
  std::string CsvFile;
  int SyncColumn = 0;  // 1-based column of the CSV matched against the label
};

class Ui {
 public:
  virtual ~Ui() = default;

  // File dialogs. The filter list is "description|pattern|description|pattern..."; the
  // output dialog uses the list last set. An empty optional means Cancel.
  virtual void SetFileFilters(std::string_view filters) = 0;
  virtual std::optional<std::string> ChooseInputFile(int filterIndex) = 0;
  virtual std::optional<std::string> ChooseOutputFile(int filterIndex) = 0;

  virtual MessageAnswer Message(std::string_view text, std::string_view title, MessageIcon icon,
                                MessageButtons buttons, MessageAnswer defaultAnswer) = 0;
  // The typed text, or an empty text on Cancel.
  virtual std::string InputBox(std::string_view prompt, std::string_view title,
                               std::string_view defaultText) = 0;
  // A colour with red in the low byte, then green, then blue; empty on Cancel.
  virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) = 0;

  // The main window.
  virtual void SetStatus(std::string_view text) = 0;
  virtual void SetInputFileName(std::string_view name) = 0;
  virtual void SetOutputFileName(std::string_view name) = 0;
  virtual void ShowStatistics(const Statistics& statistics) = 0;
  virtual void SetProgressCount(long long count) = 0;
  // How far a pass has read; lets the window breathe. False when the user asked to stop.
  virtual bool Progress(std::uint64_t done, std::uint64_t total) = 0;

  // Option dialogs: empty when the user closed the dialog without confirming it.
  virtual std::optional<XyzoChoice> Xyzo() = 0;
  virtual std::optional<XyziChoice> Xyzi() = 0;
  // The zone dialog, waited for by a command that needs a zone.
  virtual std::optional<ZoneChoice> ChooseZone() = 0;
  virtual std::optional<TranslateChoice> Translate() = 0;

  // BNA => KML and BNA => XML. The dialogs keep their settings when closed without
  // confirming; Forget... after a completed run makes the next one start afresh.
  virtual std::optional<KmlChoice> Fbna2kml() = 0;
  virtual void ForgetFbna2kml() = 0;
  virtual std::optional<XmlChoice> Fbna2xml() = 0;
  virtual void ForgetFbna2xml() = 0;
};

}  // namespace zolvane
