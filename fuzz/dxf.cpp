// The DXF SOLID scan, or the conversion to a real world 3D DXF, from the option byte.
#include "formats/dxf_3d.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, true);
  if (input.Option() & 1) {
    zolvane::Statistics statistics;
    zolvane::ScanDxfSolids(input.Stream(), statistics, zolvane::fuzz::KeepGoing());
    return 0;
  }
  zolvane::DxfTo3dOptions options;
  options.x2 = 1000;
  options.y2 = 500;
  options.xMax = 100;
  zolvane::fuzz::DiscardStream out;
  zolvane::ConvertDxfTo3d(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
