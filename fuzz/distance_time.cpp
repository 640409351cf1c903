// The distance-time estimate; the meridian taken from the data or fixed, from the option byte.
#include "survey/distance_time.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::DistanceTimeOptions options;
  options.centralMeridian = (input.Option() & 1) ? 3 : 0;
  options.transitSpeed = (input.Option() & 2) ? 0 : 8;
  zolvane::fuzz::DiscardStream out;
  zolvane::EstimateDistanceTime(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
