// Towed vehicle positions; fixed or per-record layback from the option byte.
#include "fuzz_input.h"
#include "survey/towed_vehicle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::TowedOptions options;
  options.layback = (input.Option() & 1) ? 50.0F : 0.0F;
  options.maximumStep = (input.Option() & 2) ? 1.0F : 10000.0F;
  zolvane::fuzz::DiscardStream out;
  zolvane::CorrectTowedPositions(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
