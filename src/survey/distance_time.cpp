#include "survey/distance_time.h"

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

constexpr long long kProgressInterval = 200;
constexpr double kMetresPerMile = 1852;
constexpr std::string_view kFilters =
    "Al files (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|XYZ (*.dat)|*.dat|Geosail "
    "(*.obj)|*.obj ";
constexpr std::string_view kRule =
    "_______________________________________________________________";

// Whole hours and the minutes left over, both rounded down.
struct HoursMinutes {
  double hours, minutes;
};
HoursMinutes Split(double minutes) {
  const double hours = Int(minutes / 60);
  return {hours, Int(minutes - 60 * hours)};
}

// " 002 " then "30.0000" then the hemisphere letter; the degrees keep their sign.
void AppendPosition(std::string& out, double value, std::string_view degreePattern, char positive,
                    char negative) {
  const double degrees = Fix(value);
  AppendPicture(out, degrees, degreePattern);
  AppendPicture(out, std::fabs(value - degrees) * 60, "00.0000");
  out += value > 0 ? positive : negative;
}

}  // namespace

double UsableSpeed(double knots) {
  return knots == 0 ? 0.1 : knots;
}

DistanceTimeResult EstimateDistanceTime(std::istream& in, std::ostream& out,
                                        const DistanceTimeOptions& options,
                                        const ProgressFn& progress) {
  DistanceTimeResult result;
  const double lineSpeed = UsableSpeed(options.lineSpeed);
  const double transitSpeed = UsableSpeed(options.transitSpeed);
  const UtmProjection projection(options.ellipsoid);
  UtmPlane plane(projection);  // distances run on across the equator
  int centralMeridian = options.centralMeridian;
  BnaObjectReader reader(in, BnaNumbers::Required);
  LineWriter writer(out);
  BnaHeader header;
  std::string text;

  double previousE = 0, previousN = 0;
  long long counter = 0;
  double lineMiles = 0, lineMinutes = 0, totalMiles = 0, totalMinutes = 0;

  text = "Sailing speed in the line: ";
  AppendPrintItem(text, lineSpeed);
  text += " Kn., Between lines: ";
  AppendPrintItem(text, transitSpeed);
  text += " Kn. ";
  writer.WriteLine(text);

  auto end = [&](PassResult pass) {
    pass.count = counter;
    result.pass = std::move(pass);
    result.centralMeridian = centralMeridian;
    return result;
  };

  for (;;) {
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return end(reader.Fault());
    writer.WriteLine("");
    text.clear();
    text.append("\"").append(UnquotedBnaLabel(header.label1)).append("  ");
    text.append(UnquotedBnaLabel(header.label2)).append("\"");
    writer.WriteLine(text);
    for (long long j = 1; j <= std::llabs(header.count); ++j) {
      double x = 0, y = 0;
      if (reader.NextPoint(x, y) != ReadStatus::Ok) return end(reader.Fault());
      if (centralMeridian == 0) {
        const double zone = Int((x + 186) / 6);
        centralMeridian = ToInt32(Int(6 * zone - 183));
      }
      ++counter;
      if (!IsLatitude(y)) {
        return end(PassResult::Fail(std::string(kLatitudeFault), reader.LineNumber()));
      }
      const UtmCoordinate utm = plane.ToPlane(y, x, centralMeridian);
      const double distance = std::sqrt((previousE - utm.Easting) * (previousE - utm.Easting) +
                                        (previousN - utm.Northing) * (previousN - utm.Northing));
      const bool firstOfFile = previousE == 0 && previousN == 0;
      previousE = utm.Easting;
      previousN = utm.Northing;
      std::string segment;  // the miles on the point line; none for the file's first point
      if (j == 1) {
        lineMiles = lineMinutes = 0;
        if (!firstOfFile) {
          const double miles = distance / kMetresPerMile;
          totalMiles += miles;
          const double hours = miles / transitSpeed;
          const double minutes = hours * 60;
          totalMinutes += minutes;
          const double transitHours = Int(hours);
          const double transitMinutes = Int(minutes - 60 * transitHours);
          const HoursMinutes total = Split(totalMinutes);
          writer.WriteLine("");
          text = "TRANSIT  Time (P/A) = ";
          AppendPicture(text, transitHours, "##0");
          text += ':';
          AppendPicture(text, transitMinutes, "00");
          text += " / ";
          AppendPicture(text, total.hours, "###0");
          text += ':';
          AppendPicture(text, total.minutes, "00");
          text += " hours      Dist. between lines= ";
          AppendPicture(text, miles, "000.00");
          writer.WriteLine(text);
          writer.WriteLine("");
          segment = FormatPicture(miles, "000.00");
        }
      } else if (counter > 1) {
        const double miles = distance / kMetresPerMile;
        totalMiles += miles;
        lineMiles += miles;
        const double minutes = miles / lineSpeed * 60;
        totalMinutes += minutes;
        lineMinutes += minutes;
        segment = FormatPicture(miles, "000.00");
      }
      text.clear();
      AppendPosition(text, y, " 00 ", 'N', 'S');
      text += ' ';
      AppendPosition(text, x, " 000 ", 'E', 'W');
      text += ' ';
      AppendPicture(text, static_cast<double>(j), "000");
      text += "  ";
      text += segment;
      text += "nm.";
      writer.WriteLine(text);
      if (counter % kProgressInterval == 0 && progress && !progress(counter, reader.BytesRead())) {
        return end(PassResult::Stop());
      }
    }
    const HoursMinutes line = Split(lineMinutes);
    const HoursMinutes total = Split(totalMinutes);
    text = "LINE  Time (P/A) = ";
    AppendPicture(text, line.hours, "##0");
    text += ':';
    AppendPicture(text, line.minutes, "#0");
    text += " / ";
    AppendPicture(text, total.hours, "###0");
    text += ':';
    AppendPicture(text, total.minutes, "#0");
    text += " hours     N.Miles = ";
    AppendPicture(text, lineMiles, "##0.00");
    writer.WriteLine(text);
    writer.WriteLine(kRule);
  }
  const HoursMinutes total = Split(totalMinutes);
  text = "Total Time: ";
  AppendPicture(text, total.hours, "###0");
  text += ':';
  AppendPicture(text, total.minutes, "#0");
  text += " hours    N.Miles = ";
  AppendPicture(text, totalMiles, "#####0.00");
  writer.WriteLine(text);
  writer.WriteLine(kRule);
  if (!writer.Flush()) return end(PassResult::WriteFault());
  return end(PassResult{});
}

void DistanceTimeEstimate(int, RunState& state, Ui& ui) {
  ui.SetStatus("");  // the Utilities items start with a clear status line
  ui.SetFileFilters(kFilters);
  if (!AskInputFile(state, ui, 2)) return;
  ui.SetStatus(" checking bna file ");
  CheckBnaFile(state.InputFileName, state, ui);
  if (state.InputError == 1) return;
  if (!AskOutputFile(state, ui, 1)) return;
  const auto choice = Ask(ui, &SurveyQuestions::DistanceTime);
  if (!choice) return;
  SetEllipsoid(state, choice->Ed50 ? kEd50 : kWgs84);
  state.LineSpeed = UsableSpeed(choice->LineSpeed);
  state.TransitSpeed = UsableSpeed(choice->TransitSpeed);
  ui.SetStatus(" Creating file with estimated times and distances ");

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetProgressCount(0);
  DistanceTimeOptions options;
  options.lineSpeed = state.LineSpeed;
  options.transitSpeed = state.TransitSpeed;
  options.ellipsoid = EllipsoidInForce(state);
  options.centralMeridian = state.CentralMeridian;
  const DistanceTimeResult result = EstimateDistanceTime(
      files.input.Stream(), files.output.Stream(), options, WindowProgress(ui, files.input.Size()));
  if (result.pass.status != PassStatus::Done) {
    return ReportPassEnd(result.pass, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  state.CentralMeridian = result.centralMeridian;
  ui.SetProgressCount(result.pass.count);
  ui.SetStatus("   Finished   BNA => ESTIMATED TIME  ");
}

}  // namespace zolvane
