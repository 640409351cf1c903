#include "formats/miramon_vec.h"

#include <filesystem>
#include <type_traits>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/value_tokens.h"
#include "formats/bna/bna_reader.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;

// A label as an identifier: what is inside its double quotes when it has them, trimmed.
std::string_view ListItem(std::string_view raw) {
  std::string_view text = TrimBlanksAndTabs(raw);
  if (text.empty() || text.front() != '"') return text;
  text.remove_prefix(1);
  return TrimBlanks(text.substr(0, text.find('"')));
}

void UpdateObjectType(std::string& type, long long count) {
  if (count > 1 && (type.empty() || type == "polygon")) type = "polygon";
  if (count == 1 && (type.empty() || type == "point")) type = "point";
  if (count < -1) type = "line";
}

}  // namespace

BnaToVecResult ConvertBnaToVec(std::istream& in, std::ostream& out, const BnaToVecOptions& options,
                               const ProgressFn& progress) {
  BnaToVecResult result;
  BnaObjectReader reader(in);
  LineWriter writer(out);
  BnaHeader header;
  long long count = 0;
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };
  auto vertex = [&](double x, double y) {
    writer.AppendGeneral(x);
    writer.Append(' ');
    writer.AppendGeneral(y);
    writer.EndLine();
    ++count;
    return count % kProgressInterval != 0 || !progress || progress(count, reader.BytesRead());
  };

  for (;;) {
    const ReadStatus status = reader.NextHeader(header);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return end(reader.Fault());
    const std::string_view label1 = ListItem(header.label1);
    const std::string_view label2 = ListItem(header.label2);
    if (options.identifier == 1) {
      writer.Append(label1);
    } else if (options.identifier == 2) {
      writer.Append(label2);
    } else {
      writer.Append(label1);
      writer.Append('_');
      writer.Append(label2);
    }
    UpdateObjectType(result.objectType, header.count);
    const long long points = header.count < 0 ? -header.count : header.count;
    writer.Append(' ');
    writer.AppendGeneral(static_cast<double>(points));
    writer.EndLine();
    if (header.singlePoint) {
      if (!vertex(header.x, header.y)) return end(PassResult::Stop());
      continue;
    }
    for (long long i = 0; i < points; ++i) {
      double x = 0, y = 0;
      if (reader.NextPoint(x, y) != ReadStatus::Ok) return end(reader.Fault());
      if (!vertex(x, y)) return end(PassResult::Stop());
    }
  }
  writer.WriteLine("0 0");
  writer.WriteLine("");
  if (!writer.Flush()) return end(PassResult::WriteFault());
  result.pass.count = count;
  return result;
}

DvcDescription DvcOf(const VecLayerChoice& choice) {
  DvcDescription dvc;
  const std::string_view datum = choice.Ed50 ? "ED50" : "WGS84";
  std::string& system = dvc.referenceSystem;
  dvc.units = std::string_view(choice.Degrees ? "deg" : "m");
  if (choice.Degrees) {
    system = "lat/long-";
  } else {
    system = "UTM-";
    AppendGeneral(system, ReadNumber(choice.ZoneText));
    system += choice.South ? "S-" : "N-";
  }
  system += datum;
  return dvc;
}

bool WriteDvc(std::ostream& out, const DvcDescription& dvc) {
  LineWriter writer(out);
  auto line = [&writer](std::string_view name, const auto& value) {
    writer.Append(name);
    if constexpr (std::is_arithmetic_v<std::decay_t<decltype(value)>>) {
      writer.AppendGeneral(value);
    } else {
      writer.Append(value);
    }
    writer.EndLine();
  };
  writer.WriteLine("file title  : ");
  writer.WriteLine("id type     : string");
  writer.WriteLine("file type   : ascii");
  line("object type : ", dvc.objectType);
  line("ref. system : ", dvc.referenceSystem);
  line("ref. units  : ", dvc.units);
  writer.WriteLine("unit dist.  : 1.000000");
  line("min. X      : ", dvc.bounds.XMin);
  line("max. X      : ", dvc.bounds.XMax);
  line("min. Y      : ", dvc.bounds.YMin);
  line("max. Y      : ", dvc.bounds.YMax);
  writer.WriteLine("pos'n error : unknown");
  writer.WriteLine("resolution  : unknown");
  line("comment     : creado a partir de  ", dvc.source);
  writer.WriteLine("comment     : check object type if is true.");
  return writer.Flush();
}

std::string DvcPathOf(std::string_view vecPath) {
  std::string path(vecPath.substr(0, vecPath.size() < 3 ? 0 : vecPath.size() - 3));
  path += "dvc";
  return path;
}

std::optional<std::string> ReadDvcObjectType(std::istream& dvc) {
  LineReader lines(dvc);
  std::string_view line;
  for (int i = 0; i < 4; ++i) {
    if (lines.Next(line) != ReadStatus::Ok) return std::nullopt;
  }
  const std::size_t colon = line.find(':');
  if (colon != std::string_view::npos) line.remove_prefix(colon + 1);
  return std::string(TrimBlanksAndTabs(line));
}

DvcRead ReadDvcFile(const std::string& dvcPath) {
  DvcRead result;
  std::error_code error;
  // A folder that may not be searched says nothing of the file: that is no "Not found".
  if (!std::filesystem::exists(dvcPath, error) && !error) {
    result.missing = true;
    result.fault = dvcPath + " Not found";
    return result;
  }
  InputFile dvc(dvcPath);
  std::optional<std::string> type;
  if (dvc.IsOpen()) type = ReadDvcObjectType(dvc.Stream());
  if (!type) {
    // Without its object type every object would come out untyped.
    result.fault = "The DVC file could not be read: " + dvcPath;
  } else {
    result.objectType = std::move(*type);
  }
  return result;
}

PassResult ReadVecObjects(std::istream& in, const VecObjectFn& object, const VecVertexFn& vertex,
                          const ProgressFn& progress) {
  LineReader lines(in);
  FieldReader fields(lines);
  Field field;
  long long count = 0;

  for (;;) {
    ReadStatus status = fields.Next(field);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return ReadFault(status, fields.LineNumber());
    if (field.text == "0 0") break;
    // The count is the last word: an identifier may hold blanks, and may be empty.
    const std::size_t blank = field.text.find_last_of(" \t");
    const std::string_view countText =
        blank == std::string_view::npos ? field.text : field.text.substr(blank + 1);
    if (!IsNumberText(countText)) {
      return PassResult::Fail("Object header without a count", field.line);
    }
    const long long points = ReadBnaCount(countText);
    if (points < 0) return PassResult::Fail("Object with a negative count", field.line);
    if (points == 0) return PassResult::Fail("Object with a count of 0", field.line);
    object(blank == std::string_view::npos ? std::string_view() : field.text.substr(0, blank + 1),
           points);
    for (long long i = 0; i < points; ++i) {
      status = fields.Next(field);
      if (status == ReadStatus::End) {
        return PassResult::Fail("The file ends inside an object", fields.LineNumber());
      }
      if (status != ReadStatus::Ok) return ReadFault(status, fields.LineNumber());
      const std::size_t separator = field.text.find(' ', 1);
      if (separator == std::string_view::npos) {
        return PassResult::Fail("Vertex line without a blank between x and y", field.line);
      }
      bool outOfRange = false;
      const double x = ReadNumber(field.text.substr(0, separator), outOfRange);
      const double y = ReadNumber(field.text.substr(separator + 1), outOfRange);
      if (outOfRange) return NumberOutOfRange(field.line);
      vertex(x, y);
      ++count;
      if (count % kProgressInterval == 0 && progress && !progress(count, lines.BytesRead())) {
        return PassResult::Stop();
      }
    }
  }
  // A BNA file without objects is no BNA file.
  if (lines.LineNumber() == 0) return EmptyFileFault();
  if (count == 0) return PassResult::Fail("No object with points", lines.LineNumber());
  PassResult done;
  done.count = count;
  return done;
}

PassResult ConvertVecToBna(std::istream& in, std::ostream& out, std::string_view objectType,
                           const ProgressFn& progress) {
  LineWriter writer(out);
  const double sign = objectType == "polygon" ? 1.0 : -1.0;
  auto object = [&](std::string_view identifier, long long points) {
    writer.Append(identifier);
    writer.Append(',');
    writer.Append(objectType);
    writer.Append(',');
    if (points == 1) {
      writer.Append('1');
    } else {
      writer.Append(FormatPrintItem(sign * static_cast<double>(points)));
    }
    writer.EndLine();
  };
  auto vertex = [&](double x, double y) {
    WriteRecord(writer, {RecordItem::Number(x), RecordItem::Number(y)});
  };
  const PassResult read = ReadVecObjects(in, object, vertex, progress);
  if (read.status != PassStatus::Done) return read;
  if (!writer.Flush()) return PassResult::WriteFault();
  return read;
}

void BnaToVec(int, RunState& state, Ui& ui) {
  ui.SetFileFilters(kVecFileFilters);
  if (!AskInputFile(state, ui, 2)) return;
  ui.SetStatus(" checking bna file ");
  CheckBnaFile(state.InputFileName, state, ui);
  if (state.InputError == 1) return;
  if (!AskOutputFile(state, ui, 4)) return;
  // The description goes beside the VEC under a name of its own; it must not replace either file.
  const std::string dvcPath = DvcPathOf(state.OutputFileName);
  if (SameFile(dvcPath, state.OutputFileName) || SameFile(dvcPath, state.InputFileName)) {
    Warn(ui, "The VEC file needs a name of its own beside its DVC file:\n" + dvcPath,
         " Output file ");
    return;
  }
  const std::optional<VecLayerChoice> choice = Ask(ui, &FormatQuestions::VecLayer);
  if (!choice) return;
  state.LabelChoice = choice->Identifier;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  OutputFile dvcFile(dvcPath);
  if (!dvcFile.IsOpen()) return ReportOpenFailure(ui, dvcPath, true, dvcFile.Fault());
  ui.SetProgressCount(0);
  const BnaToVecResult result =
      ConvertBnaToVec(files.input.Stream(), files.output.Stream(), {choice->Identifier},
                      WindowProgress(ui, files.input.Size()));
  if (result.pass.status != PassStatus::Done) {
    return ReportPassEnd(result.pass, state.InputFileName, state, ui);
  }
  DvcDescription dvc = DvcOf(*choice);
  dvc.objectType = result.objectType;
  dvc.bounds = state.Stats;
  dvc.source = state.InputFileName;
  if (!WriteDvc(dvcFile.Stream(), dvc) || !dvcFile.Commit()) {
    return ReportOpenFailure(ui, dvcPath, true, dvcFile.Fault());
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.pass.count);
  ui.SetStatus("VEC Created");
}

void vec2bna(int, RunState& state, Ui& ui) {
  ui.SetFileFilters(kVecFileFilters);
  if (!AskInputFile(state, ui, 4)) return;
  if (!AskOutputFile(state, ui, 2)) return;
  const std::string dvcPath = DvcPathOf(state.InputFileName);
  const DvcRead dvc = ReadDvcFile(dvcPath);
  if (!dvc.fault.empty()) {
    state.InputError = 1;
    ui.SetStatus(dvc.fault);
    if (!dvc.missing) Warn(ui, dvc.fault, " Zolvane ");
    return;
  }
  if (SameFile(dvcPath, state.OutputFileName)) {
    Warn(ui, "The output file must not be the DVC file:\n" + dvcPath, " Output file ");
    return;
  }
  const std::string& objectType = dvc.objectType;

  {
    CommandFiles files(state);
    if (!files.Open(ui)) return;
    ui.SetProgressCount(0);
    const PassResult result = ConvertVecToBna(files.input.Stream(), files.output.Stream(),
                                              objectType, WindowProgress(ui, files.input.Size()));
    if (result.status != PassStatus::Done) {
      return ReportPassEnd(result, state.InputFileName, state, ui);
    }
    if (!files.Commit(ui)) return;
  }
  ui.SetStatus(" checking bna file ");
  CheckBnaFile(state.OutputFileName, state, ui);
  ui.SetStatus(state.InputError == 1 ? "errors in bna file" : "BNA Created");
}

}  // namespace zolvane
