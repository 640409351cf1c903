// The IGRF total field of both models and the anomaly pass.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/services.h"
#include "formats/engine_cases.h"
#include "survey/igrf.h"

namespace zolvane {
namespace {

// A synthesis of its own to check the model code against: Gauss-normalised Legendre
// functions, with the coefficients turned from Schmidt's normalisation by the usual factors.
double GaussSynthesis(const GaussCoefficients& c, double latitude, double longitude, double a2,
                      double b2) {
  const double pi = std::acos(-1.0), rad = pi / 180;
  const double cl = std::cos(latitude * rad), sl = std::sin(latitude * rad);
  const double aa = a2 * cl * cl, bb = b2 * sl * sl, rho = std::sqrt(aa + bb);
  const double r = std::sqrt((a2 * aa + b2 * bb) / (aa + bb));
  const double cd = rho / r, sd = (a2 - b2) / rho * sl * cl / r;
  const double ct = sl * cd - cl * sd, st = cl * cd + sl * sd;  // geocentric colatitude
  const int nMax = c.degree;
  std::vector<std::vector<double>> p(nMax + 1, std::vector<double>(nMax + 1, 0.0));
  auto dp = p, s = p;
  p[0][0] = 1;
  s[0][0] = 1;
  for (int n = 1; n <= nMax; ++n) {
    s[n][0] = s[n - 1][0] * (2 * n - 1) / n;
    for (int m = 1; m <= n; ++m)
      s[n][m] = s[n][m - 1] * std::sqrt((n - m + 1.0) * (m == 1 ? 2 : 1) / (n + m));
    for (int m = 0; m <= n; ++m) {
      if (m == n) {
        p[n][n] = st * p[n - 1][n - 1];
        dp[n][n] = st * dp[n - 1][n - 1] + ct * p[n - 1][n - 1];
      } else {
        const double k =
            n == 1 ? 0.0 : ((n - 1.0) * (n - 1) - m * m) / ((2.0 * n - 1) * (2.0 * n - 3));
        const double p2 = n >= 2 ? p[n - 2][m] : 0.0, dp2 = n >= 2 ? dp[n - 2][m] : 0.0;
        p[n][m] = ct * p[n - 1][m] - k * p2;
        dp[n][m] = ct * dp[n - 1][m] - st * p[n - 1][m] - k * dp2;
      }
    }
  }
  double x = 0, y = 0, z = 0;
  const double phi = longitude * rad;
  for (int n = 1; n <= nMax; ++n) {
    const double ar = std::pow(6371.2 / r, n + 2);
    for (int m = 0; m <= n; ++m) {
      const int i = GaussCoefficients::Index(n, m);
      const double g = s[n][m] * c.g[i], h = s[n][m] * c.h[i];
      const double cm = std::cos(m * phi), sm = std::sin(m * phi);
      x += ar * (g * cm + h * sm) * dp[n][m];
      y += ar * m * (g * sm - h * cm) * p[n][m] / st;
      z -= ar * (n + 1) * (g * cm + h * sm) * p[n][m];
    }
  }
  const double north = x * cd + z * sd, down = z * cd - x * sd;
  return std::sqrt(north * north + y * y + down * down);
}

struct Place {
  double latitude, longitude, date;
};
constexpr Place kPlaces[] = {
    {41.4, 2.2, 2005.0833}, {-33.9, 18.4, 2007.5}, {64.1, -21.9, 2009.0},
    {-54.8, -68.3, 2003.2}, {0, 0, 2005},          {10.5, 170, 2010},
};

TEST(Igrf, SurveyDates) {
  EXPECT_NEAR(SurveyDate(2005, 1), 2005.0833, 1e-4);
  EXPECT_EQ(SurveyDate(2005, 12), 2006.0);
}

TEST(Igrf, The2005RecursionAgreesWithAGaussNormalisedSynthesis) {
  for (const Place& place : kPlaces) {
    const double expected = GaussSynthesis(Igrf2005Coefficients(place.date), place.latitude,
                                           place.longitude, 40680925.0, 40408585.0);
    EXPECT_NEAR(IgrfTotalField(place.latitude, place.longitude, place.date), expected, 0.1)
        << place.latitude << " " << place.longitude;
  }
}

TEST(Igrf, FourteenthGenerationAgreesWithTheSynthesisAndItsPublishedValues) {
  const double a = 6378.137, b = a * (1 - 1 / 298.257223563);
  for (const Place& place : kPlaces) {
    for (const double date : {place.date, place.date + 15.5, 1912.3, 2028.7}) {
      const auto model = Igrf14Coefficients(date);
      ASSERT_TRUE(model);
      EXPECT_EQ(model->degree, 13);
      EXPECT_NEAR(TotalField(*model, place.latitude, place.longitude),
                  GaussSynthesis(*model, place.latitude, place.longitude, a * a, b * b), 0.1);
    }
  }
  // Total fields printed by IAGA's igrf14syn program for geodetic positions at a height,
  // as tabulated with SatelliteToolboxGeomagneticField.jl (test/IGRF14_test_geodetic.txt).
  const struct {
    double date, heightKm, latitude, longitude, field;
  } published[] = {
      {1923.1, 28.67, 90 - 44.61, 28.77, 44956.53206},
      {2010.3, 57.19, 90 - 14.47, 254.50, 56425.99730},
      {2027.0, 101.99, 90 - 68.54, 277.27, 38332.25634},
  };
  for (const auto& p : published) {
    EXPECT_NEAR(TotalField(*Igrf14Coefficients(p.date), p.latitude, p.longitude, p.heightKm),
                p.field, 1.0)
        << p.date;
  }
  EXPECT_FALSE(Igrf14Coefficients(1899.9));
  EXPECT_FALSE(Igrf14Coefficients(2030.1));
  EXPECT_FALSE(IgrfDateCovered(IgrfModel::Igrf14, 2031));
}

TEST(Igrf, PolesStayFinite) {
  for (const double latitude : {90.0, -90.0}) {
    const double old = IgrfTotalField(latitude, 0, 2005);
    EXPECT_TRUE(std::isfinite(old));
    EXPECT_NEAR(old, IgrfTotalField(latitude * 0.99999, 0, 2005), 5);
    const double current = ModelTotalField(IgrfModel::Igrf14, latitude, 30, 2020);
    EXPECT_TRUE(std::isfinite(current));
    EXPECT_NEAR(current, ModelTotalField(IgrfModel::Igrf14, latitude * 0.99999, 30, 2020), 5);
  }
}

std::string Text17(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

TEST(Igrf, AnomaliesRoundDownAndFollowTheOutputLayout) {
  const double f = IgrfTotalField(41, 2, 2005);
  const std::string point = "2,41," + Text17(f) + "\n";
  const std::string below = "2,41," + Text17(f - 0.4) + "\n";
  const struct {
    std::string input;
    int out;
    std::string expected;
  } cases[] = {
      {point, 11, "2,41,0\r\n"}, {below, 21, "2 41 -1\r\n"}, {below, 32, "41\t2\t-1\r\n"},
      {point, 13, "2,41\r\n"},   {point, 14, "41,2\r\n"},
  };
  for (const auto& c : cases) {
    AnomalyOptions options;
    options.outputFormatCode = c.out;
    options.date = 2005;
    const auto [result, out] = testing::RunPass(
        c.input, [&](auto& in, auto& out) { return ComputeAnomalies(in, out, options, {}); });
    EXPECT_EQ(result.status, PassStatus::Done);
    EXPECT_EQ(out, c.expected) << c.out;
  }
}

using IgrfFlow = testing::FlowTest<>;

TEST_F(IgrfFlow, KeepsTheDateRefusesLayoutsWithoutZAndResetsTheCodes) {
  const std::string input = dir.Write("in.dat", "2 41 " + Text17(IgrfTotalField(41, 2, 2006)));
  const std::string output = dir.File("out.dat");

  ui.surveyDateAnswers.push_back(SurveyDateChoice{2005, 12});
  ui.inputFiles.push_back(input);
  ui.inputOptionsAnswers.push_back(InputOptionsChoice{23, false});
  MagneticAnomaly(0, state, ui);
  EXPECT_EQ(state.IgrfDate, 2006.0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(ui.outputFilterIndices.empty());
  EXPECT_EQ(state.InputFormatCode, 0);

  ui.surveyDateAnswers.push_back(SurveyDateChoice{2005, 12});
  ui.inputFiles.push_back(input);
  ui.inputOptionsAnswers.push_back(InputOptionsChoice{21, false});
  ui.outputFiles.push_back(output);
  ui.outputOptionsAnswers.push_back(OutputOptionsChoice{11, false});
  MagneticAnomaly(0, state, ui);
  EXPECT_EQ(testing::DialogsOf(ui), (testing::FileDialogs{kPointFileFilters, {4, 4}, {4}}));
  EXPECT_EQ(ui.statusHistory.back(), " Calculating the Magnetic anomalies (IGRF2000-2005) ");
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, "  finished , Total Magnetic field > Mag. Anomaly ");
  EXPECT_EQ(ui.messages[1].buttons, MessageButtons::Ok);
  EXPECT_EQ(testing::TempDir::Read(output), "2,41,0\r\n");
  EXPECT_EQ(state.InputFormatCode, 0);
  EXPECT_EQ(state.OutputFormatCode, 0);

  // A value that is not a number stops the pass at its line.
  const std::string bad = dir.Write("bad.dat", "2,41,45000\n3,41,4x\n");
  ui.surveyDateAnswers.push_back(SurveyDateChoice{2005, 1});
  ui.inputFiles.push_back(bad);
  ui.inputOptionsAnswers.push_back(InputOptionsChoice{11, false});
  ui.outputFiles.push_back(dir.File("bad-out.dat"));
  ui.outputOptionsAnswers.push_back(OutputOptionsChoice{11, false});
  MagneticAnomaly(0, state, ui);
  EXPECT_EQ(ui.status, "Unreadable number: line 2 of " + bad);
  EXPECT_FALSE(std::filesystem::exists(dir.File("bad-out.dat")));
}

}  // namespace
}  // namespace zolvane
