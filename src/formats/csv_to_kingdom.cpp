#include "formats/csv_to_kingdom.h"

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/markup.h"
#include "formats/format_questions.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 500;
constexpr std::string_view kColumnRange = "Column numbers must be 1, 2 or 3";

bool InRange(int column) {
  return column >= 1 && column <= 3;
}

}  // namespace

std::string KingdomColumnFault(const KingdomOptions& o) {
  if (!InRange(o.shotColumn) || !InRange(o.xColumn) || !InRange(o.yColumn)) {
    return std::string(kColumnRange);
  }
  if (o.shotColumn == o.xColumn || o.shotColumn == o.yColumn || o.xColumn == o.yColumn) {
    return "The shot, X and Y columns must differ";
  }
  return {};
}

PassResult ConvertCsvToKingdom(std::istream& in, std::ostream& out, const KingdomOptions& options,
                               const ProgressFn& progress) {
  const std::string fault = KingdomColumnFault(options);
  if (!fault.empty()) return PassResult::Fail(fault, 0);
  static constexpr FixedPicture kShot("00000.000");
  static constexpr FixedPicture kX("000000.000");
  static constexpr FixedPicture kY("0000000.000");
  LineReader lines(in);
  FieldReader fields(lines);
  LineWriter writer(out);
  const std::string_view lineName = TrimBlanks(options.lineName);
  Field field;
  double values[3] = {};
  std::string text;
  long long count = 0;

  for (;;) {
    ReadStatus status = fields.Next(field);
    if (status == ReadStatus::End) break;
    const long long recordLine = field.line;
    for (int column = 0; column < 3; ++column) {
      if (column > 0) status = fields.Next(field);
      if (status == ReadStatus::End) {
        return PassResult::Fail("The last record has fewer than three values", recordLine);
      }
      if (status != ReadStatus::Ok) return ReadFault(status, fields.LineNumber());
      bool outOfRange = false;
      values[column] = ReadNumber(field.text, outOfRange);
      if (outOfRange) return NumberOutOfRange(field.line);
    }
    text.clear();
    AppendFixedPicture(text, values[options.shotColumn - 1], kShot);
    text += "    ";
    AppendFixedPicture(text, values[options.xColumn - 1], kX);
    text += "   ";
    AppendFixedPicture(text, values[options.yColumn - 1], kY);
    text += "   ";
    text += lineName;
    writer.WriteLine(text);
    ++count;
    if (count % kProgressInterval == 0 && progress && !progress(count, lines.BytesRead())) {
      return PassResult::Stop();
    }
  }
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = count;
  return done;
}

void cs2ks(int, RunState& state, Ui& ui) {
  state.InputXColumn = state.InputYColumn = 0;
  ui.SetFileFilters("All files (*.*)|*.*|CSV files (*.csv)|*.csv");
  if (!AskInputFile(state, ui, 2)) return;
  ui.SetFileFilters("All files (*.*)|*.*|DAT  (*.dat)|*.dat");
  if (!AskOutputFile(state, ui, 2)) return;

  KingdomOptions options;
  for (bool again = false;; again = true) {
    const std::optional<KingdomNavigationChoice> choice =
        Ask(ui, &FormatQuestions::KingdomNavigation, again);
    if (!choice) return;
    options = {choice->ShotColumn, choice->XColumn, choice->YColumn, choice->LineName};
    // Equal columns keep the dialog open for another try, as they always did; columns that
    // name no value are said, since the boxes take any whole number.
    if (!InRange(options.shotColumn) || !InRange(options.xColumn) || !InRange(options.yColumn)) {
      Warn(ui, kColumnRange, "CSV => KS Navigation");
      continue;
    }
    if (KingdomColumnFault(options).empty()) break;
  }
  state.InputXColumn = options.xColumn;
  state.InputYColumn = options.yColumn;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetProgressCount(0);
  const PassResult result = ConvertCsvToKingdom(files.input.Stream(), files.output.Stream(),
                                                options, WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.count);
  ui.SetStatus("DAT file created");
}

}  // namespace zolvane
