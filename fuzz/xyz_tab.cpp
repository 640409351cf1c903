// The XYZ reader on tab-separated layouts.
#include "xyz_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return zolvane::fuzz::FuzzXyzLayouts(data, size, 3);
}
