#include "formats/xyz/transform_files.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/bna_exports.h"
#include "formats/bna/bna_reader.h"
#include "formats/xyz/transform_questions.h"
#include "formats/xyz/xyz_pass.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;  // BNA pairs between progress reports
// The distance columns take an X above this as metres, anything else as degrees.
constexpr double kGeographicLimit = 10000;

// The pattern only rounds: the value goes back to a number and is written in general form.
double RoundedThrough(double number, std::string_view pattern, std::string& scratch) {
  scratch.clear();
  AppendPicture(scratch, number, pattern);
  return ReadNumber(scratch);
}

void AskEllipsoid(RunState& state, Ui& ui, std::string_view question) {
  const MessageAnswer answer = ui.Message(question, "Ellipsoid", MessageIcon::Question,
                                          MessageButtons::YesNo, MessageAnswer::No);
  SetEllipsoid(state, answer == MessageAnswer::Yes ? kEd50 : kWgs84);
}

Projection ProjectionOfModes(const RunState& state) {
  if (state.GeoToUtmMode == 1) return Projection::GeoToUtm;
  if (state.UtmToGeoMode == 1) return Projection::UtmToGeo;
  return Projection::None;
}

}  // namespace

Ellipsoid EllipsoidInForce(const RunState& state) {
  if (state.SemiMajorAxis == 0) return kWgs84;
  return {state.SemiMajorAxis, state.SemiMinorAxis};
}

void SetEllipsoid(RunState& state, const Ellipsoid& ellipsoid) {
  state.SemiMajorAxis = ellipsoid.SemiMajorAxis;
  state.SemiMinorAxis = ellipsoid.SemiMinorAxis;
}

bool EnsureZone(RunState& state, Ui& ui) {
  if (state.UtmZone >= 1) return true;
  const auto choice = Ask(ui, &GeoQuestions::ChooseZone);
  if (!choice || choice->UtmZone < 1) return false;
  state.UtmZone = choice->UtmZone;
  state.CentralMeridian = choice->CentralMeridian;
  return true;
}

namespace {

// Projects one point as the options ask; the latitude and longitude projected are kept
// for the distances.
std::string_view ProjectPoint(XyzPoint& point, const XyzTransformOptions& options,
                              const UtmProjection& projection, double& latitude,
                              double& longitude) {
  const double centralMeridian = options.centralMeridian;
  if (options.projection == Projection::GeoToUtm) {
    latitude = point.y.number;
    longitude = point.x.number;
    if (!IsLatitude(latitude)) return kLatitudeFault;
    const UtmCoordinate utm = projection.ToUtm(latitude, longitude, centralMeridian);
    point.x.SetNumber(std::floor(utm.Easting));
    point.y.SetNumber(std::floor(utm.Northing));
  } else if (options.projection == Projection::UtmToGeo) {
    const GeoCoordinate geo = projection.ToGeo(point.x.number, point.y.number, centralMeridian);
    point.x.SetPicture(geo.Longitude, kLongitudePattern);
    point.y.SetPicture(geo.Latitude, kLatitudePattern);
  }
  return {};
}

}  // namespace

XyzTransformResult TransformXyz(std::istream& in, std::ostream& out,
                                const XyzTransformOptions& options, const ProgressFn& progress) {
  const double centralMeridian = options.centralMeridian;
  const UtmProjection projection(options.ellipsoid);
  XyzTransformResult result;
  if (!options.distances) {
    static_cast<XyzPassResult&>(result) = RunXyzBlockPass(
        in, out, options.inputFormatCode, options.outputFormatCode, options.blocks, progress, [&] {
          return [&options, &projection, latitude = 0.0, longitude = 0.0](XyzPoint& point) mutable {
            return ProjectPoint(point, options, projection, latitude, longitude);
          };
        });
    return result;
  }
  UtmPlane plane(projection);  // the distances run on across the equator
  const XyzLayout output = XyzLayout::FromCode(options.outputFormatCode);
  bool geographicDistances = false;
  long long number = 0;
  double previousX = 0, previousY = 0, accumulated = 0;

  double latitude = 0, longitude = 0;  // of the point projected last
  auto transform = [&](XyzPoint& point) {
    return ProjectPoint(point, options, projection, latitude, longitude);
  };
  auto distances = [&](const XyzPoint& point, std::string& text) {
    if (!options.distances) return;
    ++number;
    double x = point.x.number, y = point.y.number;
    if (options.projection == Projection::GeoToUtm) {
      // The northings written keep the southern rule; the distances run on across the equator.
      const UtmCoordinate utm = plane.ToPlane(latitude, longitude, centralMeridian);
      x = std::floor(utm.Easting);
      y = std::floor(utm.Northing);
    } else if (!(x > kGeographicLimit)) {
      const UtmCoordinate utm = plane.ToPlane(y, x, centralMeridian);
      x = std::floor(utm.Easting);
      y = std::floor(utm.Northing);
      geographicDistances = true;
    }
    const double partial = number == 1 ? 0.0
                                       : std::floor(std::sqrt((x - previousX) * (x - previousX) +
                                                              (y - previousY) * (y - previousY)));
    previousX = x;
    previousY = y;
    accumulated += partial;
    text += output.delimiter;
    AppendPrintItem(text, partial);
    text += output.delimiter;
    AppendPrintItem(text, accumulated);
  };
  const XyzPassResult pass = RunXyzPass(in, out, options.inputFormatCode, options.outputFormatCode,
                                        progress, transform, distances);
  static_cast<XyzPassResult&>(result) = pass;
  result.geographicDistances = geographicDistances;
  return result;
}

PassResult TransformBna(std::istream& in, std::ostream& out, const BnaTransformOptions& options,
                        const ProgressFn& progress) {
  // The readers of the check: coordinate lines may be quoted or carry more fields.
  BnaObjectReader reader(in);
  LineWriter writer(out);
  BnaHeader header;
  std::string label1, label2, scratch;
  long long count = 0;
  const double centralMeridian = options.centralMeridian;
  const UtmProjection projection(options.ellipsoid);

  auto transform = [&](double& x, double& y) {
    if (options.projection == Projection::GeoToUtm) {
      const UtmCoordinate utm = projection.ToUtm(y, x, centralMeridian);
      x = std::floor(utm.Easting);
      y = std::floor(utm.Northing);
    } else if (options.projection == Projection::UtmToGeo) {
      const GeoCoordinate geo = projection.ToGeo(x, y, centralMeridian);
      x = RoundedThrough(geo.Longitude, kLongitudePattern, scratch);
      y = RoundedThrough(geo.Latitude, kLatitudePattern, scratch);
    }
  };

  for (;;) {
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return reader.Fault();
    label1.assign(BnaLabelField(header.label1));
    label2.assign(BnaLabelField(header.label2));
    const long long n = header.count;
    // Each object keeps its own form, also in files that mix both.
    if (!options.toPoints && !header.singlePoint) {
      WriteRecord(writer, {RecordItem::Text(label1), RecordItem::Text(label2),
                           RecordItem::Number(static_cast<double>(n))});
    }
    for (long long i = n < 0 ? -n : n; i > 0; --i) {
      double x = header.x, y = header.y;
      if (!header.singlePoint && reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
      if (options.projection == Projection::GeoToUtm && !IsLatitude(y)) {
        return PassResult::Fail(std::string(kLatitudeFault), reader.LineNumber());
      }
      if (!options.toPoints) transform(x, y);
      if (options.toPoints || header.singlePoint) {
        WriteRecord(writer, {RecordItem::Text(label1), RecordItem::Text(label2),
                             RecordItem::Number(options.toPoints ? 1.0 : static_cast<double>(n)),
                             RecordItem::Number(x), RecordItem::Number(y)});
      } else {
        WriteRecord(writer, {RecordItem::Number(x), RecordItem::Number(y)});
      }
      ++count;
      if (count % kProgressInterval == 0 && progress && !progress(count, reader.BytesRead())) {
        return PassResult::Stop();
      }
    }
  }
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = count;
  return done;
}

void TransformXyzFile(RunState& state, Ui& ui) {
  FormatCodeReset reset(state);
  state.CheckStatistics = 0;
  const Projection projection = ProjectionOfModes(state);
  if (projection != Projection::None) {
    AskEllipsoid(state, ui, "Default is WGS84, change to ED50?");
  }
  ui.SetFileFilters(kPointFileFilters);
  if (!AskXyzFiles(state, ui)) return;
  // Asked before the pass rather than at its first point, so no half-written file waits on it.
  if (projection != Projection::None && !EnsureZone(state, ui)) return;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus("Converting ascii file formats");
  ui.SetProgressCount(0);

  XyzTransformOptions options;
  options.inputFormatCode = state.InputFormatCode;
  options.outputFormatCode = state.OutputFormatCode;
  options.projection = projection;
  options.ellipsoid = EllipsoidInForce(state);
  options.centralMeridian = state.CentralMeridian;
  options.distances = state.OutputDistances;
  options.blocks.threads = state.Threads;
  const XyzTransformResult result = TransformXyz(files.input.Stream(), files.output.Stream(),
                                                 options, WindowProgress(ui, files.input.Size()));
  if (result.pass.status != PassStatus::Done) return ReportXyzPassFault(result, state, ui);
  if (!files.Commit(ui)) return;
  if (result.geographicDistances && state.SemiMajorAxis == 0) SetEllipsoid(state, kWgs84);
  ReportXyzPassDone(result, " Finished  XYZ > XYZ ", state, ui);
}

void TransformBnaFile(RunState& state, Ui& ui) {
  struct ModeReset {
    RunState& state;
    ~ModeReset() { state.ToPointsMode = 0; }
  } reset{state};
  const bool toPoints = state.ToPointsMode == 1;
  const Projection projection = toPoints ? Projection::None : ProjectionOfModes(state);
  if (projection != Projection::None) {
    AskEllipsoid(state, ui, "Default is WGS-84, do you like to change to ED-50");
  }
  ui.SetFileFilters(kPointFileFilters);
  if (!AskInputFile(state, ui, 2)) return;
  ui.SetStatus(" Checking bna format file ");
  CheckBnaFile(state.InputFileName, state, ui);
  if (state.InputError == 1) return;
  if (!AskOutputFile(state, ui, 2)) return;
  if (projection != Projection::None && !EnsureZone(state, ui)) return;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus(" changing bna format ");
  ui.SetProgressCount(0);

  BnaTransformOptions options;
  options.projection = projection;
  options.ellipsoid = EllipsoidInForce(state);
  options.centralMeridian = state.CentralMeridian;
  options.toPoints = toPoints;
  const PassResult result = TransformBna(files.input.Stream(), files.output.Stream(), options,
                                         WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.count);
  ui.SetStatus(" Finished   BNA => BNA ");
}

}  // namespace zolvane
