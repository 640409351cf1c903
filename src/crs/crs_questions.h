// What the datum change asks.
#pragma once

#include <optional>
#include <string>

namespace zolvane {

// The source and target systems as PROJ takes them ("EPSG:23031", a name, a PROJ string).
struct CrsChoice {
  std::string From = "EPSG:4326";
  std::string To = "EPSG:32631";
};

class CrsQuestions {
 public:
  virtual ~CrsQuestions() = default;
  // Empty when the user closed the dialog without confirming it.
  virtual std::optional<CrsChoice> ChooseCrs() = 0;
};

}  // namespace zolvane
