#include "gis/gis_files.h"

#include <cpl_error.h>
#include <gdal.h>
#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <mutex>

#include "core/files.h"
#include "core/text_writer.h"
#include "crs/crs.h"
#include "formats/bna/bna_exports.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/markup.h"

namespace zolvane {
namespace fs = std::filesystem;
namespace {

constexpr long long kTransactionFeatures = 100000;
constexpr long long kProgressVertices = 200;

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Keeps GDAL's messages off the terminal while it lives: faults are reported here, with the
// file's name, from CPLGetLastErrorMsg().
struct QuietGdal {
  QuietGdal() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~QuietGdal() { CPLPopErrorHandler(); }
  QuietGdal(const QuietGdal&) = delete;
  QuietGdal& operator=(const QuietGdal&) = delete;
};

std::string GdalReason(std::string_view fallback) {
  const char* text = CPLGetLastErrorMsg();
  return text && *text ? std::string(text) : std::string(fallback);
}

struct DatasetCloser {
  void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

struct FeatureDeleter {
  void operator()(OGRFeature* feature) const { OGRFeature::DestroyFeature(feature); }
};
using Feature = std::unique_ptr<OGRFeature, FeatureDeleter>;

enum Kind { kPoint, kLine, kPolygon, kKinds };
constexpr const char* kKindSuffix[kKinds] = {"_points", "_lines", "_polygons"};
constexpr OGRwkbGeometryType kKindType[kKinds] = {wkbPoint, wkbLineString, wkbPolygon};

struct FieldDefinition {
  const char* name;
  OGRFieldType type;
};

// One output dataset, written aside and put in place by Finish(). Formats that hold one
// geometry kind per layer get a layer per kind, made when the kind first occurs; the others
// one layer of any geometry. Features go in transactions where the format has them.
class GisWriter {
 public:
  GisWriter(const std::string& output, const GisOutputOptions& options,
            std::vector<FieldDefinition> fields, OGRwkbGeometryType onlyType)
      : staged_(output), fields_(std::move(fields)), onlyType_(onlyType) {
    StartGdal();
    if (!staged_.IsOpen()) {
      fault_ = "cannot write " + output + (staged_.Fault().empty() ? "" : ": " + staged_.Fault());
      return;
    }
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(options.driver.c_str());
    if (!driver || !driver->GetMetadataItem(GDAL_DCAP_VECTOR) ||
        !driver->GetMetadataItem(GDAL_DCAP_CREATE)) {
      fault_ = "GDAL has no vector format " + options.driver + " that it can write";
      return;
    }
    onePerKind_ = options.driver == "ESRI Shapefile";
    layerName_ = options.layer.empty() ? fs::path(output).stem().string() : options.layer;
    if (!options.crs.empty()) {
      std::string message;
      const std::string wkt = CrsWkt(options.crs, message);
      if (wkt.empty()) {
        fault_ = message;
        return;
      }
      crs_ = std::make_unique<OGRSpatialReference>();
      crs_->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
      if (crs_->importFromWkt(wkt.c_str()) != OGRERR_NONE) {
        fault_ = "GDAL cannot take the coordinate reference system " + options.crs;
        return;
      }
    }
    // A Shapefile dataset made on a folder holds any number of layers.
    const std::string path =
        onePerKind_ ? fs::path(staged_.WritePath()).parent_path().string() : staged_.WritePath();
    dataset_.reset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset_) {
      fault_ = "cannot write " + output + ": " + GdalReason("GDAL could not create it");
      return;
    }
    driver_ = options.driver;
    output_ = output;
  }

  bool Ok() const { return fault_.empty(); }
  const std::string& Fault() const { return fault_; }

  // A feature of `kind` with a new geometry; false, with Fault() set, when it could not be
  // written. `set` fills the fields.
  template <typename Set>
  bool Write(Kind kind, OGRGeometry* geometry, Set&& set) {
    std::unique_ptr<OGRGeometry> owned(geometry);
    Layer& layer = LayerOf(kind);
    if (!layer.layer) return false;
    if (!inTransaction_ && transactions_) {
      // Formats without transactions (Shapefile, GeoJSON) say so once.
      inTransaction_ = dataset_->StartTransaction() == OGRERR_NONE;
      transactions_ = inTransaction_;
    }
    OGRFeature* feature = layer.feature.get();
    feature->SetFID(OGRNullFID);
    set(*feature);
    feature->SetGeometryDirectly(owned.release());
    if (layer.layer->CreateFeature(feature) != OGRERR_NONE) {
      fault_ = "cannot write " + output_ + ": " + GdalReason("GDAL refused a feature");
      return false;
    }
    if (++features_ % kTransactionFeatures == 0 && inTransaction_) {
      inTransaction_ = false;
      if (dataset_->CommitTransaction() != OGRERR_NONE) {
        fault_ = "cannot write " + output_ + ": " + GdalReason("GDAL could not commit");
        return false;
      }
    }
    return true;
  }

  // Closes the dataset and puts its files in place; false, with Fault() set, when any could
  // not be written. `written` gets the files' names.
  bool Finish(std::vector<std::string>& written) {
    if (!Ok()) return false;
    if (inTransaction_ && dataset_->CommitTransaction() != OGRERR_NONE) {
      fault_ = "cannot write " + output_ + ": " + GdalReason("GDAL could not commit");
      return false;
    }
    inTransaction_ = false;
    for (Layer& layer : layers_)
      layer.feature.reset();
    CPLErrorReset();
    // Closing writes what the driver kept back; a fault then shows as GDAL's last error.
    dataset_.reset();
    if (CPLGetLastErrorType() >= CE_Failure) {
      fault_ = "cannot write " + output_ + ": " + GdalReason("GDAL could not finish it");
      return false;
    }
    if (!staged_.Commit()) {
      fault_ = "cannot write " + output_ + ": " + staged_.Fault();
      return false;
    }
    written = staged_.Written();
    return true;
  }

 private:
  struct Layer {
    OGRLayer* layer = nullptr;
    Feature feature;
  };

  Layer& LayerOf(Kind kind) {
    Layer& layer = layers_[onePerKind_ ? kind : 0];
    if (layer.layer || !Ok()) return layer;
    // A layer is made outside any transaction: not every format takes one inside.
    if (inTransaction_) {
      inTransaction_ = false;
      if (dataset_->CommitTransaction() != OGRERR_NONE) {
        fault_ = "cannot write " + output_ + ": " + GdalReason("GDAL could not commit");
        return layer;
      }
    }
    const std::string name = onePerKind_ ? layerName_ + kKindSuffix[kind] : layerName_;
    const OGRwkbGeometryType type = onlyType_ != wkbUnknown ? onlyType_
                                    : onePerKind_           ? kKindType[kind]
                                                            : wkbUnknown;
    char** options = nullptr;
    if (driver_ == "ESRI Shapefile") options = CSLSetNameValue(options, "ENCODING", "UTF-8");
    if (driver_ == "CSV") {
      options = CSLSetNameValue(options, "GEOMETRY", "AS_WKT");
      options = CSLSetNameValue(options, "CREATE_CSVT", "YES");
    }
    OGRLayer* made = dataset_->CreateLayer(name.c_str(), crs_.get(), type, options);
    CSLDestroy(options);
    if (!made) {
      fault_ = "cannot write " + output_ + ": " + GdalReason("GDAL could not make layer " + name);
      return layer;
    }
    for (const FieldDefinition& definition : fields_) {
      OGRFieldDefn field(definition.name, definition.type);
      if (made->CreateField(&field) != OGRERR_NONE) {
        fault_ = "cannot write " + output_ + ": " + GdalReason("GDAL refused a field");
        return layer;
      }
    }
    layer.layer = made;
    layer.feature.reset(OGRFeature::CreateFeature(made->GetLayerDefn()));
    return layer;
  }

  StagedOutput staged_;
  std::vector<FieldDefinition> fields_;
  OGRwkbGeometryType onlyType_;
  std::string driver_, output_, layerName_, fault_;
  std::unique_ptr<OGRSpatialReference> crs_;
  Dataset dataset_;
  Layer layers_[kKinds];
  bool onePerKind_ = false;
  bool inTransaction_ = false;
  bool transactions_ = true;
  long long features_ = 0;
};

// A fault of the output being written: its text names the output, not the input.
PassResult OutputFault(const std::string& reason) {
  PassResult result = PassResult::Fail(reason, 0);
  result.outputFault = true;
  return result;
}

// "wrote a_points.shp, a_lines.shp" when the files are not just the one asked for.
std::string WrittenNote(const std::vector<std::string>& written, const std::string& output) {
  if (written.size() == 1 && fs::path(written.front()).filename() == fs::path(output).filename()) {
    return {};
  }
  std::string note = "written:";
  for (const std::string& name : written) {
    note += ' ';
    note += fs::path(name).filename().string();
  }
  return note;
}

// A label as GDAL wants it (UTF-8), from the bytes of a BNA header.
std::string FieldText(std::string_view label) {
  return Utf8Text(label);
}

// The records of one geometry for the BNA writer.
class BnaRecords {
 public:
  explicit BnaRecords(LineWriter& writer) : writer_(writer) {}

  // Labels of the feature being written, made safe for a BNA header.
  void SetLabels(std::string_view label1, std::string_view label2) {
    label1_ = Safe(label1);
    label2_ = Safe(label2);
  }
  long long Replaced() const { return replaced_; }
  long long Records() const { return records_; }
  long long Vertices() const { return vertices_; }
  const std::string& Fault() const { return fault_; }

  // Writes `geometry`, every part as a record; false with Fault() set on a fault.
  bool Write(const OGRGeometry* geometry, const std::string& where, long long closedVertices,
             CrsTransform* transform) {
    if (!geometry || geometry->IsEmpty()) {
      fault_ = "A geometry with no vertices in " + where;
      return false;
    }
    const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
    if (OGR_GT_IsNonLinear(type)) {
      std::unique_ptr<OGRGeometry> linear(geometry->getLinearGeometry());
      return Write(linear.get(), where, closedVertices, transform);
    }
    switch (type) {
      case wkbPoint: {
        const auto* point = geometry->toPoint();
        xs_.assign(1, point->getX());
        ys_.assign(1, point->getY());
        return Record(1, label2_, where, transform, true);
      }
      case wkbLineString: {
        if (!Take(geometry->toLineString(), false)) break;
        return Record(-static_cast<long long>(xs_.size()), label2_, where, transform, false);
      }
      case wkbPolygon: {
        const auto* polygon = geometry->toPolygon();
        // A ring bna2gis closed goes back as it came, without the closing vertex.
        const OGRLinearRing* outer = polygon->getExteriorRing();
        const bool dropClosing = polygon->getNumInteriorRings() == 0 && outer &&
                                 outer->getNumPoints() > 1 &&
                                 outer->getNumPoints() == closedVertices + 1;
        if (!Take(outer, dropClosing)) break;
        if (!Record(static_cast<long long>(xs_.size()), label2_, where, transform, false)) {
          return false;
        }
        for (int i = 0; i < polygon->getNumInteriorRings(); ++i) {
          if (!Take(polygon->getInteriorRing(i), false)) break;
          if (!Record(static_cast<long long>(xs_.size()), "hole", where, transform, false)) {
            return false;
          }
        }
        return true;
      }
      case wkbMultiPoint:
      case wkbMultiLineString:
      case wkbMultiPolygon:
      case wkbGeometryCollection: {
        for (const OGRGeometry* part : *geometry->toGeometryCollection()) {
          if (!Write(part, where, -1, transform)) return false;
        }
        return true;
      }
      default:
        fault_ = std::string("A geometry BNA cannot hold (") +
                 OGRGeometryTypeToName(geometry->getGeometryType()) + ") in " + where;
        return false;
    }
    fault_ = "A geometry with no vertices in " + where;
    return false;
  }

 private:
  // Commas and double quotes would split the header when read back; line ends would split
  // the record.
  std::string Safe(std::string_view text) {
    std::string safe(text);
    for (char& c : safe) {
      if (c == ',') {
        c = ';', ++replaced_;
      } else if (c == '"') {
        c = '\'', ++replaced_;
      } else if (c == '\r' || c == '\n') {
        c = ' ', ++replaced_;
      }
    }
    return safe;
  }

  bool Take(const OGRSimpleCurve* curve, bool dropClosing) {
    xs_.clear();
    ys_.clear();
    if (!curve) return false;
    int n = curve->getNumPoints();
    if (dropClosing) --n;
    for (int i = 0; i < n; ++i) {
      xs_.push_back(curve->getX(i));
      ys_.push_back(curve->getY(i));
    }
    return n > 0;
  }

  bool Record(long long count, std::string_view label2, const std::string& where,
              CrsTransform* transform, bool singlePoint) {
    if (xs_.empty()) {
      fault_ = "A geometry with no vertices in " + where;
      return false;
    }
    if (transform) {
      std::string reason;
      if (transform->Transform(xs_.data(), ys_.data(), xs_.size(), reason) != xs_.size()) {
        fault_ = reason + " in " + where;
        return false;
      }
    }
    header_.clear();
    if (singlePoint) {
      AppendRecord(header_,
                   {RecordItem::Text(label1_), RecordItem::Text(label2), RecordItem::Number(1),
                    RecordItem::Number(xs_[0]), RecordItem::Number(ys_[0])});
    } else {
      AppendRecord(header_, {RecordItem::Text(label1_), RecordItem::Text(label2),
                             RecordItem::Number(static_cast<double>(count))});
    }
    // The BNA check refuses a longer header; the coordinates of a single point count too.
    if (header_.size() > kMaxBnaHeaderLength) {
      fault_ = "Labels too long for a BNA header of " + std::to_string(kMaxBnaHeaderLength) +
               " characters in " + where;
      return false;
    }
    writer_.WriteLine(header_);
    if (!singlePoint) {
      for (std::size_t i = 0; i < xs_.size(); ++i)
        WriteRecord(writer_, {RecordItem::Number(xs_[i]), RecordItem::Number(ys_[i])});
    }
    ++records_;
    vertices_ += static_cast<long long>(xs_.size());
    return true;
  }

  LineWriter& writer_;
  std::string label1_, label2_, header_;
  std::vector<double> xs_, ys_;
  long long replaced_ = 0, records_ = 0, vertices_ = 0;
  std::string fault_;
};

// The index of `name` in the layer's fields; -1, with `fault` set, when there is none.
int FieldIndex(OGRLayer& layer, const std::string& name, std::string& fault) {
  const int index = layer.GetLayerDefn()->GetFieldIndex(name.c_str());
  if (index < 0) fault = "No field " + name + " in layer " + layer.GetName();
  return index;
}

Dataset OpenVector(const std::string& path, std::string& fault) {
  StartGdal();
  Dataset dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr,
                                    nullptr, nullptr));
  if (!dataset) {
    std::error_code error;
    fault = fs::exists(path, error)
                ? "Not a GIS file GDAL reads (" + GdalReason("no driver recognises it") + ")"
                : "The file cannot be opened";
  }
  return dataset;
}

}  // namespace

void StartGdal() {
  static std::once_flag once;
  std::call_once(once, [] { GDALAllRegister(); });
}

std::string GisDriverFor(std::string_view outputPath, std::string_view format) {
  if (!format.empty()) {
    for (const GisFormat& known : kGisFormats) {
      if (SameName(format, known.name) || SameName(format, known.driver) ||
          SameName(format, known.extension)) {
        return std::string(known.driver);
      }
    }
    return std::string(format);
  }
  std::string extension = fs::path(outputPath).extension().string();
  if (extension.empty()) return {};
  extension.erase(0, 1);
  for (const GisFormat& known : kGisFormats) {
    if (SameName(extension, known.extension)) return std::string(known.driver);
  }
  if (SameName(extension, "json")) return "GeoJSON";
  return {};
}

PassResult BnaToGis(std::istream& in, const std::string& output, const GisOutputOptions& options,
                    const ProgressFn& progress) {
  QuietGdal quiet;
  GisWriter writer(output, options,
                   {{"label1", OFTString}, {"label2", OFTString}, {"vertices", OFTInteger}},
                   wkbUnknown);
  if (!writer.Ok()) return OutputFault(writer.Fault());
  BnaObjectWalk walk(in, progress);
  long long features = 0;
  while (walk.Next()) {
    const long long count = walk.Count();
    const long long n = walk.Vertices();
    const Kind kind = n == 1 ? kPoint : count < 0 ? kLine : kPolygon;
    OGRGeometry* geometry = nullptr;
    double x = 0, y = 0;
    if (kind == kPoint) {
      if (!walk.Vertex(x, y)) break;
      geometry = new OGRPoint(x, y);
    } else {
      auto* curve = kind == kLine ? static_cast<OGRSimpleCurve*>(new OGRLineString)
                                  : static_cast<OGRSimpleCurve*>(new OGRLinearRing);
      std::unique_ptr<OGRSimpleCurve> owned(curve);
      curve->setNumPoints(static_cast<int>(n), FALSE);
      bool complete = true;
      for (long long i = 0; i < n && complete; ++i) {
        complete = walk.Vertex(x, y);
        curve->setPoint(static_cast<int>(i), x, y);
      }
      if (!complete) break;
      if (kind == kLine) {
        geometry = owned.release();
      } else {
        auto* ring = static_cast<OGRLinearRing*>(owned.release());
        ring->closeRings();
        auto* polygon = new OGRPolygon;
        polygon->addRingDirectly(ring);
        geometry = polygon;
      }
    }
    const std::string label1 = FieldText(walk.Label(1));
    const std::string label2 = FieldText(walk.Label(2));
    const bool written = writer.Write(kind, geometry, [&](OGRFeature& feature) {
      feature.SetField(0, label1.c_str());
      feature.SetField(1, label2.c_str());
      feature.SetField(2, static_cast<int>(n));
    });
    if (!written) return OutputFault(writer.Fault());
    ++features;
  }
  PassResult result = walk.Result();
  if (result.status != PassStatus::Done) return result;
  std::vector<std::string> files;
  if (!writer.Finish(files)) return OutputFault(writer.Fault());
  result.count = features;
  result.note = WrittenNote(files, output);
  return result;
}

XyzPassResult XyzToGis(std::istream& in, int inputFormatCode, const std::string& output,
                       const GisOutputOptions& options, const ProgressFn& progress) {
  QuietGdal quiet;
  const bool hasZ = XyzLayout::FromCode(inputFormatCode).HasZ();
  std::vector<FieldDefinition> fields;
  if (hasZ) fields.push_back({"z", OFTReal});
  GisWriter writer(output, options, fields, hasZ ? wkbPoint25D : wkbPoint);
  XyzPassResult result;
  if (!writer.Ok()) {
    result.pass = OutputFault(writer.Fault());
    return result;
  }
  result = ForEachXyzPoint(in, inputFormatCode, progress, [&](const XyzPoint& point) {
    const double z = point.z.number;
    OGRGeometry* geometry = hasZ ? new OGRPoint(point.x.number, point.y.number, z)
                                 : new OGRPoint(point.x.number, point.y.number);
    const bool written = writer.Write(kPoint, geometry, [&](OGRFeature& feature) {
      if (hasZ) feature.SetField(0, z);
    });
    return written ? std::string_view() : std::string_view(writer.Fault());
  });
  if (result.pass.status != PassStatus::Done) return result;
  std::vector<std::string> files;
  if (!writer.Finish(files)) {
    result.pass = OutputFault(writer.Fault());
    return result;
  }
  if (result.pass.note.empty()) result.pass.note = WrittenNote(files, output);
  return result;
}

PassResult GisToBna(const std::string& input, std::ostream& out, const GisToBnaOptions& options,
                    const ProgressFn& progress, std::uint64_t totalBytes) {
  QuietGdal quiet;
  std::string fault;
  Dataset dataset = OpenVector(input, fault);
  if (!dataset) return PassResult::Fail(fault, 0);
  std::vector<OGRLayer*> layers;
  if (!options.layer.empty()) {
    OGRLayer* layer = dataset->GetLayerByName(options.layer.c_str());
    if (!layer) {
      std::string names;
      for (OGRLayer* each : dataset->GetLayers())
        names += (names.empty() ? "" : ", ") + std::string(each->GetName());
      return PassResult::Fail("No layer " + options.layer + " (the layers: " + names + ")", 0);
    }
    layers.push_back(layer);
  } else {
    for (OGRLayer* layer : dataset->GetLayers())
      layers.push_back(layer);
  }
  if (layers.empty()) return PassResult::Fail("No layer", 0);

  LineWriter writer(out);
  BnaRecords records(writer);
  long long featuresRead = 0, featuresTotal = 0;
  for (OGRLayer* layer : layers) {
    const GIntBig count = layer->GetFeatureCount(FALSE);
    featuresTotal += count > 0 ? count : 0;
  }
  long long nextProgress = kProgressVertices;
  for (OGRLayer* layer : layers) {
    OGRFeatureDefn* definition = layer->GetLayerDefn();
    int label[2] = {-1, -1};
    const std::string* named[2] = {&options.label1, &options.label2};
    for (int k = 0; k < 2; ++k) {
      if (named[k]->empty()) continue;
      label[k] = FieldIndex(*layer, *named[k], fault);
      if (label[k] < 0) return PassResult::Fail(fault, 0);
    }
    // Unnamed labels come from the fields bna2gis writes, else from the first text fields the
    // named ones leave (a GML id or a CSV's WKT column among them).
    for (int k = 0; k < 2; ++k) {
      if (named[k]->empty()) label[k] = definition->GetFieldIndex(k == 0 ? "label1" : "label2");
    }
    for (int k = 0; k < 2; ++k) {
      if (!named[k]->empty() || label[k] >= 0) continue;
      for (int i = 0; i < definition->GetFieldCount(); ++i) {
        if (definition->GetFieldDefn(i)->GetType() != OFTString) continue;
        if (i == label[0] || i == label[1]) continue;
        label[k] = i;
        break;
      }
    }
    const int vertices = definition->GetFieldIndex("vertices");
    std::unique_ptr<CrsTransform> transform;
    if (!options.to.empty()) {
      const OGRSpatialReference* source = layer->GetSpatialRef();
      if (!source)
        return PassResult::Fail("Layer " + std::string(layer->GetName()) +
                                    " has no coordinate reference system to reproject from",
                                0);
      char* wkt = nullptr;
      const char* wktOptions[] = {"FORMAT=WKT2_2019", nullptr};
      source->exportToWkt(&wkt, wktOptions);
      const std::string sourceWkt = wkt ? wkt : "";
      CPLFree(wkt);
      CrsFault crsFault = CrsFault::None;
      transform = CrsTransform::Create(sourceWkt, options.to, crsFault, fault);
      if (!transform) return PassResult::Fail(fault, 0);
    }
    layer->ResetReading();
    for (;;) {
      CPLErrorReset();
      Feature feature(layer->GetNextFeature());
      if (!feature) {
        if (CPLGetLastErrorType() >= CE_Failure) {
          return PassResult::Fail("Unreadable feature in layer " + std::string(layer->GetName()) +
                                      " (" + GdalReason("GDAL stopped") + ")",
                                  0);
        }
        break;
      }
      ++featuresRead;
      const std::string where =
          "feature " + std::to_string(feature->GetFID()) + " of layer " + layer->GetName();
      // Copied one at a time: GDAL's text of a number lives only until its next call.
      const std::string first = label[0] >= 0 ? feature->GetFieldAsString(label[0]) : "";
      const std::string second = label[1] >= 0 ? feature->GetFieldAsString(label[1]) : "";
      records.SetLabels(first, second);
      const long long closed = vertices >= 0 && feature->IsFieldSetAndNotNull(vertices)
                                   ? feature->GetFieldAsInteger64(vertices)
                                   : -1;
      if (!records.Write(feature->GetGeometryRef(), where, closed, transform.get())) {
        return PassResult::Fail(records.Fault(), 0);
      }
      if (progress && records.Vertices() >= nextProgress) {
        nextProgress = records.Vertices() + kProgressVertices;
        const std::uint64_t share = featuresTotal > 0
                                        ? totalBytes * static_cast<std::uint64_t>(featuresRead) /
                                              static_cast<std::uint64_t>(featuresTotal)
                                        : 0;
        if (!progress(records.Vertices(), std::min(share, totalBytes))) return PassResult::Stop();
      }
    }
  }
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult result;
  result.count = records.Records();
  if (records.Replaced() > 0) {
    result.note = std::to_string(records.Replaced()) +
                  " characters of the labels a BNA header cannot hold (commas, double quotes, "
                  "line ends) replaced";
  }
  return result;
}

std::vector<GisLayerInfo> ListGisLayers(const std::string& path, std::string& fault) {
  QuietGdal quiet;
  std::vector<GisLayerInfo> found;
  Dataset dataset = OpenVector(path, fault);
  if (!dataset) return found;
  for (OGRLayer* layer : dataset->GetLayers()) {
    GisLayerInfo info;
    info.name = layer->GetName();
    OGRFeatureDefn* definition = layer->GetLayerDefn();
    for (int i = 0; i < definition->GetFieldCount(); ++i)
      info.fields.push_back(definition->GetFieldDefn(i)->GetNameRef());
    found.push_back(std::move(info));
  }
  return found;
}

}  // namespace zolvane
