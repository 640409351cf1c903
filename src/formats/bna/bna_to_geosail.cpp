#include "formats/bna/bna_to_geosail.h"

#include "core/services.h"
#include "core/text_writer.h"
#include "formats/bna/bna_exports.h"

namespace zolvane {

PassResult ConvertBnaToGeosail(std::istream& in, std::ostream& out, int label,
                               const ProgressFn& progress) {
  BnaObjectWalk walk(in, progress);
  LineWriter writer(out);
  while (walk.Next()) {
    const bool point = walk.Vertices() == 1;
    WriteRecord(writer, {RecordItem::Text(walk.Label(label)), RecordItem::Compact(point ? 1 : 2)});
    double x = 0, y = 0;
    for (long long i = 1; i <= walk.Vertices(); ++i) {
      if (!walk.Vertex(x, y)) return walk.Result();
      if (i == 1 || i == walk.Vertices()) {
        WriteRecord(writer, {RecordItem::Compact(x), RecordItem::Compact(y)});
      }
    }
  }
  return FinishWalk(walk, writer);
}

void BnaToGeosail(int index, RunState& state, Ui& ui) {
  if (!AskBnaExportFiles(state, ui, kPointFileFilters, 2, {}, 5)) return;
  const int label = index == 1 ? 1 : 2;
  const bool done =
      RunBnaExport(state, ui, " Converting BNA to Geosail targets format",
                   [label](std::istream& in, std::ostream& out, const ProgressFn& progress) {
                     return ConvertBnaToGeosail(in, out, label, progress);
                   });
  if (done) ui.SetStatus(" Finished,  BNA => GEOSAIL ");
}

}  // namespace zolvane
