// Magnetic anomalies; model, input layout and date from the option byte.
#include "fuzz_input.h"
#include "survey/igrf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolvane::fuzz::FuzzInput input(data, size, true);
  zolvane::AnomalyOptions options;
  options.model = (input.Option() & 1) ? zolvane::IgrfModel::Igrf14 : zolvane::IgrfModel::Igrf2005;
  options.inputFormatCode = 10 * (1 + static_cast<int>((input.Option() >> 1) % 3)) + 1 +
                            static_cast<int>((input.Option() >> 3) % 2);
  options.date = options.model == zolvane::IgrfModel::Igrf14 ? 2020.5 : 2007.25;
  zolvane::fuzz::DiscardStream out;
  zolvane::ComputeAnomalies(input.Stream(), out, options, zolvane::fuzz::KeepGoing());
  return 0;
}
