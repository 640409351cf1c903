#include "core/text_writer.h"

#include <cerrno>

#include "core/number_format.h"

namespace zolvane {
namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 16;
constexpr std::size_t kPrintZoneWidth = 14;

// The stream's own slot for the mark, as std::ios_base gives one to each such property.
int LfSlot() {
  static const int slot = std::ios_base::xalloc();
  return slot;
}

}  // namespace

void EndLinesWithLf(std::ostream& out) {
  out.iword(LfSlot()) = 1;
}

std::string_view LineEndOf(std::ostream& out) {
  return out.iword(LfSlot()) != 0 ? "\n" : "\r\n";
}

LineWriter::LineWriter(std::ostream& out) : out_(&out), lineEnd_(LineEndOf(out)) {
  buffer_.reserve(std::size_t{1} << 12);  // grows to about twice kFlushSize on large outputs
}

LineWriter::LineWriter(std::string& text, std::string_view lineEnd)
    : text_(&text), lineEnd_(lineEnd) {
  // The lines are built in the text's own room and handed back whole by Flush.
  buffer_.swap(text);
  text.clear();
}

LineWriter::~LineWriter() {
  Flush();
}

void LineWriter::AppendGeneral(double value) {
  zolvane::AppendGeneral(buffer_, value);
}

void LineWriter::AppendCompact(double value) {
  zolvane::AppendCompact(buffer_, value);
}

void LineWriter::EndLine() {
  buffer_ += lineEnd_;
  lineStart_ = buffer_.size();
  if (text_ == nullptr && buffer_.size() >= kFlushSize) Flush();
}

void LineWriter::WriteLine(std::string_view text) {
  Append(text);
  EndLine();
}

bool LineWriter::Flush() {
  // Only whole lines go out, so a line being built keeps its column.
  if (text_ != nullptr) {
    if (text_->empty()) {
      std::string partial(buffer_, lineStart_);
      buffer_.resize(lineStart_);
      text_->swap(buffer_);
      buffer_ = std::move(partial);
    } else {
      text_->append(buffer_, 0, lineStart_);
      buffer_.erase(0, lineStart_);
    }
    lineStart_ = 0;
    return true;
  }
  if (lineStart_ > 0) {
    // A refusal leaves its reason in errno; an older one must not pass for it.
    if (out_->good()) errno = 0;
    out_->write(buffer_.data(), static_cast<std::streamsize>(lineStart_));
    buffer_.erase(0, lineStart_);
    lineStart_ = 0;
  }
  out_->flush();
  return out_->good();
}

namespace {

// A plain string taking the appends of a LineWriter.
struct StringSink {
  std::string& text;
  void Append(std::string_view part) { text += part; }
  void AppendGeneral(double value) { zolvane::AppendGeneral(text, value); }
  void AppendCompact(double value) { zolvane::AppendCompact(text, value); }
};

template <typename Sink>
void AppendRecordTo(Sink& sink, std::initializer_list<RecordItem> items) {
  bool first = true;
  for (const RecordItem& item : items) {
    if (!first) sink.Append(",");
    first = false;
    if (item.isText) {
      sink.Append("\"");
      sink.Append(item.text);
      sink.Append("\"");
    } else if (item.compact) {
      sink.AppendCompact(item.number);
    } else {
      sink.AppendGeneral(item.number);
    }
  }
}

}  // namespace

void WriteRecord(LineWriter& writer, std::initializer_list<RecordItem> items) {
  AppendRecordTo(writer, items);
  writer.EndLine();
}

void AppendRecord(std::string& text, std::initializer_list<RecordItem> items) {
  StringSink sink{text};
  AppendRecordTo(sink, items);
}

PrintLine& PrintLine::Text(std::string_view text) {
  writer_.Append(text);
  return *this;
}

PrintLine& PrintLine::Number(double value) {
  std::string text;
  AppendPrintItem(text, value);
  writer_.Append(text);
  return *this;
}

PrintLine& PrintLine::NextZone() {
  const std::size_t column = writer_.Column();
  const std::size_t next = (column / kPrintZoneWidth + 1) * kPrintZoneWidth;
  for (std::size_t i = column; i < next; ++i)
    writer_.Append(' ');
  return *this;
}

}  // namespace zolvane
