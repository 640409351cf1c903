// The BNA checker on arbitrary bytes.
#include "formats/bna/bna_reader.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, false);
  zolvane::Statistics statistics;
  zolvane::CheckBna(input.Stream(), statistics, zolvane::fuzz::KeepGoing());
  return 0;
}
