#include "formats/palettes.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/value_tokens.h"

namespace zolvane {
namespace {

constexpr std::string_view kInvertFilters = "All files (*.*)|*.*|Palette Surfer (*.clr)|*.clr";
constexpr std::string_view kP25Filters =
    "All files (*.*)|*.*|Paleta Surfer (*.clr)|*.clr|Paleta Miramon  (*.p25)|*.p25";

struct SpectrumEntry {
  double position = 0, red = 0, green = 0;
  int blue = 0;  // held as a 16-bit whole number
  long long line = 0;
};

// Reads the header line and the entries after it, at most `capacity` of them.
PassResult ReadSpectrum(LineReader& lines, std::string& header, std::vector<SpectrumEntry>& entries,
                        long long capacity) {
  std::string_view line;
  ReadStatus status = lines.Next(line);
  if (status == ReadStatus::End) return PassResult::Fail("The file is empty", 1);
  if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
  header.assign(line);
  std::vector<std::string_view> values;
  while ((status = lines.Next(line)) == ReadStatus::Ok) {
    SplitValues(line, values);
    if (values.empty()) continue;
    const long long number = lines.LineNumber();
    if (values.size() < 4) return PassResult::Fail("A colour entry needs four numbers", number);
    for (std::size_t i = 0; i < 4; ++i) {
      if (!IsNumberText(values[i])) {
        return PassResult::Fail("Not a number: " + std::string(values[i]), number);
      }
    }
    if (static_cast<long long>(entries.size()) >= capacity) {
      return PassResult::Fail(
          "More than " + FormatGeneral(static_cast<double>(capacity)) + " colour entries", number);
    }
    bool outOfRange = false;
    const double blue = RoundHalfEven(ReadNumber(values[3], outOfRange));
    if (blue < std::numeric_limits<std::int16_t>::min() ||
        blue > std::numeric_limits<std::int16_t>::max()) {
      return PassResult::Fail("Blue out of range: " + std::string(values[3]), number);
    }
    const double position = ReadNumber(values[0], outOfRange);
    const double red = ReadNumber(values[1], outOfRange);
    const double green = ReadNumber(values[2], outOfRange);
    if (outOfRange) return NumberOutOfRange(number);
    entries.push_back({position, red, green, static_cast<int>(blue), number});
  }
  if (status != ReadStatus::End) return ReadFault(status, lines.LineNumber());
  return {};
}

void WriteColourLine(LineWriter& writer, double first, double red, double green, double blue) {
  PrintLine(writer).Number(first).NextZone().Number(red).NextZone().Number(green).NextZone().Number(
      blue);
  writer.EndLine();
}

PassResult Finish(LineWriter& writer, long long count) {
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = count;
  return done;
}

// The steps both commands share: the file names, the pass, the report.
bool RunPaletteCommand(RunState& state, Ui& ui, std::string_view filters, int saveIndex,
                       PassResult (*convert)(std::istream&, std::ostream&)) {
  state.InputFileName.clear();
  ui.SetInputFileName("");
  ui.SetFileFilters(filters);
  if (!AskInputFile(state, ui, 2)) return false;
  if (!AskOutputFile(state, ui, saveIndex)) return false;
  CommandFiles files(state);
  if (!files.Open(ui)) return false;
  const PassResult result = convert(files.input.Stream(), files.output.Stream());
  if (result.status != PassStatus::Done) {
    ReportPassEnd(result, state.InputFileName, state, ui);
    return false;
  }
  return files.Commit(ui);
}

}  // namespace

PassResult InvertSpectrum(std::istream& in, std::ostream& out) {
  LineReader lines(in);
  std::string header;
  std::vector<SpectrumEntry> entries;
  PassResult read = ReadSpectrum(lines, header, entries, kMaxInvertedEntries);
  if (read.status != PassStatus::Done) return read;
  LineWriter writer(out);
  writer.WriteLine(header);
  for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
    WriteColourLine(writer, 100 - e->position, e->red, e->green, e->blue);
  }
  return Finish(writer, static_cast<long long>(entries.size()));
}

PassResult SpectrumToP25(std::istream& in, std::ostream& out) {
  LineReader lines(in);
  std::string header;
  std::vector<SpectrumEntry> entries;
  PassResult read = ReadSpectrum(lines, header, entries, kMaxPaletteEntries);
  if (read.status != PassStatus::Done) return read;
  if (entries.empty()) return PassResult::Fail("The palette has no colour entries", 1);

  std::vector<double> index(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    index[i] = std::min(RoundHalfEven(entries[i].position * 255 / 100), 255.0);
  }
  // Lines run from the first entry's index to 255: a first index far below 0 would make a
  // file of any length.
  if (index[0] < -255) {
    return PassResult::Fail("A colour position below -100 per cent", entries[0].line);
  }

  LineWriter writer(out);
  long long count = 0;
  std::size_t j = 0;
  for (std::size_t k = 1; k < entries.size(); ++k) {
    if (!(index[k] - index[j] > 1)) continue;
    const double d = index[k] - index[j];
    const SpectrumEntry& from = entries[j];
    const SpectrumEntry& to = entries[k];
    const double sR = (to.red - from.red) / d;
    const double sG = (to.green - from.green) / d;
    const double sB = (to.blue - from.blue) / d;
    for (double m = index[j]; m <= index[k]; ++m) {
      const double t = m - index[j];
      WriteColourLine(writer, m, Fix(from.red + t * sR), Fix(from.green + t * sG),
                      Fix(from.blue + t * sB));
      ++count;
    }
    j = k;
  }
  const SpectrumEntry& last = entries.back();
  WriteColourLine(writer, 255, last.red, last.green, last.blue);
  return Finish(writer, count + 1);
}

void InvertSurferSpectrum(int /*index*/, RunState& state, Ui& ui) {
  RunPaletteCommand(state, ui, kInvertFilters, 2, &InvertSpectrum);
}

void SurferSpectrumToP25(int /*index*/, RunState& state, Ui& ui) {
  if (RunPaletteCommand(state, ui, kP25Filters, 3, &SpectrumToP25)) {
    ui.SetStatus("Miramon 256 colors palette Created");
  }
}

}  // namespace zolvane
