#include "survey/swath_coverage.h"

#include <cmath>
#include <string>

#include "core/files.h"
#include "core/number_format.h"
#include "core/services.h"
#include "core/text_writer.h"
#include "core/xyz_layout.h"
#include "formats/xyz/xyz_reader.h"
#include "survey/course.h"
#include "survey/point_input.h"
#include "survey/survey_questions.h"

namespace zolvane {
namespace {

constexpr double kMetreInDegrees = 0.00000899;
constexpr std::string_view kSwathFilters =
    "All files (*.*)|*.*|BNA (*.bna)|*.bna|XYZ (*.dat)|*.dat|";
constexpr std::string_view kDoneTitle = " xYZ => XYZ_SWATH  ";

struct Slot {
  double x = 0, y = 0, w = 0;
};

// What the polygons of one track share: the sine and cosine of every whole-degree angle
// (courses are whole degrees, so nothing is worked out again per point), the text of the
// last pair of half-widths and the vertex text being built.
class PolygonWriter {
 public:
  explicit PolygonWriter(LineWriter& writer) : writer_(writer) {
    for (int degrees = 0; degrees <= kTableDegrees; ++degrees) {
      const double b = CourseRadians(degrees);
      sines_[degrees] = std::sin(b);
      cosines_[degrees] = std::cos(b);
    }
  }

  // The five vertices of the polygon from slot 0 to slot 1 on course A: both points moved by
  // their half-widths to either side of the course, the first vertex repeated to close it.
  void Write(const Slot& s0, const Slot& s1, double course) {
    double beta;
    bool sineFirst;  // DX = W sin(beta), DY = W cos(beta); otherwise the other way round
    if (course < 90) {
      beta = 90 - course;
      sineFirst = true;
    } else if (course < 180) {
      beta = 180 - course;
      sineFirst = false;
    } else if (course < 270) {
      beta = 270 - course;
      sineFirst = true;
    } else {
      beta = 360 - course;
      sineFirst = false;
    }
    double sine, cosine;
    if (beta >= 0 && beta <= kTableDegrees && beta == std::floor(beta)) {
      sine = sines_[static_cast<int>(beta)];
      cosine = cosines_[static_cast<int>(beta)];
    } else {
      const double b = CourseRadians(beta);
      sine = std::sin(b);
      cosine = std::cos(b);
    }
    const double along = sineFirst ? sine : cosine;
    const double across = sineFirst ? cosine : sine;
    const double dx0 = s0.w * along, dy0 = s0.w * across;
    const double dx1 = s1.w * along, dy1 = s1.w * across;

    if (header_.empty() || s0.w != w0_ || s1.w != w1_) {
      w0_ = s0.w;
      w1_ = s1.w;
      header_.clear();
      AppendRecord(header_, {RecordItem::Text(FormatSigned(w0_)),
                             RecordItem::Text(FormatSigned(w1_)), RecordItem::Number(5)});
    }
    writer_.WriteLine(header_);
    if (sineFirst) {
      First(s0.x + dx0, s0.y - dy0);
      Vertex(s0.x - dx0, s0.y + dy0);
      Vertex(s1.x - dx1, s1.y + dy1);
      Vertex(s1.x + dx1, s1.y - dy1);
    } else {
      First(s0.x + dx0, s0.y + dy0);
      Vertex(s1.x + dx1, s1.y + dy1);
      Vertex(s1.x - dx1, s1.y - dy1);
      Vertex(s0.x - dx0, s0.y - dy0);
    }
    writer_.WriteLine(first_);
  }

 private:
  static constexpr int kTableDegrees = 360;

  void Vertex(double x, double y) {
    WriteRecord(writer_, {RecordItem::Number(x), RecordItem::Number(y)});
  }
  // The first vertex closes the polygon too: its text is kept for the last line.
  void First(double x, double y) {
    first_.clear();
    AppendRecord(first_, {RecordItem::Number(x), RecordItem::Number(y)});
    writer_.WriteLine(first_);
  }

  LineWriter& writer_;
  double sines_[kTableDegrees + 1];
  double cosines_[kTableDegrees + 1];
  double w0_ = 0, w1_ = 0;
  std::string header_, first_;
};

}  // namespace

double SwathFactor(double value, bool degrees) {
  const double half = value / 2;
  return degrees ? half * kMetreInDegrees : half;
}

PassResult CoverSwath(std::istream& in, std::ostream& out, const SwathOptions& options,
                      const ProgressFn& progress) {
  LineWriter writer(out);
  PolygonWriter polygons(writer);
  Slot slots[2];
  int i = 0;
  PassResult result =
      ForEachSurveyPoint(in, options.inputFormatCode, progress, [&](const XyzPoint& point) {
        const double z = point.hasZ ? point.z.number : 0;
        if (point.x.number == 0 && point.y.number == 0 && z == 0) {
          i = 0;  // a separator: the next point starts a new line
          return;
        }
        Slot& slot = slots[i];
        slot.x = point.x.number;
        slot.y = point.y.number;
        slot.w = options.coefficient ? z * options.factor : options.factor;
        if (i == 0) {
          i = 1;
          return;
        }
        const double course = CourseOverGround(slots[0].x, slots[0].y, slots[1].x, slots[1].y);
        polygons.Write(slots[0], slots[1], course);
        slots[0] = slots[1];
      });
  if (!writer.Flush() && result.status == PassStatus::Done) {
    return PassResult::WriteFault();
  }
  return result;
}

void BnaSwath(int, RunState& state, Ui& ui) {
  state.SwathMethod = 0;
  const auto choice = Ask(ui, &SurveyQuestions::Swath);
  if (!choice) {
    state.SwathMethod = 3;
    return;
  }
  state.SwathMethod = choice->coefficient ? 1 : 2;
  state.SwathFactor = SwathFactor(choice->value, choice->degrees);

  ui.SetFileFilters(kSwathFilters);
  if (!AskInputFile(state, ui, 3)) return;
  if (!AskOutputFile(state, ui, 2)) return;
  if (!AskInputFormat(state, ui)) return;
  // Two columns carry no depth, so the coefficient method would draw zero-width polygons.
  if (state.SwathMethod == 1 && !XyzLayout::FromCode(state.InputFormatCode).HasZ()) {
    const MessageAnswer answer = ui.Message(
        "The input has no Z column: with the coefficient method every polygon has "
        "zero width. Go on?",
        " Swath coverage ", MessageIcon::Exclamation, MessageButtons::OkCancel,
        MessageAnswer::Cancel);
    if (answer != MessageAnswer::Ok) return;
  }
  if (state.CheckStatistics == 1) {
    CheckXyzFile(state.InputFileName, state, ui);
    if (state.InputError == 1) return;
  }

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetProgressCount(0);
  const SwathOptions options{state.InputFormatCode, state.SwathMethod == 1, state.SwathFactor};
  const PassResult result = CoverSwath(files.input.Stream(), files.output.Stream(), options,
                                       WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.count);
  ShowPassNote(result, state.InputFileName, ui);
  ui.Message(" Finished ", kDoneTitle, MessageIcon::Information, MessageButtons::Ok,
             MessageAnswer::Ok);
}

}  // namespace zolvane
