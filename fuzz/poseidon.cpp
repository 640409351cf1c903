// A Simrad Poseidon binary grid to a Surfer grid.
#include "formats/poseidon_binary.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, false);
  zolvane::fuzz::DiscardStream out;
  zolvane::ConvertPoseidonGrid(input.Stream(), out, zolvane::PoseidonOptions{},
                               zolvane::fuzz::KeepGoing());
  return 0;
}
