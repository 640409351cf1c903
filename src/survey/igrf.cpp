#include "survey/igrf.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <sstream>
#include <string_view>
#include <utility>

#include "core/files.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/xyz_layout.h"
#include "formats/xyz/xyz_blocks.h"
#include "formats/xyz/xyz_questions.h"
#include "formats/xyz/xyz_reader.h"
#include "survey/point_input.h"
#include "survey/survey_questions.h"

namespace zolvane {

// The coefficients of the International Geomagnetic Reference Field, 14th generation
// (IAGA, doi:10.5281/zenodo.14012302), as published in its .shc file.
extern const char kIgrf14Shc[];

namespace {

// IGRF epoch 2005 (10th generation): the main field to degree 10 and its secular variation
// 2005-2010 to degree 8, in the order g(1,0), g(1,1), h(1,1), g(2,0), ...
constexpr double kMain2005[120] = {
    -29556.8, -1671.8, 5080.0, -2340.5, 3047.0, -2594.9, 1656.9, -516.7, 1335.7, -2305.3, -200.4,
    1246.8,   269.3,   674.4,  -524.5,  919.8,  798.2,   281.4,  211.5,  -225.8, -379.5,  145.7,
    100.2,    -304.7,  -227.6, 354.4,   42.7,   208.8,   179.8,  -136.6, -123.0, -168.3,  -19.5,
    -14.1,    103.6,   72.9,   69.6,    -20.2,  76.6,    54.7,   -151.1, 63.7,   -15.0,   -63.4,
    14.7,     0.0,     -86.4,  50.3,    79.8,   -74.4,   -61.4,  -1.4,   -22.5,  38.6,    6.9,
    12.3,     25.4,    9.4,    10.9,    5.5,    -26.4,   2.0,    -4.8,   24.8,   7.7,     11.2,
    -11.4,    -21.0,   -6.8,   9.7,     -18.0,  -19.8,   10.0,   16.1,   9.4,    7.7,     -11.4,
    -12.8,    -5.0,    -0.1,   5.6,     9.8,    -20.1,   3.6,    12.9,   -7.0,   12.7,    5.0,
    -6.7,     -10.8,   -8.1,   -1.3,    8.1,    8.7,     2.9,    -6.7,   -7.9,   -9.2,    5.9,
    -2.2,     -6.3,    2.4,    1.6,     0.2,    -2.5,    4.4,    -0.1,   4.7,    3.0,     -6.5,
    0.3,      -1.0,    2.1,    -3.4,    3.9,    -0.9,    -0.1,   -2.3,   -2.2,   -8.0,
};
constexpr double kSecular2005[120] = {
    8.8,  10.8, -21.3, -15.0, -6.9, -23.3, -1.0, -14.0, -0.3, -3.1, 5.4,  -0.9, -6.5, -6.8, -2.0,
    -2.5, 2.8,  2.0,   -7.1,  1.8,  5.9,   5.6,  -3.2,  0.0,  -2.6, 0.4,  0.1,  -3.0, 1.8,  -1.2,
    2.0,  0.2,  4.5,   -0.6,  -1.0, -0.8,  0.2,  -0.4,  -0.2, -1.9, 2.1,  -0.4, -2.1, -0.4, -0.4,
    -0.2, 1.3,  0.9,   -0.4,  0.0,  0.8,   -0.2, 0.4,   1.1,  0.1,  0.6,  0.2,  0.4,  -0.9, -0.5,
    -0.3, 0.9,  0.3,   -0.2,  0.2,  -0.2,  -0.2, 0.2,   0.2,  0.2,  -0.2, 0.4,  0.2,  0.2,  0.5,
    -0.3, -0.7, 0.5,   0.5,   0.4,  0.0,   0.0,  0.0,   0.0,  0.0,  0.0,  0.0,  0.0,  0.0,  0.0,
    0.0,  0.0,  0.0,   0.0,   0.0,  0.0,   0.0,  0.0,   0.0,  0.0,  0.0,  0.0,  0.0,  0.0,  0.0,
    0.0,  0.0,  0.0,   0.0,   0.0,  0.0,   0.0,  0.0,   0.0,  0.0,  0.0,  0.0,  0.0,  0.0,  0.0,
};

constexpr double kReferenceRadius = 6371.2;  // km
constexpr double kDegree = 0.0174533;        // the 2005 recursion's own rounded factor

// WGS84, km.
constexpr double kWgs84A = 6378.137;
constexpr double kWgs84B = kWgs84A * (1 - 1 / 298.257223563);

// The five-yearly models of the 14th generation, read once.
struct Igrf14Table {
  int degree = 0;
  std::vector<double> epochs;
  std::vector<std::vector<double>> g, h;  // [coefficient index][epoch]
};

void SplitNumbers(std::string_view line, std::vector<double>& numbers) {
  numbers.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
      ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t')
      ++i;
    if (i > start) numbers.push_back(ReadNumber(line.substr(start, i - start)));
  }
}

Igrf14Table ReadIgrf14() {
  Igrf14Table table;
  std::istringstream text{std::string(kIgrf14Shc)};
  LineReader lines(text);
  std::string_view line;
  std::vector<double> numbers;
  int stage = 0;  // 0 header, 1 epochs, 2 coefficients
  std::size_t epochCount = 0;
  while (lines.Next(line) == ReadStatus::Ok) {
    if (!line.empty() && line.front() == '#') continue;
    SplitNumbers(line, numbers);
    if (numbers.empty()) continue;
    if (stage == 0 && numbers.size() >= 3) {
      table.degree = static_cast<int>(numbers[1]);
      epochCount = static_cast<std::size_t>(numbers[2]);
      const std::size_t size = GaussCoefficients::Index(table.degree + 1, 0);
      table.g.assign(size, std::vector<double>(epochCount, 0.0));
      table.h.assign(size, std::vector<double>(epochCount, 0.0));
      stage = 1;
    } else if (stage == 1) {
      table.epochs = numbers;
      stage = 2;
    } else if (stage == 2 && numbers.size() == epochCount + 2) {
      const int n = static_cast<int>(numbers[0]);
      const int m = static_cast<int>(numbers[1]);
      if (n < 1 || n > table.degree || std::abs(m) > n) continue;
      auto& target = m >= 0 ? table.g : table.h;
      target[GaussCoefficients::Index(n, std::abs(m))].assign(numbers.begin() + 2, numbers.end());
    }
  }
  if (table.epochs.size() != epochCount || epochCount < 2) table = {};
  return table;
}

const Igrf14Table& Igrf14() {
  static const Igrf14Table table = ReadIgrf14();
  return table;
}

}  // namespace

Igrf2005Field::Igrf2005Field(double date) {
  const double t = date - 2005;
  gh_[0] = 0;
  for (int k = 0; k < 120; ++k)
    gh_[k + 1] = kMain2005[k] + t * kSecular2005[k];
}

double Igrf2005Field::TotalField(double latitude, double longitude) const {
  // The recursion's factors depend only on the degree and order: worked out once.
  struct Factors {
    double diagonal[66] = {};  // m = n: the square root of 1 - 0.5/m
    double aa[66] = {}, bb[66] = {}, cc[66] = {};
  };
  static const Factors factors = [] {
    Factors f;
    int n = 0, m = 1;
    for (int k = 1; k <= 65; ++k) {
      if (n < m) {
        m = 0;
        ++n;
      }
      const double fn = n, fm = m;
      if (k >= 5) {
        if (m == n) {
          f.diagonal[k] = std::sqrt(1 - 0.5 / fm);
        } else {
          f.aa[k] = std::sqrt(fn * fn - fm * fm);
          f.bb[k] = std::sqrt((fn - 1) * (fn - 1) - fm * fm) / f.aa[k];
          f.cc[k] = (2 * fn - 1) / f.aa[k];
        }
      }
      ++m;
    }
    return f;
  }();
  const double* gh = gh_;

  const double theta = 90 - latitude;
  const double lambda = longitude + 360;
  double clat = std::sin(theta * kDegree);  // cosine of the latitude
  double slat = std::cos(theta * kDegree);  // sine of the latitude
  double sl[11], cl[11];
  sl[1] = std::sin(lambda * kDegree);
  cl[1] = std::cos(lambda * kDegree);

  // Geodetic to geocentric, at sea level.
  constexpr double a2 = 40680925.0, b2 = 40408585.0, h = 0;
  double aa = a2 * clat * clat;
  double bb = b2 * slat * slat;
  double cc = aa + bb;
  const double dd = std::sqrt(cc);
  const double r = std::sqrt(h * (h + 2 * dd) + (a2 * aa + b2 * bb) / cc);
  const double cd = (h + dd) / r;
  const double sd = (a2 - b2) / dd * slat * clat / r;
  const double geocentricSlat = slat * cd - clat * sd;
  clat = clat * cd + slat * sd;
  slat = geocentricSlat;
  const double ratio = kReferenceRadius / r;

  double p[66], q[66];
  p[1] = 2 * slat;
  p[2] = 2 * clat;
  p[3] = 4.5 * slat * slat - 1.5;
  p[4] = 5.1961524 * clat * slat;
  q[1] = -clat;
  q[2] = slat;
  q[3] = -3 * clat * slat;
  q[4] = 1.7320508 * (slat * slat - clat * clat);
  double x = 0, y = 0, z = 0, rr = ratio * ratio, fn = 0, fm = 0;
  int l = 1, n = 0, m = 1;
  for (int k = 1; k <= 65; ++k) {
    if (n < m) {
      m = 0;
      ++n;
      rr *= ratio;  // ratio to the power n + 2
      fn = n;
    }
    fm = m;
    if (k >= 5) {
      if (m == n) {
        aa = factors.diagonal[k];
        const int j = k - n - 1;
        p[k] = (1 + 1 / fm) * aa * clat * p[j];
        q[k] = aa * (clat * q[j] + slat / fm * p[j]);
        sl[m] = sl[m - 1] * cl[1] + cl[m - 1] * sl[1];
        cl[m] = cl[m - 1] * cl[1] - sl[m - 1] * sl[1];
      } else {
        bb = factors.bb[k];
        cc = factors.cc[k];
        const int ii = k - n;
        const int j = k - 2 * n + 1;
        p[k] = (fn + 1) * (cc * slat / fn * p[ii] - bb / (fn - 1) * p[j]);
        q[k] = cc * (slat * q[ii] - clat / fn * p[ii]) - bb * q[j];
      }
    }
    aa = rr * gh[l];
    if (m == 0) {
      x += aa * q[k];
      z -= aa * p[k];
      ++l;
    } else {
      bb = rr * gh[l + 1];
      cc = aa * cl[m] + bb * sl[m];
      x += cc * q[k];
      z -= cc * p[k];
      if (clat > 0) {
        y += (aa * sl[m] - bb * cl[m]) * fm * p[k] / ((fn + 1) * clat);
      } else {
        y += (aa * sl[m] - bb * cl[m]) * q[k] * slat;
      }
      l += 2;
    }
    ++m;
  }
  const double north = x * cd + z * sd;
  const double down = z * cd - x * sd;
  return std::sqrt(north * north + y * y + down * down);
}

double IgrfTotalField(double latitude, double longitude, double date) {
  return Igrf2005Field(date).TotalField(latitude, longitude);
}

GaussCoefficients Igrf2005Coefficients(double date) {
  const double t = date - 2005;
  GaussCoefficients model;
  model.degree = 10;
  model.g.assign(GaussCoefficients::Index(11, 0), 0.0);
  model.h.assign(model.g.size(), 0.0);
  int k = 0;
  for (int n = 1; n <= 10; ++n) {
    for (int m = 0; m <= n; ++m) {
      const int i = GaussCoefficients::Index(n, m);
      model.g[i] = kMain2005[k] + t * kSecular2005[k];
      ++k;
      if (m > 0) {
        model.h[i] = kMain2005[k] + t * kSecular2005[k];
        ++k;
      }
    }
  }
  return model;
}

std::optional<GaussCoefficients> Igrf14Coefficients(double date) {
  const Igrf14Table& table = Igrf14();
  if (table.epochs.empty()) return std::nullopt;
  if (!(date >= table.epochs.front() && date <= table.epochs.back())) return std::nullopt;
  std::size_t e = 0;
  while (e + 2 < table.epochs.size() && date >= table.epochs[e + 1])
    ++e;
  const double w = (date - table.epochs[e]) / (table.epochs[e + 1] - table.epochs[e]);
  GaussCoefficients model;
  model.degree = table.degree;
  model.g.resize(table.g.size());
  model.h.resize(table.h.size());
  for (std::size_t i = 0; i < table.g.size(); ++i) {
    model.g[i] = table.g[i][e] + w * (table.g[i][e + 1] - table.g[i][e]);
    model.h[i] = table.h[i][e] + w * (table.h[i][e + 1] - table.h[i][e]);
  }
  return model;
}

SphericalHarmonicField::SphericalHarmonicField(GaussCoefficients model) : model_(std::move(model)) {
  const int degree = model_.degree;
  const std::size_t size = GaussCoefficients::Index(degree + 1, 0);
  k1_.assign(size, 0.0);
  k2_.assign(size, 0.0);
  for (int n = 1; n <= degree; ++n) {
    for (int m = 0; m <= n; ++m) {
      const int i = GaussCoefficients::Index(n, m);
      if (m == n) {
        k1_[i] = n == 1 ? 1.0 : std::sqrt((2.0 * n - 1) / (2.0 * n));
      } else {
        const double k = std::sqrt(static_cast<double>(n * n - m * m));
        k1_[i] = (2 * n - 1) / k;
        k2_[i] = std::sqrt(static_cast<double>((n - 1) * (n - 1) - m * m)) / k;
      }
    }
  }
  p_.assign(size, 0.0);
  dp_.assign(size, 0.0);
  cm_.assign(degree + 1, 0.0);
  sm_.assign(degree + 1, 0.0);
}

double SphericalHarmonicField::TotalField(double latitude, double longitude, double heightKm) {
  constexpr double kRadian = 3.14159265358979323846 / 180;
  const double a2 = kWgs84A * kWgs84A, b2 = kWgs84B * kWgs84B;
  const double clat = std::cos(latitude * kRadian);
  const double slat = std::sin(latitude * kRadian);
  // Geodetic to geocentric: radius, and the rotation between the two frames.
  const double one = a2 * clat * clat, two = b2 * slat * slat;
  const double rho = std::sqrt(one + two);
  const double r = std::sqrt(heightKm * (heightKm + 2 * rho) + (a2 * one + b2 * two) / (one + two));
  const double cd = (heightKm + rho) / r;
  const double sd = (a2 - b2) / rho * slat * clat / r;
  const double cosTheta = slat * cd - clat * sd;  // of the geocentric colatitude
  const double sinTheta = clat * cd + slat * sd;

  // Schmidt semi-normalised Legendre functions and their derivatives in theta.
  const int degree = model_.degree;
  std::vector<double>& p = p_;
  std::vector<double>& dp = dp_;
  p[0] = 1;
  dp[0] = 0;
  for (int n = 1; n <= degree; ++n) {
    for (int m = 0; m <= n; ++m) {
      const int i = GaussCoefficients::Index(n, m);
      if (m == n) {
        const int d = GaussCoefficients::Index(n - 1, n - 1);
        p[i] = k1_[i] * sinTheta * p[d];
        dp[i] = k1_[i] * (cosTheta * p[d] + sinTheta * dp[d]);
      } else {
        const int i1 = GaussCoefficients::Index(n - 1, m);
        const bool two = n - 2 >= m;
        const double p2 = two ? p[GaussCoefficients::Index(n - 2, m)] : 0.0;
        const double dp2 = two ? dp[GaussCoefficients::Index(n - 2, m)] : 0.0;
        p[i] = k1_[i] * cosTheta * p[i1] - k2_[i] * p2;
        dp[i] = k1_[i] * (cosTheta * dp[i1] - sinTheta * p[i1]) - k2_[i] * dp2;
      }
    }
  }

  const double phi = longitude * kRadian;
  std::vector<double>& cm = cm_;
  std::vector<double>& sm = sm_;
  cm[0] = 1;
  sm[0] = 0;
  if (degree >= 1) {
    cm[1] = std::cos(phi);
    sm[1] = std::sin(phi);
  }
  for (int m = 2; m <= degree; ++m) {
    cm[m] = cm[m - 1] * cm[1] - sm[m - 1] * sm[1];
    sm[m] = sm[m - 1] * cm[1] + cm[m - 1] * sm[1];
  }
  const bool pole = std::fabs(sinTheta) < 1e-10;
  double br = 0, bTheta = 0, bPhi = 0;
  const double ratio = kReferenceRadius / r;
  double rr = ratio * ratio;
  for (int n = 1; n <= degree; ++n) {
    rr *= ratio;
    for (int m = 0; m <= n; ++m) {
      const int i = GaussCoefficients::Index(n, m);
      const double term = model_.g[i] * cm[m] + model_.h[i] * sm[m];
      br += (n + 1) * rr * term * p[i];
      bTheta -= rr * term * dp[i];
      if (m > 0) {
        // P/sin(theta) at the pole is its limit: dP/cos(theta) for m = 1, 0 above.
        double pOverSin;
        if (!pole) {
          pOverSin = p[i] / sinTheta;
        } else {
          pOverSin = m == 1 ? dp[i] / cosTheta : 0.0;
        }
        bPhi += rr * m * (model_.g[i] * sm[m] - model_.h[i] * cm[m]) * pOverSin;
      }
    }
  }
  const double x = -bTheta, y = bPhi, z = -br;
  const double north = x * cd + z * sd;
  const double down = z * cd - x * sd;
  return std::sqrt(north * north + y * y + down * down);
}

double TotalField(const GaussCoefficients& model, double latitude, double longitude,
                  double heightKm) {
  return SphericalHarmonicField(model).TotalField(latitude, longitude, heightKm);
}

bool IgrfDateCovered(IgrfModel model, double date) {
  if (model == IgrfModel::Igrf14) return Igrf14Coefficients(date).has_value();
  return std::isfinite(date);
}

double ModelTotalField(IgrfModel model, double latitude, double longitude, double date) {
  if (model == IgrfModel::Igrf2005) return IgrfTotalField(latitude, longitude, date);
  const auto coefficients = Igrf14Coefficients(date);
  return coefficients ? TotalField(*coefficients, latitude, longitude) : 0.0;
}

PassResult ComputeAnomalies(std::istream& in, std::ostream& out, const AnomalyOptions& options,
                            const ProgressFn& progress) {
  const XyzLayout output = XyzLayout::FromCode(options.outputFormatCode);
  if (!XyzLayout::FromCode(options.inputFormatCode).HasZ()) {
    return PassResult::Fail("The input layout has no total field (Z) column", 0);
  }
  // The coefficients of the date are worked out once for the whole file.
  std::optional<SphericalHarmonicField> igrf14;
  if (options.model == IgrfModel::Igrf14) {
    auto coefficients = Igrf14Coefficients(options.date);
    if (!coefficients) return PassResult::Fail("The date is outside 1900-2030", 0);
    igrf14.emplace(std::move(*coefficients));
  }
  const Igrf2005Field igrf2005(options.date);
  // Each thread has its own copy of the recursion's working arrays.
  auto anomaly = [output, igrf14, &igrf2005](const XyzPoint& point, LineWriter& writer,
                                             long long&) mutable -> std::string_view {
    if (HasUnreadableValue(point)) return "Unreadable number";
    const double x = point.x.number, y = point.y.number;
    const double field = igrf14 ? igrf14->TotalField(y, x) : igrf2005.TotalField(y, x);
    if (output.valid) WriteXyzLine(writer, output, x, y, Int(point.z.number - field));
    return {};
  };
  XyzBlockOptions blockOptions;
  blockOptions.inputFormatCode = options.inputFormatCode;
  blockOptions.blocks = options.blocks;
  blockOptions.partialPointFault = true;
  long long tally = 0;
  const XyzPassResult result = ForEachXyzBlock(
      in, out, blockOptions, progress, tally, [&anomaly] { return anomaly; },
      [&] {
        LineWriter writer(out);
        XyzPassResult pass;
        pass.pass =
            ForEachSurveyPoint(in, options.inputFormatCode, progress,
                               [&](const XyzPoint& point) { anomaly(point, writer, tally); });
        if (!writer.Flush() && pass.pass.status == PassStatus::Done) {
          pass.pass = PassResult::WriteFault();
        }
        return pass;
      });
  return result.pass;
}

void MagneticAnomaly(int, RunState& state, Ui& ui) {
  FormatCodeReset reset(state);
  const auto date = Ask(ui, &SurveyQuestions::SurveyDate);
  if (!date) return;
  state.IgrfDate = SurveyDate(date->year, date->month);

  ui.SetFileFilters(kPointFileFilters);
  if (!AskInputFile(state, ui, 4)) return;
  if (!AskInputFormat(state, ui)) return;
  // Without a Z column there is no measured field to take the model from.
  if (!XyzLayout::FromCode(state.InputFormatCode).HasZ()) {
    Warn(ui,
         "The input must hold the total magnetic field as its Z value: choose a layout with "
         "X, Y and Z.",
         " IGRF ");
    return;
  }
  if (state.CheckStatistics == 1) {
    CheckXyzFile(state.InputFileName, state, ui);
    if (state.InputError == 1) return;
  }
  if (!AskOutputFile(state, ui, 4)) return;
  if (!EnsureOutputFormat(state, ui)) return;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus(" Calculating the Magnetic anomalies (IGRF2000-2005) ");
  ui.SetProgressCount(0);
  AnomalyOptions options;
  options.inputFormatCode = state.InputFormatCode;
  options.outputFormatCode = state.OutputFormatCode;
  options.date = state.IgrfDate;
  options.blocks.threads = state.Threads;
  const PassResult result = ComputeAnomalies(files.input.Stream(), files.output.Stream(), options,
                                             WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.count);
  ShowPassNote(result, state.InputFileName, ui);
  ui.Message("  finished , Total Magnetic field > Mag. Anomaly ", "", MessageIcon::None,
             MessageButtons::Ok, MessageAnswer::Ok);
}

}  // namespace zolvane
