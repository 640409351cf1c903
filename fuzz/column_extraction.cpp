// Column or line extraction, or BNA thinning, with the choices from the option byte.
#include "formats/column_extraction.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, true);
  const unsigned option = input.Option();
  zolvane::fuzz::DiscardStream out;
  const int every = 1 + static_cast<int>((option >> 2) % 4);
  if ((option & 3) == 0) {
    zolvane::ThinBnaLines(input.Stream(), out, every, zolvane::fuzz::KeepGoing());
    return 0;
  }
  zolvane::ColumnExtractionOptions options;
  options.mode = static_cast<int>(option & 3);
  options.every = every;
  options.xColumn = 1 + static_cast<int>((option >> 4) % 3);
  options.yColumn = 1 + static_cast<int>((option >> 6) % 3);
  options.zColumn = (option & 0x10) ? 3 : 0;
  zolvane::Statistics statistics;
  zolvane::ExtractColumns(input.Stream(), out, options, statistics, zolvane::fuzz::KeepGoing());
  return 0;
}
