// The XYZ reader on one delimiter's layouts (column order from the option byte), checked and
// then projected with distances; each delimiter family is a target of its own.
#pragma once

#include "fuzz_input.h"
#include "formats/xyz/transform_files.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane::fuzz {

// `delimiter` is the tens digit of the layout codes: 1 comma, 2 blank, 3 tab.
inline int FuzzXyzLayouts(const std::uint8_t* data, std::size_t size, int delimiter) {
  FuzzInput checked(data, size, true);
  const int code = 10 * delimiter + 1 + static_cast<int>(checked.Option() % 4);
  Statistics statistics;
  CheckXyz(checked.Stream(), code, statistics, KeepGoing());

  FuzzInput input(data, size, true);
  XyzTransformOptions options;
  options.inputFormatCode = code;
  options.outputFormatCode = 11;
  options.projection = (input.Option() & 4) ? Projection::GeoToUtm : Projection::UtmToGeo;
  options.centralMeridian = 3;
  options.distances = (input.Option() & 8) != 0;
  DiscardStream out;
  TransformXyz(input.Stream(), out, options, KeepGoing());
  return 0;
}

}  // namespace zolvane::fuzz
