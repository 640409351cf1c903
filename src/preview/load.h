// Loading files for a view: which file, read how, then the survey and reduction passes.
#pragma once

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

  // The format of `path`; for a point file `layout`, or the first lines' guess when 0.
  static Source Of(const std::string& path, int layout = 0);
};

// The first pass: the layer's bounds, value range, counts and how the reading ended.
Layer SurveyFile(const Source& source, const ProgressFn& progress);

// The second pass: the layer's contents reduced to `grid`.
void ReduceFile(const Source& source, const Grid& grid, Layer& layer, const ProgressFn& progress);

// The extent of all the layers, and the range of the values that colour them.
Bounds ExtentOf(const std::vector<Layer>& layers);
ValueRange RangeOf(const std::vector<Layer>& layers);

}  // namespace zolvane::preview
