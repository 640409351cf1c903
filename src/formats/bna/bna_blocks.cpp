#include "formats/bna/bna_blocks.h"

#include <cstring>

#include "core/text_reader.h"

namespace zolvane {

BnaBlockCutter::BnaBlockCutter(std::istream& in, std::size_t blockSize)
    : lines_(in, blockSize, kMaxLineLength) {}

void BnaBlockCutter::Header(std::string_view line) {
  // A single point (a third comma) opens no coordinate lines; its numbers are its block's.
  const std::size_t p1 = line.find(',');
  const std::size_t p2 = p1 == std::string_view::npos ? p1 : line.find(',', p1 + 1);
  if (p2 == std::string_view::npos || line.find(',', p2 + 1) != std::string_view::npos) {
    open_ = 0;
    return;
  }
  if (ParseBnaHeader(line, header_) != BnaFault::None) {
    open_ = 0;
    return;
  }
  open_ = header_.count < 0 ? -header_.count : header_.count;
}

bool BnaBlockCutter::Next(BnaBlock& block) {
  if (!lines_.Next(block)) return false;
  block.lineBase = lineBase_;
  block.openPoints = open_;
  if (open_ > 0) block.openHeader = header_;
  // Lines end as LineReader ends them: LF, CR LF or CR alone.
  const char* p = block.text.data();
  const char* const end = p + block.text.size();
  const char* cr = p;  // the next CR at or after p, or end
  bool crKnown = false;
  long long lines = 0;
  while (p < end) {
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* lineEnd = lf ? static_cast<const char*>(lf) : end;
    if (!crKnown || cr < p) {
      const void* found = std::memchr(p, '\r', static_cast<std::size_t>(end - p));
      cr = found ? static_cast<const char*>(found) : end;
      crKnown = true;
    }
    if (cr < lineEnd) lineEnd = cr;
    ++lines;
    if (open_ > 0) {
      --open_;
    } else {
      Header(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
    }
    p = lineEnd;
    if (p < end) p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
  }
  block.lines = lines;
  lineBase_ += lines;
  return true;
}

}  // namespace zolvane
