#include "formats/xyz/translate.h"

#include <cmath>

#include "core/files.h"
#include "core/services.h"
#include "formats/xyz/transform_files.h"
#include "formats/xyz/transform_questions.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {
namespace {

// The dialog turns the bearing into radians with its own rounded pi.
constexpr double kPi = 3.14159265358979;

}  // namespace

Displacement DisplacementOf(const TranslateChoice& choice) {
  Displacement d;
  d.distance = choice.Distance * (choice.Kilometres ? 1000.0 : 1852.0);
  d.angle = choice.Angle;
  const double theta = d.angle * kPi / 180.0;
  d.dy = static_cast<float>(d.distance * std::cos(theta));
  d.dx = d.distance * std::sin(theta);
  return d;
}

XyzPassResult TranslateXyz(std::istream& in, std::ostream& out, const TranslateOptions& options,
                           const ProgressFn& progress) {
  const double centralMeridian = options.centralMeridian;
  const double dy = options.dy;
  const UtmProjection projection(options.ellipsoid);
  auto translate = [&options, &projection, centralMeridian, dy](XyzPoint& point) {
    double x = point.x.number, y = point.y.number;
    if (options.degrees) {
      const UtmCoordinate utm = projection.ToUtm(y, x, centralMeridian);
      x = std::floor(utm.Easting);
      y = std::floor(utm.Northing);
    }
    x += options.dx;
    y += dy;
    if (options.degrees) {
      const GeoCoordinate geo = projection.ToGeo(x, y, centralMeridian);
      point.x.SetPicture(geo.Longitude, kLongitudePattern);
      point.y.SetPicture(geo.Latitude, kLatitudePattern);
    } else {
      point.x.SetNumber(x);
      point.y.SetNumber(y);
    }
  };
  return RunXyzBlockPass(in, out, options.inputFormatCode, options.outputFormatCode, options.blocks,
                         progress, [&translate] { return translate; });
}

void TranslateXyzFile(int index, RunState& state, Ui& ui) {
  FormatCodeReset reset(state);
  const bool degrees = index == 1;
  state.CheckStatistics = 0;
  state.TranslateDistance = 0;
  state.UtmZone = 0;
  if (const auto choice = Ask(ui, &GeoQuestions::Translate)) {
    const Displacement d = DisplacementOf(*choice);
    state.TranslateDistance = d.distance;
    state.TranslateAngle = d.angle;
    state.TranslateDx = d.dx;
    state.TranslateDy = d.dy;
  }
  if (!(state.TranslateDistance > 0)) return;
  SetEllipsoid(state, kWgs84);

  ui.SetFileFilters(kPointFileFilters);
  if (!AskXyzFiles(state, ui)) return;
  if (degrees && !EnsureZone(state, ui)) return;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus("Converting ascii file formats");
  ui.SetProgressCount(0);

  TranslateOptions options;
  options.inputFormatCode = state.InputFormatCode;
  options.outputFormatCode = state.OutputFormatCode;
  options.degrees = degrees;
  options.ellipsoid = EllipsoidInForce(state);
  options.centralMeridian = state.CentralMeridian;
  options.dx = state.TranslateDx;
  options.dy = state.TranslateDy;
  options.blocks.threads = state.Threads;
  const XyzPassResult result = TranslateXyz(files.input.Stream(), files.output.Stream(), options,
                                            WindowProgress(ui, files.input.Size()));
  if (result.pass.status != PassStatus::Done) return ReportXyzPassFault(result, state, ui);
  if (!files.Commit(ui)) return;
  ReportXyzPassDone(result, " Finished translation", state, ui);
}

}  // namespace zolvane
