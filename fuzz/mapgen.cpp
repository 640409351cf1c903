// MapGen to BNA.
#include "formats/mapgen_to_bna.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, false);
  zolvane::fuzz::DiscardStream out;
  zolvane::ConvertMapgenToBna(input.Stream(), out, zolvane::fuzz::KeepGoing());
  return 0;
}
