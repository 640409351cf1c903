// CSV to Kingdom, the column order from the option byte.
#include <array>

#include "formats/csv_to_kingdom.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::array<std::array<int, 3>, 6> kOrders{
      {{1, 2, 3}, {1, 3, 2}, {2, 1, 3}, {2, 3, 1}, {3, 1, 2}, {3, 2, 1}}};
  zolvane::fuzz::FuzzInput input(data, size, true);
  const auto& order = kOrders[input.Option() % kOrders.size()];
  zolvane::KingdomOptions options;
  options.shotColumn = order[0];
  options.xColumn = order[1];
  options.yColumn = order[2];
  zolvane::fuzz::DiscardStream out;
  zolvane::ConvertCsvToKingdom(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
