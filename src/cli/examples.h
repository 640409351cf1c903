// One example per subcommand: the last line of its --help, its manual page, and the README's
// table; each reads the samples of examples/.
#pragma once

#include <string_view>

namespace zolvane::cli {

struct Example {
  std::string_view command;
  std::string_view line;
};

inline constexpr Example kExamples[] = {
    {"check-bna", "zolvane-cli check-bna examples/contours.bna"},
    {"bna2xyz", "zolvane-cli bna2xyz --label 1 --out-layout 21 examples/contours.bna contours.xyz"},
    {"geo2utm",
     "zolvane-cli geo2utm --zone 31 --in-layout 21 --out-layout 11 examples/lonlat.xyz utm.xyz"},
    {"utm2geo",
     "zolvane-cli utm2geo --zone 31 --in-layout 11 --out-layout 21 examples/utm.xyz lonlat.xyz"},
    {"xyz2xyz",
     "zolvane-cli xyz2xyz --in-layout 11 --out-layout 13 --distances examples/utm.xyz legs.xyz"},
    {"bna2points", "zolvane-cli bna2points examples/contours.bna points.bna"},
    {"translate",
     "zolvane-cli translate --distance 1 --unit km --bearing 90 --metres --in-layout 11 "
     "examples/utm.xyz "
     "moved.xyz"},
    {"utm", "zolvane-cli utm --lat 41 --lon 2"},
    {"reproject",
     "zolvane-cli reproject --from EPSG:23031 --to EPSG:32631 --in-layout 11 examples/ed50.xyz "
     "wgs84.xyz"},
    {"crs", "zolvane-cli crs \"ETRS89 UTM 30N\""},
    {"bna2gis", "zolvane-cli bna2gis --crs EPSG:4326 examples/contours.bna contours.gpkg"},
    {"gis2bna",
     "zolvane-cli gis2bna --label1 name --to EPSG:4326 examples/coast.geojson coast.bna"},
    {"xyz2gis",
     "zolvane-cli xyz2gis --in-layout 11 --crs EPSG:32631 examples/utm.xyz soundings.gpkg"},
    {"bna2hypack", "zolvane-cli bna2hypack --label 1 examples/contours.bna contours.lnw"},
    {"bna2merlin",
     "zolvane-cli bna2merlin --plan-name \"Survey1 from bna\" examples/contours.bna contours.plan"},
    {"bna2asciiplan", "zolvane-cli bna2asciiplan examples/contours.bna contours.asciiplan"},
    {"bna2geosail", "zolvane-cli bna2geosail --label 1 examples/contours.bna contours.obj"},
    {"bna2bridge", "zolvane-cli bna2bridge --label 2 examples/contours.bna contours-bridge.txt"},
    {"bna2vec",
     "zolvane-cli bna2vec --id both --ellipsoid wgs84 examples/contours.bna contours.vec"},
    {"vec2bna", "zolvane-cli vec2bna examples/contours.vec contours-vec.bna"},
    {"mapgen2bna", "zolvane-cli mapgen2bna examples/shore.dat shore.bna"},
    {"csv2ks",
     "zolvane-cli csv2ks --shot-column 1 --x-column 2 --y-column 3 --line-name L-0 "
     "examples/nav.csv nav.dat"},
    {"xyz2bna", "zolvane-cli xyz2bna --lines --in-layout 11 examples/track.xyz runs.bna"},
    {"xyz2gmt", "zolvane-cli xyz2gmt --in-layout 11 examples/track.xyz runs.gmt"},
    {"gebco2xyz", "zolvane-cli gebco2xyz --zone 31 --out-layout 11 examples/atlas.asc atlas.xyz"},
    {"gebco2bna", "zolvane-cli gebco2bna --centennial examples/atlas-cent.asc atlas.bna"},
    {"gebco2gmt", "zolvane-cli gebco2gmt examples/atlas.asc atlas.gmt"},
    {"bna2daf", "zolvane-cli bna2daf --label 1 examples/contours.bna contours.daf"},
    {"daf2bna", "zolvane-cli daf2bna examples/contours.daf contours-daf.bna"},
    {"daf2xyz", "zolvane-cli daf2xyz examples/contours.daf contours-depth.xyz"},
    {"surfer2genesis", "zolvane-cli surfer2genesis --null -9999 examples/depths.grd depths.TXT"},
    {"invert-clr", "zolvane-cli invert-clr examples/rainbow.clr rainbow-inverted.clr"},
    {"clr2p25", "zolvane-cli clr2p25 examples/rainbow.clr rainbow.p25"},
    {"extract", "zolvane-cli extract --every 10 --columns 2,1,3 examples/log.csv thinned.dat"},
    {"dxf3d",
     "zolvane-cli dxf3d --start 2.10,41.20 --end 2.40,41.35 --factor 1000 --profile Line1 "
     "examples/profile.dxf profile-3d.dxf"},
    {"poseidon2grd", "zolvane-cli poseidon2grd examples/sidescan.pos sidescan.grd"},
    {"bin2xyz", "zolvane-cli bin2xyz --out-layout 21 examples/points.bin points.xyz"},
    {"distance-time",
     "zolvane-cli distance-time --line-speed 5 --transit-speed 10 --ellipsoid wgs84 "
     "examples/contours.bna times.txt"},
    {"parallel",
     "zolvane-cli parallel --start 500000,4500000 --end 500000,4510000 --spacing 250 --count 4 "
     "lines.bna"},
    {"rotate",
     "zolvane-cli rotate --centre 2.25,41.25 --angle 30 --ccw examples/contours.bna rotated.bna"},
    {"circle", "zolvane-cli circle --centre 2,41 --radius 0.01 circle.bna"},
    {"interpolate", "zolvane-cli interpolate --start 0,0 --end 100,50 --distance 3 --total 12"},
    {"filter-xyz",
     "zolvane-cli filter-xyz --x 2.25,2.35 --y 41.20,41.30 --in-layout 21 examples/lonlat.xyz "
     "window.xyz"},
    {"clip-bna",
     "zolvane-cli clip-bna --x 2.05,2.25 --y 41.25,41.40 examples/contours.bna clipped.bna"},
    {"swath", "zolvane-cli swath --constant 50 --metres --in-layout 11 examples/utm.xyz swath.bna"},
    {"towed", "zolvane-cli towed --layback 100 --max-step 500 examples/fixes.csv towed.csv"},
    {"igrf", "zolvane-cli igrf --lat -33.9 --lon 18.4 --year 2024 --month 6 --model igrf14"},
    {"igrf-anomaly",
     "zolvane-cli igrf-anomaly --year 2024 --month 6 --model igrf14 --in-layout 21 "
     "examples/mag.xyz anomaly.xyz"},
    {"bna2kml",
     "zolvane-cli bna2kml --label 1 --symbol Star --point-colour ff8000 --polygon-colour random "
     "--transparency 50 --folder Survey --style-name plan_map examples/contours.bna contours.kml"},
    {"bna2xml",
     "zolvane-cli bna2xml --label 1 --line-colour ff8000 --line-width 2 --csv examples/lines.csv "
     "--sync-column 1 examples/contours.bna contours.xml"},
    {"xml2kml", "zolvane-cli xml2kml examples/contours.xml markers.kml"},
    {"plot",
     "zolvane-cli plot --width 1200 --height 800 --title Contours --labels examples/contours.bna "
     "contours.png"},
};

// Where the examples are run from, for the top-level --help, the manual page and the README.
inline constexpr std::string_view kExamplesNote =
    "The examples read the sample files in examples/ and write into the current folder: copy "
    "/usr/share/doc/zolvane/examples into a folder you can write to and run them there.";

}  // namespace zolvane::cli
