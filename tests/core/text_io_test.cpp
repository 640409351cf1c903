#include <gtest/gtest.h>

#include <sstream>

#include "core/text_reader.h"
#include "core/text_writer.h"
#include "core/value_tokens.h"
#include "core/xyz_layout.h"

namespace zolvane {
namespace {

// The lines read before the reader stopped; `bytes` the bytes read after each. The text read
// from a stream and where it stands in memory gives the same.
std::vector<std::string> ReadAll(const std::string& text, std::size_t limit = kMaxLineLength,
                                 ReadStatus* last = nullptr,
                                 std::vector<std::uint64_t>* bytes = nullptr) {
  struct Reading {
    std::vector<std::string> lines;
    std::vector<std::uint64_t> bytes;
    ReadStatus last;
  };
  auto read = [](LineReader reader) {
    Reading reading;
    std::string_view line;
    while ((reading.last = reader.Next(line)) == ReadStatus::Ok) {
      reading.lines.emplace_back(line);
      reading.bytes.push_back(reader.BytesRead());
      EXPECT_EQ(reader.LineNumber(), static_cast<long long>(reading.lines.size()));
    }
    return reading;
  };
  std::istringstream in(text);
  const Reading streamed = read(LineReader(in, limit));
  const Reading held = read(LineReader(std::string_view(text), limit));
  EXPECT_EQ(held.lines, streamed.lines);
  EXPECT_EQ(held.bytes, streamed.bytes);
  EXPECT_EQ(held.last, streamed.last);
  if (last) *last = streamed.last;
  if (bytes) *bytes = streamed.bytes;
  return streamed.lines;
}

TEST(LineReader, EndsLinesAtCrLfLfOrCrAloneAndCountsTheBytes) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
    std::vector<std::uint64_t> bytes;
  } cases[] = {
      {"a\r\nb\nc", {"a", "b", "c"}, {3, 5, 6}},
      {"a\r\n\r\n", {"a", ""}, {3, 5}},
      {"", {}, {}},
      {"a\rb\rc\r", {"a", "b", "c"}, {2, 4, 6}},
      {"a\r\rb", {"a", "", "b"}, {2, 3, 4}},
      {"a\n\rb\r\n\nc", {"a", "", "b", "", "c"}, {2, 3, 6, 7, 8}},
  };
  for (const auto& c : cases) {
    std::vector<std::uint64_t> bytes;
    ReadStatus last;
    EXPECT_EQ(ReadAll(c.text, kMaxLineLength, &last, &bytes), c.lines) << c.text;
    EXPECT_EQ(bytes, c.bytes) << c.text;
    EXPECT_EQ(last, ReadStatus::End);
  }
}

TEST(LineReader, ACrLfSplitAcrossReadBlocksIsOneLineEnd) {
  // The reader's blocks double from 4 KiB to 256 KiB: put the CR last in a small block, in the
  // last growing one and in a full-size one.
  constexpr std::size_t kKiB = 1024;
  for (std::size_t end : {4 * kKiB, 12 * kKiB, 252 * kKiB, 508 * kKiB})
    for (std::size_t length : {end - 1, end - 2}) {
      const std::string first(length, 'x');
      std::istringstream in(first + "\r\nnext\r");
      LineReader reader(in);
      std::string_view line;
      ASSERT_EQ(reader.Next(line), ReadStatus::Ok);
      EXPECT_EQ(line.size(), length);
      ASSERT_EQ(reader.Next(line), ReadStatus::Ok);
      EXPECT_EQ(line, "next");
      EXPECT_EQ(reader.Next(line), ReadStatus::End);
      EXPECT_EQ(reader.LineNumber(), 2);
      EXPECT_EQ(reader.BytesRead(), length + 7);
    }
}

// An overlong line or one holding a NUL byte stops the reader for good.
TEST(LineReader, OverlongAndBinaryLinesStopTheReaderForGood) {
  const std::string block(300000, 'x');  // longer than one read block
  const struct {
    std::string text;
    std::size_t limit;
    ReadStatus last;
  } cases[] = {
      {"ok\n" + std::string(100, 'x') + "\nmore\n", 50, ReadStatus::TooLong},
      {std::string("ok\na\0b\nmore\n", 12), kMaxLineLength, ReadStatus::NotText},
      {block + "\n" + std::string("\0\n", 2), kMaxLineLength, ReadStatus::NotText},
      {"ok\n" + block + std::string("\0y\n", 3), kMaxLineLength, ReadStatus::NotText},
  };
  for (const auto& c : cases) {
    ReadStatus last;
    EXPECT_EQ(ReadAll(c.text, c.limit, &last).size(), 1u);  // the line before it
    EXPECT_EQ(last, c.last);
  }
}

std::vector<std::string> Fields(const std::string& text) {
  std::istringstream in(text);
  LineReader lines(in);
  FieldReader reader(lines);
  std::vector<std::string> fields;
  Field field;
  while (reader.Next(field) == ReadStatus::Ok)
    fields.emplace_back(field.text);
  return fields;
}

TEST(FieldReader, FieldsRunAcrossLinesAndQuotesProtectCommas) {
  EXPECT_EQ(Fields("1, 2 ,3\r\n4,\"a,b\",5"),
            (std::vector<std::string>{"1", "2", "3", "4", "a,b", "5"}));
  EXPECT_EQ(Fields("1,2,\r\n3"), (std::vector<std::string>{"1", "2", "", "3"}));
  EXPECT_EQ(Fields("1\r\n\r\n2"), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(Fields("\"open"), (std::vector<std::string>{"open"}));
}

// One line split at commas (quotes protect them), and at blanks, tabs and commas alike.
TEST(SplitFields, CommaFieldsAndSeparatedValues) {
  using Texts = std::vector<std::string_view>;
  const struct {
    const char* line;
    Texts fields, values;
  } cases[] = {
      {" a ,\"b,c\", d", {"a", "b,c", "d"}, {"a", "\"b", "c\"", "d"}},
      {"", {}, {}},
      {"1 2\t3,,4", {"1 2\t3", "", "4"}, {"1", "2", "3", "4"}},
      {" \t-1.5e3,", {"-1.5e3", ""}, {"-1.5e3"}},
  };
  Texts fields, values;
  for (const auto& c : cases) {
    SplitFields(c.line, fields);
    EXPECT_EQ(fields, c.fields) << c.line;
    SplitValues(c.line, values);
    EXPECT_EQ(values, c.values) << c.line;
  }
}

std::string Written(const std::function<void(LineWriter&)>& write) {
  std::ostringstream out;
  {
    LineWriter writer(out);
    write(writer);
  }
  return out.str();
}

TEST(LineWriter, ThreeLineStyles) {
  EXPECT_EQ(
      Written([](LineWriter& w) {
        WriteRecord(w, {RecordItem::Text("z1"), RecordItem::Number(-2.5), RecordItem::Number(3)});
      }),
      "\"z1\",-2.5,3\r\n");
  EXPECT_EQ(Written([](LineWriter& w) { PrintLine(w).Number(0.5).NextZone().Text("ab").End(); }),
            " .5           ab\r\n");
  EXPECT_EQ(Written([](LineWriter& w) {
              PrintLine(w).Text(std::string(15, 'a')).NextZone().Number(-1).End();
            }),
            std::string(15, 'a') + "             -1 \r\n");
  EXPECT_EQ(Written([](LineWriter& w) { w.WriteLine("built"); }), "built\r\n");
}

TEST(XyzLayout, CodesAndLines) {
  for (int code : {0, 15, 35, 40})
    EXPECT_FALSE(XyzLayout::FromCode(code).valid) << code;
  const std::pair<int, const char*> lines[] = {
      {11, "1.5,-2,z"},   {12, "-2,1.5,z"},   {13, "1.5,-2"},  {14, "-2,1.5"},
      {21, "1.5 -2 z"},   {22, "-2 1.5 z"},   {23, "1.5 -2"},  {24, "-2 1.5"},
      {31, "1.5\t-2\tz"}, {32, "-2\t1.5\tz"}, {33, "1.5\t-2"}, {34, "-2\t1.5"},
  };
  for (const auto& [code, line] : lines) {
    EXPECT_EQ(Written([code](LineWriter& w) {
                WriteXyzLine(w, XyzLayout::FromCode(code), 1.5, -2, "z");
              }),
              std::string(line) + "\r\n");
  }
}

}  // namespace
}  // namespace zolvane
