// BNA to Google Earth KML: one shared style, one folder, one placemark per object.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/block_pass.h"
#include "core/pass.h"
#include "core/run_state.h"
#include "core/shape_sink.h"
#include "core/ui.h"
#include "formats/bna/bna_questions.h"
#include "formats/bna/markup.h"

namespace zolvane {

inline constexpr std::string_view kKml21Namespace = "http://earth.google.com/kml/2.1";
inline constexpr std::string_view kKmlIconBase = "http://maps.google.com/mapfiles/kml/";

struct BnaToKmlOptions {
  KmlStyleChoice style;
  std::string documentName;  // the output file's name
  std::string styleName;     // "<seconds since midnight>_map"
};

// The icon of a symbol name; an unknown name gets a plain one.
std::string_view KmlIconPath(std::string_view symbol);
// The symbols KmlIconPath() knows, in the order the window lists them.
std::vector<std::string> KmlSymbolNames();

// The polygon colour and colour mode: with random colours the transparency's alpha on
// white, "random"; otherwise the chosen colour with that alpha, "normal".
std::string KmlPolygonColour(const KmlStyleChoice& style);
std::string_view KmlPolygonColourMode(const KmlStyleChoice& style);

// "<seconds since midnight, local time>_map".
std::string KmlStyleNameNow();

// The conversion pass over a checked BNA file. `progress` is called every 200 points, or
// after every block when the pass runs on several threads (the same bytes, notes, faults and
// lines as one).
PassResult ConvertBnaToKml(std::istream& in, std::ostream& out, const BnaToKmlOptions& options,
                           const ProgressFn& progress, const ObjectNoteFn& note,
                           const BlockPassOptions& blocks = {});

// Reads back the placemarks KML files of this program hold (from BNA or from XML markers):
// each point, line string or polygon with its name, one coordinate tuple after the other.
// The result's count is the number of vertices; `progress` is called at every placemark.
PassResult ReadKmlPlacemarks(std::istream& in, ShapeSink& sink, const ProgressFn& progress);

// The menu command.
void BnaToKml(int index, RunState& state, Ui& ui);

}  // namespace zolvane
