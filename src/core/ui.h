// The services a command asks of the user interface. The main window implements them with
// real widgets; tests answer them from a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Miramon VEC, MapGen and Kingdom Suite: what their option dialogs hand back.
struct VecChoice {
  int Identifier = 3;  // 1 label 1, 2 label 2, 3 both
  bool Ed50 = false;
  bool Degrees = true;
  bool South = false;
  std::string ZoneText = "31";  // the zone box as typed
};
struct KingdomChoice {
  int ShotColumn = 1, XColumn = 2, YColumn = 3;
  std::string LineName = "L-0";  // as typed
};

// What the extraction dialog hands back, as set: the two mode boxes, the frequency as the
// whole number its box reads as, the three column numbers and the BNA box.
struct XyzcChoice {
  bool Columns = true;
  bool Lines = false;
  int Frequency = 1;
  double XColumn = 0, YColumn = 0, ZColumn = 0;
  bool Bna = false;
};

// What the transect dialog of the 3D DXF conversion hands back: its six boxes as typed.
struct Xy2dxfChoice {
  std::string StartX = "0", StartY = "0", EndX = "0", EndY = "0";
  std::string Factor = "1000";
  std::string Profile = "Line1";
};

// Distance-time, parallel lines, rotation and filters: what their dialogs hand back.
struct NavParametersChoice {
  double LineSpeed = 5;     // knots; a speed read as 0 comes back as 0.1
  double TransitSpeed = 5;  // knots
  bool Ed50 = false;        // otherwise WGS84
};
struct ParallelChoice {
  bool Degrees = false;        // master line in longitude/latitude, otherwise UTM metres
  std::string Xa, Ya, Xb, Yb;  // as typed
  double Spacing = 1000;       // metres
  int Count = 1;               // lines on each side
};
struct RotateChoice {
  double CentreX = 0, CentreY = 0;
  double Angle = 0;  // degrees
  bool Ccw = false;
};
struct FilterChoice {
  bool ZRange = false;  // the "Z" filter, otherwise the X-Y window
  double XMax = 180, XMin = -180, YMax = 90, YMin = -90, ZMax = 1000, ZMin = 0;
  bool DeleteWindow = false;
  bool CheckStatistics = false;
};

// Swath coverage, towed vehicle and IGRF anomaly: the option dialogs' answers as set.
struct SwathChoice {
  bool coefficient = true;  // width = depth x value; otherwise width = value (metres)
  bool degrees = true;      // coordinates in degrees rather than metres
  double value = 1;
};
struct LaybackChoice {
  bool constant = false;  // one layback for every fix; otherwise the file's third field
  double layback = 1;     // metres
  double maximumStep = 10000;
};
struct IgrfDateChoice {
  double year = 2005;
  double month = 1;
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

// What the coordinate-system dialog hands back: the source and target systems as PROJ
// takes them ("EPSG:23031", a name, a PROJ string).
struct CrsChoice {
  std::string From = "EPSG:4326";
  std::string To = "EPSG:32631";
};

// The GIS file dialog: for an export the format and the system the data are in; for an
// import the file's layers and fields to choose from, and a system to reproject to.
struct GisLayerFields {
  std::string name;
  std::vector<std::string> fields;
};
struct GisRequest {
  bool import = false;
  std::vector<std::string> formats;    // export: the format names offered, the first chosen
  std::vector<GisLayerFields> layers;  // import
};
struct GisChoice {
  int format = 0;      // index into the request's formats
  std::string crs;     // empty: none written (export) or no reprojection (import)
  std::string layer;   // empty: every layer
  std::string label1;  // fields; empty: the first text fields
  std::string label2;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // File dialogs. The filter list is "description|pattern|description|pattern..."; the
  // output dialog uses the list last set. An empty title leaves the toolkit's own ("Open",
  // "Save As"). An empty optional means Cancel.
  virtual void SetFileFilters(std::string_view filters) = 0;
  virtual std::optional<std::string> ChooseInputFile(int filterIndex, std::string_view title) = 0;
  virtual std::optional<std::string> ChooseOutputFile(int filterIndex, std::string_view title) = 0;

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
  // The command's output is in place. A command that ends without saying so has failed, was
  // stopped or was cancelled; the window shows which way it ended.
  virtual void OutputCompleted() {}

  // Option dialogs: empty when the user closed the dialog without confirming it.
  virtual std::optional<XyzoChoice> Xyzo() = 0;
  virtual std::optional<XyziChoice> Xyzi() = 0;
  // The zone dialog, waited for by a command that needs a zone.
  virtual std::optional<ZoneChoice> ChooseZone() = 0;
  virtual std::optional<TranslateChoice> Translate() = 0;
  // Datum change: the source and target coordinate reference systems.
  virtual std::optional<CrsChoice> ChooseCrs() = 0;
  // The GIS menu's commands: the format, the system and, for an import, layer and fields.
  virtual std::optional<GisChoice> ChooseGis(const GisRequest& request) = 0;

  // Miramon VEC and Kingdom Suite dialogs.
  virtual std::optional<VecChoice> Fbna2vec() = 0;
  // The GO of the Kingdom Suite dialog; empty on Cancel. `keepValues` shows the dialog again
  // with what it held, otherwise it starts with its initial texts.
  virtual std::optional<KingdomChoice> Cs2ks(bool keepValues) = 0;
  // Column extraction ("Extract Columns and/or lines").
  virtual std::optional<XyzcChoice> Xyzc() = 0;
  // Didger.dxf > Real World 3D DXF: the transect dialog; empty when closed without Convert.
  virtual std::optional<Xy2dxfChoice> Xy2dxf() = 0;
  // Distance-time, parallel lines, rotation, interpolator and filters.
  virtual std::optional<NavParametersChoice> CalculDist() = 0;
  virtual std::optional<ParallelChoice> Parallel() = 0;
  virtual std::optional<RotateChoice> Rotate() = 0;
  // Shows the interpolator window, not modal.
  virtual void Interpolation() = 0;
  // `clipping`: the BNA clip, which takes only an X-Y window to extract.
  virtual std::optional<FilterChoice> Filtros(bool clipping) = 0;
  // Swath coverage, towed vehicle and IGRF anomaly.
  virtual std::optional<SwathChoice> Shapo() = 0;
  virtual std::optional<LaybackChoice> Layback() = 0;
  virtual std::optional<IgrfDateChoice> Igrfdata() = 0;
  // BNA => KML and BNA => XML. The dialogs keep their settings when closed without
  // confirming; Forget... after a completed run makes the next one start afresh.
  virtual std::optional<KmlChoice> Fbna2kml() = 0;
  virtual void ForgetFbna2kml() = 0;
  virtual std::optional<XmlChoice> Fbna2xml() = 0;
  virtual void ForgetFbna2xml() = 0;
};

}  // namespace zolvane
