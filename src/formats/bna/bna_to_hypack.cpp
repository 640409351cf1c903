#include "formats/bna/bna_to_hypack.h"

#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/bna_exports.h"

namespace zolvane {

PassResult ConvertBnaToHypack(std::istream& in, std::ostream& out,
                              const BnaToHypackOptions& options, const ProgressFn& progress) {
  BnaObjectWalk walk(in, progress);
  LineWriter writer(out);
  writer.WriteLine("REM Generated from bna2hypack-Zolvane");
  writer.Append("LNS ");
  writer.AppendGeneral(static_cast<double>(options.objectCount));
  writer.EndLine();
  while (walk.Next()) {
    writer.Append("LIN ");
    writer.AppendGeneral(static_cast<double>(walk.Vertices()));
    writer.EndLine();
    double x = 0, y = 0;
    for (long long i = walk.Vertices(); i > 0; --i) {
      if (!walk.Vertex(x, y)) return walk.Result();
      writer.Append("PTS ");
      writer.AppendGeneral(x);
      writer.Append(' ');
      writer.AppendGeneral(y);
      writer.EndLine();
    }
    writer.Append("LNN ");
    writer.Append(TrimBlanks(walk.Label(options.label)));
    writer.EndLine();
    writer.WriteLine("EOL");
  }
  return FinishWalk(walk, writer);
}

void BnaToHypack(int index, RunState& state, Ui& ui) {
  constexpr std::string_view kFilters =
      "All files (*.*)|*.*|BNA (*.bna)|*.bna|HYPACK (*.lnw)|*.lnw|XYZ (*.dat)|*.dat|Geosail "
      "(*.obj)|*.obj ";
  if (!AskBnaExportFiles(state, ui, kFilters, 2, {}, 3)) return;
  const BnaToHypackOptions options{index == 1 ? 1 : 2, state.BnaObjectCount};
  const bool done =
      RunBnaExport(state, ui, " Converting BNA to HYPACK line targets format",
                   [&](std::istream& in, std::ostream& out, const ProgressFn& progress) {
                     return ConvertBnaToHypack(in, out, options, progress);
                   });
  if (done) ui.SetStatus(" Finished,  BNA => LNW HYPACK ");
}

}  // namespace zolvane
