// geo2utm, utm2geo, xyz2xyz, bna2points, translate and utm.
#include <algorithm>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "core/xyz_layout.h"
#include "formats/bna/bna_reader.h"
#include "geo/single_coordinate.h"
#include "formats/xyz/transform_files.h"
#include "formats/xyz/translate.h"
#include "geo/utm.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane::cli {
namespace {

struct GeoOptions {
  std::string input, output;
  int threads = 1;
  int zone = 0;
  bool autoZone = false;  // geo2utm --zone auto: the zone of the file's central longitude
  std::string ellipsoid = "wgs84";
  int inLayout = 11;
  int outLayout = 11;
  bool distances = false;
  bool bna = false;
  // translate
  double distance = 0;
  std::string unit = "km";
  double bearing = 0;
  bool degrees = false;
  bool metres = false;
  // utm
  std::string latitude, longitude, easting, northing;
};

void AddLayoutOptions(CLI::App* command, GeoOptions& options) {
  command->add_option("--in-layout", options.inLayout, std::string("Input layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
  command
      ->add_option("--out-layout", options.outLayout, std::string("Output layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
}

void AddFiles(CLI::App* command, GeoOptions& options, const char* kind) {
  command->add_option("IN", options.input, std::string(kind) + " file to read")->required();
  command->add_option("OUT", options.output, std::string(kind) + " file to write")->required();
}

CLI::Option* AddEllipsoid(CLI::App* command, GeoOptions& options) {
  return command
      ->add_option("--ellipsoid", options.ellipsoid,
                   "wgs84 or ed50: the ellipsoid only, not the datum (see reproject)")
      ->transform(EllipsoidName())
      ->capture_default_str();
}

// Prints the note for a comma file that ended inside a point; the points before it stand.
int FinishXyz(const XyzPassResult& result, const std::string& input, int status) {
  if (status == 0 && result.partialLine > 0) {
    std::cerr << "zolvane-cli: " << PartialPointText(result.partialLine, input) << '\n';
  }
  return status;
}

// The zone of the middle of the longitudes a checking pass found, printed for the user.
int ZoneOfLongitudes(const Statistics& statistics) {
  const double central = (statistics.XMin + statistics.XMax) / 2;
  const int zone = std::clamp(ZoneOfCentralMeridian(central), 1, 60);
  std::cerr << "zolvane-cli: zone " << zone << '\n';
  return zone;
}

int RunXyz(const GeoOptions& options, Projection projection, const InputName& input) {
  XyzTransformOptions transform;
  transform.inputFormatCode = options.inLayout;
  transform.outputFormatCode = options.outLayout;
  transform.projection = projection;
  transform.ellipsoid = EllipsoidNamed(options.ellipsoid);
  transform.centralMeridian = options.zone >= 1 ? CentralMeridianOfZone(options.zone) : 0;
  transform.distances = options.distances;
  transform.blocks.threads = options.threads;
  XyzTransformResult result;
  const int status = ConvertFile(input, options.output, [&](InputFile& in, std::ostream& out) {
    result = TransformXyz(in.Stream(), out, transform, {});
    return result.pass;
  });
  return FinishXyz(result, options.input, status);
}

int RunBna(const GeoOptions& options, Projection projection, bool toPoints) {
  const auto input = TwoPassInput(options.input);
  if (!input) return 1;
  BnaCheckResult check;
  Statistics statistics;
  if (!CheckBnaInput(*input, check, statistics)) return 1;
  GeoOptions zoned = options;
  if (options.autoZone) zoned.zone = ZoneOfLongitudes(statistics);
  BnaTransformOptions transform;
  transform.projection = projection;
  transform.ellipsoid = EllipsoidNamed(options.ellipsoid);
  transform.centralMeridian = zoned.zone >= 1 ? CentralMeridianOfZone(zoned.zone) : 0;
  transform.toPoints = toPoints;
  return ConvertFile(*input, options.output, [&](InputFile& in, std::ostream& out) {
    return TransformBna(in.Stream(), out, transform, {});
  });
}

// A point file for --zone auto is read twice: the checking pass, then the projection.
int RunAutoZoneXyz(const GeoOptions& options, Projection projection) {
  const auto input = TwoPassInput(options.input);
  if (!input) return 1;
  Statistics statistics;
  XyzPassResult check;
  {
    InputFile in(input->path);
    if (!in.IsOpen()) return Fail("cannot open " + input->name);
    check = CheckXyz(in.Stream(), options.inLayout, statistics, {});
  }
  if (check.pass.status != PassStatus::Done) {
    return Fail(FaultText(check.pass.reason, check.pass.line, input->name));
  }
  if (!statistics.HasX) return Fail("no point to find the zone by: " + input->name);
  GeoOptions zoned = options;
  zoned.zone = ZoneOfLongitudes(statistics);
  return RunXyz(zoned, projection, *input);
}

int RunProjection(const GeoOptions& options, Projection projection) {
  if (options.bna) return RunBna(options, projection, false);
  if (options.autoZone) return RunAutoZoneXyz(options, projection);
  return RunXyz(options, projection, options.input);
}

int RunTranslate(const GeoOptions& options) {
  if (options.degrees && options.zone < 1) {
    std::cerr << "zolvane-cli: translate --degrees needs --zone\n";
    return 2;
  }
  const Displacement d = DisplacementOf({options.distance, options.unit == "km", options.bearing});
  if (!(d.distance > 0)) {
    std::cerr << "zolvane-cli: the distance must be greater than 0\n";
    return 2;
  }
  TranslateOptions translate;
  translate.inputFormatCode = options.inLayout;
  translate.outputFormatCode = options.outLayout;
  translate.degrees = options.degrees;
  translate.ellipsoid = EllipsoidNamed(options.ellipsoid);
  translate.centralMeridian = options.degrees ? CentralMeridianOfZone(options.zone) : 0;
  translate.dx = d.dx;
  translate.dy = d.dy;
  translate.blocks.threads = options.threads;
  XyzPassResult result;
  const int status =
      ConvertFile(options.input, options.output, [&](InputFile& in, std::ostream& out) {
        result = TranslateXyz(in.Stream(), out, translate, {});
        return result.pass;
      });
  return FinishXyz(result, options.input, status);
}

int RunUtm(const GeoOptions& options) {
  const Ellipsoid ellipsoid = EllipsoidNamed(options.ellipsoid);
  if (!options.latitude.empty() && !options.longitude.empty()) {
    const CalculatorUtmResult utm =
        CalculatorGeoToUtm(options.latitude, options.longitude, ellipsoid);
    if (!utm.fault.empty()) return Fail(utm.fault);
    std::cout << "zone " << utm.zone << "\neasting " << utm.easting << "\nnorthing " << utm.northing
              << '\n';
    return 0;
  }
  if (options.zone >= 1 && !options.easting.empty() && !options.northing.empty()) {
    const CalculatorGeoResult geo = CalculatorUtmToGeo(
        std::to_string(options.zone), options.easting, options.northing, ellipsoid);
    std::cout << "latitude " << geo.latitude << "\nlongitude " << geo.longitude << '\n';
    return 0;
  }
  std::cerr << "zolvane-cli: utm needs --lat and --lon, or --zone, --easting and --northing\n";
  return 2;
}

}  // namespace

void AddGeoCommands(CLI::App& app, Action& action, const Settings& settings) {
  auto options = std::make_shared<GeoOptions>();

  struct Projector {
    const char* name;
    const char* help;
    Projection projection;
  };
  for (const Projector& p : {Projector{"geo2utm", "Project longitude/latitude points to UTM metres",
                                       Projection::GeoToUtm},
                             Projector{"utm2geo", "Project UTM metres back to longitude/latitude",
                                       Projection::UtmToGeo}}) {
    CLI::App* command = app.add_subcommand(p.name, p.help);
    if (p.projection == Projection::GeoToUtm) {
      command
          ->add_option_function<std::string>(
              "--zone",
              [options](const std::string& zone) {
                options->autoZone = zone == "auto";
                options->zone = options->autoZone ? 0 : std::stoi(zone);
              },
              "UTM zone, 1 to 60, or auto: the zone of the file's central longitude")
          ->required()
          ->transform(CLI::Range(1, 60) | Choice({"auto"}));
    } else {
      command->add_option("--zone", options->zone, "UTM zone, 1 to 60")
          ->required()
          ->check(CLI::Range(1, 60));
    }
    AddEllipsoid(command, *options);
    AddLayoutOptions(command, *options);
    command->add_flag("--distances", options->distances,
                      "Add the partial and accumulated distance columns (XYZ)");
    command->add_flag("--bna", options->bna, "The input is a BNA file, written back as BNA");
    AddFiles(command, *options, "Point or BNA");
    const Projection projection = p.projection;
    command->callback([&action, &settings, options, projection] {
      action = [&settings, options, projection] {
        options->threads = settings.threads;
        return RunProjection(*options, projection);
      };
    });
  }

  CLI::App* xyz = app.add_subcommand(
      "xyz2xyz", "Rewrite a point file in another layout, optionally with distances");
  AddLayoutOptions(xyz, *options);
  xyz->add_flag("--distances", options->distances,
                "Add the partial and accumulated distance columns");
  xyz->add_option("--zone", options->zone, "Zone of degrees measured by --distances")
      ->check(CLI::Range(1, 60));
  AddEllipsoid(xyz, *options);
  AddFiles(xyz, *options, "Point");
  xyz->callback([&action, &settings, options] {
    action = [&settings, options] {
      options->threads = settings.threads;
      return RunXyz(*options, Projection::None, options->input);
    };
  });

  CLI::App* points =
      app.add_subcommand("bna2points", "Write every pair of a BNA file as a single-point record");
  AddFiles(points, *options, "BNA");
  points->callback([&action, options] {
    action = [options] { return RunBna(*options, Projection::None, true); };
  });

  CLI::App* translate =
      app.add_subcommand("translate", "Shift every point by a distance and bearing");
  translate->add_option("--distance", options->distance, "Distance in --unit")->required();
  translate->add_option("--unit", options->unit, "km or nm")
      ->transform(Choice({"km", "nm"}))
      ->capture_default_str();
  translate->add_option("--bearing", options->bearing, "Degrees clockwise from north")
      ->capture_default_str();
  CLI::Option* degrees =
      translate->add_flag("--degrees", options->degrees, "The points are longitude/latitude");
  CLI::Option* metres = translate->add_flag("--metres", options->metres, "The points are metres");
  degrees->excludes(metres);
  translate->add_option("--zone", options->zone, "UTM zone of --degrees data")
      ->check(CLI::Range(1, 60));
  AddEllipsoid(translate, *options);
  AddLayoutOptions(translate, *options);
  AddFiles(translate, *options, "Point");
  translate->callback([&action, &settings, options] {
    action = [&settings, options] {
      options->threads = settings.threads;
      return RunTranslate(*options);
    };
  });

  CLI::App* utm = app.add_subcommand("utm", "Convert one position between degrees and UTM");
  CLI::Option* lat = utm->add_option("--lat", options->latitude, "Latitude, decimal degrees");
  CLI::Option* lon = utm->add_option("--lon", options->longitude, "Longitude, decimal degrees");
  CLI::Option* zone =
      utm->add_option("--zone", options->zone, "UTM zone, 1 to 60")->check(CLI::Range(1, 60));
  CLI::Option* easting = utm->add_option("--easting", options->easting, "Easting, metres");
  CLI::Option* northing = utm->add_option("--northing", options->northing, "Northing, metres");
  lat->needs(lon);
  lon->needs(lat);
  easting->needs(zone, northing);
  northing->needs(zone, easting);
  for (CLI::Option* geo : {lat, lon}) {
    for (CLI::Option* metric : {zone, easting, northing})
      geo->excludes(metric);
  }
  AddEllipsoid(utm, *options);
  utm->callback([&action, options] { action = [options] { return RunUtm(*options); }; });
}

}  // namespace zolvane::cli
