#include "app/menu_tree.h"

#include "app/app_commands.h"
#include "app/gis_commands.h"
#include "crs/datum_change.h"
#include "formats/bna/bna_to_asciiplan.h"
#include "formats/bna/bna_to_bridge.h"
#include "formats/bna/bna_to_geosail.h"
#include "formats/bna/bna_to_hypack.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/bna_to_merlin.h"
#include "formats/bna/bna_to_xml.h"
#include "formats/bna/bna_to_xyz.h"
#include "formats/bna/xml_to_kml.h"
#include "formats/column_extraction.h"
#include "formats/csv_to_kingdom.h"
#include "formats/daf.h"
#include "formats/dxf_3d.h"
#include "formats/gebco.h"
#include "formats/mapgen_to_bna.h"
#include "formats/miramon_vec.h"
#include "formats/palettes.h"
#include "formats/poseidon_binary.h"
#include "formats/surfer_grids.h"
#include "formats/xyz/transform_files.h"
#include "formats/xyz/translate.h"
#include "formats/xyz/xyz_to_bna.h"
#include "survey/distance_time.h"
#include "survey/graphic_interpolator.h"
#include "survey/igrf.h"
#include "survey/plan_lines.h"
#include "survey/swath_coverage.h"
#include "survey/towed_vehicle.h"
#include "survey/xyz_filters.h"

namespace zolvane {
namespace {

using K = MenuKind;
using R = MenuRule;
using W = WindowAction;

constexpr CommandFn kXyzTransform = &IgnoringIndex<TransformXyzFile>;
constexpr CommandFn kBnaTransform = &IgnoringIndex<TransformBnaFile>;

constexpr MenuItem kTree[] = {
    {0, "transformar", 0, "Transform", K::TopMenu, R::ClearFileNames},
    {1, "fil2fil", 1, "bna => xy (z)", K::Submenu, R::FileToFile},
    {2, "bnaxyz", 1, "z = label 1 ", K::Command, R::AfterReset, &BnaToXyz},
    {2, "bnaxyz", 2, "z = label 2", K::Command, R::AfterReset, &BnaToXyz},
    {1, "fil2fil", 2, "lines_bna => points_bna", K::Command, R::FileToFile, kBnaTransform},
    {1, "fil2fil", 3, "-", K::Separator, R::FileToFile},
    {1, "fil2fil", 4, "Gebco => GMT", K::Command, R::FileToFile, &GebcoToGmt},
    {1, "fil2fil", 5, "Gebco => xy (z) (lat-lon or UTM)", K::Command, R::FileToFile, &GebcoToXyz},
    {1, "fil2fil", 6, "Gebco => bna (lat-lon or UTM)", K::Command, R::FileToFile, &GebcoToBna},
    {1, "fil2fil", 7, "Gebco Cent => xy (z) (lat-lon or UTM)", K::Command, R::FileToFile,
     &GebcoCentToXyz},
    {1, "fil2fil", 8, "Gebco Cent. => bna", K::Command, R::FileToFile, &GebcoCentToBna},
    {1, "fil2fil", 9, "xyz => bna", K::Submenu, R::FileToFile},
    {2, "x2bna", 1, "=> Lines", K::Command, R::AfterReset, &XyzToBna},
    {2, "x2bna", 2, "=> Points", K::Command, R::AfterReset, &XyzToBna},
    {1, "fil2fil", 10, "xyz => GMT", K::Command, R::FileToFile, &XyzToGmt},
    {1, "fil2fil", 11, "xyz  Ascii => xy (z) Ascii + distance", K::Command, R::FileToFile,
     kXyzTransform},
    {1, "fil2fil", 12, "bna => MERLIN (Simrad)", K::Submenu, R::FileToFile},
    {2, "id", 2, "\"Planning file\"", K::Command, R::AfterReset, &BnaToMerlin},
    {1, "fil2fil", 13, "bna => Geosail planific.", K::Submenu, R::FileToFile},
    {2, "id2", 1, "Label 1", K::Command, R::GeosailWarning, &BnaToGeosail},
    {2, "id2", 2, "Label 2", K::Command, R::GeosailWarning, &BnaToGeosail},
    {1, "fil2fil", 14, "bna => Bridge Plan", K::Submenu, R::FileToFile},
    {2, "id1", 1, "Label 1", K::Command, R::BridgeNotice, &BnaToBridgePlan},
    {2, "id1", 2, "Label 2", K::Command, R::BridgeNotice, &BnaToBridgePlan},
    {1, "fil2fil", 15, "bna => Vec (Miramon GIS)", K::Command, R::FileToFile, &BnaToVec},
    {1, "fil2fil", 17, "Simrad Poseidon Grid => Surfer Grid", K::Command, R::FileToFile,
     &PoseidonToSurferGrid},
    {1, "fil2fil", 18, "vec => bna", K::Command, R::FileToFile, &vec2bna},
    {1, "bna2kml", 0, "BNA => KML Google Earth", K::Command, R::Plain, &BnaToKml},
    {1, "bna2xml", 0, "BNA => XML", K::Command, R::Plain, &BnaToXml},
    {1, "xml2kml", 0, "Zolvane XML => KML", K::Command, R::Plain, &XmlToKml},
    {1, "genesisi", -1, "Surfer=> Genesis II xyz", K::Command, R::Plain, &SurferGridToGenesis},
    {1, "binas", -1, "Binary => Ascii", K::Command, R::Plain, &A2BIN},
    {1, "mapgenbna", -1, "MapGen Shore => bna", K::Command, R::Plain, &MapgenToBna},
    {1, "daf2xyz", -1, "DAF contours => xyz", K::Command, R::Plain, &DafToXyz},
    {1, "daf2bna", -1, "DAF contours => bna", K::Command, R::Plain, &DafToBna},
    {1, "bnadaf", -1, "BNA lines => DAF contours", K::Submenu},
    {2, "bna2daf", 1, "Depth in label 1", K::Command, R::Plain, &BnaToDaf},
    {2, "bna2daf", 2, "Depth in label 2", K::Command, R::Plain, &BnaToDaf},
    {1, "bnakon", -1, "BNA > SIS asciiplan", K::Command, R::Plain, &BnaToAsciiplan},
    {1, "cs2ks", -1, "CSV => Kingdom Suite Navigation", K::Command, R::Plain, &cs2ks},
    {1, "B2Y", -1, "BNA > HYPACK plan", K::Submenu},
    {2, "B2Y1", 1, "label 1", K::Command, R::Plain, &BnaToHypack},
    {2, "B2Y2", 2, "label2", K::Command, R::Plain, &BnaToHypack},

    {0, "utilitatsmnu", 0, "Utilities", K::TopMenu},
    {1, "gscripts", 1, "Extract grid from a Surfer map", K::Command, R::Plain, &ExtractSurferGrid},
    {1, "iclr", 1, "Invert Surfer Color spectrum (clr)", K::Command, R::Plain,
     &InvertSurferSpectrum},
    {1, "utils", 1, "Distance-Time", K::Command, R::Plain, &DistanceTimeEstimate},
    {1, "utils", 2, "-", K::Separator},
    {1, "utils", 3, "Geo > Utm", K::Submenu},
    {2, "G2U", 1, "xyz >", K::Command, R::GeoToUtm, kXyzTransform},
    {2, "G2U", 2, "bna >", K::Command, R::GeoToUtm, kBnaTransform},
    {1, "utils", 4, "Utm > Geo", K::Submenu},
    {2, "U2G", 1, "xyz >", K::Command, R::UtmToGeo, kXyzTransform},
    {2, "U2G", 2, "bna >", K::Command, R::UtmToGeo, kBnaTransform},
    {1, "utils", 5, "Geo - UTM Calc.", K::Command, R::Plain, nullptr, W::Calculator},
    {1, "utils", 6, "Zones UTM", K::Command, R::Plain, &ZonesUtm},
    {1, "utils", 7, "Datum change", K::Command, R::Plain, &IgnoringIndex<DatumChange>},
    {1, "utils", 8, "Create Parallel lines", K::Command, R::Plain, &CreateParallelLines},
    {1, "utils", 9, "Rotate bna", K::Command, R::Plain, &RotateBna},
    {1, "utils", 10, "Draw a circle bna", K::Command, R::Plain, &DrawCircleBna},
    {1, "utils", 11, "graphic interpolator", K::Command, R::Plain, &GraphicInterpolator},
    {1, "tras", -1, "Translate", K::Submenu},
    {2, "trasla", 1, "Data in degrees >", K::Command, R::Plain, &TranslateXyzFile},
    {2, "trasla", 2, "Data in meters >", K::Command, R::Plain, &TranslateXyzFile},
    {1, "barra", -1, "-", K::Separator},
    {1, "filtres", 0, "Filters x-y-z", K::Submenu},
    {2, "filter", 1, "xyz >", K::Command, R::Plain, &FilterMenu},
    {2, "filter", 2, "bna >", K::Command, R::Plain, &FilterMenu},
    {1, "barra2", 1, "-", K::Separator},
    {1, "transpal", 0, "Surfer colors > Miramon P25 palete", K::Command, R::Plain,
     &SurferSpectrumToP25},
    {1, "magnet", 0, "Field > Anomaly (IGRF2005)", K::Command, R::Plain, &MagneticAnomaly},
    {1, "excols", 0, "Extract Columns and/or lines", K::Command, R::Plain, &ExtractColumnsOrLines},
    {1, "swath", -1, "Swath coverage", K::Command, R::Plain, &BnaSwath},
    {1, "towed", -1, "Pos. Correction for towed vehicles", K::Command, R::Plain, &TowedVehicle},
    {1, "xy2xyz", -1, "Didger.dxf > Real World 3D DXF", K::Command, R::Plain, &Xy2Xyz},

    {0, "sortir", 0, "Exit", K::Command, R::Plain, nullptr, W::Exit},
    {0, "ajuda", 0, "Help", K::Command, R::Plain, nullptr, W::Help},
    {0, "acerca", 0, "About", K::TopMenu},
    {1, "about", 0, "Zolvane", K::Command, R::Plain, nullptr, W::About},
    {1, "about", 1, "Surfer, Mapviewer and Didger", K::Command, R::Plain, nullptr, W::About},
    {1, "about", 2, "Genesis II", K::Command, R::Plain, nullptr, W::About},
    {1, "about", 3, "Gebco", K::Command, R::Plain, nullptr, W::About},
    {1, "about", 5, "Merlin", K::Command, R::Plain, nullptr, W::About},
    {1, "about", 6, "Miramon", K::Command, R::Plain, nullptr, W::About},
    {0, "gis", 0, "GIS", K::TopMenu},
    {1, "gisfile", 0, "BNA to GIS file…", K::Command, R::Plain, &BnaToGisFile},
    {1, "gisfile", 1, "GIS file to BNA…", K::Command, R::Plain, &GisFileToBna},
    {1, "gisfile", 2, "XYZ to GIS file…", K::Command, R::Plain, &XyzToGisFile},
};

}  // namespace

std::span<const MenuItem> MenuTree() {
  return kTree;
}

std::string ObjectName(const MenuItem& item) {
  std::string name(item.control);
  if (item.depth > 0 && item.index >= 0) {
    name.push_back('_');
    name.append(std::to_string(item.index));
  }
  return name;
}

bool IsEnabled(const MenuItem& item) {
  if (!item.visible) return false;
  if (item.kind != MenuKind::Command) return true;
  return item.command != nullptr || item.window != WindowAction::None;
}

const MenuItem* FindMenuItem(std::string_view objectName) {
  for (const MenuItem& item : kTree) {
    if (ObjectName(item) == objectName) return &item;
  }
  return nullptr;
}

}  // namespace zolvane
