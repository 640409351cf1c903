#include "survey/towed_vehicle.h"

#include <cmath>
#include <string>
#include <utility>

#include "core/files.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/value_tokens.h"
#include "survey/course.h"
#include "survey/point_input.h"
#include "survey/survey_questions.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;
constexpr std::string_view kTowedFilters = "All files (*.*)|*.*|XYZ (*.dat)|*.dat";
constexpr std::string_view kHeader = "X_ship - Y_ship - X_sonar - Y_sonar - layback - label ";

struct ShipFix {
  double x = 0, y = 0;
  float layback = 0;
  std::string label;
};

// Reads the records field by field, as they were written: four fields each, across lines.
class FixReader {
 public:
  explicit FixReader(std::istream& in) : lines_(in), fields_(lines_) {}

  // True with a record; false at the end of the file (fault_ stays Done) or on a fault.
  bool Next(ShipFix& fix) {
    Field field;
    const ReadStatus first = fields_.Next(field);
    if (first == ReadStatus::End) return false;
    if (first != ReadStatus::Ok) return Fault(ReadFault(first, fields_.LineNumber()));
    double values[3];
    for (int i = 0;; ++i) {
      const std::string_view text = TrimBlanksAndTabs(field.text);
      if (i == 3) {
        fix.label.assign(field.text);
        break;
      }
      if (!text.empty() && !IsNumberText(text)) {
        return Fault(PassResult::Fail("Unreadable number", field.line));
      }
      bool outOfRange = false;
      values[i] = i == 2 ? ReadSingle(text, outOfRange) : ReadNumber(text, outOfRange);
      if (outOfRange) return Fault(NumberOutOfRange(field.line));
      const ReadStatus status = fields_.Next(field);
      if (status == ReadStatus::End) {
        return Fault(PassResult::Fail("The file ends inside a record", fields_.LineNumber()));
      }
      if (status != ReadStatus::Ok) return Fault(ReadFault(status, fields_.LineNumber()));
    }
    fix.x = values[0];
    fix.y = values[1];
    fix.layback = static_cast<float>(values[2]);
    return true;
  }

  const PassResult& fault() const { return fault_; }
  std::uint64_t BytesRead() const { return lines_.BytesRead(); }

 private:
  bool Fault(PassResult fault) {
    fault_ = std::move(fault);
    return false;
  }

  LineReader lines_;
  FieldReader fields_;
  PassResult fault_;
};

// The point `layback` metres behind (x1, y1) on course A.
void VehiclePosition(double course, double layback, double x1, double y1, double& xv, double& yv) {
  if (course < 90) {
    const double b = CourseRadians(90 - course);
    xv = x1 - layback * std::cos(b);
    yv = y1 - layback * std::sin(b);
  } else if (course < 180) {
    const double b = CourseRadians(180 - course);
    xv = x1 - layback * std::sin(b);
    yv = y1 + layback * std::cos(b);
  } else if (course < 270) {
    const double b = CourseRadians(270 - course);
    xv = x1 + layback * std::cos(b);
    yv = y1 + layback * std::sin(b);
  } else {
    const double b = CourseRadians(360 - course);
    xv = x1 + layback * std::sin(b);
    yv = y1 - layback * std::cos(b);
  }
}

}  // namespace

PassResult CorrectTowedPositions(std::istream& in, std::ostream& out, const TowedOptions& options,
                                 const ProgressFn& progress) {
  FixReader reader(in);
  LineWriter writer(out);
  WriteRecord(writer, {RecordItem::Text(kHeader)});
  ShipFix previous, current, next;
  long long count = 0;
  bool more = reader.Next(previous) && reader.Next(next);
  while (more) {
    std::swap(current, next);
    // Looking one record ahead tells whether the current one is the last.
    more = reader.Next(next);
    if (reader.fault().status != PassStatus::Done) return reader.fault();
    ++count;
    if (count % kProgressInterval == 0 && progress && !progress(count, reader.BytesRead())) {
      return PassResult::Stop();
    }
    const double layback = options.layback > 0 ? options.layback : current.layback;
    const double dx = previous.x - current.x, dy = previous.y - current.y;
    const double step = std::sqrt(dx * dx + dy * dy);
    if (step > options.maximumStep) {
      // A jump: no vehicle across the gap; the track restarts here, except on the last
      // record, which is still written from a standing start.
      previous = current;
      if (more) continue;
    }
    const double course = CourseOverGround(previous.x, previous.y, current.x, current.y);
    double xv = 0, yv = 0;
    VehiclePosition(course, layback, current.x, current.y, xv, yv);
    WriteRecord(writer, {RecordItem::Number(Int(current.x)), RecordItem::Number(Int(current.y)),
                         RecordItem::Number(Int(xv)), RecordItem::Number(Int(yv)),
                         RecordItem::Number(Int(layback)), RecordItem::Text(current.label)});
    std::swap(previous, current);
  }
  if (reader.fault().status != PassStatus::Done) return reader.fault();
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = count;
  return done;
}

void TowedVehicle(int, RunState& state, Ui& ui) {
  state.LaybackValue = -2;
  const auto choice = Ask(ui, &SurveyQuestions::Layback);
  if (!choice) {
    state.LaybackValue = -1;
    return;
  }
  const float layback = choice->constant ? static_cast<float>(choice->layback) : 0.0f;
  state.LaybackMaximum = static_cast<float>(choice->maximumStep);
  // -1 and -2 mean "cancelled" and "not answered", so a negative constant cannot be stored.
  if (layback < 0 || std::isnan(layback)) {
    state.LaybackValue = -1;
    Warn(ui, "The layback must be a positive distance in metres (0 reads it from the file).",
         " Lay-back ");
    return;
  }
  state.LaybackValue = layback;

  ui.SetFileFilters(kTowedFilters);
  if (!AskInputFile(state, ui, 2)) return;
  if (!AskOutputFile(state, ui, 1)) return;
  ui.SetStatus(" Calculating corrected positions ");
  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetProgressCount(0);
  const TowedOptions options{state.LaybackValue, state.LaybackMaximum};
  const PassResult result = CorrectTowedPositions(files.input.Stream(), files.output.Stream(),
                                                  options, WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetStatus(" Created file with positions for towed vehicle ");
}

}  // namespace zolvane
