#include "formats/mapgen_to_bna.h"

#include <vector>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"

namespace zolvane {
namespace {

constexpr long long kPointProgressInterval = 1000;

bool IsSeparator(char c) {
  return c == ' ' || c == '\t';
}

// Whether the text starts as a number does: a sign, then a digit or a point and a digit.
bool StartsNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  if (i < text.size() && text[i] == '.') ++i;
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

bool EndsWord(char c) {
  return IsSeparator(c) || c == ',';
}

// The first two words of the line, split at blanks, tabs or one comma (with blanks or not).
bool SplitPoint(std::string_view line, std::string_view& first, std::string_view& second) {
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < line.size() && IsSeparator(line[i]))
      ++i;
  };
  auto word = [&] {
    const std::size_t start = i;
    while (i < line.size() && !EndsWord(line[i]))
      ++i;
    return line.substr(start, i - start);
  };
  skipBlanks();
  first = word();
  skipBlanks();
  if (i < line.size() && line[i] == ',') ++i;
  skipBlanks();
  second = word();
  return StartsNumber(first) && StartsNumber(second);
}

}  // namespace

PassResult ReadMapgenSegments(std::istream& in, const MapgenSegmentFn& segment,
                              const ProgressFn& progress) {
  LineReader lines(in);
  std::vector<float> points;  // longitude, latitude pairs
  long long segments = 0, count = 0;

  auto report = [&] { return !progress || progress(segments, lines.BytesRead()); };
  auto flush = [&] {
    // A segment without points would make an object without vertices.
    if (points.empty()) return true;
    segment(points);
    points.clear();
    ++segments;
    return report();
  };

  std::string_view line;
  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
    if (line.size() <= kMapgenMarkerLength) {
      if (!flush()) return PassResult::Stop();
      continue;
    }
    std::string_view longitude, latitude;
    if (!SplitPoint(line, longitude, latitude)) {
      return PassResult::Fail("Point line without two numbers", lines.LineNumber());
    }
    bool outOfRange = false;
    points.push_back(ReadSingle(longitude, outOfRange));
    points.push_back(ReadSingle(latitude, outOfRange));
    if (outOfRange) return NumberOutOfRange(lines.LineNumber());
    if (++count % kPointProgressInterval == 0 && !report()) return PassResult::Stop();
  }
  if (!flush()) return PassResult::Stop();
  PassResult done;
  done.count = segments;
  return done;
}

PassResult ConvertMapgenToBna(std::istream& in, std::ostream& out, const ProgressFn& progress) {
  LineWriter writer(out);
  auto write = [&](const std::vector<float>& segment) {
    WriteRecord(writer, {RecordItem::Text("shore"), RecordItem::Text("costa"),
                         RecordItem::Number(-static_cast<double>(segment.size() / 2))});
    for (std::size_t i = 0; i < segment.size(); i += 2) {
      writer.Append(FormatSingle(segment[i]));
      writer.Append(',');
      writer.Append(FormatSingle(segment[i + 1]));
      writer.EndLine();
    }
  };
  const PassResult read = ReadMapgenSegments(in, write, progress);
  if (read.status != PassStatus::Done) return read;
  if (!writer.Flush()) return PassResult::WriteFault();
  return read;
}

void MapgenToBna(int, RunState& state, Ui& ui) {
  ui.SetFileFilters(kMapgenFileFilters);
  if (!AskInputFile(state, ui, 4)) return;
  if (!AskOutputFile(state, ui, 2)) return;
  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetProgressCount(0);
  const PassResult result = ConvertMapgenToBna(files.input.Stream(), files.output.Stream(),
                                               WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.count);
  ui.SetStatus("Conversion mapgen >> bna finished");
}

}  // namespace zolvane
