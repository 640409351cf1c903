#include "app/preview_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

#include "app/gis_commands.h"
#include "app/preview_view.h"
#include "core/files.h"
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
#include "survey/igrf.h"
#include "survey/plan_lines.h"
#include "survey/swath_coverage.h"
#include "survey/towed_vehicle.h"
#include "survey/xyz_filters.h"

namespace zolvane {
namespace {

constexpr int kLayoutCodes[] = {11, 12, 13, 14, 21, 22, 23, 24, 31, 32, 33, 34};

// "<reason>: line n of <file>" for every file that ended in a fault.
QString Summary(const std::vector<preview::Layer>& layers) {
  QStringList faults;
  long long objects = 0, vertices = 0;
  for (const preview::Layer& layer : layers) {
    objects += layer.objects;
    vertices += layer.vertices;
    if (layer.result.status == PassStatus::Failed) {
      faults << QString::fromStdString(
          FaultText(layer.result.reason, layer.result.line, layer.path));
    }
  }
  if (!faults.isEmpty()) return faults.join("; ");
  return QString("%1 objects, %2 points").arg(objects).arg(vertices);
}

// The file names of a frame's layers.
QString FrameName(const std::vector<preview::Layer>& layers,
                  const std::vector<std::size_t>& frame) {
  QStringList names;
  for (std::size_t i : frame) {
    const QString path = QString::fromStdString(layers[i].path);
    names << path.mid(static_cast<int>(path.lastIndexOf('/')) + 1);
  }
  return names.join(", ");
}

}  // namespace

CommandFormats CommandFileFormats(const MenuItem& item, const std::string& input,
                                  const RunState& state) {
  using F = preview::Format;
  using K = CommandFile::Kind;
  using Columns = preview::Columns;
  constexpr auto drawn = [](F format, Columns columns = {}) {
    return CommandFile{K::Drawn, format, {}, columns};
  };
  constexpr auto notDrawn = [](std::string_view name) {
    return CommandFile{K::NotDrawn, F::Xyz, name, {}};
  };
  constexpr CommandFile none{}, guessed{K::Guessed};
  if (item.command == &IgnoringIndex<DatumChange>) {
    const CommandFile points = drawn(DatumChangeReadsBna(input) ? F::Bna : F::Xyz);
    return {points, points};
  }
  if (item.command == &ExtractColumnsOrLines) {
    if (state.ExtractionBna) return {drawn(F::Bna), drawn(F::Bna)};
    // Columns are written "x,y[,z]"; lines as they were read.
    if (state.InputXColumn > 0)
      return {drawn(F::Csv, {state.InputXColumn, state.InputYColumn}), drawn(F::Csv, {1, 2})};
    return {notDrawn("text lines"), notDrawn("text lines")};
  }
  if (item.command == &cs2ks) {
    const CommandFile navigation = notDrawn("Kingdom Suite navigation");
    if (state.InputXColumn <= 0) return {notDrawn("CSV"), navigation};
    return {drawn(F::Csv, {state.InputXColumn, state.InputYColumn, 3}), navigation};
  }
  struct Formats {
    CommandFn command;
    int index;  // of the item, for commands whose items read different formats; 0 any
    CommandFile input, output;
  };
  const CommandFile bna = drawn(F::Bna), xyz = drawn(F::Xyz), gmt = drawn(F::Gmt),
                    kml = drawn(F::Kml);
  const CommandFile spectrum = notDrawn("Surfer colour spectrum"), gis = notDrawn("GIS file");
  const Formats kFormats[] = {
      {&BnaToXyz, 0, bna, xyz},
      {&IgnoringIndex<TransformBnaFile>, 0, bna, bna},
      {&BnaToMerlin, 0, bna, notDrawn("Merlin plan")},
      {&BnaToGeosail, 0, bna, notDrawn("Geosail plan")},
      {&BnaToBridgePlan, 0, bna, notDrawn("Bridge plan")},
      {&BnaToVec, 0, bna, drawn(F::Vec)},
      {&BnaToKml, 0, bna, kml},
      {&BnaToXml, 0, bna, drawn(F::Xml)},
      {&BnaToDaf, 0, bna, drawn(F::Daf)},
      {&BnaToAsciiplan, 0, bna, notDrawn("SIS asciiplan")},
      {&BnaToHypack, 0, bna, notDrawn("HYPACK plan")},
      {&RotateBna, 0, bna, bna},
      {&FilterMenu, 2, bna, bna},
      {&DistanceTimeEstimate, 0, bna, notDrawn("distance-time estimate")},
      {&BnaToGisFile, 0, bna, gis},
      {&XyzToBna, 0, xyz, bna},
      {&XyzToGmt, 0, xyz, gmt},
      {&IgnoringIndex<TransformXyzFile>, 0, xyz, xyz},
      {&TranslateXyzFile, 0, xyz, xyz},
      {&FilterMenu, 1, xyz, xyz},
      {&MagneticAnomaly, 0, xyz, xyz},
      {&BnaSwath, 0, xyz, bna},
      {&XyzToGisFile, 0, xyz, gis},
      {&GebcoToGmt, 0, drawn(F::GebcoNames), gmt},
      {&GebcoToXyz, 0, drawn(F::Gebco), xyz},
      {&GebcoToBna, 0, drawn(F::Gebco), bna},
      {&GebcoCentToXyz, 0, drawn(F::GebcoCentennial), xyz},
      {&GebcoCentToBna, 0, drawn(F::GebcoCentennial), bna},
      {&DafToXyz, 0, drawn(F::Daf), xyz},
      {&DafToBna, 0, drawn(F::Daf), bna},
      {&vec2bna, 0, drawn(F::Vec), bna},
      {&MapgenToBna, 0, drawn(F::Mapgen), bna},
      {&SurferGridToGenesis, 0, drawn(F::Grid), notDrawn("Genesis II text")},
      {&XmlToKml, 0, drawn(F::Xml), kml},
      {&Xy2Xyz, 0, drawn(F::Dxf), drawn(F::Dxf)},
      {&PoseidonToSurferGrid, 0, drawn(F::Poseidon), drawn(F::Grid)},
      // Records "X, Y, layback, label" in; a header line, then the ship's and the vehicle's
      // positions out.
      {&TowedVehicle, 0, drawn(F::Csv, {1, 2, 4}), drawn(F::Csv, {3, 4, 0, 1})},
      {&A2BIN, 0, notDrawn("binary points"), xyz},
      // Saved by Surfer in one of four formats the user picks.
      {&ExtractSurferGrid, 0, notDrawn("Surfer map"), guessed},
      {&InvertSurferSpectrum, 0, spectrum, spectrum},
      {&SurferSpectrumToP25, 0, spectrum, notDrawn("Miramon palette")},
      {&GisFileToBna, 0, gis, bna},
      // Lines and circles made from what is typed: an earlier command's input is not theirs.
      {&CreateParallelLines, 0, none, bna},
      {&DrawCircleBna, 0, none, bna},
  };
  for (const Formats& formats : kFormats) {
    if (item.command == formats.command && (formats.index == 0 || formats.index == item.index))
      return {formats.input, formats.output};
  }
  // No files of its own: what an earlier command wrote, as its contents tell.
  return {none, guessed};
}

RunPreview RunFiles(const RunState& state, const MenuItem* last) {
  RunPreview run;
  const CommandFormats formats =
      last ? CommandFileFormats(*last, state.InputFileName, state)
           : CommandFormats{{CommandFile::Kind::Guessed}, {CommandFile::Kind::Guessed}};
  auto add = [&](const std::string& name, int code, int lastCode, const CommandFile& file,
                 std::string_view role) {
    if (name.empty() || name == "-") return;
    const int layout = code != 0 ? code : lastCode;
    switch (file.kind) {
      case CommandFile::Kind::Drawn:
        run.files.push_back(preview::Source::Of(ReadablePath(state, name), layout, file.format));
        run.files.back().columns = file.columns;
        break;
      case CommandFile::Kind::Guessed:
        run.files.push_back(preview::Source::Of(ReadablePath(state, name), layout));
        break;
      case CommandFile::Kind::NotDrawn:
        if (!run.note.empty()) run.note += "; ";
        run.note += std::string(role) + " not drawn: " + std::string(file.name);
        break;
      case CommandFile::Kind::None:
        break;
    }
  };
  add(state.InputFileName, state.InputFormatCode, state.LastInputFormatCode, formats.input,
      "input");
  add(state.OutputFileName, state.OutputFormatCode, state.LastOutputFormatCode, formats.output,
      "output");
  return run;
}

// What a background reading hands back.
struct PreviewWindow::Reading {
  std::vector<preview::Layer> layers;
  std::vector<preview::Source> sources;  // with the meridians the reading chose
  std::vector<std::vector<std::size_t>> frames;
  std::size_t frame = 0;
  preview::Bounds view, held;
};

PreviewWindow::PreviewWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("preview");
  setWindowTitle("Preview");
  setAcceptDrops(true);
  layers_ = std::make_shared<const std::vector<preview::Layer>>();

  auto* open = new QPushButton("Open...", this);
  open->setObjectName("open");
  connect(open, &QPushButton::clicked, this, &PreviewWindow::OpenFiles);
  auto* fit = new QPushButton("Fit", this);
  fit->setObjectName("fit");
  layouts_ = new QHBoxLayout;
  frameBox_ = new QComboBox(this);
  frameBox_->setObjectName("frame");
  frameBox_->setToolTip("Files in degrees and files in metres are shown one frame at a time");
  frameBox_->setVisible(false);
  connect(frameBox_, &QComboBox::activated, this, &PreviewWindow::FrameChosen);
  auto* labels = new QCheckBox("Labels", this);
  labels->setObjectName("labels");
  labels->setToolTip("Each object's name at its first vertex, where names do not overlap");
  progress_ = new QProgressBar(this);
  progress_->setObjectName("progress");
  progress_->setRange(0, 1000);
  progress_->setTextVisible(false);
  progress_->setMaximumWidth(160);
  auto* tools = new QHBoxLayout;
  tools->addWidget(open);
  tools->addWidget(fit);
  tools->addLayout(layouts_);
  tools->addWidget(frameBox_);
  tools->addWidget(labels);
  tools->addStretch();
  tools->addWidget(progress_);

  view_ = new PreviewView(this);
  connect(fit, &QPushButton::clicked, view_, &PreviewView::Fit);
  connect(labels, &QCheckBox::toggled, view_, &PreviewView::SetLabels);
  status_ = new QLabel(this);
  status_->setObjectName("status");
  status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  position_ = new QLabel(this);
  position_->setObjectName("position");
  connect(view_, &PreviewView::pointed, this,
          [this](const QString& position, const QString& object) {
            position_->setText(object.isEmpty() ? position : position + "   " + object);
          });
  settle_ = new QTimer(this);
  settle_->setSingleShot(true);
  settle_->setInterval(250);
  connect(view_, &PreviewView::viewChanged, settle_, qOverload<>(&QTimer::start));
  connect(settle_, &QTimer::timeout, this, &PreviewWindow::ViewChanged);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addWidget(view_, 1);
  layout->addWidget(position_);
  layout->addWidget(status_);
  resize(900, 640);
}

PreviewWindow::~PreviewWindow() {
  StopWorker();
}

void PreviewWindow::StopWorker() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
  cancel_ = false;
}

void PreviewWindow::ShowFiles(const std::vector<std::string>& paths) {
  std::vector<preview::Source> sources;
  for (const std::string& path : paths)
    sources.push_back(preview::Source::Of(path));
  ShowFiles(sources);
}

void PreviewWindow::ShowFiles(const std::vector<preview::Source>& sources,
                              std::optional<double> meridian, const std::string& note) {
  sources_ = sources;
  view_->SetNote(QString::fromStdString(note));
  meridian_ = meridian;
  frameChosen_ = false;
  frames_.clear();
  frameBox_->clear();
  frameBox_->setVisible(false);
  position_->clear();
  MakeLayoutBoxes();
  setWindowTitle(QString("Preview - %1")
                     .arg(QString::fromStdString(sources.empty() ? "" : sources.back().path)));
  Load(true);
}

void PreviewWindow::MakeLayoutBoxes() {
  while (QLayoutItem* item = layouts_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  for (std::size_t i = 0; i < sources_.size(); ++i) {
    if (sources_[i].format != preview::Format::Xyz) continue;
    const QString path = QString::fromStdString(sources_[i].path);
    auto* label = new QLabel(path.mid(static_cast<int>(path.lastIndexOf('/')) + 1) + ":", this);
    auto* box = new QComboBox(this);
    box->setObjectName(QString("layout%1").arg(i));
    box->setToolTip(
        "XYZ layout of this file: tens 1 comma, 2 blank, 3 tab; units 1 XYZ, 2 YXZ, 3 XY, 4 YX");
    for (int code : kLayoutCodes)
      box->addItem(QString::number(code), code);
    box->setCurrentIndex(box->findData(sources_[i].layout));
    connect(box, &QComboBox::activated, this, [this, i, box] {
      sources_[i].layout = box->currentData().toInt();
      Load(true);
    });
    layouts_->addWidget(label);
    layouts_->addWidget(box);
  }
}

void PreviewWindow::Load(bool survey) {
  StopWorker();
  ++generation_;
  loading_ = true;
  progress_->setValue(0);
  progress_->setVisible(true);
  status_->setText("Reading...");
  const QRect area = view_->Area();
  const QSize pixels(area.width(), area.height());
  // Zoomed or panned views are reduced over twice their extent, so that small moves need
  // no reading.
  preview::Bounds view = survey ? preview::Bounds{} : view_->View();
  auto reading = std::make_shared<Reading>();
  reading->sources = sources_;
  reading->layers = *layers_;
  reading->frames = frames_;
  const std::optional<double> meridian = meridian_;
  // Unless the user chose one, the frame of the last file: the output of a command.
  const std::optional<std::size_t> chosen =
      frameChosen_ ? std::optional<std::size_t>(frame_) : std::nullopt;
  const unsigned generation = generation_;
  const std::vector<preview::Source>& sources = reading->sources;
  std::uint64_t total = 0;
  for (const preview::Source& source : sources)
    total += InputFile(source.path).Size();

  worker_ = std::thread([this, reading, survey, view, pixels, generation, total, meridian, chosen] {
    std::vector<preview::Source>& sources = reading->sources;
    using Clock = std::chrono::steady_clock;
    auto last = Clock::now();
    std::uint64_t before = 0;  // bytes of the files already read
    const int passes = survey ? 2 : 1;
    int pass = 0;
    auto progress = [&](long long, std::uint64_t bytes) {
      if (cancel_) return false;
      if (Clock::now() - last > std::chrono::milliseconds(50) && total > 0) {
        last = Clock::now();
        const int value =
            static_cast<int>(1000.0 * (pass * total + before + bytes) / (passes * total));
        QMetaObject::invokeMethod(
            progress_, [this, value] { progress_->setValue(value); }, Qt::QueuedConnection);
      }
      return true;
    };
    std::vector<preview::Layer>& layers = reading->layers;
    if (survey) {
      layers.clear();
      for (const preview::Source& source : sources) {
        layers.push_back(preview::SurveyFile(source, progress));
        before += InputFile(source.path).Size();
      }
      // Degrees beside metres: surveyed again in the metres' zone when it is known.
      std::vector<preview::Source> projected = sources;
      if (meridian && preview::ProjectDegrees(projected, layers, *meridian)) {
        for (std::size_t i = 0; i < sources.size() && !cancel_; ++i) {
          if (projected[i].meridian != sources[i].meridian)
            layers[i] = preview::SurveyFile(projected[i], {});
        }
        sources = projected;
      }
      reading->frames = preview::FramesOf(layers);
      ++pass;
      before = 0;
    }
    const auto& frames = reading->frames;
    std::size_t frame = frames.empty() ? 0 : frames.size() - 1;
    if (chosen && *chosen < frames.size()) {
      frame = *chosen;
    } else {
      for (std::size_t f = 0; f < frames.size(); ++f) {
        if (!frames[f].empty() && frames[f].back() + 1 == layers.size()) frame = f;
      }
    }
    reading->frame = frame;
    const std::vector<std::size_t> none;
    const std::vector<std::size_t>& shownLayers = frames.empty() ? none : frames[frame];
    preview::Bounds shown = view;
    preview::Bounds held;
    int columns = pixels.width(), rows = pixels.height();
    if (shown.Empty()) {
      shown = held = preview::Fit(preview::ExtentOf(layers, shownLayers), columns, rows);
    } else {
      held = {shown.xMin - shown.Width() / 2, shown.xMax + shown.Width() / 2,
              shown.yMin - shown.Height() / 2, shown.yMax + shown.Height() / 2};
      columns *= 2;
      rows *= 2;
    }
    for (std::size_t i : shownLayers) {
      if (cancel_) break;
      preview::ReduceFile(sources[i], {held, columns, rows}, layers[i], progress);
      before += InputFile(sources[i].path).Size();
    }
    if (cancel_) return;
    reading->view = survey ? preview::Bounds{} : shown;
    reading->held = held;
    QMetaObject::invokeMethod(
        this, [this, reading, generation] { Loaded(reading, generation); }, Qt::QueuedConnection);
  });
}

void PreviewWindow::Loaded(const std::shared_ptr<Reading>& reading, unsigned generation) {
  if (generation != generation_) return;
  if (worker_.joinable()) worker_.join();
  loading_ = false;
  sources_ = reading->sources;
  auto layers = std::make_shared<const std::vector<preview::Layer>>(std::move(reading->layers));
  layers_ = layers;
  held_ = reading->held;
  frame_ = reading->frame;
  if (frames_ != reading->frames) {
    frames_ = reading->frames;
    frameBox_->clear();
    for (const std::vector<std::size_t>& frame : frames_)
      frameBox_->addItem(FrameName(*layers_, frame));
    frameBox_->setVisible(frames_.size() > 1);
  }
  frameBox_->setCurrentIndex(static_cast<int>(frame_));
  progress_->setValue(1000);
  progress_->setVisible(false);
  QString summary = Summary(*layers_);
  if (frames_.size() > 1) summary += "; degrees and metres in separate frames";
  status_->setText(summary);
  // An empty view is fitted to the window as it is now.
  const QSignalBlocker quiet(view_);
  view_->SetView(reading->view);
  view_->SetLayers(layers_, frames_.empty() ? std::vector<std::size_t>{} : frames_[frame_]);
  emit loaded();
}

void PreviewWindow::ViewChanged() {
  if (loading_ || sources_.empty() || layers_->empty()) return;
  const preview::Bounds& view = view_->View();
  const bool inside = view.xMin >= held_.xMin && view.xMax <= held_.xMax &&
                      view.yMin >= held_.yMin && view.yMax <= held_.yMax;
  if (frames_.empty() || frames_[frame_].empty()) return;
  const double cell = (*layers_)[frames_[frame_].front()].cellWidth;
  const double needed = view.Width() / std::max(1, view_->Area().width());
  // Zoomed in beyond the held resolution, or moved beyond the held area.
  if (!inside || needed < cell / 1.5) Load(false);
}

void PreviewWindow::OpenFiles() {
  const QStringList names = QFileDialog::getOpenFileNames(this, "Preview files");
  if (names.isEmpty()) return;
  std::vector<std::string> paths;
  for (const QString& name : names)
    paths.push_back(name.toStdString());
  ShowFiles(paths);
}

void PreviewWindow::FrameChosen() {
  frameChosen_ = true;
  frame_ = static_cast<std::size_t>(std::max(0, frameBox_->currentIndex()));
  // Fitted anew to the frame's files.
  view_->SetView({});
  Load(false);
}

void PreviewWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void PreviewWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  if (!paths.empty()) ShowFiles(paths);
}

}  // namespace zolvane
