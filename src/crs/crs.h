// Coordinate reference systems and the transformations between them, through PROJ. Only
// the operations and grids installed locally are used: nothing is fetched from the network.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct pj_ctx;
struct PJconsts;

namespace zolvane {

// The operation PROJ takes for points inside the area of both systems.
struct CrsOperation {
  std::string name;
  double accuracy = -1;   // metres; negative when unknown
  bool ballpark = false;  // no datum shift known: a plain change of ellipsoid or none
  // A better operation that could not be used, and the grid it lacks; empty when none.
  std::string skippedName, missingGrid;
};

// "<operation> needs the grid <file>, which is not installed" when a better operation was
// left out for a grid; empty otherwise.
std::string MissingGridNote(const CrsOperation& operation);

enum class CrsFault { None, UnknownCrs, NoOperation };

// One transformation from a source to a target system, with its own PROJ context, so one
// per thread. X is always longitude or easting and Y latitude or northing.
class CrsTransform {
 public:
  // `from` and `to`: anything PROJ accepts, an "EPSG:23031", a name, a PROJ string, a WKT.
  // Null with `fault` and `message` set when a system is unknown or nothing links them.
  static std::unique_ptr<CrsTransform> Create(std::string_view from, std::string_view to,
                                              CrsFault& fault, std::string& message);
  ~CrsTransform();
  CrsTransform(const CrsTransform&) = delete;
  CrsTransform& operator=(const CrsTransform&) = delete;

  // The same transformation with a context of its own, for another thread; null when PROJ
  // could not make it again.
  std::unique_ptr<CrsTransform> Copy() const;

  const CrsOperation& Operation() const { return operation_; }
  bool TargetIsGeographic() const { return targetGeographic_; }
  // Transforms `n` points in place. Returns the index of the first one the operation cannot
  // transform, with its reason, or `n` when every one was.
  std::size_t Transform(double* x, double* y, std::size_t n, std::string& reason);

 private:
  CrsTransform() = default;

  struct ContextDeleter {
    void operator()(pj_ctx* context) const;
  };
  struct PjDeleter {
    void operator()(PJconsts* pj) const;
  };
  std::unique_ptr<pj_ctx, ContextDeleter> context_;
  std::unique_ptr<PJconsts, PjDeleter> transform_;
  CrsOperation operation_;
  bool targetGeographic_ = false;
  std::string from_, to_;
};

// The WKT of a system given in any form Create() takes; empty, with `message` set, when it
// is unknown.
std::string CrsWkt(std::string_view crs, std::string& message);

struct CrsEntry {
  std::string code;  // "EPSG:25830"
  std::string name;
  std::string area;
};

// The systems of PROJ's database whose code or name holds every word of `query`, any case.
std::vector<CrsEntry> FindCrs(std::string_view query);

}  // namespace zolvane
