// Binary points to XYZ text, the output layout from the option byte.
#include "formats/poseidon_binary.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::BinaryPointOptions options;
  options.outputFormatCode = 11 + static_cast<int>(input.Option() % 24);
  zolvane::fuzz::DiscardStream out;
  zolvane::ConvertBinaryPoints(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
