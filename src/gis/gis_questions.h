// What the GIS menu's commands ask: for an export the format and the system the data are in;
// for an import the file's layers and fields to choose from, and a system to reproject to.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zolvane {

struct GisLayerFields {
  std::string name;
  std::vector<std::string> fields;
};
struct GisRequest {
  bool import = false;
  std::vector<std::string> formats;    // export: the format names offered, the first chosen
  std::vector<GisLayerFields> layers;  // import
};
struct GisChoice {
  int format = 0;      // index into the request's formats
  std::string crs;     // empty: none written (export) or no reprojection (import)
  std::string layer;   // empty: every layer
  std::string label1;  // fields; empty: the first text fields
  std::string label2;
};

class GisQuestions {
 public:
  virtual ~GisQuestions() = default;
  // Empty when the user closed the dialog without confirming it.
  virtual std::optional<GisChoice> ChooseGis(const GisRequest& request) = 0;
};

}  // namespace zolvane
