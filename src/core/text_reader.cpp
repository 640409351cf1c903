#include "core/text_reader.h"

#include <cstring>

namespace zolvane {
namespace {

// Blocks start small, so that the many readers of small inputs stay cheap, and grow to the
// size that reads large files fastest.
constexpr std::size_t kFirstChunkSize = std::size_t{1} << 12;
constexpr std::size_t kChunkSize = std::size_t{1} << 18;

bool IsBlankOrTab(char c) {
  return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(std::string_view text, std::size_t position) {
  while (position < text.size() && IsBlankOrTab(text[position]))
    ++position;
  return position;
}

// Reads the field that starts at `position` (not a blank). Returns the text and moves
// `position` past the comma that ends it; `comma` tells whether there was one.
std::string_view TakeField(std::string_view line, std::size_t& position, bool& quoted,
                           bool& comma) {
  std::string_view text;
  std::size_t end = position;
  quoted = line[position] == '"';
  if (quoted) {
    const std::size_t close = line.find('"', position + 1);
    if (close == std::string_view::npos) {
      text = line.substr(position + 1);
      end = line.size();
    } else {
      text = line.substr(position + 1, close - position - 1);
      end = close + 1;
    }
  }
  // Whatever stands between a closing quote and the next comma is dropped.
  const std::size_t next = line.find(',', end);
  if (!quoted) {
    text = TrimBlanksAndTabs(line.substr(
        position, next == std::string_view::npos ? std::string_view::npos : next - position));
  }
  comma = next != std::string_view::npos;
  position = comma ? next + 1 : line.size();
  return text;
}

}  // namespace

LineReader::LineReader(std::istream& in, std::size_t maxLineLength)
    : in_(&in), maxLineLength_(maxLineLength), buffer_(kFirstChunkSize), data_(buffer_.data()) {}

LineReader::LineReader(std::string_view text, std::size_t maxLineLength)
    : maxLineLength_(maxLineLength), data_(text.empty() ? "" : text.data()), end_(text.size()) {
  nulSeen_ = std::memchr(data_, '\0', end_) != nullptr;
}

bool LineReader::Refill() {
  lfKnown_ = false;
  if (!in_ || !in_->good()) return false;
  // Every line view handed out so far is spent by now, so the block may move.
  if (end_ == buffer_.size() && buffer_.size() < kChunkSize) buffer_.resize(buffer_.size() * 2);
  data_ = buffer_.data();
  in_->read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  begin_ = 0;
  end_ = static_cast<std::size_t>(in_->gcount());
  if (!nulSeen_) nulSeen_ = std::memchr(data_, '\0', end_) != nullptr;
  if (end_ == 0 && in_->bad()) stuck_ = ReadStatus::Failed;
  return end_ > 0;
}

ReadStatus LineReader::Next(std::string_view& line) {
  if (stuck_ != ReadStatus::Ok) return stuck_;
  carry_.clear();
  if (skipLf_) {
    // The last line ended with a CR at the end of a block: an LF after it is part of that end.
    skipLf_ = false;
    if (begin_ == end_) Refill();
    if (begin_ < end_ && data_[begin_] == '\n') {
      ++begin_;
      ++bytesRead_;
    }
    if (stuck_ != ReadStatus::Ok) return stuck_;
  }
  for (;;) {
    const char* start = data_ + begin_;
    // The next LF is looked for once per block, not once per line, so that files whose
    // lines end in CR alone are read in linear time.
    if (!lfKnown_ || lfAt_ < begin_) {
      const void* lf = std::memchr(start, '\n', end_ - begin_);
      lfAt_ = lf != nullptr
                  ? static_cast<std::size_t>(static_cast<const char*>(lf) - data_)
                  : end_;
      lfKnown_ = true;
    }
    const void* cr = std::memchr(start, '\r', lfAt_ - begin_);
    if (cr != nullptr || lfAt_ < end_) {
      const std::size_t length =
          cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - start)
                        : lfAt_ - begin_;
      std::size_t ending = 1;
      if (cr != nullptr) {
        if (begin_ + length + 1 < end_) {
          if (data_[begin_ + length + 1] == '\n') ending = 2;
        } else {
          skipLf_ = true;
        }
      }
      if (carry_.empty()) {
        line = std::string_view(start, length);
      } else {
        carry_.append(start, length);
        line = carry_;
      }
      begin_ += length + ending;
      bytesRead_ += line.size() + ending;
      break;
    }
    carry_.append(start, end_ - begin_);
    begin_ = end_;
    if (carry_.size() > maxLineLength_ + 1) {
      ++lineNumber_;
      return stuck_ = ReadStatus::TooLong;
    }
    if (!Refill()) {
      if (stuck_ != ReadStatus::Ok) return stuck_;
      if (carry_.empty()) return ReadStatus::End;
      line = carry_;
      bytesRead_ += line.size();
      break;
    }
  }
  ++lineNumber_;
  if (line.size() > maxLineLength_) return stuck_ = ReadStatus::TooLong;
  if (nulSeen_ && std::memchr(line.data(), '\0', line.size()) != nullptr) {
    return stuck_ = ReadStatus::NotText;
  }
  return ReadStatus::Ok;
}

ReadStatus FieldReader::Next(Field& field) {
  for (;;) {
    if (!haveLine_) {
      const ReadStatus status = lines_.Next(line_);
      if (status != ReadStatus::Ok) return status;
      haveLine_ = true;
      position_ = 0;
      fieldPending_ = false;
    }
    position_ = SkipBlanks(line_, position_);
    if (position_ < line_.size()) break;
    haveLine_ = false;
    if (fieldPending_) {
      field = Field{std::string_view(), false, lines_.LineNumber()};
      return ReadStatus::Ok;
    }
  }
  bool comma = false;
  field.text = TakeField(line_, position_, field.quoted, comma);
  field.line = lines_.LineNumber();
  fieldPending_ = comma;
  return ReadStatus::Ok;
}

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t position = 0;
  bool pending = false;
  for (;;) {
    position = SkipBlanks(line, position);
    if (position >= line.size()) {
      if (pending) fields.emplace_back();
      return;
    }
    bool quoted = false;
    fields.push_back(TakeField(line, position, quoted, pending));
  }
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view TrimBlanksAndTabs(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace zolvane
