// Whole XYZ and BNA files between geographic coordinates and UTM metres, or rewritten in
// another layout without projecting.
#pragma once

#include <istream>
#include <ostream>

#include "core/block_pass.h"
#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "geo/utm.h"
#include "formats/xyz/xyz_pass.h"

namespace zolvane {

enum class Projection { None, GeoToUtm, UtmToGeo };

struct XyzTransformOptions {
  int inputFormatCode = 11;
  int outputFormatCode = 11;
  Projection projection = Projection::None;
  Ellipsoid ellipsoid = kWgs84;  // also projects geographic points for the distances
  int centralMeridian = 0;
  bool distances = false;  // add the partial and accumulated distance columns
  // The distances run from point to point, so they keep to one thread.
  BlockPassOptions blocks;
};

struct XyzTransformResult : XyzPassResult {
  bool geographicDistances = false;  // some distance was measured on projected degrees
};

// The conversion pass. `progress` is called every 200 points.
XyzTransformResult TransformXyz(std::istream& in, std::ostream& out,
                                const XyzTransformOptions& options, const ProgressFn& progress);

struct BnaTransformOptions {
  Projection projection = Projection::None;
  Ellipsoid ellipsoid = kWgs84;
  int centralMeridian = 0;
  bool toPoints = false;  // one single-point record per coordinate pair
};

// The conversion pass over a checked BNA file. `progress` is called every 200 pairs.
PassResult TransformBna(std::istream& in, std::ostream& out, const BnaTransformOptions& options,
                        const ProgressFn& progress);

// The menu commands: the mode flags GeoToUtmMode, UtmToGeoMode and ToPointsMode of the run
// state say which conversion they make.
void TransformXyzFile(RunState& state, Ui& ui);
void TransformBnaFile(RunState& state, Ui& ui);

// Shared by the coordinate commands.
Ellipsoid EllipsoidInForce(const RunState& state);  // WGS84 while none is set
void SetEllipsoid(RunState& state, const Ellipsoid& ellipsoid);
// The zone in force, or the zone dialog's answer when none is; false when it was closed.
bool EnsureZone(RunState& state, Ui& ui);

}  // namespace zolvane
