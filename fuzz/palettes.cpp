// A Surfer spectrum inverted, or turned into a P25 palette, from the option byte.
#include "formats/palettes.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::fuzz::DiscardStream out;
  if (input.Option() & 1) {
    zolvane::InvertSpectrum(input.Stream(), out);
  } else {
    zolvane::SpectrumToP25(input.Stream(), out);
  }
  return 0;
}
