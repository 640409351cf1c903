#include "formats/daf.h"

#include <string>
#include <utility>
#include <vector>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/markup.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;
constexpr int kHeaderLines = 8;

bool Begins(std::string_view line, std::string_view word) {
  return line.substr(0, word.size()) == word;
}

// "x y": the numbers before and after the first blank (or tab) of the line. False for a
// number beyond the double range.
bool SplitPoint(std::string_view line, double& x, double& y) {
  line = TrimBlanksAndTabs(line);
  const std::size_t blank = line.find_first_of(" \t");
  bool outOfRange = false;
  if (blank == std::string_view::npos) {
    x = 0;
    y = ReadNumber(line, outOfRange);
  } else {
    x = ReadNumber(line.substr(0, blank), outOfRange);
    y = ReadNumber(line.substr(blank + 1), outOfRange);
  }
  return !outOfRange;
}

PassResult Flushed(LineWriter& writer, long long count) {
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = count;
  return done;
}

}  // namespace

double DafDepth(std::string_view startLine, bool& outOfRange) {
  const std::size_t equals = startLine.find('=');
  if (equals == std::string_view::npos) return 0;
  std::string_view text = startLine.substr(equals + 1);
  return ReadNumber(text.substr(0, text.find(';')), outOfRange);
}

PassResult ConvertBnaToDaf(std::istream& in, std::ostream& out, const BnaToDafOptions& options,
                           const ProgressFn& progress, const DepthFn& depthShown) {
  BnaObjectReader reader(in);
  LineWriter writer(out);
  const Statistics& bounds = options.bounds;
  writer.WriteLine("Header");
  for (double value : {bounds.YMin, bounds.XMin, bounds.YMax, bounds.XMax}) {
    writer.AppendGeneral(value);
    writer.EndLine();
  }
  writer.WriteLine(options.ed50 ? "3" : "2");
  writer.WriteLine("Decimal");
  writer.WriteLine("EndHeader");

  std::string line;
  long long count = 0;
  static constexpr FixedPicture kX("##0.000000");
  static constexpr FixedPicture kY("###0.000000");
  auto writePoint = [&](double x, double y) {
    line.clear();
    AppendFixedPicture(line, x, kX);
    line.push_back(' ');
    AppendFixedPicture(line, y, kY);
    writer.WriteLine(line);
    ++count;
    return count % kProgressInterval != 0 || !progress || progress(count, reader.BytesRead());
  };

  BnaHeader header;
  for (;;) {
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return reader.Fault();
    double depth = ReadNumber(UnquotedBnaLabel(options.label == 1 ? header.label1 : header.label2));
    if (depth < 0) depth = -depth;
    if (depthShown) depthShown(depth);
    writer.Append("START 43, 174=");
    writer.AppendGeneral(depth);
    writer.Append(";185=12");
    writer.EndLine();
    if (header.singlePoint) {
      if (!writePoint(header.x, header.y)) return PassResult::Stop();
    } else {
      const long long points = header.count < 0 ? -header.count : header.count;
      for (long long i = 0; i < points; ++i) {
        double x = 0, y = 0;
        if (reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
        if (!writePoint(x, y)) return PassResult::Stop();
      }
    }
    writer.WriteLine("STOP");
  }
  return Flushed(writer, count);
}

DafReadResult ReadDafBlocks(std::istream& in, const DafBlockFn& block, const ProgressFn& progress,
                            DafOutside outside) {
  const bool fixed = outside == DafOutside::Fixed;
  DafReadResult result;
  LineReader lines(in);
  std::string_view line;
  std::vector<std::pair<double, double>> points;
  double depth = 0;
  bool inside = false;
  long long count = 0;
  auto fail = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };
  auto endBlock = [&] {
    inside = false;
    block(depth, points);
    points.clear();
  };

  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return fail(ReadFault(status, lines.LineNumber()));
    if (fixed && lines.LineNumber() <= kHeaderLines) continue;
    if (Begins(line, "STOP")) {
      if (inside) {
        endBlock();
      } else if (fixed) {
        return fail(PassResult::Fail("STOP outside a block", lines.LineNumber()));
      }
    } else if (Begins(line, "START")) {
      if (inside) {
        if (result.unendedLine == 0) result.unendedLine = lines.LineNumber() - 1;
        endBlock();
      }
      inside = true;
      bool outOfRange = false;
      depth = DafDepth(line, outOfRange);
      if (outOfRange) return fail(NumberOutOfRange(lines.LineNumber()));
    } else if (TrimBlanksAndTabs(line).empty()) {
      continue;
    } else if (!inside) {
      if (!fixed) continue;
      return fail(PassResult::Fail("Line outside a START ... STOP block", lines.LineNumber()));
    } else {
      double x = 0, y = 0;
      if (!SplitPoint(line, x, y)) return fail(NumberOutOfRange(lines.LineNumber()));
      points.emplace_back(x, y);
      ++count;
      if (count % kProgressInterval == 0 && progress && !progress(count, lines.BytesRead())) {
        return fail(PassResult::Stop());
      }
    }
  }
  if (inside) {
    if (result.unendedLine == 0) result.unendedLine = lines.LineNumber();
    endBlock();
  }
  result.pass.count = count;
  result.pass.line = lines.LineNumber();
  return result;
}

DafToBnaResult ConvertDafToBna(std::istream& in, std::ostream& out, const ProgressFn& progress) {
  DafToBnaResult result;
  LineWriter writer(out);
  std::string depthText;
  long long blocks = 0;
  auto writeBlock = [&](double depth, const std::vector<std::pair<double, double>>& block) {
    if (block.empty()) {
      ++result.emptyBlocks;
      return;
    }
    ++blocks;
    depthText.clear();
    AppendGeneral(depthText, depth);
    WriteRecord(writer, {RecordItem::Text(depthText), RecordItem::Text(depthText),
                         RecordItem::Number(-static_cast<double>(block.size()))});
    for (const auto& [x, y] : block)
      WriteRecord(writer, {RecordItem::Number(x), RecordItem::Number(y)});
  };
  const DafReadResult read = ReadDafBlocks(in, writeBlock, progress);
  result.unendedLine = read.unendedLine;
  if (read.pass.status != PassStatus::Done) {
    result.pass = read.pass;
    return result;
  }
  if (read.pass.line == 0) {
    result.pass = EmptyFileFault();
    return result;
  }
  if (blocks == 0) {
    result.pass = PassResult::Fail("No contour with points", read.pass.line);
    return result;
  }
  result.pass = Flushed(writer, read.pass.count);
  return result;
}

PassResult ConvertDafToXyz(std::istream& in, std::ostream& out, const ProgressFn& progress) {
  LineReader lines(in);
  LineWriter writer(out);
  std::string_view line;
  std::string depth;
  bool inside = false;
  long long count = 0;
  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
    if (!inside) {
      if (Begins(line, "START")) {
        inside = true;
        depth.assign(1, ' ');
        bool outOfRange = false;
        AppendGeneral(depth, DafDepth(line, outOfRange));
        if (outOfRange) return NumberOutOfRange(lines.LineNumber());
      }
    } else if (Begins(line, "STOP")) {
      inside = false;
    } else if (!TrimBlanksAndTabs(line).empty()) {
      writer.Append(line);
      writer.Append(depth);
      writer.EndLine();
      ++count;
      if (count % kProgressInterval == 0 && progress && !progress(count, lines.BytesRead())) {
        return PassResult::Stop();
      }
    }
  }
  if (lines.LineNumber() == 0) return EmptyFileFault();
  return Flushed(writer, count);
}

void BnaToDaf(int index, RunState& state, Ui& ui) {
  ui.SetFileFilters("All files (*.*)|*.*|BNA files (*.BNA)|*.BNA");
  if (!AskInputFile(state, ui, 2)) return;
  CheckBnaFile(state.InputFileName, state, ui);
  if (state.InputError == 1) return;
  ui.SetFileFilters("All files (*.*)|*.*|contours DAF  (*.DAF)|*.DAF");
  if (!AskOutputFile(state, ui, 2)) return;
  BnaToDafOptions options;
  options.label = index == 1 ? 1 : 2;
  options.ed50 =
      ui.Message("Default is WGS84, IS BNA file in ED50?", "Ellipsoid", MessageIcon::Question,
                 MessageButtons::YesNo, MessageAnswer::No) == MessageAnswer::Yes;
  options.bounds = state.Stats;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetProgressCount(0);
  const PassResult result = ConvertBnaToDaf(
      files.input.Stream(), files.output.Stream(), options, WindowProgress(ui, files.input.Size()),
      [&ui](double depth) { ui.SetStatus(" depth = " + FormatGeneral(depth)); });
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.count);
  ui.SetStatus(" BNA >> DAF finished");
}

void DafToBna(int, RunState& state, Ui& ui) {
  ui.SetFileFilters("Neptune export DAF (*.DAF)|*.DAF|ALL files (*.*)|*.*");
  if (!AskInputFile(state, ui, 1)) return;
  ui.SetFileFilters("ascii BNA  (*.BNA)|*.bna|ALL files (*.*)|*.*");
  if (!AskOutputFile(state, ui, 1)) return;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus(" Converting DAF >> BNA ");
  ui.SetProgressCount(0);
  const DafToBnaResult result = ConvertDafToBna(files.input.Stream(), files.output.Stream(),
                                                WindowProgress(ui, files.input.Size()));
  if (result.pass.status != PassStatus::Done) {
    return ReportPassEnd(result.pass, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.pass.count);
  if (result.unendedLine > 0) {
    ui.SetStatus(FaultText("Block without its STOP line, written as it stands", result.unendedLine,
                           state.InputFileName));
  } else {
    ui.SetStatus("DAF >> BNA finished");
  }
}

void DafToXyz(int, RunState& state, Ui& ui) {
  ui.SetFileFilters("Neptune export DAF (*.DAF)|*.DAF");
  if (!AskInputFile(state, ui, 1, "Abrir")) return;
  ui.SetFileFilters("ascii xyz  (*.xyz)|*.xyz");
  if (!AskOutputFile(state, ui, 1, "Guardar como")) return;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetStatus(" Converting DAF >> XYZ ");
  ui.SetProgressCount(0);
  const PassResult result = ConvertDafToXyz(files.input.Stream(), files.output.Stream(),
                                            WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.count);
  ui.SetStatus("DAF >> X Y Z finished");
}

}  // namespace zolvane
