// GMT multi-segment files as xyz2gmt and gebco2gmt write them: "> label" opens a segment,
// then one "x y" line per point; a lone ">" closes the file.
#pragma once

#include <istream>

#include "core/pass.h"
#include "core/shape_sink.h"

namespace zolvane {

// Every segment as a line labelled with its header text, its value the label's number when it
// is one. Empty and "#" lines are skipped; points before any header form an unlabelled
// segment. The result's count is the number of points; `progress` is called every 200.
PassResult ReadGmtSegments(std::istream& in, ShapeSink& sink, const ProgressFn& progress);

}  // namespace zolvane
