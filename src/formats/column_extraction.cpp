#include "formats/column_extraction.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/bna_reader.h"
#include "formats/format_questions.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;
constexpr std::string_view kColumnFilters = "All files  (*.*)|*.*|DAT (*.dat)|*.dat";
constexpr std::string_view kBnaFilters = "All files (*.*)|*.*|BNA (*.bna)|*.bna";

// Fields between commas, without quote handling; at most kMaxExtractFields.
int SplitAtCommas(std::string_view line, std::string_view (&fields)[kMaxExtractFields]) {
  int count = 0;
  std::size_t start = 0;
  while (count < kMaxExtractFields) {
    const std::size_t comma = line.find(',', start);
    fields[count++] =
        line.substr(start, comma == std::string_view::npos ? line.npos : comma - start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return count;
}

void Finished(Ui& ui) {
  ui.Message(" Finished ", " EXTRACT ", MessageIcon::Information, MessageButtons::Ok,
             MessageAnswer::Ok);
}

void Inform(Ui& ui, std::string_view text) {
  ui.Message(text, " Extract ", MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok);
}

// Opens the files, keeping what the output holds, and runs `pass`; false when it failed.
template <typename Pass>
bool AppendPass(RunState& state, Ui& ui, Pass pass) {
  CommandFiles files(state);
  if (!files.Open(ui)) return false;
  if (!CopyExistingFile(state.OutputFileName, files.output.Stream())) {
    ReportOpenFailure(ui, state.OutputFileName, false);
    return false;
  }
  if (!pass(files)) return false;
  return files.Commit(ui);
}

}  // namespace

ColumnExtractionResult ExtractColumns(std::istream& in, std::ostream& out,
                                      const ColumnExtractionOptions& options,
                                      Statistics& statistics, const ProgressFn& progress) {
  ColumnExtractionResult result;
  LineReader lines(in);
  LineWriter writer(out);
  std::string_view line;
  std::string_view fields[kMaxExtractFields];
  std::string scratch;
  const long long every = options.every < 1 ? 1 : options.every;
  const int needed = std::max({options.xColumn, options.yColumn, options.zColumn});
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };

  ReadStatus status;
  long long records = 0;
  while ((status = lines.Next(line)) == ReadStatus::Ok) {
    const long long number = lines.LineNumber();
    if (number % kProgressInterval == 0 && progress && !progress(number, lines.BytesRead())) {
      return end(PassResult::Stop());
    }
    // A blank line is no record: it neither fails the columns nor counts in the step.
    if (TrimBlanksAndTabs(line).empty()) continue;
    if (records++ % every != 0) continue;
    if (options.mode == 2) {
      writer.WriteLine(line);
      continue;
    }
    const int count = SplitAtCommas(line, fields);
    if (count < needed) {
      result.shortLineFields = count;
      return end(PassResult::Fail("error , only  " + FormatGeneral(count) + " columns", number));
    }
    bool outOfRange = false;
    const double x = ReadNumber(fields[options.xColumn - 1], outOfRange);
    // y is kept in single precision; its short form, read back, is what is written.
    const float y = ReadSingle(fields[options.yColumn - 1], outOfRange);
    if (outOfRange) return end(NumberOutOfRange(number));
    statistics.UpdateXRange(x);
    statistics.UpdateYRange(y);
    if (options.zColumn > 0) {
      WriteRecord(writer, {RecordItem::Number(x), RecordItem::Number(ReadNumber(FormatSingle(y))),
                           RecordItem::Text(fields[options.zColumn - 1])});
    } else {
      WriteRecord(writer, {RecordItem::Number(x), RecordItem::Number(ReadNumber(FormatSingle(y)))});
    }
  }
  if (status != ReadStatus::End) return end(ReadFault(status, lines.LineNumber()));
  if (!writer.Flush()) return end(PassResult::WriteFault());
  result.pass.count = lines.LineNumber();
  return result;
}

PassResult ThinBnaLines(std::istream& in, std::ostream& out, int every,
                        const ProgressFn& progress) {
  BnaObjectReader reader(in);
  LineWriter writer(out);
  BnaHeader header;
  long long objects = 0, points = 0;
  const long long n = every < 1 ? 1 : every;
  for (;;) {
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return reader.Fault();
    ++objects;
    // Open lines (negative counts) are thinned by their length like the others.
    const long long total =
        header.singlePoint ? 1 : (header.count < 0 ? -header.count : header.count);
    const long long kept = total / n;
    if (kept > 0) {
      WriteRecord(writer, {RecordItem::Text(UnquotedBnaLabel(header.label1)),
                           RecordItem::Text(UnquotedBnaLabel(header.label2)),
                           RecordItem::Number(static_cast<double>(-kept))});
    }
    if (header.singlePoint && kept > 0) {
      WriteRecord(writer, {RecordItem::Number(header.x), RecordItem::Number(header.y)});
    }
    const long long stored = header.singlePoint ? 0 : total;
    for (long long i = 1; i <= stored; ++i) {
      double x = 0, y = 0;
      if (reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
      if (i % n == 0) WriteRecord(writer, {RecordItem::Number(x), RecordItem::Number(y)});
      if (++points % kProgressInterval == 0 && progress && !progress(points, reader.BytesRead())) {
        return PassResult::Stop();
      }
    }
  }
  if (objects == 0) return PassResult::Fail(BnaFaultReason(BnaFault::EmptyFile), 0);
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = objects;
  return done;
}

bool CopyExistingFile(const std::string& path, std::ostream& out) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return true;
  InputFile existing(path);
  if (!existing.IsOpen()) return false;
  if (existing.Size() > 0 || existing.Stream().peek() != std::char_traits<char>::eof()) {
    out << existing.Stream().rdbuf();
  }
  return static_cast<bool>(out) && !existing.Stream().bad();
}

void ExtractColumnsOrLines(int /*index*/, RunState& state, Ui& ui) {
  const std::optional<ColumnExtractionChoice> choice = Ask(ui, &FormatQuestions::ColumnExtraction);
  if (!choice) {
    // Cancel ends the command.
    state.ExtractionMode = 0;
    return;
  }
  state.ExtractionMode = (choice->Columns ? 1 : 0) + (choice->Lines ? 2 : 0);
  state.ExtractionBna = choice->Bna;
  state.InputXColumn = state.InputYColumn = 0;
  const int every = choice->Frequency < 1 ? 1 : choice->Frequency;

  if (choice->Bna) {
    if (every <= 1) return Inform(ui, "No Extraction ");
    ui.SetFileFilters(kBnaFilters);
    if (!AskInputFile(state, ui, 2)) return;
    if (!AskOutputFile(state, ui, 2)) return;
    ui.SetProgressCount(0);
    const bool done = AppendPass(state, ui, [&](CommandFiles& files) {
      const PassResult result = ThinBnaLines(files.input.Stream(), files.output.Stream(), every,
                                             WindowProgress(ui, files.input.Size()));
      ReportPassEnd(result, state.InputFileName, state, ui);
      return result.status == PassStatus::Done;
    });
    if (!done) return;
    if (state.ExtractionMode != 0) ShowStatistics(state, ui);
    return Finished(ui);
  }

  ui.SetFileFilters(kColumnFilters);
  if (!AskInputFile(state, ui, 1)) return;
  if (!AskOutputFile(state, ui, 2)) return;
  const int mode = state.ExtractionMode;
  if (mode == 0) return Inform(ui, "flag=0  ");
  ColumnExtractionOptions options;
  options.mode = mode;
  options.every = every;
  if (mode != 2) {
    options.xColumn = static_cast<int>(std::max(0.0, std::min(Int(choice->XColumn), 1e6)));
    options.yColumn = static_cast<int>(std::max(0.0, std::min(Int(choice->YColumn), 1e6)));
    options.zColumn = static_cast<int>(std::max(0.0, std::min(Int(choice->ZColumn), 1e6)));
    if (options.xColumn == 0 || options.yColumn == 0) {
      return Inform(ui, " error, column not defined ");
    }
    state.InputXColumn = options.xColumn;
    state.InputYColumn = options.yColumn;
  }
  ui.SetProgressCount(0);
  // The ranges of this input, kept only when the run finishes.
  Statistics statistics;
  const bool done = AppendPass(state, ui, [&](CommandFiles& files) {
    const ColumnExtractionResult result =
        ExtractColumns(files.input.Stream(), files.output.Stream(), options, statistics,
                       WindowProgress(ui, files.input.Size()));
    if (result.shortLineFields > 0) {
      ui.Message("error , only  " + FormatGeneral(result.shortLineFields) + " columns", "EXTRACT",
                 MessageIcon::None, MessageButtons::Ok, MessageAnswer::Ok);
    }
    ReportPassEnd(result.pass, state.InputFileName, state, ui);
    if (result.pass.status != PassStatus::Done) return false;
    ui.SetProgressCount(result.pass.count);
    state.Stats = statistics;
    return true;
  });
  if (!done) return;
  ShowStatistics(state, ui);
  Finished(ui);
}

}  // namespace zolvane
