// The state the commands of one program run share: the option record through which the
// dialogs hand their choices to the commands, and the main window's per-run fields.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/files.h"

namespace zolvane {

// Input statistics: the extremes of the values read. An axis that has read none yet holds 0
// for both, and takes the first value it reads as both (0 is a value like any other).
struct Statistics {
  double XMax = 0, XMin = 0, YMax = 0, YMin = 0, ZMax = 0, ZMin = 0;
  bool HasX = false, HasY = false, HasZ = false;

  void UpdateXRange(double value) { Update(XMax, XMin, HasX, value); }
  void UpdateYRange(double value) { Update(YMax, YMin, HasY, value); }
  void UpdateZRange(double value) { Update(ZMax, ZMin, HasZ, value); }
  // Back to no value on X and Y (Z is kept), as the file-to-file commands start.
  void ClearXY() {
    XMax = XMin = YMax = YMin = 0;
    HasX = HasY = false;
  }

  static void Update(double& maximum, double& minimum, bool& has, double value) {
    if (!has) {
      maximum = minimum = value;
      has = true;
      return;
    }
    if (value > maximum) maximum = value;
    if (value < minimum) minimum = value;
  }
};

struct RunState {
  // Option record.
  int InputFormatCode = 0;   // XYZ layout of an input point file, 0 until chosen
  int OutputFormatCode = 0;  // XYZ layout of an output point file, 0 until chosen
  // The layouts of the last command's point files, kept for the preview after the two above
  // are put back to 0.
  int LastInputFormatCode = 0, LastOutputFormatCode = 0;
  int CheckStatistics = 0;       // 1: run the XYZ pre-scan before converting
  bool OutputDistances = false;  // the "Distances" box of the output-options dialog
  std::string CurrentLine;
  int UtmZone = 0;  // 1..60, 0 until chosen
  int CentralMeridian = 0;
  double SemiMajorAxis = 0, SemiMinorAxis = 0;  // no ellipsoid in force until a command sets one
  double Latitude = 0, Longitude = 0, Easting = 0, Northing = 0;
  int KmlDialogResult = 0;
  std::string StyleName;
  int LabelChoice = 0;
  double TranslateDistance = 0;  // metres; 0 until the translate dialog is confirmed
  double TranslateAngle = 0;     // degrees clockwise from north, as typed
  double TranslateDx = 0;        // east component
  float TranslateDy = 0;         // north component, kept in single precision
  // Column extraction: 0 nothing chosen, 1 columns, 2 lines, 3 both (taken as columns).
  int ExtractionMode = 0;
  bool ExtractionBna = false;  // the lines of a BNA file thinned
  // The comma-separated columns (from 1) the last command read X and Y from, 0 when it read
  // none: how the preview reads that input again.
  int InputXColumn = 0, InputYColumn = 0;
  // Distance-time and filters.
  double LineSpeed = 0, TransitSpeed = 0;  // knots, 0 until the dialog is confirmed
  int FilterMode = 0;                      // 1 X-Y window, 2 Z range, 0 none or limits in error
  double XMaxLimit = 180, XMinLimit = -180, YMaxLimit = 90, YMinLimit = -90;
  double ZMaxLimit = 1000, ZMinLimit = 0;
  int DeleteWindow = 0;  // 1: keep the points outside the window
  // Swath coverage, towed vehicle and IGRF anomaly.
  int SwathMethod = 0;           // 1 coefficient, 2 constant, 3 cancelled
  double SwathFactor = 0;        // half-width, or half-width per unit of depth
  float LaybackValue = 0;        // -1 cancelled, 0 read from the file, > 0 constant metres
  float LaybackMaximum = 10000;  // largest step between fixes, metres
  double IgrfDate = 0;           // decimal year; 0 until the date dialog is confirmed

  // Threads the point passes may use; 1 runs them on the calling thread alone.
  int Threads = 1;

  // Per-run fields of the main window.
  Statistics Stats;
  int InputError = 0;
  int ToPointsMode = 0;
  int GeoToUtmMode = 0;
  int UtmToGeoMode = 0;
  long long BnaObjectCount = 0;
  int BnaSinglePointForm = 0;
  long long BnaPointCount = 0;
  std::string InputFileName;   // caption of the input-file label
  std::string OutputFileName;  // caption of the output-file label
  // The private copy of an input that can be read only once (a pipe, a FIFO); dropped, and
  // so removed, when the command ends.
  std::shared_ptr<const InputCopy> InputCopyFile;
};

// The name to open `name` by: the private copy when `name` is the input and has one.
inline const std::string& ReadablePath(const RunState& state, const std::string& name) {
  return state.InputCopyFile && name == state.InputFileName ? state.InputCopyFile->Path() : name;
}

}  // namespace zolvane
