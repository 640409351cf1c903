#include "formats/poseidon_binary.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/xyz_layout.h"
#include "formats/value_tokens.h"
#include "formats/xyz_questions.h"
#include "geo/xyz_reader.h"

namespace zolvane {
namespace {

// Surfer's blank value, written for a node without data.
constexpr float kSurferBlank = 1.70141E+38f;
constexpr float kPoseidonNoData = -1;
constexpr long long kBinaryProgressInterval = 200;

// Where a keyword's value stands on the description line: `offset` characters after the
// keyword's first character, and either a fixed length or up to the next keyword.
struct KeywordValue {
  std::string_view keyword;
  std::size_t offset;
  std::size_t length;      // used when `until` is empty
  std::string_view until;  // the keyword the value runs up to
  double PoseidonHeader::*field;
};

constexpr KeywordValue kKeywords[] = {
    {"LAT_LL", 8, 16, {}, &PoseidonHeader::latLowerLeft},
    {"LONG_LL", 7, 16, {}, &PoseidonHeader::longLowerLeft},
    {"LAT_UR", 8, 16, {}, &PoseidonHeader::latUpperRight},
    {"LONG_UR", 7, 16, {}, &PoseidonHeader::longUpperRight},
    {"COLS", 4, 0, "ROWS", &PoseidonHeader::columns},
    {"ROWS", 4, 0, "SC_MIN", &PoseidonHeader::rows},
    {"SC_MIN", 6, 0, "SC_MAX", &PoseidonHeader::minimum},
    {"SC_MAX", 6, 5, {}, &PoseidonHeader::maximum},
};

// Characters [begin, end) of the line, empty where that range lies outside it.
std::string_view Slice(std::string_view line, std::size_t begin, std::size_t end) {
  if (begin >= line.size() || end <= begin) return {};
  return line.substr(begin, end - begin);
}

// Empty reason when every keyword was found.
std::string ReadPoseidonHeader(std::string_view line, PoseidonHeader& header) {
  for (const KeywordValue& k : kKeywords) {
    const std::size_t at = line.find(k.keyword);
    if (at == std::string_view::npos) {
      return "The grid description has no " + std::string(k.keyword) + " keyword";
    }
    std::size_t end = at + k.offset + k.length;
    if (!k.until.empty()) {
      end = line.find(k.until);
      if (end == std::string_view::npos) {
        return "The grid description has no " + std::string(k.until) + " keyword";
      }
    }
    bool outOfRange = false;
    header.*k.field = ReadNumber(Slice(line, at + k.offset, end), outOfRange);
    if (outOfRange) return "The value of " + std::string(k.keyword) + " is out of range";
  }
  return {};
}

// Little-endian fields of a binary point file, read through a block buffer: the fields are
// a few bytes each, too small to ask the stream for one by one.
class BinaryReader {
 public:
  explicit BinaryReader(std::istream& in) : in_(in), buffer_(kBlock) {}

  bool Int16(std::int16_t& value) {
    const unsigned char* b = Take(2);
    if (!b) return false;
    value = static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8)));
    return true;
  }
  bool Int32(std::int32_t& value) {
    const unsigned char* b = Take(4);
    if (!b) return false;
    value = static_cast<std::int32_t>(Bits32(b));
    return true;
  }
  bool Float32(float& value) {
    const unsigned char* b = Take(4);
    if (!b) return false;
    const std::uint32_t bits = Bits32(b);
    std::memcpy(&value, &bits, sizeof value);
    return true;
  }
  bool Float64(double& value) {
    const unsigned char* b = Take(8);
    if (!b) return false;
    const std::uint64_t bits = Bits32(b) | (static_cast<std::uint64_t>(Bits32(b + 4)) << 32);
    std::memcpy(&value, &bits, sizeof value);
    return true;
  }
  std::uint64_t BytesRead() const { return consumed_ + position_; }

 private:
  static constexpr std::size_t kBlock = std::size_t{1} << 16;

  static std::uint32_t Bits32(const unsigned char* b) {
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
  }

  // The next `count` bytes, or nullptr when the file ends first.
  const unsigned char* Take(std::size_t count) {
    if (end_ - position_ < count) {
      const std::size_t left = end_ - position_;
      std::memmove(buffer_.data(), buffer_.data() + position_, left);
      consumed_ += position_;
      position_ = 0;
      end_ = left;
      if (in_) {
        in_.read(reinterpret_cast<char*>(buffer_.data() + end_),
                 static_cast<std::streamsize>(buffer_.size() - end_));
        end_ += static_cast<std::size_t>(in_.gcount());
      }
      if (end_ < count) return nullptr;
    }
    const unsigned char* bytes = buffer_.data() + position_;
    position_ += count;
    return bytes;
  }

  std::istream& in_;
  std::vector<unsigned char> buffer_;
  std::size_t position_ = 0, end_ = 0;
  std::uint64_t consumed_ = 0;
};

// NotFinite: an infinite or NaN float, which no survey value is.
enum class TaggedRead { Ok, Short, BadCode, NotFinite };

// A type code and the value in the form it names, appended as text: whole numbers and
// doubles in general form, single-precision floats in their 7-digit short form.
TaggedRead ReadTagged(BinaryReader& reader, std::string& text, std::int16_t& code) {
  if (!reader.Int16(code)) return TaggedRead::Short;
  switch (code) {
    case 2: {
      std::int16_t value = 0;
      if (!reader.Int16(value)) return TaggedRead::Short;
      AppendGeneral(text, value);
      return TaggedRead::Ok;
    }
    case 3: {
      std::int32_t value = 0;
      if (!reader.Int32(value)) return TaggedRead::Short;
      AppendGeneral(text, value);
      return TaggedRead::Ok;
    }
    case 4: {
      float value = 0;
      if (!reader.Float32(value)) return TaggedRead::Short;
      if (!std::isfinite(value)) return TaggedRead::NotFinite;
      AppendSingle(text, value);
      return TaggedRead::Ok;
    }
    case 5: {
      double value = 0;
      if (!reader.Float64(value)) return TaggedRead::Short;
      if (!std::isfinite(value)) return TaggedRead::NotFinite;
      AppendGeneral(text, value);
      return TaggedRead::Ok;
    }
    default:
      return TaggedRead::BadCode;
  }
}

}  // namespace

PoseidonResult ConvertPoseidonGrid(std::istream& in, std::ostream& out,
                                   const PoseidonOptions& options, const ProgressFn& progress) {
  PoseidonResult result;
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };
  LineReader lines(in);
  std::string_view line;
  const ReadStatus first = lines.Next(line);
  if (first == ReadStatus::End) return end(PassResult::Fail("The file is empty", 1));
  if (first != ReadStatus::Ok) return end(ReadFault(first, lines.LineNumber()));
  PoseidonHeader& h = result.header;
  if (std::string fault = ReadPoseidonHeader(line, h); !fault.empty()) {
    return end(PassResult::Fail(std::move(fault), 1));
  }

  LineWriter writer(out);
  writer.WriteLine("DSAA");
  PrintLine(writer).Number(h.columns).NextZone().Number(h.rows).End();
  PrintLine(writer).Number(h.longLowerLeft).NextZone().Number(h.longUpperRight).End();
  PrintLine(writer).Number(h.latLowerLeft).NextZone().Number(h.latUpperRight).End();
  PrintLine(writer).Number(h.minimum).NextZone().Number(h.maximum).End();

  const long long rows = ToInt64(RoundHalfEven(h.rows));
  const long long columns = ToInt64(RoundHalfEven(h.columns));
  ValueReader values(lines);
  std::string_view text;
  std::string number;
  for (long long row = 1; row <= rows && columns > 0; ++row) {
    for (long long column = 1; column <= columns; ++column) {
      const ReadStatus status = values.Next(text);
      if (status == ReadStatus::End) {
        return end(PassResult::Fail(
            "The values end in row " + std::to_string(row) + " of " + std::to_string(rows),
            lines.LineNumber()));
      }
      if (status != ReadStatus::Ok) return end(ReadFault(status, lines.LineNumber()));
      // A node without a number would be written as a value; the file is damaged there.
      if (!IsNumberText(text)) {
        return end(PassResult::Fail("Not a number: " + std::string(text), lines.LineNumber()));
      }
      bool outOfRange = false;
      float value = ReadSingle(text, outOfRange);
      if (outOfRange) return end(NumberOutOfRange(lines.LineNumber()));
      if (value == kPoseidonNoData) value = kSurferBlank;
      number.clear();
      AppendPrintSingle(number, value);
      writer.Append(number);
    }
    writer.EndLine();
    if (options.rowDone) options.rowDone(row, rows);
    if (progress && !progress(row, lines.BytesRead())) return end(PassResult::Stop());
  }
  if (!writer.Flush()) return end(PassResult::WriteFault());
  result.pass.count = columns > 0 && rows > 0 ? rows : 0;
  return result;
}

void PoseidonToSurferGrid(int /*index*/, RunState& state, Ui& ui) {
  ui.SetFileFilters(kPoseidonFileFilters);
  if (!AskInputFile(state, ui, 3)) return;
  if (!AskOutputFile(state, ui, 5)) return;
  CommandFiles files(state);
  if (!files.Open(ui)) return;

  PoseidonOptions options;
  options.rowDone = [&ui](long long row, long long rows) {
    ui.SetStatus(std::to_string(row) + "/" + std::to_string(rows) + " changed");
  };
  const PoseidonResult result = ConvertPoseidonGrid(
      files.input.Stream(), files.output.Stream(), options, WindowProgress(ui, files.input.Size()));
  if (result.pass.status != PassStatus::Done) {
    return ReportPassEnd(result.pass, state.InputFileName, state, ui);
  }
  // The grid's corners and value range stay in the filter's limits after the command.
  const PoseidonHeader& h = result.header;
  state.XMaxLimit = h.longUpperRight;
  state.XMinLimit = h.longLowerLeft;
  state.YMaxLimit = h.latUpperRight;
  state.YMinLimit = h.latLowerLeft;
  state.ZMaxLimit = h.maximum;
  state.ZMinLimit = h.minimum;
  files.Commit(ui);
}

std::string BinaryFaultText(const PassResult& result, std::string_view fileName) {
  return result.reason + ": " + std::string(fileName);
}

BinaryPointResult ConvertBinaryPoints(std::istream& in, std::ostream& out,
                                      const BinaryPointOptions& options,
                                      const ProgressFn& progress) {
  BinaryPointResult result;
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };
  BinaryReader reader(in);
  std::int16_t columns = 0;
  std::int32_t records = 0;
  if (!reader.Int16(columns) || !reader.Int32(records)) {
    return end(PassResult::Fail("The file ends before its record count", 0));
  }
  result.records = records;
  if (records < 0) {
    return end(
        PassResult::Fail("The record count is negative (" + std::to_string(records) + ")", 0));
  }
  const XyzLayout layout = XyzLayout::FromCode(options.outputFormatCode);
  LineWriter writer(out);
  std::string x, y, z;
  const std::string total = std::to_string(records);
  for (long long record = 1; record <= records; ++record) {
    x.clear();
    y.clear();
    z.clear();
    std::int16_t code = 0;
    TaggedRead read = ReadTagged(reader, x, code);
    if (read == TaggedRead::Ok) read = ReadTagged(reader, y, code);
    float zValue = 0;
    if (read == TaggedRead::Ok && columns == 3) {
      if (!reader.Float32(zValue)) {
        read = TaggedRead::Short;
      } else if (!std::isfinite(zValue)) {
        read = TaggedRead::NotFinite;
      }
    }
    if (read == TaggedRead::Short) {
      return end(PassResult::Fail(
          "The file ends after record " + std::to_string(record - 1) + " of " + total, record));
    }
    if (read == TaggedRead::BadCode) {
      return end(PassResult::Fail("Record " + std::to_string(record) + " holds a value of type " +
                                      std::to_string(code) + ", not 2, 3, 4 or 5",
                                  record));
    }
    if (read == TaggedRead::NotFinite) {
      return end(PassResult::Fail(
          "Record " + std::to_string(record) + " holds an infinite or undefined value", record));
    }
    if (layout.valid) {
      AppendSingle(z, zValue);
      writer.Append(layout.YFirst() ? y : x);
      writer.Append(layout.delimiter);
      writer.Append(layout.YFirst() ? x : y);
      if (layout.HasZ()) {
        writer.Append(layout.delimiter);
        writer.Append(z);
      }
      writer.EndLine();
    }
    if (record % kBinaryProgressInterval == 0 && progress &&
        !progress(record, reader.BytesRead())) {
      return end(PassResult::Stop());
    }
  }
  if (!writer.Flush()) return end(PassResult::WriteFault());
  result.pass.count = records;
  return result;
}

void A2BIN(int /*index*/, RunState& state, Ui& ui) {
  FormatCodeReset reset(state);
  ui.SetFileFilters(kPointFileFilters);
  if (!AskInputFile(state, ui, 1)) return;
  if (!AskOutputFile(state, ui, 3)) return;
  state.OutputFormatCode = 0;
  if (!EnsureOutputFormat(state, ui)) return;

  CommandFiles files(state);
  if (!files.Open(ui)) return;
  ui.SetProgressCount(0);
  const BinaryPointResult result =
      ConvertBinaryPoints(files.input.Stream(), files.output.Stream(), {state.OutputFormatCode},
                          WindowProgress(ui, files.input.Size()));
  if (result.pass.status == PassStatus::Stopped || result.pass.outputFault) {
    return ReportPassEnd(result.pass, state.InputFileName, state, ui);
  }
  if (result.pass.status == PassStatus::Failed) {
    ui.SetStatus(BinaryFaultText(result.pass, state.InputFileName));
    state.InputError = 1;
    return;
  }
  if (!files.Commit(ui)) return;
  ui.SetProgressCount(result.pass.count);
  ui.Message(" Finished ", " Binary => Ascii  ", MessageIcon::Information, MessageButtons::Ok,
             MessageAnswer::Ok);
}

}  // namespace zolvane
