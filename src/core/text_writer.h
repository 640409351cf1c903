// Writing text files: lines ended by CR LF, in the three styles the outputs use.
#pragma once

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace zolvane {

// Marks `out` so that every LineWriter on it ends lines with LF alone, for pipelines of Unix
// tools; lines end with CR LF otherwise.
void EndLinesWithLf(std::ostream& out);
// The line end of `out`: LF when marked so, CR LF otherwise.
std::string_view LineEndOf(std::ostream& out);

// Collects lines and hands them to the stream in large blocks.
class LineWriter {
 public:
  explicit LineWriter(std::ostream& out);
  // Lines collected in `text` instead, as a block of a parallel pass builds its output, ended
  // as the stream the blocks go to ends them.
  LineWriter(std::string& text, std::string_view lineEnd);
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  ~LineWriter();

  // Appends to the line being built.
  void Append(std::string_view text) { buffer_.append(text); }
  void Append(char c) { buffer_.push_back(c); }
  void AppendGeneral(double value);
  void AppendCompact(double value);
  // Characters written on the current line so far.
  std::size_t Column() const { return buffer_.size() - lineStart_; }
  // Ends the current line with CR LF, or LF on a stream marked by EndLinesWithLf().
  void EndLine();
  std::string_view LineEnd() const { return lineEnd_; }
  // A whole line of built text.
  void WriteLine(std::string_view text);

  // Hands everything to the stream; false when the stream could not take it.
  bool Flush();

 private:
  std::ostream* out_ = nullptr;
  std::string* text_ = nullptr;
  std::string buffer_;
  std::size_t lineStart_ = 0;
  std::string_view lineEnd_ = "\r\n";
};

// Record style: fields separated by commas, texts in double quotes, numbers in general form.
struct RecordItem {
  static RecordItem Text(std::string_view text) { return {text, 0.0, true}; }
  static RecordItem Number(double value) { return {{}, value, false}; }
  // A number in the compact form (".5", "-.25") rather than the general one.
  static RecordItem Compact(double value) { return {{}, value, false, true}; }
  std::string_view text;
  double number;
  bool isText;
  bool compact = false;
};
void WriteRecord(LineWriter& writer, std::initializer_list<RecordItem> items);
// The same record appended to `text`, without a line end: for a line measured before it
// is written.
void AppendRecord(std::string& text, std::initializer_list<RecordItem> items);

// Print style: items follow each other; NextZone() moves to the next 14-column print zone.
// Numbers are written in print form (a sign position before, one blank after).
class PrintLine {
 public:
  explicit PrintLine(LineWriter& writer) : writer_(writer) {}
  PrintLine& Text(std::string_view text);
  PrintLine& Number(double value);
  PrintLine& NextZone();
  void End() { writer_.EndLine(); }

 private:
  LineWriter& writer_;
};

}  // namespace zolvane
