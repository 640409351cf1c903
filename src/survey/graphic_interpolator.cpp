#include "survey/graphic_interpolator.h"

#include <cmath>

#include "core/number_format.h"
#include "core/numbers.h"
#include "survey/survey_questions.h"

namespace zolvane {

InterpolatedPoint InterpolateAt(float x1, float y1, float x2, float y2, int slider) {
  const double fraction = slider / static_cast<double>(kSliderMax);
  InterpolatedPoint point;
  point.x = static_cast<float>(x1 + (x2 - x1) * fraction);
  point.y = static_cast<float>(y1 + (y2 - y1) * fraction);
  point.percent = FormatGeneral(RoundHalfEven(slider / 10.0)) + "%";
  return point;
}

std::optional<int> SliderOfDistances(double along, double total) {
  if (total == 0 || !std::isfinite(along) || !std::isfinite(total)) return std::nullopt;
  const double slider = RoundHalfEven(along * kSliderMax / total);
  if (!(slider >= 0 && slider <= kSliderMax)) return std::nullopt;
  return static_cast<int>(slider);
}

void GraphicInterpolator(int, RunState&, Ui& ui) {
  ui.SetStatus("");
  if (auto* questions = QuestionsOf<SurveyQuestions>(ui)) questions->Interpolation();
}

}  // namespace zolvane
