// The map preview: format guess, the survey pass and the reduction to a small view, over the
// readers of every format it draws (GMT, KML and XML markers among them). The readers take a
// file name, so the input goes through a file of this process's own.
#include <unistd.h>

#include <fstream>
#include <string>

#include "fuzz_input.h"
#include "preview/load.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zolvane::preview;
  static const std::string path = "/tmp/zolvane-fuzz-preview-" + std::to_string(getpid());
  const unsigned option = size > 0 ? data[0] : 0;
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (size > 1) file.write(reinterpret_cast<const char*>(data + 1), size - 1);
  }
  Source source = Source::Of(path, static_cast<int>(option % 4 == 0 ? 0 : 11 + option % 34));
  // Half the inputs are read as the format the option byte names, whatever they hold.
  if (option & 0x80) source.format = static_cast<Format>((option >> 3) % 9);
  Layer layer = SurveyFile(source, {});
  const Bounds view = Fit(ExtentOf({layer}), 160, 100);
  ReduceFile(source, Grid{view, 160, 100}, layer, {});
  return 0;
}
