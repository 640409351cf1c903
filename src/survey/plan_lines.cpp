#include "survey/plan_lines.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_writer.h"
#include "formats/bna/bna_reader.h"
#include "formats/xyz/transform_files.h"
#include "survey/survey_questions.h"

namespace zolvane {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr long long kProgressInterval = 200;
// Far beyond any plan; a mistyped count must not fill the disk.
constexpr int kMaxParallelLines = 100000;
constexpr std::string_view kBnaFilter = "BNA (*.bna)|*.bna";

// A value that rounds to zero in the pattern is written as zero, without a sign.
std::string Picture(double value, std::string_view pattern, double halfUnit) {
  return FormatPicture(std::fabs(value) < halfUnit ? 0.0 : value, pattern);
}

// Rounds to `decimals` places, halves to even; never a negative zero.
double RoundTo(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return RoundHalfEven(value * scale) / scale + 0.0;
}

// An output file of a command that reads none: only the name is asked for.
bool AskOutputOnly(RunState& state, Ui& ui) {
  ui.SetFileFilters(kBnaFilter);
  const auto name = ui.ChooseOutputFile(1, {});
  if (!name || name->empty()) return false;
  state.OutputFileName = *name;
  ui.SetOutputFileName(*name);
  return true;
}

// Writes `write` into the command's output file and puts it in place.
template <typename Write>
bool WriteOutput(RunState& state, Ui& ui, Write&& write) {
  OutputFile output(state.OutputFileName);
  if (!output.IsOpen()) {
    ReportOpenFailure(ui, output.Path(), true, output.Fault());
    return false;
  }
  const PassResult result = write(output.Stream());
  if (result.status != PassStatus::Done || !output.Commit()) {
    ReportOpenFailure(ui, output.Path(), true,
                      output.Fault().empty() ? result.systemReason : output.Fault());
    return false;
  }
  ui.OutputCompleted();
  return true;
}

}  // namespace

ParallelResult WriteParallelLines(std::ostream& out, const ParallelOptions& options) {
  ParallelResult result;
  LineWriter writer(out);
  WriteRecord(writer, {RecordItem::Text("Master"), RecordItem::Text("0"), RecordItem::Number(-2)});
  // Coordinate records of the texts as typed, so that every BNA reader takes the whole file.
  const auto coordinate = [&writer](const std::string& x, const std::string& y) {
    writer.Append(x);
    writer.Append(',');
    writer.WriteLine(y);
  };
  coordinate(options.xa, options.ya);
  coordinate(options.xb, options.yb);

  double xa = ReadNumber(options.xa), ya = ReadNumber(options.ya);
  double xb = ReadNumber(options.xb), yb = ReadNumber(options.yb);
  const UtmProjection projection(kWgs84);
  UtmPlane plane(projection);  // the offsets run on across the equator
  if (options.degrees) {
    result.utmZone = ToInt32(Int((xa + 186) / 6));
    result.centralMeridian = 6 * result.utmZone - 183;
    const UtmCoordinate a = plane.ToPlane(ya, xa, result.centralMeridian);
    const UtmCoordinate b = plane.ToPlane(yb, xb, result.centralMeridian);
    xa = Int(a.Easting);
    ya = Int(a.Northing);
    xb = Int(b.Easting);
    yb = Int(b.Northing);
  }
  const double dx = xb - xa;
  double dy = yb - ya;
  if (dy == 0) dy = 0.0000001;
  const double theta = std::atan(dx / dy);
  const double offsetX = options.spacing * std::sin(theta - kPi / 2);
  const double offsetY = options.spacing * std::cos(theta - kPi / 2);

  auto point = [&](double x, double y) {
    std::string first, second;
    if (options.degrees) {
      const GeoCoordinate geo = plane.ToGeo(x, y, result.centralMeridian);
      first = Picture(geo.Longitude, kLongitudePattern, 5e-8);
      second = Picture(geo.Latitude, kLatitudePattern, 5e-8);
    } else {
      first = Picture(x, "000000", 0.5);
      second = Picture(y, "0000000", 0.5);
    }
    WriteRecord(writer, {RecordItem::Text(first), RecordItem::Text(second)});
  };
  for (const auto& [side, sign] : {std::pair{"L", 1.0}, std::pair{"R", -1.0}}) {
    for (long long k = 1; k <= options.count; ++k) {
      const std::string name = FormatSigned(static_cast<double>(k)) + side;
      WriteRecord(writer, {RecordItem::Text(name), RecordItem::Text(name), RecordItem::Number(-2)});
      const double step = sign * static_cast<double>(k);
      point(xa + step * offsetX, ya + step * offsetY);
      point(xb + step * offsetX, yb + step * offsetY);
    }
  }
  if (!writer.Flush()) result.pass = PassResult::WriteFault();
  return result;
}

PassResult RotateBnaRecords(std::istream& in, std::ostream& out, const RotateOptions& options,
                            const ProgressFn& progress) {
  const double theta = (options.ccw ? -options.angle : options.angle) * kPi / 180;
  const double cosine = std::cos(theta), sine = std::sin(theta);
  BnaObjectReader reader(in, BnaNumbers::Required);
  LineWriter writer(out);
  BnaHeader header;
  long long count = 0;
  for (;;) {
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return reader.Fault();
    WriteRecord(writer, {RecordItem::Text(UnquotedBnaLabel(header.label1)),
                         RecordItem::Text(UnquotedBnaLabel(header.label2)),
                         RecordItem::Number(static_cast<double>(header.count))});
    for (long long i = 0; i < std::llabs(header.count); ++i) {
      double x = 0, y = 0;
      if (reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
      const double dx = x - options.centreX, dy = y - options.centreY;
      double rx = options.centreX + dx * cosine + dy * sine;
      double ry = options.centreY - dx * sine + dy * cosine;
      const int decimals = rx < 360 ? 7 : 0;
      rx = RoundTo(rx, decimals);
      ry = RoundTo(ry, decimals);
      WriteRecord(writer, {RecordItem::Number(rx), RecordItem::Number(ry)});
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

PassResult WriteCircle(std::ostream& out, double centreX, double centreY, double radius) {
  LineWriter writer(out);
  writer.WriteLine("circle,38, 38 ");
  std::string text;
  auto point = [&](int degrees) {
    const double a = degrees * kPi / 180;
    text.clear();
    AppendPrintItem(text, centreX + radius * std::cos(a));
    text += ", ";
    AppendPrintItem(text, centreY + radius * std::sin(a));
    writer.WriteLine(text);
  };
  for (int degrees = 0; degrees <= 360; degrees += 10)
    point(degrees);
  point(0);
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = 38;
  return done;
}

void CreateParallelLines(int, RunState& state, Ui& ui) {
  ui.SetStatus("");
  // Cancel ends the command here rather than drawing from the dialog's first values.
  const auto choice = Ask(ui, &SurveyQuestions::Parallel);
  if (!choice) return;
  if (choice->Count > kMaxParallelLines) {
    Warn(ui, "At most " + std::to_string(kMaxParallelLines) + " lines on each side",
         " Create Parallel ");
    return;
  }
  SetEllipsoid(state, kWgs84);
  if (!AskOutputOnly(state, ui)) return;
  ParallelOptions options;
  options.degrees = choice->Degrees;
  options.xa = choice->Xa;
  options.ya = choice->Ya;
  options.xb = choice->Xb;
  options.yb = choice->Yb;
  options.spacing = choice->Spacing;
  options.count = choice->Count;
  ParallelResult result;
  if (!WriteOutput(state, ui, [&](std::ostream& out) {
        result = WriteParallelLines(out, options);
        return result.pass;
      })) {
    return;
  }
  if (options.degrees) state.CentralMeridian = result.centralMeridian;
  state.UtmZone = 0;
  ui.SetStatus("Parallel BNA file >> Created");
}

void RotateBna(int, RunState& state, Ui& ui) {
  ui.SetStatus("");
  // Cancel ends the command rather than copying the file unrotated.
  const auto choice = Ask(ui, &SurveyQuestions::Rotate);
  if (!choice) return;
  ui.SetFileFilters(kBnaFilter);
  if (!AskInputFile(state, ui, 1)) return;
  if (!AskOutputFile(state, ui, 1)) return;
  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus(" Rotating bna file ");
  ui.SetProgressCount(0);
  const RotateOptions options{choice->CentreX, choice->CentreY, choice->Angle, choice->Ccw};
  const PassResult result = RotateBnaRecords(files.input.Stream(), files.output.Stream(), options,
                                             WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.count);
  ui.SetStatus(" BNA file Rotated ");
}

void DrawCircleBna(int, RunState& state, Ui& ui) {
  ui.SetStatus("");
  const std::string x = ui.InputBox("X of the circle center", "", "");
  if (x.empty()) return;
  const std::string y = ui.InputBox("Y of the circle center", "", "");
  if (y.empty()) return;
  const std::string r = ui.InputBox(" Circle Radius (in the units of X and Y)", "", "");
  if (r.empty()) return;
  if (!AskOutputOnly(state, ui)) return;
  if (!WriteOutput(state, ui, [&](std::ostream& out) {
        return WriteCircle(out, ReadNumber(x), ReadNumber(y), ReadNumber(r));
      })) {
    return;
  }
  ui.SetStatus(state.OutputFileName + " created");
}

}  // namespace zolvane
