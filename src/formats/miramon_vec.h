// Miramon VEC vectors: a VEC file of objects and vertices with its DVC description beside it,
// written from BNA and read back into BNA.
#pragma once

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "formats/format_questions.h"

namespace zolvane {

// The filter list of both VEC commands.
inline constexpr std::string_view kVecFileFilters =
    "All files (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|VEC (*.vec)|*.vec";

struct BnaToVecOptions {
  int identifier = 3;  // 1 label 1, 2 label 2, 3 both joined by "_"
};

struct BnaToVecResult {
  PassResult pass;
  std::string objectType;  // "polygon", "line", "point", or empty when no record decides
};

// The conversion pass over a checked BNA file. `progress` is called every 200 vertices.
BnaToVecResult ConvertBnaToVec(std::istream& in, std::ostream& out, const BnaToVecOptions& options,
                               const ProgressFn& progress);

// What the DVC file says of its layer.
struct DvcDescription {
  std::string objectType;
  std::string referenceSystem;  // "lat/long-WGS84", "UTM-31N-ED50"
  std::string units;            // "deg" or "m"
  Statistics bounds;            // X and Y ranges of the BNA
  std::string source;           // the BNA it was made from
};
DvcDescription DvcOf(const VecLayerChoice& choice);
// The fifteen lines; false when the stream could not take them.
bool WriteDvc(std::ostream& out, const DvcDescription& dvc);
// The VEC path with its last three characters replaced by "dvc".
std::string DvcPathOf(std::string_view vecPath);
// The object type of a DVC: its fourth line after the first colon, trimmed. Empty when the
// DVC has no fourth line to read (cut short, binary, or a read error).
std::optional<std::string> ReadDvcObjectType(std::istream& dvc);

// What the DVC beside a VEC file says of its objects, or why it says nothing.
struct DvcRead {
  std::string objectType;
  std::string fault;  // "<path> Not found" when there is no DVC, else why it could not be read
  bool missing = false;
};
DvcRead ReadDvcFile(const std::string& dvcPath);

// An object of a VEC file: its identifier (everything before the count, with the blanks after
// it as written; empty when the header is the count alone) and how many vertices follow.
using VecObjectFn = std::function<void(std::string_view identifier, long long points)>;
using VecVertexFn = std::function<void(double x, double y)>;

// The reading pass, up to the "0 0" that ends the objects. A header without a count, or with
// a count of 0, is a fault of its line. The result's count is the number of vertices;
// `progress` is called every 200.
PassResult ReadVecObjects(std::istream& in, const VecObjectFn& object, const VecVertexFn& vertex,
                          const ProgressFn& progress);

// VEC back to BNA, every object labelled with its identifier and `objectType`; a polygon
// keeps a positive count, anything else gets a negative one.
PassResult ConvertVecToBna(std::istream& in, std::ostream& out, std::string_view objectType,
                           const ProgressFn& progress);

// The menu commands.
void BnaToVec(int index, RunState& state, Ui& ui);
void vec2bna(int index, RunState& state, Ui& ui);

}  // namespace zolvane
