#include "formats/poseidon_binary.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/block_pass.h"
#include "core/files.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "core/services.h"
#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/value_tokens.h"
#include "core/xyz_layout.h"
#include "formats/xyz/xyz_questions.h"
#include "formats/xyz/xyz_reader.h"

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

PoseidonResult ReadPoseidonGrid(std::istream& in, const PoseidonReader& reader,
                                const ProgressFn& progress) {
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
  reader.header(h);

  const long long rows = ToInt64(RoundHalfEven(h.rows));
  const long long columns = ToInt64(RoundHalfEven(h.columns));
  ValueReader values(lines);
  std::string_view text;
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
      reader.node(value);
    }
    reader.rowEnd(row, rows);
    if (progress && !progress(row, lines.BytesRead())) return end(PassResult::Stop());
  }
  result.pass.count = columns > 0 && rows > 0 ? rows : 0;
  return result;
}

PoseidonResult ConvertPoseidonGrid(std::istream& in, std::ostream& out,
                                   const PoseidonOptions& options, const ProgressFn& progress) {
  LineWriter writer(out);
  std::string number;
  PoseidonReader reader;
  reader.header = [&](const PoseidonHeader& h) {
    writer.WriteLine("DSAA");
    PrintLine(writer).Number(h.columns).NextZone().Number(h.rows).End();
    PrintLine(writer).Number(h.longLowerLeft).NextZone().Number(h.longUpperRight).End();
    PrintLine(writer).Number(h.latLowerLeft).NextZone().Number(h.latUpperRight).End();
    PrintLine(writer).Number(h.minimum).NextZone().Number(h.maximum).End();
  };
  reader.node = [&](float value) {
    number.clear();
    AppendPrintSingle(number, value);
    writer.Append(number);
  };
  reader.rowEnd = [&](long long row, long long rows) {
    writer.EndLine();
    if (options.rowDone) options.rowDone(row, rows);
  };
  PoseidonResult result = ReadPoseidonGrid(in, reader, progress);
  if (result.pass.status == PassStatus::Done && !writer.Flush()) {
    result.pass = PassResult::WriteFault();
  }
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

namespace {

// The bytes of a tagged value with the type code `code`, the code included; 0 for a code no
// value has.
std::size_t TaggedSize(std::int16_t code) {
  switch (code) {
    case 2:
      return 4;
    case 3:
    case 4:
      return 6;
    case 5:
      return 10;
    default:
      return 0;
  }
}

// Converts records `first` to `last` of the `total` the file declares, the reader standing
// at `first`. `stopAsked(record, reader)` is asked after every record.
template <typename StopAsked>
PassResult ConvertRecords(BinaryReader& reader, int columns, const XyzLayout& layout,
                          long long first, long long last, long long total, LineWriter& writer,
                          StopAsked&& stopAsked) {
  std::string x, y, z;
  for (long long record = first; record <= last; ++record) {
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
      return PassResult::Fail("The file ends after record " + std::to_string(record - 1) + " of " +
                                  std::to_string(total),
                              record);
    }
    if (read == TaggedRead::BadCode) {
      return PassResult::Fail("Record " + std::to_string(record) + " holds a value of type " +
                                  std::to_string(code) + ", not 2, 3, 4 or 5",
                              record);
    }
    if (read == TaggedRead::NotFinite) {
      return PassResult::Fail(
          "Record " + std::to_string(record) + " holds an infinite or undefined value", record);
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
    if (stopAsked(record, reader)) return PassResult::Stop();
  }
  return {};
}

constexpr std::uint64_t kBinaryHeaderSize = 6;

// Whole records of a binary point file, for passes on every core.
struct RecordBlock : TextBlock {
  long long first = 1;    // the number of its first record
  long long records = 0;  // to convert; the last block's reader stops at the file's fault
};

// Cuts after the last whole record a block holds, reading the type codes on its way. A code
// no value has, or the end of the file inside a record, ends the cutting: that block's
// reader reports it.
class RecordCutter {
 public:
  using Block = RecordBlock;
  RecordCutter(std::istream& in, std::size_t blockSize, int columns, long long total)
      : in_(in),
        blockSize_(std::max<std::size_t>(blockSize, 64)),
        columns_(columns),
        total_(total) {}

  bool Next(RecordBlock& block) {
    if (done_) return false;
    // Small inputs stay small: the first blocks grow to the full size, a doubling at a time.
    const std::size_t size = std::min(blockSize_, firstSize_);
    firstSize_ = std::min(blockSize_, firstSize_ * 2);
    std::string text = std::move(block.text);
    text.assign(carry_);
    carry_.clear();
    const std::size_t have = text.size();
    text.resize(have + size);
    in_.read(text.data() + have, static_cast<std::streamsize>(size));
    text.resize(have + static_cast<std::size_t>(in_.gcount()));
    const bool end = !in_.good();
    std::size_t at = 0;
    long long whole = 0;
    bool stuck = false;  // a code no value has
    while (next_ + whole <= total_) {
      const std::size_t length = RecordSize(text, at);
      stuck = length == kNoRecord;
      if (length == 0 || stuck) break;
      at += length;
      ++whole;
    }
    block.first = next_;
    block.last = end || stuck || next_ + whole > total_;
    block.readFailed = false;
    if (block.last) {
      done_ = true;
      block.records = total_ - next_ + 1;
    } else {
      carry_.assign(text, at);
      text.resize(at);
      block.records = whole;
    }
    next_ += whole;
    offset_ += text.size();
    block.endOffset = offset_;
    block.text = std::move(text);
    return true;
  }

 private:
  static constexpr std::size_t kNoRecord = ~std::size_t{0};

  // The bytes of the record at `at`: 0 when the text holds only part of it, kNoRecord when
  // it holds a code no value has.
  std::size_t RecordSize(const std::string& text, std::size_t at) const {
    std::size_t length = 0;
    for (int value = 0; value < 2; ++value) {
      if (text.size() < at + length + 2) return 0;
      std::int16_t code = 0;
      const auto* b = reinterpret_cast<const unsigned char*>(text.data() + at + length);
      code = static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8)));
      const std::size_t size = TaggedSize(code);
      if (size == 0) return kNoRecord;
      length += size;
    }
    if (columns_ == 3) length += 4;
    return text.size() < at + length ? 0 : length;
  }

  std::istream& in_;
  std::size_t blockSize_;
  int columns_;
  long long total_;
  std::string carry_;
  std::uint64_t offset_ = kBinaryHeaderSize;
  std::size_t firstSize_ = std::size_t{1} << 16;
  long long next_ = 1;
  bool done_ = false;
};

struct RecordBlockResult {
  std::string text;
  PassResult pass;
};

}  // namespace

BinaryPointResult ConvertBinaryPoints(std::istream& in, std::ostream& out,
                                      const BinaryPointOptions& options,
                                      const ProgressFn& progress) {
  BinaryPointResult result;
  auto end = [&](PassResult pass) {
    result.pass = std::move(pass);
    return result;
  };
  // The header alone, so that the records after it are the stream's next bytes.
  char headerBytes[kBinaryHeaderSize];
  in.read(headerBytes, sizeof headerBytes);
  TextStream headerStream(std::string_view(headerBytes, static_cast<std::size_t>(in.gcount())));
  BinaryReader header(headerStream);
  std::int16_t columns = 0;
  std::int32_t records = 0;
  if (!header.Int16(columns) || !header.Int32(records)) {
    return end(PassResult::Fail("The file ends before its record count", 0));
  }
  result.records = records;
  if (records < 0) {
    return end(
        PassResult::Fail("The record count is negative (" + std::to_string(records) + ")", 0));
  }
  const XyzLayout layout = XyzLayout::FromCode(options.outputFormatCode);
  if (options.blocks.threads <= 1) {
    BinaryReader reader(in);
    LineWriter writer(out);
    PassResult pass = ConvertRecords(reader, columns, layout, 1, records, records, writer,
                                     [&progress](long long record, const BinaryReader& r) {
                                       return record % kBinaryProgressInterval == 0 && progress &&
                                              !progress(record, kBinaryHeaderSize + r.BytesRead());
                                     });
    if (pass.status != PassStatus::Done) return end(std::move(pass));
    if (!writer.Flush()) return end(PassResult::WriteFault());
    result.pass.count = records;
    return result;
  }

  const std::string_view lineEnd = LineEndOf(out);
  bool stopped = false;
  RecordCutter cutter(in, options.blocks.blockSize, columns, records);
  auto convert = [&, lineEnd](const RecordBlock& block, RecordBlockResult& r) {
    r.text.clear();  // its room is used again
    TextStream stream(block.text);
    BinaryReader reader(stream);
    LineWriter writer(r.text, lineEnd);
    const long long last = std::min<long long>(records, block.first + block.records - 1);
    r.pass = ConvertRecords(reader, columns, layout, block.first, last, records, writer,
                            [](long long, const BinaryReader&) { return false; });
    writer.Flush();
  };
  auto take = [&](const RecordBlock& block, RecordBlockResult& r) {
    if (!r.text.empty()) {
      // A refusal leaves its reason in errno; an older one must not pass for it.
      if (out.good()) errno = 0;
      out.write(r.text.data(), static_cast<std::streamsize>(r.text.size()));
    }
    if (r.pass.status != PassStatus::Done) {
      result.pass = r.pass;
      return false;
    }
    if (progress && !progress(block.first + block.records - 1, block.endOffset)) {
      stopped = true;
      return false;
    }
    return true;
  };
  RunCutBlocks<RecordBlockResult>(
      cutter, options.blocks.threads, [&] { return convert; }, take);
  if (stopped) result.pass = PassResult::Stop();
  if (result.pass.status != PassStatus::Done) return result;
  out.flush();
  if (!out.good()) return end(PassResult::WriteFault());
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
  BinaryPointOptions options{state.OutputFormatCode, {}};
  options.blocks.threads = state.Threads;
  const BinaryPointResult result = ConvertBinaryPoints(
      files.input.Stream(), files.output.Stream(), options, WindowProgress(ui, files.input.Size()));
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
