// XML markers back to KML: each marker a placemark with a camera position and a
// description, each line element a line string.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/shape_sink.h"
#include "core/ui.h"

namespace zolvane {

inline constexpr std::string_view kKml22Namespace = "http://www.opengis.net/kml/2.2";

// The conversion pass; `documentName` is the output file's name. `progress` is called at
// every marker and line element.
PassResult ConvertXmlToKml(std::istream& in, std::ostream& out, std::string_view documentName,
                           const ProgressFn& progress);

// Reads back the XML markers of this program: each marker a point labelled with its label,
// each line element a line of its points. The result's count is the number of positions;
// `progress` is called at every marker and line element.
PassResult ReadXmlMarkers(std::istream& in, ShapeSink& sink, const ProgressFn& progress);

// The menu command.
void XmlToKml(int index, RunState& state, Ui& ui);

}  // namespace zolvane
