#include "preview/load.h"

namespace zolvane::preview {

Source Source::Of(const std::string& path, int layout) {
  Source source{path, FormatOf(path), layout};
  if (source.format == Format::Xyz && source.layout == 0) source.layout = GuessLayout(path);
  return source;
}

Layer SurveyFile(const Source& source, const ProgressFn& progress) {
  Layer layer;
  layer.path = source.path;
  Survey survey(layer);
  layer.result = ReadFile(source.path, source.format, source.layout, survey, progress);
  return layer;
}

void ReduceFile(const Source& source, const Grid& grid, Layer& layer, const ProgressFn& progress) {
  Decimator decimator(layer, grid);
  ReadFile(source.path, source.format, source.layout, decimator, progress);
  decimator.Finish();
}

Bounds ExtentOf(const std::vector<Layer>& layers) {
  Bounds extent;
  for (const Layer& layer : layers)
    extent.Add(layer.bounds);
  return extent;
}

ValueRange RangeOf(const std::vector<Layer>& layers) {
  ValueRange range;
  for (const Layer& layer : layers)
    range.Add(layer.range);
  return range;
}

}  // namespace zolvane::preview
