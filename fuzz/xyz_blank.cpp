// The XYZ reader on blank-separated layouts (column order from the option byte), checked and
// then projected with distances.
#include "fuzz_input.h"
#include "geo/transform_files.h"
#include "geo/xyz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput checked(data, size, true);
  const int code = 20 + 1 + static_cast<int>(checked.Option() % 4);
  zolvane::Statistics statistics;
  zolvane::CheckXyz(checked.Stream(), code, statistics, zolvane::fuzz::KeepGoing());

  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::XyzTransformOptions options;
  options.inputFormatCode = code;
  options.outputFormatCode = 11;
  options.projection =
      (input.Option() & 4) ? zolvane::Projection::GeoToUtm : zolvane::Projection::UtmToGeo;
  options.centralMeridian = 3;
  options.distances = (input.Option() & 8) != 0;
  zolvane::fuzz::DiscardStream out;
  zolvane::TransformXyz(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
