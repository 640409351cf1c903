#include "formats/gebco.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "core/files.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/xyz_layout.h"
#include "formats/xyz/transform_files.h"
#include "formats/xyz/transform_questions.h"
#include "formats/xyz/xyz_questions.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;
constexpr long long kCheckProgressInterval = 500;

constexpr std::string_view kBnaFilters =
    "all files (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|XYZ (*.dat)|*.dat|Geosail "
    "(*.obj)|*.obj ";

// The characters of `line` from column `first` (counted from 1), at most `length` of them.
std::string_view Columns(std::string_view line, std::size_t first,
                         std::size_t length = std::string_view::npos) {
  if (first > line.size()) return {};
  return line.substr(first - 1, length);
}

long long CountOf(std::string_view text) {
  return ToInt32(RoundHalfEven(ReadNumber(text)));
}

struct Segment {
  std::string_view value;
  long long count = 0;
};

Segment SegmentOf(std::string_view line, GebcoHeader header) {
  switch (header) {
    case GebcoHeader::Atlas1997:
      return {TrimBlanks(Columns(line, 1, 6)), CountOf(Columns(line, 7))};
    case GebcoHeader::Centennial:
      return {TrimBlanks(Columns(line, 2, 8)), CountOf(Columns(line, 9))};
    case GebcoHeader::Names:
      break;
  }
  return {TrimBlanks(Columns(line, 1, 8)), CountOf(Columns(line, 9))};
}

PassResult EndInsideSegment(long long line) {
  return PassResult::Fail("The file ends inside a segment", line);
}

PassResult EmptyFile() {
  return PassResult::Fail("The file is empty", 1);
}

// The next point line of a segment; a fault when the file has no more.
bool NextPointLine(LineReader& lines, std::string_view& line, PassResult& fault) {
  const ReadStatus status = lines.Next(line);
  if (status == ReadStatus::Ok) return true;
  fault = status == ReadStatus::End ? EndInsideSegment(lines.LineNumber())
                                    : ReadFault(status, lines.LineNumber());
  return false;
}

}  // namespace

GebcoResult ConvertGebco(std::istream& in, std::ostream& out, const GebcoOptions& options,
                         const ProgressFn& progress) {
  GebcoResult result;
  LineReader lines(in);
  LineWriter writer(out);
  const XyzLayout layout = XyzLayout::FromCode(options.outputFormatCode);
  const UtmProjection projection(options.ellipsoid);
  std::string value;
  std::string_view line;
  long long count = 0;
  bool empty = true;
  auto fail = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };

  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return fail(ReadFault(status, lines.LineNumber()));
    empty = false;
    const Segment segment = SegmentOf(line, options.header);
    value.assign(segment.value);
    if (segment.count < 0) {
      // Its count cannot be written as an open line: the segment and its points are left out.
      if (result.negativeCountLine == 0) result.negativeCountLine = lines.LineNumber();
      for (long long i = 0; i < -segment.count; ++i) {
        if (!NextPointLine(lines, line, result.pass)) return result;
      }
      continue;
    }
    if (options.output == GebcoOutput::Gmt) {
      writer.Append("> ");
      writer.Append(value);
      writer.EndLine();
    } else if (options.output == GebcoOutput::Bna) {
      if (segment.count == 0) {
        ++result.emptySegments;  // a BNA object of no points is not a BNA object
        continue;
      }
      WriteRecord(writer, {RecordItem::Text(value), RecordItem::Text(value),
                           RecordItem::Number(-static_cast<double>(segment.count))});
    }
    for (long long i = 0; i < segment.count; ++i) {
      if (!NextPointLine(lines, line, result.pass)) return result;
      bool outOfRange = false;
      double y = ReadNumber(Columns(line, 1, 9), outOfRange);
      double x = ReadNumber(Columns(line, 10), outOfRange);
      if (outOfRange) return fail(NumberOutOfRange(lines.LineNumber()));
      if (options.project) {
        const UtmCoordinate utm = projection.ToUtm(y, x, options.centralMeridian);
        x = std::floor(utm.Easting);
        y = std::floor(utm.Northing);
      }
      switch (options.output) {
        case GebcoOutput::Xyz:
          if (layout.valid) WriteXyzLine(writer, layout, x, y, value);
          break;
        case GebcoOutput::Bna:
          WriteRecord(writer, {RecordItem::Number(x), RecordItem::Number(y)});
          break;
        case GebcoOutput::Gmt:
          writer.AppendGeneral(x);
          writer.Append(' ');
          writer.AppendGeneral(y);
          writer.EndLine();
          break;
      }
      ++count;
      if (count % kProgressInterval == 0 && progress && !progress(count, lines.BytesRead())) {
        return fail(PassResult::Stop());
      }
    }
  }
  if (empty) return fail(EmptyFile());
  if (options.output == GebcoOutput::Gmt) writer.WriteLine(">");
  if (!writer.Flush()) return fail(PassResult::WriteFault());
  result.pass.count = count;
  return result;
}

PassResult ReadGebcoSegments(std::istream& in, GebcoHeader header,
                             const std::function<void(std::string_view value)>& segment,
                             const std::function<void(double lon, double lat)>& point,
                             const ProgressFn& progress) {
  LineReader lines(in);
  std::string_view line;
  PassResult fault;
  long long count = 0;
  bool empty = true;
  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
    empty = false;
    const Segment seg = SegmentOf(line, header);
    const bool skipped = seg.count < 0;
    if (!skipped) segment(seg.value);
    for (long long i = skipped ? seg.count : -seg.count; i < 0; ++i) {
      if (!NextPointLine(lines, line, fault)) return fault;
      if (skipped) continue;
      bool outOfRange = false;
      const double lat = ReadNumber(Columns(line, 1, 9), outOfRange);
      const double lon = ReadNumber(Columns(line, 10), outOfRange);
      if (outOfRange) return NumberOutOfRange(lines.LineNumber());
      point(lon, lat);
      if (++count % kProgressInterval == 0 && progress && !progress(count, lines.BytesRead())) {
        return PassResult::Stop();
      }
    }
  }
  if (empty) return EmptyFile();
  PassResult done;
  done.count = count;
  return done;
}

GebcoCheckResult CheckGebco(std::istream& in, Statistics& statistics, const ProgressFn& progress,
                            GebcoHeader header) {
  GebcoCheckResult result;
  LineReader lines(in);
  std::string_view line;
  bool empty = true;
  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) {
      result.pass = ReadFault(status, lines.LineNumber());
      return result;
    }
    empty = false;
    const bool marked = !line.empty() && line.front() == '>';
    statistics.UpdateZRange(ReadNumber(TrimBlanks(Columns(line, marked ? 2 : 1, 8))));
    const long long count = SegmentOf(line, header).count;
    if (count == 0) {
      result.pass = PassResult::Fail("Segment without points", lines.LineNumber());
      return result;
    }
    ++result.lines;
    const long long points = count < 0 ? -count : count;
    for (long long i = 0; i < points; ++i) {
      if (!NextPointLine(lines, line, result.pass)) return result;
      ++result.lines;
      bool outOfRange = false;
      statistics.UpdateXRange(ReadNumber(Columns(line, 1, 9), outOfRange));
      statistics.UpdateYRange(ReadNumber(Columns(line, 10), outOfRange));
      if (outOfRange) {
        result.pass = NumberOutOfRange(lines.LineNumber());
        return result;
      }
      if (result.lines % kCheckProgressInterval == 0 && progress &&
          !progress(result.lines, lines.BytesRead())) {
        result.pass = PassResult::Stop();
        return result;
      }
    }
  }
  if (empty) result.pass = EmptyFile();
  return result;
}

void CheckGebcoFile(const std::string& path, RunState& state, Ui& ui, GebcoHeader header) {
  ui.SetStatus("Checking ascii Gebco file");
  state.InputError = 0;
  state.Stats = {};  // the ranges of this file only
  InputFile file(ReadablePath(state, path));
  if (!file.IsOpen()) {
    state.InputError = 1;
    ui.SetStatus("The file cannot be opened: " + path +
                 (file.Fault().empty() ? "" : " (" + file.Fault() + ")"));
    return;
  }
  const GebcoCheckResult result =
      CheckGebco(file.Stream(), state.Stats, WindowProgress(ui, file.Size()), header);
  if (result.pass.status != PassStatus::Done) {
    return ReportPassEnd(result.pass, path, state, ui);
  }
  ui.SetProgressCount(result.lines);
  ShowStatistics(state, ui);
  ui.SetStatus("");
}

namespace {

struct GebcoCommand {
  GebcoHeader header;
  GebcoOutput output;
  bool check;
  std::string_view filters;
  int outputFilter;
  std::string_view doneText;
};

void RunGebco(const GebcoCommand& command, RunState& state, Ui& ui) {
  std::optional<FormatCodeReset> reset;
  if (command.output != GebcoOutput::Bna) reset.emplace(state);
  ui.SetFileFilters(command.filters);
  if (!AskInputFile(state, ui, 3)) return;
  if (command.check) {
    CheckGebcoFile(state.InputFileName, state, ui, command.header);
    if (state.InputError == 1) return;
  }
  if (!AskOutputFile(state, ui, command.outputFilter)) return;

  GebcoOptions options;
  options.header = command.header;
  options.output = command.output;
  if (command.output != GebcoOutput::Gmt) {
    const MessageAnswer answer =
        ui.Message("Default is Lat-Lon, do you like to change to UTM ?", "Coordinates System ",
                   MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No);
    if (answer == MessageAnswer::Yes) {
      SetEllipsoid(state, kWgs84);
      const auto zone = Ask(ui, &GeoQuestions::ChooseZone);
      if (!zone || zone->UtmZone < 1) return;
      state.UtmZone = zone->UtmZone;
      state.CentralMeridian = zone->CentralMeridian;
      options.project = true;
      options.ellipsoid = kWgs84;
      options.centralMeridian = zone->CentralMeridian;
    } else {
      state.UtmZone = 0;
    }
  }
  if (command.output == GebcoOutput::Xyz) {
    if (!EnsureOutputFormat(state, ui)) return;
    options.outputFormatCode = state.OutputFormatCode;
  }

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  if (command.output == GebcoOutput::Gmt) ui.SetStatus(" Converting   GEBCO > GMT  ");
  ui.SetProgressCount(0);
  const GebcoResult result = ConvertGebco(files.input.Stream(), files.output.Stream(), options,
                                          WindowProgress(ui, files.input.Size()));
  if (result.pass.status != PassStatus::Done) {
    return ReportPassEnd(result.pass, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.pass.count);
  if (result.negativeCountLine > 0) {
    ui.SetStatus(FaultText("Segment with a negative count left out", result.negativeCountLine,
                           state.InputFileName));
  } else {
    ui.SetStatus(command.doneText);
  }
}

}  // namespace

void GebcoToGmt(int, RunState& state, Ui& ui) {
  RunGebco({GebcoHeader::Names, GebcoOutput::Gmt, true, kPointFileFilters, 1,
            " Finished,  GEBCO > GMT  "},
           state, ui);
}

void GebcoToXyz(int, RunState& state, Ui& ui) {
  RunGebco({GebcoHeader::Atlas1997, GebcoOutput::Xyz, true, kPointFileFilters, 4,
            " Finished , GEBCO > XYZ "},
           state, ui);
}

void GebcoToBna(int, RunState& state, Ui& ui) {
  RunGebco(
      {GebcoHeader::Atlas1997, GebcoOutput::Bna, true, kBnaFilters, 2, " Finished , GEBCO => BNA "},
      state, ui);
}

void GebcoCentToXyz(int, RunState& state, Ui& ui) {
  RunGebco({GebcoHeader::Centennial, GebcoOutput::Xyz, false, kPointFileFilters, 4,
            " Finished , GEBCO > XYZ "},
           state, ui);
}

void GebcoCentToBna(int, RunState& state, Ui& ui) {
  RunGebco({GebcoHeader::Centennial, GebcoOutput::Bna, false, kBnaFilters, 2,
            " Finished , GEBCO => BNA "},
           state, ui);
}

}  // namespace zolvane
