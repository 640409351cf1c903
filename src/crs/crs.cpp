#include "crs/crs.h"

#include <proj.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

namespace zolvane {
namespace {

struct ContextCloser {
  void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
};
using Context = std::unique_ptr<PJ_CONTEXT, ContextCloser>;

// Owns a PJ made while the transformation is prepared.
struct Object {
  PJ* pj = nullptr;
  explicit Object(PJ* made) : pj(made) {}
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  ~Object() { proj_destroy(pj); }
};

// PROJ strings name a coordinate system only with +type=crs, which cs2cs adds on its own.
std::string AsCrsText(std::string_view text) {
  std::string crs(text);
  if (!crs.empty() && crs.front() == '+' && crs.find("+type=crs") == std::string::npos) {
    crs += " +type=crs";
  }
  return crs;
}

bool IsGeographic(PJ_CONTEXT* context, const PJ* crs) {
  PJ_TYPE type = proj_get_type(crs);
  if (type == PJ_TYPE_BOUND_CRS) {
    const Object source(proj_get_source_crs(context, crs));
    type = source.pj ? proj_get_type(source.pj) : PJ_TYPE_UNKNOWN;
  }
  return type == PJ_TYPE_GEOGRAPHIC_2D_CRS || type == PJ_TYPE_GEOGRAPHIC_3D_CRS ||
         type == PJ_TYPE_GEOGRAPHIC_CRS;
}

// A conversion, or a chain of them, is exact: only a datum change has an accuracy of its own.
bool IsExact(PJ_CONTEXT* context, const PJ* operation) {
  const PJ_TYPE type = proj_get_type(operation);
  if (type == PJ_TYPE_CONVERSION) return true;
  if (type != PJ_TYPE_CONCATENATED_OPERATION) return false;
  const int steps = proj_concatoperation_get_step_count(context, operation);
  for (int i = 0; i < steps; ++i) {
    const Object step(proj_concatoperation_get_step(context, operation, i));
    if (!step.pj || !IsExact(context, step.pj)) return false;
  }
  return steps > 0;
}

// The first grid of `operation` that is not installed; empty when none is missing.
std::string MissingGrid(PJ_CONTEXT* context, const PJ* operation) {
  const int count = proj_coordoperation_get_grid_used_count(context, operation);
  for (int i = 0; i < count; ++i) {
    const char *shortName = nullptr, *fullName = nullptr, *package = nullptr, *url = nullptr;
    int direct = 0, open = 0, available = 0;
    if (proj_coordoperation_get_grid_used(context, operation, i, &shortName, &fullName, &package,
                                          &url, &direct, &open, &available) &&
        !available && shortName) {
      return shortName;
    }
  }
  return {};
}

// What PROJ takes for points where both systems are in use: the best operation it can run,
// and the better one a missing grid ruled out, if any.
CrsOperation DescribeOperation(PJ_CONTEXT* context, const PJ* source, const PJ* target) {
  CrsOperation described;
  PJ_OPERATION_FACTORY_CONTEXT* factory = proj_create_operation_factory_context(context, nullptr);
  if (!factory) return described;
  proj_operation_factory_context_set_spatial_criterion(context, factory,
                                                       PROJ_SPATIAL_CRITERION_PARTIAL_INTERSECTION);
  proj_operation_factory_context_set_grid_availability_use(context, factory,
                                                           PROJ_GRID_AVAILABILITY_USED_FOR_SORTING);
  PJ_OBJ_LIST* operations = proj_create_operations(context, source, target, factory);
  const int count = operations ? proj_list_get_count(operations) : 0;
  for (int i = 0; i < count; ++i) {
    const Object operation(proj_list_get(context, operations, i));
    if (!operation.pj) continue;
    if (!proj_coordoperation_is_instantiable(context, operation.pj)) {
      if (described.skippedName.empty()) {
        const std::string grid = MissingGrid(context, operation.pj);
        if (!grid.empty()) {
          described.skippedName = proj_get_name(operation.pj);
          described.missingGrid = grid;
        }
      }
      continue;
    }
    const char* name = proj_get_name(operation.pj);
    described.name = name ? name : "";
    described.accuracy = proj_coordoperation_get_accuracy(context, operation.pj);
    if (described.accuracy < 0 && IsExact(context, operation.pj)) described.accuracy = 0;
    described.ballpark = proj_coordoperation_has_ballpark_transformation(context, operation.pj);
    break;
  }
  proj_list_destroy(operations);
  proj_operation_factory_context_destroy(factory);
  return described;
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
}

}  // namespace

std::string MissingGridNote(const CrsOperation& operation) {
  if (operation.missingGrid.empty()) return {};
  return operation.skippedName + " needs the grid " + operation.missingGrid +
         ", which is not installed";
}

void CrsTransform::ContextDeleter::operator()(pj_ctx* context) const {
  proj_context_destroy(context);
}

void CrsTransform::PjDeleter::operator()(PJconsts* pj) const {
  proj_destroy(pj);
}

std::unique_ptr<CrsTransform> CrsTransform::Create(std::string_view from, std::string_view to,
                                                   CrsFault& fault, std::string& message) {
  std::unique_ptr<CrsTransform> made(new CrsTransform);
  made->context_.reset(proj_context_create());
  PJ_CONTEXT* context = made->context_.get();
  if (!context) {
    fault = CrsFault::NoOperation;
    message = "PROJ could not start";
    return nullptr;
  }
  proj_context_set_enable_network(context, 0);
  proj_log_level(context, PJ_LOG_NONE);  // faults are reported here, with the file's line

  auto crsOf = [&](std::string_view text) {
    const std::string crs = AsCrsText(text);
    PJ* pj = proj_create(context, crs.c_str());
    if (pj && !proj_is_crs(pj)) {
      proj_destroy(pj);
      pj = nullptr;
    }
    if (!pj) {
      fault = CrsFault::UnknownCrs;
      message = "unknown coordinate reference system: " + std::string(text);
    }
    return pj;
  };
  const Object source(crsOf(from));
  if (!source.pj) return nullptr;
  const Object target(crsOf(to));
  if (!target.pj) return nullptr;

  const Object operation(
      proj_create_crs_to_crs_from_pj(context, source.pj, target.pj, nullptr, nullptr));
  if (!operation.pj) {
    fault = CrsFault::NoOperation;
    message = "no operation transforms " + std::string(from) + " to " + std::string(to);
    return nullptr;
  }
  made->transform_.reset(proj_normalize_for_visualization(context, operation.pj));
  if (!made->transform_) {
    fault = CrsFault::NoOperation;
    message = "no operation transforms " + std::string(from) + " to " + std::string(to);
    return nullptr;
  }
  made->operation_ = DescribeOperation(context, source.pj, target.pj);
  made->targetGeographic_ = IsGeographic(context, target.pj);
  made->from_ = from;
  made->to_ = to;
  fault = CrsFault::None;
  return made;
}

std::unique_ptr<CrsTransform> CrsTransform::Copy() const {
  CrsFault fault = CrsFault::None;
  std::string message;
  return Create(from_, to_, fault, message);
}

CrsTransform::~CrsTransform() = default;

std::size_t CrsTransform::Transform(double* x, double* y, std::size_t n, std::string& reason) {
  PJ* pj = transform_.get();
  proj_errno_reset(pj);
  proj_trans_generic(pj, PJ_FWD, x, sizeof(double), n, y, sizeof(double), n, nullptr, 0, 0, nullptr,
                     0, 0);
  for (std::size_t i = 0; i < n; ++i) {
    if (std::isfinite(x[i]) && std::isfinite(y[i]) && x[i] != HUGE_VAL && y[i] != HUGE_VAL) {
      continue;
    }
    const int error = proj_errno(pj);
    const char* text = error ? proj_context_errno_string(context_.get(), error) : nullptr;
    reason = "The point cannot be transformed";
    if (text && *text) reason += std::string(" (") + text + ")";
    return i;
  }
  return n;
}

std::string CrsWkt(std::string_view crs, std::string& message) {
  const Context context(proj_context_create());
  if (!context) {
    message = "PROJ could not start";
    return {};
  }
  proj_context_set_enable_network(context.get(), 0);
  proj_log_level(context.get(), PJ_LOG_NONE);
  const Object object(proj_create(context.get(), AsCrsText(crs).c_str()));
  const char* wkt = object.pj && proj_is_crs(object.pj)
                        ? proj_as_wkt(context.get(), object.pj, PJ_WKT2_2019, nullptr)
                        : nullptr;
  if (!wkt) {
    message = "unknown coordinate reference system: " + std::string(crs);
    return {};
  }
  return wkt;
}

std::vector<CrsEntry> FindCrs(std::string_view query) {
  std::vector<CrsEntry> found;
  const Context context(proj_context_create());
  if (!context) return found;
  proj_context_set_enable_network(context.get(), 0);
  proj_log_level(context.get(), PJ_LOG_NONE);
  std::vector<std::string> words;
  std::istringstream split{Lowered(query)};
  for (std::string word; split >> word;)
    words.push_back(word);

  int count = 0;
  PROJ_CRS_INFO** list =
      proj_get_crs_info_list_from_database(context.get(), nullptr, nullptr, &count);
  for (int i = 0; i < count; ++i) {
    const PROJ_CRS_INFO& info = *list[i];
    CrsEntry entry{std::string(info.auth_name) + ":" + info.code, info.name ? info.name : "",
                   info.area_name ? info.area_name : ""};
    const std::string haystack = Lowered(entry.code + " " + entry.name);
    if (std::all_of(words.begin(), words.end(), [&](const std::string& word) {
          return haystack.find(word) != std::string::npos;
        })) {
      found.push_back(std::move(entry));
    }
  }
  proj_crs_info_list_destroy(list);
  return found;
}

}  // namespace zolvane
