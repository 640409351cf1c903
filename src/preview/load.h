// Loading files for a view: which file, read how, then the survey and reduction passes.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "preview/decimator.h"
#include "preview/file_reader.h"
#include "preview/layer.h"

namespace zolvane::preview {

struct Source {
  std::string path;
  Format format = Format::Xyz;
  int layout = 0;  // XYZ layout code
  // Set: degrees are read as metres of the UTM zone of this central meridian (WGS84).
  std::optional<double> meridian;
  Columns columns;  // of a CSV file

  // `path` in `format`, or in the one its contents and name tell; for a point file `layout`,
  // or the first lines' guess when 0.
  static Source Of(const std::string& path, int layout = 0, std::optional<Format> format = {});
};

// What a survey read, kept so that the reduction after it need not read the file again: a
// file of a million vertices is parsed once. Given up, and the file read again, beyond
// `most` numbers (a shape's labels count as some).
class KeptReading final : public PreviewSink {
 public:
  explicit KeptReading(std::size_t most = std::size_t{1} << 22) : most_(most) {}
  bool Whole() const { return whole_; }
  // Makes the calls of the reading again.
  void HandTo(PreviewSink& sink) const;
  // Empty, to keep a new reading; or empty and no longer whole, its memory given back.
  void Restart();
  void Drop();

  void Begin(const ShapeStart& start) override;
  void Vertex(double x, double y) override;
  void Sample(double x, double y, double z) override;
  void BeginGrid(const GridArea& area) override;
  void Node(double z) override;

 private:
  enum class Call : std::uint8_t { Begin, Vertex, Sample, BeginGrid, Node };
  // Consecutive calls of one kind, each taking `count` of their numbers in turn.
  struct Run {
    Call call;
    std::size_t count;
  };
  // False when the reading is no longer kept whole. `extra`: more memory it takes, in numbers.
  bool Add(Call call, std::initializer_list<double> numbers, std::size_t extra = 0);

  std::size_t most_;
  bool whole_ = true;
  std::size_t size_ = 0;  // in numbers
  std::vector<Run> runs_;
  // In blocks, so that a long reading is never copied as it grows; a call's numbers share
  // one block.
  std::vector<std::vector<double>> numbers_;
  std::vector<ShapeKind> kinds_;
  std::vector<std::string> labels_;  // two per shape
};

// The first pass: the layer's bounds, value range, counts and how the reading ended; what it
// read into `kept` when given.
Layer SurveyFile(const Source& source, const ProgressFn& progress, KeptReading* kept = nullptr);

// The second pass: the layer's contents reduced to `grid`, from `kept` when it holds the
// whole reading.
void ReduceFile(const Source& source, const Grid& grid, Layer& layer, const ProgressFn& progress,
                const KeptReading* kept = nullptr);

// Layers in degrees and layers in metres never share a frame: the frames that part them,
// each the indices of its layers in order, the first frame the one of the first layer.
std::vector<std::vector<std::size_t>> FramesOf(const std::vector<Layer>& layers);

// Sets `meridian` on the sources whose layers are in degrees while others are in metres, so
// that the degrees are drawn in the metres' zone; grids keep their degrees. True when any
// changed, whose layers must then be surveyed again.
bool ProjectDegrees(std::vector<Source>& sources, const std::vector<Layer>& layers,
                    double meridian);

// The extent of all the layers, and the range of the values that colour them.
Bounds ExtentOf(const std::vector<Layer>& layers);
Bounds ExtentOf(const std::vector<Layer>& layers, const std::vector<std::size_t>& frame);
ValueRange RangeOf(const std::vector<Layer>& layers);

}  // namespace zolvane::preview
