#include "formats/bna/bna_to_bridge.h"

#include <cmath>

#include "core/number_format.h"
#include "core/services.h"
#include "core/text_writer.h"
#include "formats/bna/bna_exports.h"
#include "formats/bna/markup.h"

namespace zolvane {

void AppendDegreesMinutes(std::string& out, double value, const FixedPicture& degreesPicture,
                          char positive, char negative) {
  static constexpr FixedPicture kMinutes("00.0000");
  const double degrees = std::trunc(value);
  AppendFixedPicture(out, std::fabs(degrees), degreesPicture);
  AppendFixedPicture(out, 60 * std::fabs(value - degrees), kMinutes);
  out += value > 0 ? positive : negative;
}

PassResult ConvertBnaToBridgePlan(std::istream& in, std::ostream& out, int label,
                                  const ProgressFn& progress) {
  BnaObjectWalk walk(in, progress);
  LineWriter writer(out);
  static constexpr FixedPicture kLatitude(" 00 ");
  static constexpr FixedPicture kLongitude(" 000 ");
  std::string line;
  long long running = 0;
  while (walk.Next()) {
    WriteRecord(writer, {RecordItem::Text(walk.Label(label))});
    double x = 0, y = 0;
    for (long long vertex = 1; vertex <= walk.Vertices(); ++vertex) {
      if (!walk.Vertex(x, y)) return walk.Result();
      ++running;
      line.clear();
      AppendDegreesMinutes(line, y, kLatitude, 'N', 'S');
      line += "  -  ";
      AppendDegreesMinutes(line, x, kLongitude, 'E', 'W');
      AppendPrintItem(line, static_cast<double>(vertex));
      AppendPrintItem(line, static_cast<double>(running));
      writer.WriteLine(line);
    }
  }
  return FinishWalk(walk, writer);
}

void BnaToBridgePlan(int index, RunState& state, Ui& ui) {
  if (!AskBnaExportFiles(state, ui, kPointFileFilters, 2, {}, 1)) return;
  const int label = index == 1 ? 1 : 2;
  const bool done =
      RunBnaExport(state, ui, " Making Bridge format file ",
                   [label](std::istream& in, std::ostream& out, const ProgressFn& progress) {
                     return ConvertBnaToBridgePlan(in, out, label, progress);
                   });
  if (done) ui.SetStatus("  finished,  BNA => BRIDGE FORMAT  ");
}

}  // namespace zolvane
