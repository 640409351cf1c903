#include "preview/load.h"

#include <algorithm>

#include "core/block_pass.h"
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
  if (!source.meridian) {
    return ReadFile(source.path, source.format, source.layout, sink, progress, source.columns);
  }
  Projecting projecting(sink, *source.meridian);
  return ReadFile(source.path, source.format, source.layout, projecting, progress, source.columns);
}

}  // namespace

Source Source::Of(const std::string& path, int layout, std::optional<Format> format) {
  Source source{path, format ? *format : FormatOf(path), layout, std::nullopt, {}};
  if (source.format == Format::Xyz && source.layout == 0) source.layout = GuessLayout(path);
  return source;
}

namespace {

// Hands every call to two sinks.
class Both final : public PreviewSink {
 public:
  Both(PreviewSink& first, PreviewSink& second) : first_(first), second_(second) {}
  void Begin(const ShapeStart& start) override {
    first_.Begin(start);
    second_.Begin(start);
  }
  void Vertex(double x, double y) override {
    first_.Vertex(x, y);
    second_.Vertex(x, y);
  }
  void Sample(double x, double y, double z) override {
    first_.Sample(x, y, z);
    second_.Sample(x, y, z);
  }
  void BeginGrid(const GridArea& area) override {
    first_.BeginGrid(area);
    second_.BeginGrid(area);
  }
  void Node(double z) override {
    first_.Node(z);
    second_.Node(z);
  }

 private:
  PreviewSink& first_;
  PreviewSink& second_;
};

}  // namespace

bool KeptReading::Add(Call call, std::initializer_list<double> numbers, std::size_t extra) {
  if (!whole_) return false;
  size_ += numbers.size() + extra;
  if (size_ > most_) {
    Drop();
    return false;
  }
  // Blocks from 512 KB, each twice the last up to 8 MB, those mostly in huge pages: a short
  // reading takes little room, and a million vertices cost a few page faults.
  if (numbers_.empty() || numbers_.back().size() + numbers.size() > numbers_.back().capacity()) {
    const std::size_t room = numbers_.empty()
                                 ? std::size_t{1} << 16
                                 : std::min(numbers_.back().capacity() * 2, std::size_t{1} << 20);
    numbers_.emplace_back();
    numbers_.back().reserve(room);
    PreferHugePages(numbers_.back().data(), room * sizeof(double));
  }
  for (double number : numbers)
    numbers_.back().push_back(number);
  if (!runs_.empty() && runs_.back().call == call) {
    ++runs_.back().count;
  } else {
    runs_.push_back({call, 1});
  }
  return true;
}

void KeptReading::Restart() {
  Drop();
  whole_ = true;
}

void KeptReading::Drop() {
  runs_ = {};
  numbers_ = {};
  kinds_ = {};
  labels_ = {};
  size_ = 0;
  whole_ = false;
}

void KeptReading::Begin(const ShapeStart& start) {
  const std::size_t labels =
      (2 * sizeof(std::string) + start.label1.size() + start.label2.size()) / sizeof(double) + 1;
  if (!Add(Call::Begin, {start.value}, labels)) return;
  kinds_.push_back(start.kind);
  labels_.emplace_back(start.label1);
  labels_.emplace_back(start.label2);
}

void KeptReading::Vertex(double x, double y) {
  // The call a long file makes a million times, without the general steps when it can.
  if (whole_ && !runs_.empty() && runs_.back().call == Call::Vertex && size_ + 2 <= most_ &&
      numbers_.back().size() + 2 <= numbers_.back().capacity()) {
    size_ += 2;
    ++runs_.back().count;
    numbers_.back().push_back(x);
    numbers_.back().push_back(y);
    return;
  }
  Add(Call::Vertex, {x, y});
}

void KeptReading::Sample(double x, double y, double z) {
  Add(Call::Sample, {x, y, z});
}

void KeptReading::BeginGrid(const GridArea& area) {
  Add(Call::BeginGrid, {static_cast<double>(area.nx), static_cast<double>(area.ny), area.xMin,
                        area.xMax, area.yMin, area.yMax});
}

void KeptReading::Node(double z) {
  Add(Call::Node, {z});
}

void KeptReading::HandTo(PreviewSink& sink) const {
  std::size_t shape = 0;
  auto block = numbers_.begin();
  std::size_t at = 0;
  // The numbers of the next call: on in its block, or at the start of the next one.
  auto next = [&](std::size_t count) {
    if (at + count > block->size()) {
      ++block;
      at = 0;
    }
    const double* numbers = block->data() + at;
    at += count;
    return numbers;
  };
  for (const Run& run : runs_) {
    for (std::size_t i = 0; i < run.count; ++i) {
      switch (run.call) {
        case Call::Begin: {
          const double* n = next(1);
          sink.Begin({kinds_[shape], labels_[2 * shape], labels_[2 * shape + 1], n[0]});
          ++shape;
          break;
        }
        case Call::Vertex: {
          const double* n = next(2);
          sink.Vertex(n[0], n[1]);
          break;
        }
        case Call::Sample: {
          const double* n = next(3);
          sink.Sample(n[0], n[1], n[2]);
          break;
        }
        case Call::BeginGrid: {
          const double* n = next(6);
          sink.BeginGrid(
              {static_cast<long long>(n[0]), static_cast<long long>(n[1]), n[2], n[3], n[4], n[5]});
          break;
        }
        case Call::Node:
          sink.Node(*next(1));
          break;
      }
    }
  }
}

Layer SurveyFile(const Source& source, const ProgressFn& progress, KeptReading* kept) {
  Layer layer;
  layer.path = source.path;
  Survey survey(layer);
  if (!kept) {
    layer.result = Read(source, survey, progress);
    return layer;
  }
  kept->Restart();
  Both both(survey, *kept);
  layer.result = Read(source, both, progress);
  return layer;
}

void ReduceFile(const Source& source, const Grid& grid, Layer& layer, const ProgressFn& progress,
                const KeptReading* kept) {
  Decimator decimator(layer, grid);
  if (kept && kept->Whole()) {
    kept->HandTo(decimator);
  } else {
    Read(source, decimator, progress);
  }
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
