// XML markers to KML.
#include "formats/bna/xml_to_kml.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, false);
  zolvane::fuzz::DiscardStream out;
  zolvane::ConvertXmlToKml(input.Stream(), out, "fuzz.kml", zolvane::fuzz::KeepGoing());
  return 0;
}
