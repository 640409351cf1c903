// The BNA object reader, walked header by header, then the BNA to XYZ conversion built on it
// (label and layout from the option byte).
#include "formats/bna/bna_reader.h"
#include "formats/bna/bna_to_xyz.h"
#include "fuzz_input.h"

namespace {

void Walk(std::istream& in) {
  zolvane::BnaObjectReader reader(in);
  zolvane::BnaHeader header;
  while (reader.NextHeader(header) == zolvane::ReadStatus::Ok) {
    if (header.singlePoint) continue;
    const long long points = header.count < 0 ? -header.count : header.count;
    double x = 0, y = 0;
    for (long long i = 0; i < points; ++i) {
      if (reader.NextPoint(x, y) != zolvane::ReadStatus::Ok) return;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput walked(data, size, true);
  Walk(walked.Stream());

  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::BnaToXyzOptions options;
  options.label = 1 + (input.Option() & 1);
  options.outputFormatCode = 11 + static_cast<int>(input.Option() >> 1) % 24;
  zolvane::fuzz::DiscardStream out;
  zolvane::ConvertBnaToXyz(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
