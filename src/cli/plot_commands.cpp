// plot: the preview of the main window as a PNG or SVG picture, drawn without a display.
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include "cli/commands.h"
#include "cli/helper_programs.h"
#include "render/render.h"

namespace zolvane::cli {
namespace {

struct PlotOptions {
  std::vector<std::string> files;  // the inputs, then the picture
  int width = 1600, height = 1000;
  int layout = 0;
  std::string format;  // png or svg; else from OUT's ending
  std::string title;
  bool labels = false;
};

int Usage(const std::string& text) {
  std::cerr << "zolvane-cli: " << text << '\n';
  return 2;
}

// Qt's notes (a missing runtime folder, fonts) are no concern of a script.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
}

bool EndsWith(const std::string& text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  for (std::size_t i = 0; i < ending.size(); ++i) {
    const char c = text[text.size() - ending.size() + i];
    if (std::tolower(static_cast<unsigned char>(c)) != ending[i]) return false;
  }
  return true;
}

int RunPlot(const PlotOptions& options) {
  std::vector<std::string> names(options.files.begin(), options.files.end() - 1);
  const std::string& output = options.files.back();
  std::string format = options.format;
  std::transform(format.begin(), format.end(), format.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  if (format.empty() && output == "-") format = "png";
  if (format.empty() && EndsWith(output, ".svg")) format = "svg";
  if (format.empty() && EndsWith(output, ".png")) format = "png";
  if (format.empty())
    return Usage("OUT must end in .png or .svg, or --format say which: " + output);
  const bool svg = format == "svg";
  if (options.width < 200 || options.height < 150 || options.width > 20000 ||
      options.height > 20000) {
    return Usage("--width must be 200 to 20000 and --height 150 to 20000");
  }
  std::vector<InputName> inputs;
  std::vector<std::string> paths;
  for (const std::string& name : names) {
    if (SameFile(name, OutputPath(output))) {
      return Fail("the output file must not be an input file: " + output);
    }
    std::optional<InputName> input = TwoPassInput(name);
    if (!input) return 1;
    paths.push_back(input->path);
    inputs.push_back(std::move(*input));
  }

  // Drawing needs a Qt application, but no display.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietQt);
  int argc = 1;
  char name[] = "zolvane-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);

  const QSize size(options.width, options.height);
  std::vector<render::Frame> frames;
  const std::vector<preview::Layer> layers =
      render::LoadForPicture(paths, options.layout, size, frames);
  int status = 0;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const PassResult& result = layers[i].result;
    if (result.status == PassStatus::Failed) {
      status = Fail(FaultText(result.reason, result.line, inputs[i].name) + " (drawn up to there)");
    }
  }
  std::vector<render::Scene> scenes;
  for (const render::Frame& frame : frames) {
    scenes.push_back(render::SceneOf(layers, frame));
    scenes.back().title = options.title;
    scenes.back().labels = options.labels;
  }
  const QByteArray picture = render::Picture(scenes, size, svg);
  OutputFile file(OutputPath(output));
  if (!file.IsOpen()) return WriteFailure(file, output);
  file.Stream().write(picture.constData(), picture.size());
  if (picture.isEmpty() || !file.Commit()) return WriteFailure(file, output);
  return status;
}

}  // namespace

void AddPlotCommands(CLI::App& app, Action& action, const Settings&) {
  auto options = std::make_shared<PlotOptions>();
  CLI::App* plot = app.add_subcommand("plot", std::string(HelperSummary("plot")));
  plot->add_option("--width", options->width, "Picture width in pixels")->capture_default_str();
  plot->add_option("--height", options->height, "Picture height in pixels")->capture_default_str();
  plot->add_option("--in-layout", options->layout,
                   std::string("XYZ layout of point files, guessed when left out: ") + kLayoutHelp)
      ->check(LayoutCode());
  plot->add_option("--layout", options->layout)->check(LayoutCode())->group("");  // old spelling
  plot->add_option("--format", options->format, "png or svg (default: OUT's ending; png for -)")
      ->transform(Choice({"png", "svg"}));
  plot->add_option("--title", options->title, "Text written above the map");
  plot->add_flag("--labels", options->labels,
                 "Write each object's name at its first vertex, leaving out names that would "
                 "overlap");
  plot->add_option("FILES", options->files, "IN [IN2 ...] OUT.png|OUT.svg|-")
      ->required()
      ->expected(2, -1);
  plot->callback([&action, options] { action = [options] { return RunPlot(*options); }; });
}

}  // namespace zolvane::cli
