#include "formats/bna/bna_to_asciiplan.h"

#include <string>

#include "core/number_format.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/bna_exports.h"

namespace zolvane {

PassResult ConvertBnaToAsciiplan(std::istream& in, std::ostream& out, const ProgressFn& progress) {
  BnaObjectWalk walk(in, progress);
  LineWriter writer(out);
  writer.WriteLine("DEG");
  writer.WriteLine(" ");
  writer.WriteLine("0 0 0 0");
  std::string record;
  long long objectNumber = 0;
  while (walk.Next()) {
    ++objectNumber;
    record = FormatSigned(static_cast<double>(objectNumber));
    record += " 20060501010101 0 ";
    double x = 0, y = 0;
    for (long long i = walk.Vertices(); i > 0; --i) {
      if (!walk.Vertex(x, y)) return walk.Result();
      // The plan holds latitudes in single precision.
      record += ' ';
      record += FormatSignedSingle(static_cast<float>(y));
      // The print form is the sign-position form and one blank, and it has a fast path for
      // the general digits that the sign-position form lacks.
      record += ' ';
      AppendPrintItem(record, x);
      record.pop_back();
    }
    // The sign alone tells a line, so -1 (a one-vertex line) is one too.
    writer.Append(walk.Count() < 0 ? "_LINE " : "_POLYGON ");
    writer.Append(TrimBlanks(walk.Label(1)));
    writer.Append(' ');
    writer.Append(TrimBlanks(record));
    writer.Append(" \"");
    writer.EndLine();
  }
  return FinishWalk(walk, writer);
}

void BnaToAsciiplan(int /*index*/, RunState& state, Ui& ui) {
  if (!AskBnaExportFiles(state, ui, "All files (*.*)|*.*|BNA files (*.BNA)|*.BNA", 2,
                         "All files (*.*)|*.*|ASCIIPLAN  (*.asciiplan)|*.asciiplan", 2)) {
    return;
  }
  const bool done =
      RunBnaExport(state, ui, "", [](std::istream& in, std::ostream& out, const ProgressFn& p) {
        return ConvertBnaToAsciiplan(in, out, p);
      });
  if (done) ui.SetStatus("Asciiplan Created (remove spaces in the labels, if necesary)");
}

}  // namespace zolvane
