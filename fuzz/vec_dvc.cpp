// A DVC description, or a VEC file back to BNA with the object type from the option byte.
#include <array>
#include <string_view>

#include "formats/miramon_vec.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::array<std::string_view, 4> kTypes{"polygon", "line", "point", ""};
  zolvane::fuzz::FuzzInput input(data, size, true);
  if (input.Option() & 4) {
    zolvane::ReadDvcObjectType(input.Stream());
    return 0;
  }
  zolvane::fuzz::DiscardStream out;
  zolvane::ConvertVecToBna(input.Stream(), out, kTypes[input.Option() % 4],
                           zolvane::fuzz::KeepGoing());
  return 0;
}
