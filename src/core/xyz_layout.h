// XYZ layout codes: the tens digit the delimiter (10 comma, 20 blank, 30 tab), the units
// digit the column order (1 X Y Z, 2 Y X Z, 3 X Y, 4 Y X).
#pragma once

#include <string_view>

#include "core/text_writer.h"

namespace zolvane {

struct XyzLayout {
  bool valid = false;
  char delimiter = ',';
  int order = 1;

  bool HasZ() const { return order <= 2; }
  bool YFirst() const { return order == 2 || order == 4; }

  static XyzLayout FromCode(int code);
};

// One output point in the layout; z is left out by the two-column orders.
void WriteXyzLine(LineWriter& writer, const XyzLayout& layout, double x, double y,
                  std::string_view z);
void WriteXyzLine(LineWriter& writer, const XyzLayout& layout, double x, double y, double z);

}  // namespace zolvane
