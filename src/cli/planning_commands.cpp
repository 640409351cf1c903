// distance-time, parallel, rotate, circle, interpolate, filter-xyz and clip-bna.
#include <charconv>
#include <functional>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "core/number_format.h"
#include "geo/utm.h"
#include "survey/distance_time.h"
#include "survey/graphic_interpolator.h"
#include "survey/plan_lines.h"
#include "survey/xyz_filters.h"

namespace zolvane::cli {
namespace {

struct PlanningOptions {
  std::string input, output;
  // distance-time
  double lineSpeed = 5, transitSpeed = 5;
  std::string ellipsoid = "wgs84";
  int zone = 0;
  // parallel, interpolate
  std::string start, end;
  double spacing = 1000;
  long long count = 1;
  bool degrees = false;
  // rotate, circle
  std::string centre;
  double angle = 0, radius = 0;
  bool ccw = false;
  // interpolate
  int slider = 0;
  double distance = 0, total = 0;
  // filters
  std::string x, y, z;
  bool deleteWindow = false;
  int inLayout = 11;
  int outLayout = 0;  // 0: that of the input
};

bool ParseNumber(std::string_view text, double& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end;
}

// "X,Y" (also "MIN,MAX"): two plain numbers, negative ones included.
CLI::Validator Pair() {
  return CLI::Validator(
      [](std::string& text) {
        const std::size_t comma = text.find(',');
        double first = 0, second = 0;
        if (comma != std::string::npos &&
            ParseNumber(std::string_view(text).substr(0, comma), first) &&
            ParseNumber(std::string_view(text).substr(comma + 1), second)) {
          return std::string();
        }
        return "not two numbers separated by a comma: " + text;
      },
      "");
}

std::pair<double, double> PairOf(const std::string& text) {
  const std::size_t comma = text.find(',');
  std::pair<double, double> pair{0, 0};
  ParseNumber(std::string_view(text).substr(0, comma), pair.first);
  ParseNumber(std::string_view(text).substr(comma + 1), pair.second);
  return pair;
}

// A pair option whose value may start with a minus sign.
// A position X,Y or a range MIN,MAX, by the metavar given.
CLI::Option* AddPair(CLI::App* command, const char* name, std::string& value, const char* help,
                     const char* metavar = "X,Y") {
  return command->add_option(name, value, help)
      ->check(Pair())
      ->type_name(metavar)
      ->allow_extra_args(false);
}

// --start and --end, with their old spellings kept unlisted so that scripts go on working.
// The returned check, run in the subcommand's callback, makes both required under either name.
std::function<void()> AddStartEnd(CLI::App* command, PlanningOptions& options, const char* oldStart,
                                  const char* oldEnd, const char* startHelp, const char* endHelp) {
  CLI::Option* start = AddPair(command, "--start", options.start, startHelp);
  CLI::Option* end = AddPair(command, "--end", options.end, endHelp);
  CLI::Option* oldStartOption = AddPair(command, oldStart, options.start, "")->group("");
  CLI::Option* oldEndOption = AddPair(command, oldEnd, options.end, "")->group("");
  return [start, end, oldStartOption, oldEndOption] {
    if (start->count() + oldStartOption->count() == 0) throw CLI::RequiredError("--start");
    if (end->count() + oldEndOption->count() == 0) throw CLI::RequiredError("--end");
  };
}

void AddFiles(CLI::App* command, PlanningOptions& options, const std::string& in,
              const std::string& out) {
  command->add_option("IN", options.input, in)->required();
  command->add_option("OUT", options.output, out)->required();
}

void AddFiles(CLI::App* command, PlanningOptions& options, const char* kind) {
  AddFiles(command, options, std::string(kind) + " file to read",
           std::string(kind) + " file to write");
}

int RunDistanceTime(const PlanningOptions& o) {
  BnaCheckResult check;
  Statistics statistics;
  const auto twoPass = TwoPassInput(o.input);
  if (!twoPass) return 1;
  if (!CheckBnaInput(*twoPass, check, statistics)) return 1;
  DistanceTimeOptions options;
  options.lineSpeed = o.lineSpeed;
  options.transitSpeed = o.transitSpeed;
  options.ellipsoid = EllipsoidNamed(o.ellipsoid);
  options.centralMeridian = o.zone >= 1 ? CentralMeridianOfZone(o.zone) : 0;
  return ConvertFile(*twoPass, o.output, [&](InputFile& in, std::ostream& out) {
    return EstimateDistanceTime(in.Stream(), out, options, {}).pass;
  });
}

// Writes a file that is made from the options alone.
int WriteFile(const std::string& path, const std::function<PassResult(std::ostream&)>& write) {
  OutputFile output(OutputPath(path));
  if (!output.IsOpen()) return WriteFailure(output, path);
  ApplyOutputSettings(output.Stream());
  const PassResult result = write(output.Stream());
  if (result.status != PassStatus::Done && !result.outputFault) {
    return Fail("cannot write " + path + ": " + result.reason);
  }
  if (!output.Commit()) return WriteFailure(output, path);
  return 0;
}

int RunParallel(const PlanningOptions& o) {
  ParallelOptions options;
  options.degrees = o.degrees;
  const std::size_t ca = o.start.find(','), cb = o.end.find(',');
  options.xa = o.start.substr(0, ca);
  options.ya = o.start.substr(ca + 1);
  options.xb = o.end.substr(0, cb);
  options.yb = o.end.substr(cb + 1);
  options.spacing = o.spacing;
  options.count = o.count;
  return WriteFile(o.output,
                   [&](std::ostream& out) { return WriteParallelLines(out, options).pass; });
}

int RunRotate(const PlanningOptions& o) {
  const auto [cx, cy] = PairOf(o.centre);
  const RotateOptions options{cx, cy, o.angle, o.ccw};
  return ConvertFile(o.input, o.output, [&](InputFile& in, std::ostream& out) {
    return RotateBnaRecords(in.Stream(), out, options, {});
  });
}

int RunCircle(const PlanningOptions& o) {
  const auto [cx, cy] = PairOf(o.centre);
  return WriteFile(o.output, [&](std::ostream& out) { return WriteCircle(out, cx, cy, o.radius); });
}

int RunInterpolate(const PlanningOptions& o, bool byDistances) {
  int slider = o.slider;
  if (byDistances) {
    const auto fromDistances = SliderOfDistances(o.distance, o.total);
    if (!fromDistances) return Fail(kCalcRefused);
    slider = *fromDistances;
  }
  const auto [x1, y1] = PairOf(o.start);
  const auto [x2, y2] = PairOf(o.end);
  const InterpolatedPoint point =
      InterpolateAt(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                    static_cast<float>(y2), slider);
  std::cout << "x " << FormatSingle(point.x) << "\ny " << FormatSingle(point.y) << '\n'
            << point.percent << '\n';
  return 0;
}

FilterLimits LimitsOf(const PlanningOptions& o) {
  FilterLimits limits;
  if (!o.x.empty()) std::tie(limits.xMin, limits.xMax) = PairOf(o.x);
  if (!o.y.empty()) std::tie(limits.yMin, limits.yMax) = PairOf(o.y);
  if (!o.z.empty()) std::tie(limits.zMin, limits.zMax) = PairOf(o.z);
  return limits;
}

bool LimitsInOrder(const PlanningOptions& o, const FilterLimits& l) {
  if (o.z.empty()) return l.xMin < l.xMax && l.yMin < l.yMax;
  return l.zMin < l.zMax;
}

int RunFilterXyz(const PlanningOptions& o, int threads) {
  XyzFilterOptions options;
  options.inputFormatCode = o.inLayout;
  options.outputFormatCode = o.outLayout;
  options.limits = LimitsOf(o);
  if (!LimitsInOrder(o, options.limits)) return Fail("each minimum must be below its maximum");
  options.mode = o.z.empty() ? FilterMode::Window : FilterMode::ZRange;
  options.deleteWindow = o.deleteWindow;
  options.blocks.threads = threads;
  XyzFilterResult result;
  const int status = ConvertFile(o.input, o.output, [&](InputFile& in, std::ostream& out) {
    result = FilterXyzPoints(in.Stream(), out, options, {});
    return result.pass;
  });
  if (status == 0 && result.partialLine > 0) {
    std::cerr << "zolvane-cli: " << PartialPointText(result.partialLine, o.input) << '\n';
  }
  if (status == 0) std::cout << result.accepted << " points accepted\n";
  return status;
}

int RunClipBna(const PlanningOptions& o) {
  BnaCheckResult check;
  Statistics statistics;
  const FilterLimits limits = LimitsOf(o);
  if (!LimitsInOrder(o, limits)) return Fail("each minimum must be below its maximum");
  const auto twoPass = TwoPassInput(o.input);
  if (!twoPass) return 1;
  if (!CheckBnaInput(*twoPass, check, statistics)) return 1;
  long long accepted = 0;
  const int status = ConvertFile(*twoPass, o.output, [&](InputFile& in, std::ostream& out) {
    PassResult result = ClipBnaRecords(in.Stream(), out, limits, {});
    accepted = result.count;
    return result;
  });
  if (status == 0) std::cout << accepted << " points accepted\n";
  return status;
}

}  // namespace

void AddPlanningCommands(CLI::App& app, Action& action, const Settings& settings) {
  auto o = std::make_shared<PlanningOptions>();

  CLI::App* distance =
      app.add_subcommand("distance-time", "Report the sailing times and miles of a BNA plan");
  distance->add_option("--line-speed", o->lineSpeed, "Knots on the lines (0 reads as 0.1)")
      ->capture_default_str();
  distance->add_option("--transit-speed", o->transitSpeed, "Knots between lines")
      ->capture_default_str();
  distance->add_option("--ellipsoid", o->ellipsoid, "wgs84 or ed50")
      ->transform(EllipsoidName())
      ->capture_default_str();
  distance->add_option("--zone", o->zone, "UTM zone; without it, the zone of the first point")
      ->check(CLI::Range(1, 60));
  AddFiles(distance, *o, "BNA plan to read (longitude, latitude)",
           "Report of distances and times to write");
  distance->callback([&action, o] { action = [o] { return RunDistanceTime(*o); }; });

  CLI::App* parallel =
      app.add_subcommand("parallel", "Write lines parallel to a master line START-END as BNA");
  const auto parallelEnds =
      AddStartEnd(parallel, *o, "--a", "--b", "Start of the master line", "End of the master line");
  parallel->add_option("--spacing", o->spacing, "Metres between lines")->capture_default_str();
  parallel->add_option("--count", o->count, "Lines on each side")
      ->check(CLI::Range(0, 100000))
      ->capture_default_str();
  parallel->add_flag("--degrees", o->degrees,
                     "START and END are longitude,latitude (else UTM metres)");
  parallel->add_option("OUT", o->output, "BNA file to write")->required();
  parallel->callback([&action, o, parallelEnds] {
    parallelEnds();
    action = [o] { return RunParallel(*o); };
  });

  CLI::App* rotate = app.add_subcommand("rotate", "Rotate every point of a BNA file");
  AddPair(rotate, "--centre", o->centre, "Centre of rotation")->required();
  rotate->add_option("--angle", o->angle, "Degrees, clockwise unless --ccw")->required();
  rotate->add_flag("--ccw", o->ccw, "Counter-clockwise");
  AddFiles(rotate, *o, "BNA");
  rotate->callback([&action, o] { action = [o] { return RunRotate(*o); }; });

  CLI::App* circle = app.add_subcommand("circle", "Write a circle of 38 points as BNA");
  AddPair(circle, "--centre", o->centre, "Centre of the circle")->required();
  circle->add_option("--radius", o->radius, "Radius in the units of the centre")->required();
  circle->add_option("OUT", o->output, "BNA file to write")->required();
  circle->callback([&action, o] { action = [o] { return RunCircle(*o); }; });

  CLI::App* interpolate =
      app.add_subcommand("interpolate", "The point at a fraction of the way from START to END");
  const auto interpolateEnds =
      AddStartEnd(interpolate, *o, "--p1", "--p2", "First point", "Second point");
  CLI::Option* slider = interpolate->add_option("--slider", o->slider, "Thousandths of the way")
                            ->check(CLI::Range(0, kSliderMax));
  CLI::Option* along = interpolate->add_option("--distance", o->distance, "Distance from START");
  CLI::Option* total = interpolate->add_option("--total", o->total, "Distance from START to END");
  along->needs(total);
  total->needs(along);
  slider->excludes(along)->excludes(total);
  interpolate->callback([&action, o, along, slider, interpolateEnds] {
    interpolateEnds();
    const bool byDistances = along->count() > 0;
    const bool bySlider = slider->count() > 0;
    action = [o, byDistances, bySlider] {
      if (!byDistances && !bySlider) {
        std::cerr << "zolvane-cli: interpolate needs --slider, or --distance and --total\n";
        return 2;
      }
      return RunInterpolate(*o, byDistances);
    };
  });

  CLI::App* filter =
      app.add_subcommand("filter-xyz", "Keep the points inside an X-Y window or a Z range");
  CLI::Option* x = AddPair(filter, "--x", o->x, "X window", "MIN,MAX");
  CLI::Option* y = AddPair(filter, "--y", o->y, "Y window", "MIN,MAX");
  CLI::Option* z = AddPair(filter, "--z", o->z, "Z range", "MIN,MAX");
  x->needs(y);
  y->needs(x);
  z->excludes(x)->excludes(y);
  filter->add_flag("--delete", o->deleteWindow, "Keep the points outside instead");
  filter->add_option("--in-layout", o->inLayout, std::string("Input layout: ") + kLayoutHelp)
      ->check(LayoutCode())
      ->capture_default_str();
  filter
      ->add_option("--out-layout", o->outLayout,
                   std::string("Output layout, the input's when left out: ") + kLayoutHelp)
      ->check(LayoutCode());
  AddFiles(filter, *o, "Point");
  filter->callback([&action, &settings, o, z, x] {
    const bool chosen = z->count() > 0 || x->count() > 0;
    action = [&settings, o, chosen] {
      if (!chosen) {
        std::cerr << "zolvane-cli: filter-xyz needs --x and --y, or --z\n";
        return 2;
      }
      return RunFilterXyz(*o, settings.threads);
    };
  });

  CLI::App* clip = app.add_subcommand("clip-bna", "Clip a BNA file to an X-Y window");
  AddPair(clip, "--x", o->x, "X window", "MIN,MAX")->required();
  AddPair(clip, "--y", o->y, "Y window", "MIN,MAX")->required();
  AddFiles(clip, *o, "BNA");
  clip->callback([&action, o] { action = [o] { return RunClipBna(*o); }; });
}

}  // namespace zolvane::cli
