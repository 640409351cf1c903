// The International Geomagnetic Reference Field: its total intensity at sea level, and the
// magnetic anomaly of a total-field record against it.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <vector>

#include "core/block_pass.h"
#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

enum class IgrfModel {
  Igrf2005,  // epoch 2005 to degree 10, secular variation 2005-2010
  Igrf14,    // 14th generation, 1900-2030 to degree 13
};

// The decimal year of a survey date.
inline double SurveyDate(double year, double month) {
  return year + month / 12;
}

// Total intensity (nT) of the 2005 model at sea level, by the Malin and Barraclough
// recursion. Latitude and longitude in degrees; `date` a decimal year.
double IgrfTotalField(double latitude, double longitude, double date);

// The same for many places at one date: the coefficients of the date are worked out once.
class Igrf2005Field {
 public:
  explicit Igrf2005Field(double date);
  double TotalField(double latitude, double longitude) const;

 private:
  double gh_[121];  // from index 1, in the standard order
};

// Schmidt semi-normalised Gauss coefficients (nT) to `degree`; g and h are indexed by
// n (n + 1) / 2 + m, h being 0 for m = 0.
struct GaussCoefficients {
  int degree = 0;
  std::vector<double> g, h;

  static int Index(int n, int m) { return n * (n + 1) / 2 + m; }
};

// The 2005 model's coefficients at `date` (main field plus secular variation).
GaussCoefficients Igrf2005Coefficients(double date);
// The 14th generation's coefficients at `date`, linearly interpolated between its five-yearly
// models (after 2025 by its secular variation); empty outside 1900-2030.
std::optional<GaussCoefficients> Igrf14Coefficients(double date);

// Total intensity (nT) of any coefficient set at `heightKm` above the WGS84 ellipsoid.
double TotalField(const GaussCoefficients& model, double latitude, double longitude,
                  double heightKm = 0);

// The same for many places: the recursion's factors and working arrays are set up once.
class SphericalHarmonicField {
 public:
  explicit SphericalHarmonicField(GaussCoefficients model);
  double TotalField(double latitude, double longitude, double heightKm = 0);

 private:
  GaussCoefficients model_;
  // The recursion's factors by coefficient index: on the diagonal the one of P(n-1, n-1),
  // elsewhere those of P(n-1, m) and P(n-2, m).
  std::vector<double> k1_, k2_;
  std::vector<double> p_, dp_, cm_, sm_;
};

// Whether the model covers the date.
bool IgrfDateCovered(IgrfModel model, double date);
// The model's total intensity at sea level; the date must be covered.
double ModelTotalField(IgrfModel model, double latitude, double longitude, double date);

struct AnomalyOptions {
  int inputFormatCode = 11;  // must have a Z column: the measured total field
  int outputFormatCode = 11;
  double date = 2005;
  IgrfModel model = IgrfModel::Igrf2005;
  BlockPassOptions blocks;
};

// The anomaly pass: x, y and Int(z - F) for every point (x longitude, y latitude). The date
// must be covered by the model. `progress` is called every 200 points.
PassResult ComputeAnomalies(std::istream& in, std::ostream& out, const AnomalyOptions& options,
                            const ProgressFn& progress);

// The menu command (the 2005 model).
void MagneticAnomaly(int index, RunState& state, Ui& ui);

}  // namespace zolvane
