// GeoJSON to BNA through GDAL, the input handed over as one of GDAL's in-memory files. The
// option byte picks the label fields and the layer, so the named-field paths are reached too.
#include <cpl_vsi.h>

#include "fuzz_input.h"
#include "gis/gis_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::StartGdal();
  zolvane::GisToBnaOptions options;
  std::size_t skip = 0;
  if (size > 0) {
    if (data[0] & 1) options.label1 = "name";
    if (data[0] & 2) options.label2 = "kind";
    if (data[0] & 4) options.layer = "fuzz";
    skip = 1;
  }
  const char* path = "/vsimem/fuzz.geojson";
  // GDAL reads the buffer in place; it must outlive the file, and is not freed by it.
  VSILFILE* file = VSIFileFromMemBuffer(path, const_cast<GByte*>(data + skip),
                                        static_cast<vsi_l_offset>(size - skip), FALSE);
  if (!file) return 0;
  VSIFCloseL(file);
  zolvane::fuzz::DiscardStream out;
  zolvane::GisToBna(path, out, options, zolvane::fuzz::KeepGoing());
  VSIUnlink(path);
  return 0;
}
