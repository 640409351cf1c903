// One example per subcommand: the last line of its --help, and the README's table.
#pragma once

#include <string_view>

namespace zolvane::cli {

struct Example {
  std::string_view command;
  std::string_view line;
};

inline constexpr Example kExamples[] = {
    {"check-bna", "zolvane-cli check-bna contours.bna"},
    {"bna2xyz", "zolvane-cli bna2xyz --label 1 --out-layout 21 contours.bna contours.xyz"},
    {"geo2utm", "zolvane-cli geo2utm --zone 31 --in-layout 21 --out-layout 11 lonlat.xyz utm.xyz"},
    {"utm2geo", "zolvane-cli utm2geo --zone 31 --in-layout 11 --out-layout 21 utm.xyz lonlat.xyz"},
    {"xyz2xyz", "zolvane-cli xyz2xyz --in-layout 11 --out-layout 13 --distances utm.xyz legs.xyz"},
    {"bna2points", "zolvane-cli bna2points contours.bna points.bna"},
    {"translate",
     "zolvane-cli translate --distance 1 --unit km --bearing 90 --metres utm.xyz moved.xyz"},
    {"utm", "zolvane-cli utm --lat 41 --lon 2"},
    {"bna2hypack", "zolvane-cli bna2hypack --label 1 examples/contours.bna contours.lnw"},
    {"bna2merlin",
     "zolvane-cli bna2merlin --plan-name \"Survey1 from bna\" examples/contours.bna contours.plan"},
    {"bna2asciiplan", "zolvane-cli bna2asciiplan examples/contours.bna contours.asciiplan"},
    {"bna2geosail", "zolvane-cli bna2geosail --label 1 examples/contours.bna contours.obj"},
    {"bna2bridge", "zolvane-cli bna2bridge --label 2 examples/contours.bna contours-bridge.txt"},
    {"bna2vec", "zolvane-cli bna2vec --id both --datum wgs84 examples/contours.bna contours.vec"},
    {"vec2bna", "zolvane-cli vec2bna contours.vec contours-back.bna"},
    {"mapgen2bna", "zolvane-cli mapgen2bna shore.dat shore.bna"},
    {"csv2ks",
     "zolvane-cli csv2ks --shot-column 1 --x-column 2 --y-column 3 --line-name L-0 nav.csv "
     "nav.dat"},
};

}  // namespace zolvane::cli
