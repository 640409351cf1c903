// Reading text files: lines, and the free-format comma fields written by record style.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace zolvane {

// Longest line a reader accepts; longer ones are a fault of the file, not a memory problem.
inline constexpr std::size_t kMaxLineLength = std::size_t{1} << 20;

// NotText: a line holds a NUL byte, which no text file does (a binary or UTF-16 file).
enum class ReadStatus { Ok, End, TooLong, NotText, Failed };

// Reads lines ended by CR LF, LF or CR alone (the last line may have no end). The lines it returns
// stay valid until the next call. Memory use is bounded by kMaxLineLength, however long the
// file or its lines.
class LineReader {
 public:
  explicit LineReader(std::istream& in, std::size_t maxLineLength = kMaxLineLength);
  // The lines of text already in memory, read where they stand: `text` must outlive the reader.
  explicit LineReader(std::string_view text, std::size_t maxLineLength = kMaxLineLength);
  // A copy would read on from the other reader's buffer.
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  ReadStatus Next(std::string_view& line);

  // Lines returned so far, which is the 1-based number of the last one.
  long long LineNumber() const { return lineNumber_; }
  // Bytes taken from the stream by the lines returned so far.
  std::uint64_t BytesRead() const { return bytesRead_; }

 private:
  bool Refill();

  std::istream* in_ = nullptr;  // none for text in memory
  std::size_t maxLineLength_;
  std::vector<char> buffer_;
  const char* data_ = nullptr;  // the buffer's or the text's first byte
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::string carry_;
  std::size_t lfAt_ = 0;  // where the next LF of the block is, or end_ when it has none
  bool lfKnown_ = false;
  bool skipLf_ = false;   // the last line ended with a CR at the end of a block
  bool nulSeen_ = false;  // a block held a NUL byte: lines are searched for it from then on
  long long lineNumber_ = 0;
  std::uint64_t bytesRead_ = 0;
  ReadStatus stuck_ = ReadStatus::Ok;
};

// One field of a comma-separated stream.
struct Field {
  std::string_view text;  // without its quotes, or trimmed of blanks
  bool quoted = false;
  long long line = 0;  // number of the line it was read from
};

// The free-format field reader: a field ends at a comma or at the end of a line, blanks and
// tabs around it are dropped, a field in double quotes may hold commas. Fields run on across
// line ends; a comma at the end of a line is followed by one empty field, and empty lines
// hold none.
class FieldReader {
 public:
  explicit FieldReader(LineReader& lines) : lines_(lines) {}

  ReadStatus Next(Field& field);

  long long LineNumber() const { return lines_.LineNumber(); }

 private:
  LineReader& lines_;
  std::string_view line_;
  std::size_t position_ = 0;
  bool haveLine_ = false;
  bool fieldPending_ = false;  // a comma was read: one more field stands on this line
};

// Splits one line into its comma-separated fields by the same rules (quotes protect commas).
void SplitFields(std::string_view line, std::vector<std::string_view>& fields);

// Drops leading and trailing blanks (spaces only, as label texts are compared).
std::string_view TrimBlanks(std::string_view text);
// Drops leading and trailing spaces and tabs.
std::string_view TrimBlanksAndTabs(std::string_view text);

}  // namespace zolvane
