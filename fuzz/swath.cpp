// Swath coverage; input layout and width rule from the option byte.
#include "fuzz_input.h"
#include "survey/swath_coverage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::SwathOptions options;
  options.inputFormatCode = 10 * (1 + static_cast<int>(input.Option() % 3)) + 1 +
                            static_cast<int>((input.Option() >> 2) % 2);
  options.coefficient = (input.Option() & 8) == 0;
  options.factor = (input.Option() & 16) ? 100 : 0.5;
  zolvane::fuzz::DiscardStream out;
  zolvane::CoverSwath(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
