// GIS vector files (GeoPackage, Shapefile, GeoJSON and every other format GDAL writes) from
// and to BNA and XYZ files. GDAL is reached only through this library.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/pass.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {

// A format the window and the help offer by name; any other GDAL vector driver that writes
// can be named as well.
struct GisFormat {
  std::string_view name;
  std::string_view driver;
  std::string_view extension;
};
inline constexpr GisFormat kGisFormats[] = {
    {"GeoPackage", "GPKG", "gpkg"},
    {"ESRI Shapefile", "ESRI Shapefile", "shp"},
    {"GeoJSON", "GeoJSON", "geojson"},
    {"FlatGeobuf", "FlatGeobuf", "fgb"},
    {"GML", "GML", "gml"},
    {"KML", "KML", "kml"},
    {"CSV (geometry as WKT)", "CSV", "csv"},
};

// The GDAL driver for an output: `format` when given (a driver name, or a name of
// kGisFormats), else the one of the output's extension; empty when neither says.
std::string GisDriverFor(std::string_view outputPath, std::string_view format);

struct GisOutputOptions {
  std::string driver;  // a GDAL vector driver that writes
  std::string crs;     // any form PROJ takes; empty: no CRS written
  std::string layer;   // empty: the output's name without its extension
};

// Every object of a checked BNA file becomes one feature with the texts label1 and label2
// and the integer vertices: a point for a count of 1 or -1, a line for a count below -1, a
// polygon for one above 1 (its ring closed when the last vertex is not the first). A format
// with one geometry kind per layer (Shapefile) gets the layers LAYER_points, LAYER_lines and
// LAYER_polygons, as the kinds occur. The files are written aside and put beside `output`
// only when the pass is done; pass.note names the files when they are not just `output`.
// Features go in transactions of 100,000; `progress` is called every 200 vertices.
PassResult BnaToGis(std::istream& in, const std::string& output, const GisOutputOptions& options,
                    const ProgressFn& progress);

// Every point of an XYZ file becomes a point feature; with a Z column, a 3D point with the
// attribute z.
XyzPassResult XyzToGis(std::istream& in, int inputFormatCode, const std::string& output,
                       const GisOutputOptions& options, const ProgressFn& progress);

struct GisToBnaOptions {
  std::string layer;  // empty: every layer
  // Fields; empty: label1 and label2 where the layer has them (as BnaToGis writes), else
  // the layer's first two text fields.
  std::string label1, label2;
  std::string to;  // a CRS to reproject to; empty: none
};

// Every feature of a GIS file as BNA records: points as single-point records, lines with a
// negative count, polygons with a positive one and each hole as a record of its own (label 2
// "hole"), multi-geometries one record per part, Z dropped. Commas and double quotes of the
// labels, which a BNA header cannot hold, are replaced and counted in pass.note. A fault
// names the feature; pass.count is the records written. `progress` is called every 200
// vertices with the share of the features read, scaled to `totalBytes`.
PassResult GisToBna(const std::string& input, std::ostream& out, const GisToBnaOptions& options,
                    const ProgressFn& progress, std::uint64_t totalBytes = 0);

// A layer of a GIS file and its text fields, for the window's choices.
struct GisLayerInfo {
  std::string name;
  std::vector<std::string> fields;
};
// Empty, with `fault` set, when the file cannot be opened as a vector dataset.
std::vector<GisLayerInfo> ListGisLayers(const std::string& path, std::string& fault);

// GDAL's tables (the EPSG support files) and its drivers, once per process; the tests and
// the fuzz target call it too.
void StartGdal();

}  // namespace zolvane
