// Loading files for a view: which file, read how, then the survey and reduction passes.
#pragma once

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

  // `path` in `format`, or in the one its contents and name tell; for a point file `layout`,
  // or the first lines' guess when 0.
  static Source Of(const std::string& path, int layout = 0, std::optional<Format> format = {});
};

// The first pass: the layer's bounds, value range, counts and how the reading ended.
Layer SurveyFile(const Source& source, const ProgressFn& progress);

// The second pass: the layer's contents reduced to `grid`.
void ReduceFile(const Source& source, const Grid& grid, Layer& layer, const ProgressFn& progress);

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
