// BNA files in blocks for passes on every core: the cutter follows the objects, so each
// block knows the object it starts inside and the number of its first line.
#pragma once

#include <istream>
#include <limits>
#include <string>
#include <utility>

#include "core/block_pass.h"
#include "core/text_writer.h"
#include "formats/bna/bna_reader.h"

namespace zolvane {

// Whole lines of a BNA file, and where in the file's objects they begin.
struct BnaBlock : TextBlock {
  long long lineBase = 0;  // lines before the block
  long long lines = 0;     // lines in the block, the last one possibly without its end
  // The block starts with `openPoints` coordinate lines of the object `openHeader` heads.
  long long openPoints = 0;
  BnaHeader openHeader;

  // The lines a pass reads of the block: the last one reads to the input's end, where an
  // object cut short is a fault.
  long long LinesToRead() const { return last ? std::numeric_limits<long long>::max() : lines; }
};

// Writes a block through `write(reader, writer, header)`, which returns the pass result it
// filled, reading from the object the block starts inside into `text`; when the input could
// not be read past the block, a pass that found no fault of its own fails there.
template <typename Write>
void WriteBnaBlock(const BnaBlock& block, std::string& text, std::string_view lineEnd,
                   Write write) {
  BnaObjectReader reader{std::string_view(block.text)};
  LineWriter writer(text, lineEnd);
  BnaHeader header = block.openHeader;
  PassResult& pass = write(reader, writer, header);
  writer.Flush();
  if (block.readFailed && pass.status == PassStatus::Done) {
    pass = PassResult::Fail(BnaFaultReason(BnaFault::ReadError), reader.LineNumber());
  }
}

// Empties a block's result for the next block, keeping the room its text took.
template <typename Result>
void ClearKeepingText(Result& result) {
  std::string text = std::move(result.text);
  text.clear();
  result = Result{};
  result.text = std::move(text);
}

// Cuts at line ends as BlockCutter does, reading the headers on its way (without their
// coordinates) to follow the objects. A header the readers refuse stops nothing here: the
// block that holds it fails there, and no block after it is taken.
class BnaBlockCutter {
 public:
  using Block = BnaBlock;
  BnaBlockCutter(std::istream& in, std::size_t blockSize);
  bool Next(BnaBlock& block);

 private:
  void Header(std::string_view line);

  BlockCutter lines_;
  long long lineBase_ = 0;
  long long open_ = 0;
  BnaHeader header_;
};

}  // namespace zolvane
