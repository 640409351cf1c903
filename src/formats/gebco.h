// GEBCO Digital Atlas ASCII exports: segments of a fixed-column header line (value or name,
// then the point count) followed by that many "latitude longitude" lines, turned into XYZ
// points, BNA lines or GMT multi-segment files.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "geo/utm.h"

namespace zolvane {

// Where a header holds its value and its count.
enum class GebcoHeader {
  Atlas1997,   // value in columns 1-6, count from column 7
  Centennial,  // marker in column 1, value in columns 2-9, count from column 9
  Names,       // name in columns 1-8, count from column 9
};

enum class GebcoOutput { Xyz, Bna, Gmt };

struct GebcoOptions {
  GebcoHeader header = GebcoHeader::Atlas1997;
  GebcoOutput output = GebcoOutput::Xyz;
  int outputFormatCode = 11;  // XYZ only
  bool project = false;       // to UTM, in whole metres rounded down
  Ellipsoid ellipsoid = kWgs84;
  double centralMeridian = 0;
};

struct GebcoResult {
  PassResult pass;                  // pass.count: the points written
  long long negativeCountLine = 0;  // first header with a negative count, skipped with its points
  long long emptySegments = 0;      // segments with no points, which BNA does not hold
};

// The conversion pass. A file that is empty or ends inside a segment fails with its line.
// `progress` is called every 200 points.
GebcoResult ConvertGebco(std::istream& in, std::ostream& out, const GebcoOptions& options,
                         const ProgressFn& progress);

struct GebcoCheckResult {
  PassResult pass;  // a read failure, or a segment without points
  long long lines = 0;
};

// Hands each segment's value (or name) and its points, longitude first, to the callbacks,
// as the conversion reads them; a segment of negative count is left out with its points.
// Nothing is projected.
PassResult ReadGebcoSegments(std::istream& in, GebcoHeader header,
                             const std::function<void(std::string_view value)>& segment,
                             const std::function<void(double lon, double lat)>& point,
                             const ProgressFn& progress);

// The checking pass: extends the statistics (latitudes as X, longitudes as Y, segment names
// as Z) and refuses a segment with a count of 0. Counts are read from the columns `header`
// gives them, as the conversion that follows reads them, so that a count of four digits
// is not cut short.
GebcoCheckResult CheckGebco(std::istream& in, Statistics& statistics, const ProgressFn& progress,
                            GebcoHeader header = GebcoHeader::Atlas1997);

// The check as a command step: shows the statistics, or reports the fault and leaves
// InputError at 1.
void CheckGebcoFile(const std::string& path, RunState& state, Ui& ui,
                    GebcoHeader header = GebcoHeader::Atlas1997);

// The menu commands.
void GebcoToGmt(int index, RunState& state, Ui& ui);
void GebcoToXyz(int index, RunState& state, Ui& ui);
void GebcoToBna(int index, RunState& state, Ui& ui);
void GebcoCentToXyz(int index, RunState& state, Ui& ui);
void GebcoCentToBna(int index, RunState& state, Ui& ui);

}  // namespace zolvane
