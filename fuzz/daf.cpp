// DAF to BNA or to XYZ, from the option byte.
#include "formats/daf.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::fuzz::DiscardStream out;
  if (input.Option() & 1) {
    zolvane::ConvertDafToBna(input.Stream(), out, zolvane::fuzz::KeepGoing());
  } else {
    zolvane::ConvertDafToXyz(input.Stream(), out, zolvane::fuzz::KeepGoing());
  }
  return 0;
}
