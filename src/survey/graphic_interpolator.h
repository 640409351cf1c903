// The graphic interpolator: the point at a fraction of the way between two points, in single
// precision as the window keeps it.
#pragma once

#include <optional>
#include <string>

#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

inline constexpr int kSliderMax = 1000;  // the slider counts thousandths of the way

struct InterpolatedPoint {
  float x = 0, y = 0;
  std::string percent;  // "25%": the slider in per cent, halves to the even neighbour
};

InterpolatedPoint InterpolateAt(float x1, float y1, float x2, float y2, int slider);

// The slider position of a point `along` units from P1 on a line `total` units long; empty
// when there is no such position (a total of 0, a ratio outside 0 to 1).
std::optional<int> SliderOfDistances(double along, double total);

// What the window says when "Calc" is refused.
inline constexpr const char* kCalcRefused =
    "The p1-X distance must lie between 0 and the p1-p2 distance, which must not be 0";

// The menu command "graphic interpolator": opens the window and returns.
void GraphicInterpolator(int index, RunState& state, Ui& ui);

}  // namespace zolvane
