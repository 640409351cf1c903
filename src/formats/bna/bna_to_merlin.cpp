#include "formats/bna/bna_to_merlin.h"

#include "core/number_format.h"
#include "core/services.h"
#include "core/text_writer.h"
#include "formats/bna/bna_exports.h"
#include "formats/bna/markup.h"

namespace zolvane {
namespace {

constexpr FixedPicture kLatitudePicture("###.00000000");
constexpr FixedPicture kLongitudePicture("####.00000000");

}  // namespace

PassResult ConvertBnaToMerlin(std::istream& in, std::ostream& out,
                              const BnaToMerlinOptions& options, const ProgressFn& progress) {
  BnaObjectWalk walk(in, progress);
  LineWriter writer(out);
  writer.WriteLine("DEG");
  // The name is one line of the file, whatever was typed.
  std::string name = options.planName;
  for (char& c : name) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  writer.WriteLine(name);
  writer.WriteLine("0 0 0 0");
  std::string text;
  while (walk.Next()) {
    if (walk.Vertices() < 2) continue;
    const std::string_view label = walk.Label(1);
    writer.Append("_LINE L-");
    writer.Append(label);
    writer.Append(" 0 20020110101010 0  ");
    double x = 0, y = 0;
    for (long long i = walk.Vertices(); i > 0; --i) {
      if (!walk.Vertex(x, y)) return walk.Result();
      text.clear();
      AppendFixedPicture(text, y, kLatitudePicture);
      text += ' ';
      AppendFixedPicture(text, x, kLongitudePicture);
      text += ' ';
      writer.Append(text);
    }
    writer.Append('"');
    writer.Append(label);
    writer.EndLine();
    if (progress && !progress(walk.VertexCount(), walk.BytesRead())) return PassResult::Stop();
  }
  return FinishWalk(walk, writer);
}

void BnaToMerlin(int index, RunState& state, Ui& ui) {
  if (!AskBnaExportFiles(state, ui, kPointFileFilters, 2, {}, 1)) return;
  if (index != 2) {
    RunBnaExport(state, ui, "",
                 [](std::istream&, std::ostream&, const ProgressFn&) { return PassResult{}; });
    return;
  }
  const bool done = RunBnaExport(
      state, ui, " Converting BNA to Simrad Planing format ",
      [&](std::istream& in, std::ostream& out, const ProgressFn& window) {
        // Cancel gives an empty name, which is written as such.
        const BnaToMerlinOptions options{
            ui.InputBox("Plan name:", "MERLIN PLAN NAME", kDefaultMerlinPlanName)};
        return ConvertBnaToMerlin(in, out, options, [&](long long count, std::uint64_t bytesRead) {
          ui.SetStatus("processing");
          return window(count, bytesRead);
        });
      });
  if (done) ui.SetStatus(" Finished ,  BNA => PLANNING  ");
}

}  // namespace zolvane
