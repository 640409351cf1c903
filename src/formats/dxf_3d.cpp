#include "formats/dxf_3d.h"

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/value_tokens.h"
#include "formats/format_questions.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 500;

// Reads list items (comma fields running across lines) after an entity line; running out
// of file or meeting a damaged value ends the pass with a fault naming the line.
class ItemReader {
 public:
  explicit ItemReader(LineReader& lines) : fields_(lines) {}

  bool Text(std::string_view& text) {
    const ReadStatus status = fields_.Next(field_);
    if (status == ReadStatus::Ok) {
      text = field_.text;
      return true;
    }
    fault = status == ReadStatus::End
                ? PassResult::Fail("The file ends inside an entity", fields_.LineNumber())
                : ReadFault(status, fields_.LineNumber());
    return false;
  }
  bool Number(double& value) {
    std::string_view text;
    if (!Text(text)) return false;
    // A drawing with "abc" where a coordinate belongs is damaged, and reading it as 0 would
    // move the point silently.
    if (!IsNumberText(text)) {
      fault = PassResult::Fail("A corner value is not a number", field_.line);
      return false;
    }
    bool outOfRange = false;
    value = ReadNumber(text, outOfRange);
    if (outOfRange) fault = NumberOutOfRange(field_.line);
    return !outOfRange;
  }

  PassResult fault;

 private:
  FieldReader fields_;
  Field field_;
};

bool IsCornerXCode(std::string_view text) {
  return text == "10" || text == "11" || text == "12" || text == "13";
}

}  // namespace

PassResult ScanDxfSolids(std::istream& in, Statistics& statistics, const ProgressFn& progress) {
  LineReader lines(in);
  std::string_view line;
  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
    if (lines.LineNumber() % kProgressInterval == 0 && progress &&
        !progress(lines.LineNumber(), lines.BytesRead())) {
      return PassResult::Stop();
    }
    if (line != "SOLID") continue;
    ItemReader items(lines);
    std::string_view text;
    for (int i = 0; i < 4; ++i) {
      if (!items.Text(text)) return items.fault;
    }
    // Four rounds: a 2D corner takes one, a Z code and its value take one each.
    for (int round = 0; round < 4; ++round) {
      if (!items.Text(text)) return items.fault;
      if (!IsCornerXCode(text)) continue;
      double x = 0, y = 0;
      if (!items.Number(x)) return items.fault;
      statistics.UpdateXRange(x);
      if (!items.Text(text) || !items.Number(y)) return items.fault;
      statistics.UpdateYRange(static_cast<float>(y));
    }
  }
  if (lines.LineNumber() == 0) return EmptyFileFault();
  PassResult done;
  done.count = lines.LineNumber();
  return done;
}

std::string DxfOptionsFault(const DxfTo3dOptions& options) {
  if (!(options.xMax - options.xMin != 0)) {
    return "The drawing has no X extent (X min equals X max): there is no transect to lay it on";
  }
  if (!(options.factor != 0)) return "The scale factor for Z must not be 0";
  return {};
}

PassResult ConvertDxfTo3d(std::istream& in, std::ostream& out, const DxfTo3dOptions& options,
                          const ProgressFn& progress) {
  if (std::string fault = DxfOptionsFault(options); !fault.empty()) {
    return PassResult::Fail(fault, 0);
  }
  const double dx = options.x2 - options.x1;
  const float dy = static_cast<float>(options.y2 - options.y1);
  const double width = options.xMax - options.xMin;
  const double rx = dx / width;
  const double ry = dy / width;
  const std::string_view layer = TrimBlanks(options.profile);

  LineReader lines(in);
  LineWriter writer(out);
  std::string_view line;
  std::string number;
  PassResult fault;

  auto next = [&](std::string_view& text) {
    const ReadStatus status = lines.Next(text);
    if (status == ReadStatus::Ok) return true;
    fault = status == ReadStatus::End
                ? PassResult::Fail("The file ends before its EOF line", lines.LineNumber())
                : ReadFault(status, lines.LineNumber());
    return false;
  };
  auto printed = [&](double value) {
    number.clear();
    AppendPrintItem(number, value);
    writer.WriteLine(number);
  };
  auto copyLine = [&] {
    if (!next(line)) return false;
    writer.WriteLine(line);
    return true;
  };
  // The layer line that follows a group code line is replaced by the profile name.
  auto copyCodeAndRename = [&] {
    if (!copyLine() || !next(line)) return false;
    writer.WriteLine(layer);
    return true;
  };
  auto convertCorner = [&](int zCode) {
    ItemReader items(lines);
    std::string_view text;
    double x = 0, y = 0;
    if (!items.Text(text)) return fault = items.fault, false;
    writer.WriteLine(TrimBlanks(text));
    if (!items.Number(x)) return fault = items.fault, false;
    if (!items.Text(text)) return fault = items.fault, false;
    const std::string yCode(TrimBlanks(text));
    if (!items.Number(y)) return fault = items.fault, false;
    const double along = x - options.xMin;
    printed(dx != 0 ? options.x1 + along * rx : options.x2);
    writer.WriteLine(yCode);
    printed(dy != 0 ? options.y1 + along * ry : options.y1);
    printed(zCode);
    number.clear();
    AppendPrintSingle(number, static_cast<float>(y / options.factor));
    writer.WriteLine(number);
    return true;
  };

  printed(999);
  writer.WriteLine(options.profile);
  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) {
      return PassResult::Fail("The file has no ENTITIES line", lines.LineNumber());
    }
    if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
    if (TrimBlanks(line) == "ENTITIES") break;
  }
  printed(0);
  writer.WriteLine("SECTION");
  printed(2);
  writer.WriteLine("ENTITIES");

  for (;;) {
    if (!next(line)) return fault;
    line = TrimBlanks(line);
    writer.WriteLine(line);
    if (lines.LineNumber() % kProgressInterval == 0 && progress &&
        !progress(lines.LineNumber(), lines.BytesRead())) {
      return PassResult::Stop();
    }
    if (line == "EOF") break;
    if (line == "POLYLINE") {
      if (!copyCodeAndRename()) return fault;
    } else if (line == "ENDSEQ") {
      printed(8);
      writer.WriteLine(layer);
    } else if (line == "SOLID" || line == "3DFACE") {
      if (!copyCodeAndRename() || !copyLine() || !copyLine()) return fault;
      for (int zCode = 30; zCode <= 33; ++zCode) {
        if (!convertCorner(zCode)) return fault;
      }
    } else if (line == "VERTEX") {
      if (!copyCodeAndRename() || !convertCorner(30)) return fault;
    }
  }
  if (lines.LineNumber() == 0) return EmptyFileFault();
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = lines.LineNumber();
  return done;
}

PassResult ReadDxfShapes(std::istream& in, const DxfShapeReader& reader,
                         const ProgressFn& progress) {
  LineReader lines(in);
  std::string_view line;
  bool open = false;  // a shape takes the points that follow
  // A corner as the conversion reads one: X code, X, Y code, Y.
  auto corner = [&](ItemReader& items) {
    std::string_view code;
    double x = 0, y = 0;
    if (!items.Text(code) || !items.Number(x) || !items.Text(code) || !items.Number(y)) {
      return false;
    }
    reader.point(x, y);
    return true;
  };
  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
    if (lines.LineNumber() % kProgressInterval == 0 && progress &&
        !progress(lines.LineNumber(), lines.BytesRead())) {
      return PassResult::Stop();
    }
    line = TrimBlanks(line);
    if (line == "EOF") break;
    if (line == "POLYLINE") {
      reader.begin(false);
      open = true;
    } else if (line == "SOLID" || line == "3DFACE") {
      ItemReader items(lines);
      std::string_view text;
      for (int i = 0; i < 4; ++i) {
        if (!items.Text(text)) return items.fault;
      }
      reader.begin(true);
      open = false;
      for (int i = 0; i < 4; ++i) {
        if (!corner(items)) return items.fault;
      }
    } else if (line == "VERTEX") {
      ItemReader items(lines);
      std::string_view text;
      if (!items.Text(text) || !items.Text(text)) return items.fault;
      if (!open) reader.begin(false);
      open = true;
      if (!corner(items)) return items.fault;
    } else if (line == "SEQEND" || line == "ENDSEQ") {
      open = false;
    }
  }
  if (lines.LineNumber() == 0) return EmptyFileFault();
  PassResult done;
  done.count = lines.LineNumber();
  return done;
}

void Xy2Xyz(int /*index*/, RunState& state, Ui& ui) {
  ui.SetFileFilters(kDxfFileFilters);
  if (!AskInputFile(state, ui, 2)) return;
  if (!AskOutputFile(state, ui, 2)) return;
  {
    // The transect spans the X range of this drawing only.
    state.Stats = {};
    InputFile input(ReadablePath(state, state.InputFileName));
    if (!input.IsOpen()) {
      return ReportOpenFailure(ui, state.InputFileName, false, input.Fault());
    }
    const PassResult scan =
        ScanDxfSolids(input.Stream(), state.Stats, WindowProgress(ui, input.Size()));
    if (scan.status != PassStatus::Done) {
      return ReportPassEnd(scan, state.InputFileName, state, ui);
    }
  }
  ShowStatistics(state, ui);

  const auto choice = Ask(ui, &FormatQuestions::ProfileDxf);
  if (!choice) return;
  DxfTo3dOptions options;
  options.x1 = ReadNumber(choice->StartX);
  options.y1 = ReadNumber(choice->StartY);
  options.x2 = ReadNumber(choice->EndX);
  options.y2 = ReadNumber(choice->EndY);
  options.factor = ReadNumber(choice->Factor);
  options.profile = choice->Profile;
  // The range the user sees in the panel is the range used.
  options.xMin = ReadNumber(FormatGeneral(state.Stats.XMin));
  options.xMax = ReadNumber(FormatGeneral(state.Stats.XMax));
  if (const std::string fault = DxfOptionsFault(options); !fault.empty()) {
    return Warn(ui, fault, " 2D > 3D DXF ");
  }

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  const PassResult result = ConvertDxfTo3d(files.input.Stream(), files.output.Stream(), options,
                                           WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  if (!files.Commit(ui)) return;
  ui.SetStatus(" Real World 3D dxf ready ");
}

}  // namespace zolvane
