#include "core/xyz_layout.h"

namespace zolvane {
namespace {

void WriteXy(LineWriter& writer, const XyzLayout& layout, double x, double y) {
  writer.AppendGeneral(layout.YFirst() ? y : x);
  writer.Append(layout.delimiter);
  writer.AppendGeneral(layout.YFirst() ? x : y);
}

}  // namespace

XyzLayout XyzLayout::FromCode(int code) {
  XyzLayout layout;
  const int tens = code / 10;
  const int units = code % 10;
  if (code < 11 || code > 34 || units < 1 || units > 4) return layout;
  layout.valid = true;
  layout.delimiter = tens == 1 ? ',' : tens == 2 ? ' ' : '\t';
  layout.order = units;
  return layout;
}

void WriteXyzLine(LineWriter& writer, const XyzLayout& layout, double x, double y,
                  std::string_view z) {
  WriteXy(writer, layout, x, y);
  if (layout.HasZ()) {
    writer.Append(layout.delimiter);
    writer.Append(z);
  }
  writer.EndLine();
}

void WriteXyzLine(LineWriter& writer, const XyzLayout& layout, double x, double y, double z) {
  WriteXy(writer, layout, x, y);
  if (layout.HasZ()) {
    writer.Append(layout.delimiter);
    writer.AppendGeneral(z);
  }
  writer.EndLine();
}

}  // namespace zolvane
