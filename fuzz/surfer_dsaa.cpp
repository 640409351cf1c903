// A Surfer text grid (DSAA) to Genesis XYZ text.
#include "formats/surfer_grids.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, false);
  zolvane::fuzz::DiscardStream out;
  zolvane::SurferGridToGenesisText(input.Stream(), out, zolvane::GenesisOptions{},
                                   zolvane::fuzz::KeepGoing());
  return 0;
}
