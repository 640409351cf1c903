#include "preview/load.h"

#include <algorithm>

#include "geo/utm.h"

namespace zolvane::preview {
namespace {

// Hands on what it is given, points in degrees turned into metres of one UTM zone.
class Projecting final : public PreviewSink {
 public:
  Projecting(PreviewSink& sink, double meridian)
      : sink_(sink), meridian_(meridian), projection_(kWgs84) {}
  void Begin(const ShapeStart& start) override { sink_.Begin(start); }
  void Vertex(double x, double y) override {
    const UtmCoordinate utm = At(x, y);
    sink_.Vertex(utm.Easting, utm.Northing);
  }
  void Sample(double x, double y, double z) override {
    const UtmCoordinate utm = At(x, y);
    sink_.Sample(utm.Easting, utm.Northing, z);
  }
  void BeginGrid(const GridArea& area) override { sink_.BeginGrid(area); }
  void Node(double z) override { sink_.Node(z); }

 private:
  UtmCoordinate At(double longitude, double latitude) const {
    if (!IsLatitude(latitude)) return {kNoValue, kNoValue};
    return projection_.ToUtm(latitude, longitude, meridian_);
  }

  PreviewSink& sink_;
  double meridian_;
  UtmProjection projection_;
};

PassResult Read(const Source& source, PreviewSink& sink, const ProgressFn& progress) {
  if (!source.meridian) return ReadFile(source.path, source.format, source.layout, sink, progress);
  Projecting projecting(sink, *source.meridian);
  return ReadFile(source.path, source.format, source.layout, projecting, progress);
}

}  // namespace

Source Source::Of(const std::string& path, int layout, std::optional<Format> format) {
  Source source{path, format ? *format : FormatOf(path), layout, std::nullopt};
  if (source.format == Format::Xyz && source.layout == 0) source.layout = GuessLayout(path);
  return source;
}

Layer SurveyFile(const Source& source, const ProgressFn& progress) {
  Layer layer;
  layer.path = source.path;
  Survey survey(layer);
  layer.result = Read(source, survey, progress);
  return layer;
}

void ReduceFile(const Source& source, const Grid& grid, Layer& layer, const ProgressFn& progress) {
  Decimator decimator(layer, grid);
  Read(source, decimator, progress);
  decimator.Finish();
}

Bounds ExtentOf(const std::vector<Layer>& layers) {
  Bounds extent;
  for (const Layer& layer : layers)
    extent.Add(layer.bounds);
  return extent;
}

Bounds ExtentOf(const std::vector<Layer>& layers, const std::vector<std::size_t>& frame) {
  Bounds extent;
  for (std::size_t i : frame)
    extent.Add(layers[i].bounds);
  return extent;
}

std::vector<std::vector<std::size_t>> FramesOf(const std::vector<Layer>& layers) {
  std::vector<std::vector<std::size_t>> frames;
  std::optional<bool> firstGeographic;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    // A layer that holds nothing goes with the first frame.
    std::size_t frame = 0;
    if (!layers[i].bounds.Empty()) {
      const bool geographic = layers[i].bounds.Geographic();
      if (!firstGeographic) firstGeographic = geographic;
      frame = geographic == *firstGeographic ? 0 : 1;
    }
    if (frames.size() <= frame) frames.resize(frame + 1);
    frames[frame].push_back(i);
  }
  return frames;
}

bool ProjectDegrees(std::vector<Source>& sources, const std::vector<Layer>& layers,
                    double meridian) {
  const bool metres = std::any_of(layers.begin(), layers.end(), [](const Layer& layer) {
    return !layer.bounds.Empty() && !layer.bounds.Geographic();
  });
  bool changed = false;
  for (std::size_t i = 0; metres && i < sources.size() && i < layers.size(); ++i) {
    if (sources[i].meridian || sources[i].format == Format::Grid) continue;
    if (!layers[i].bounds.Geographic()) continue;
    sources[i].meridian = meridian;
    changed = true;
  }
  return changed;
}

ValueRange RangeOf(const std::vector<Layer>& layers) {
  ValueRange range;
  for (const Layer& layer : layers)
    range.Add(layer.range);
  return range;
}

}  // namespace zolvane::preview
