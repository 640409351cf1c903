// The GEBCO check and conversion; header kind, output and projection from the option byte.
#include "formats/gebco.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput checked(data, size, true);
  const auto header = static_cast<zolvane::GebcoHeader>(checked.Option() % 3);
  zolvane::Statistics statistics;
  zolvane::CheckGebco(checked.Stream(), statistics, zolvane::fuzz::KeepGoing(), header);

  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::GebcoOptions options;
  options.header = header;
  options.output = static_cast<zolvane::GebcoOutput>((input.Option() / 3) % 3);
  options.project = (input.Option() & 0x20) != 0;
  options.centralMeridian = 3;
  zolvane::fuzz::DiscardStream out;
  zolvane::ConvertGebco(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
