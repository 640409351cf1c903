#include "app/preview_window.h"

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

#include "app/preview_view.h"
#include "core/files.h"

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

}  // namespace

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
  layout_ = new QComboBox(this);
  layout_->setObjectName("layout");
  layout_->setToolTip("XYZ layout: tens 1 comma, 2 blank, 3 tab; units 1 XYZ, 2 YXZ, 3 XY, 4 YX");
  for (int code : kLayoutCodes)
    layout_->addItem(QString::number(code), code);
  layout_->setEnabled(false);
  connect(layout_, &QComboBox::activated, this, &PreviewWindow::LayoutChosen);
  progress_ = new QProgressBar(this);
  progress_->setObjectName("progress");
  progress_->setRange(0, 1000);
  progress_->setTextVisible(false);
  progress_->setMaximumWidth(160);
  auto* tools = new QHBoxLayout;
  tools->addWidget(open);
  tools->addWidget(fit);
  tools->addWidget(new QLabel("XYZ layout:", this));
  tools->addWidget(layout_);
  tools->addStretch();
  tools->addWidget(progress_);

  view_ = new PreviewView(this);
  connect(fit, &QPushButton::clicked, view_, &PreviewView::Fit);
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

void PreviewWindow::ShowFiles(const std::vector<std::string>& paths,
                              const std::vector<int>& layouts) {
  sources_.clear();
  int shownLayout = 0;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    sources_.push_back(preview::Source::Of(paths[i], i < layouts.size() ? layouts[i] : 0));
    if (sources_.back().format == preview::Format::Xyz && shownLayout == 0) {
      shownLayout = sources_.back().layout;
    }
  }
  layout_->setEnabled(shownLayout != 0);
  if (shownLayout != 0) layout_->setCurrentIndex(layout_->findData(shownLayout));
  setWindowTitle(
      QString("Preview - %1").arg(QString::fromStdString(paths.empty() ? "" : paths.back())));
  Load(true);
}

void PreviewWindow::Load(bool survey) {
  StopWorker();
  ++generation_;
  loading_ = true;
  progress_->setValue(0);
  status_->setText("Reading...");
  const QRect area = view_->Area();
  const QSize pixels(area.width(), area.height());
  // Zoomed or panned views are reduced over twice their extent, so that small moves need
  // no reading.
  preview::Bounds view = survey ? preview::Bounds{} : view_->View();
  const std::vector<preview::Source> sources = sources_;
  auto surveyed = std::make_shared<std::vector<preview::Layer>>(*layers_);
  const unsigned generation = generation_;
  std::uint64_t total = 0;
  for (const preview::Source& source : sources)
    total += InputFile(source.path).Size();

  worker_ = std::thread([this, sources, surveyed, survey, view, pixels, generation, total] {
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
    std::vector<preview::Layer>& layers = *surveyed;
    if (survey) {
      layers.clear();
      for (const preview::Source& source : sources) {
        layers.push_back(preview::SurveyFile(source, progress));
        before += InputFile(source.path).Size();
      }
      ++pass;
      before = 0;
    }
    preview::Bounds shown = view;
    preview::Bounds held;
    int columns = pixels.width(), rows = pixels.height();
    if (shown.Empty()) {
      shown = held = preview::Fit(preview::ExtentOf(layers), columns, rows);
    } else {
      held = {shown.xMin - shown.Width() / 2, shown.xMax + shown.Width() / 2,
              shown.yMin - shown.Height() / 2, shown.yMax + shown.Height() / 2};
      columns *= 2;
      rows *= 2;
    }
    for (std::size_t i = 0; i < sources.size() && !cancel_; ++i) {
      preview::ReduceFile(sources[i], {held, columns, rows}, layers[i], progress);
      before += InputFile(sources[i].path).Size();
    }
    if (cancel_) return;
    QMetaObject::invokeMethod(
        this,
        [this, surveyed, shown, held, generation, survey] {
          Loaded(surveyed, survey ? preview::Bounds{} : shown, held, generation);
        },
        Qt::QueuedConnection);
  });
}

void PreviewWindow::Loaded(std::shared_ptr<std::vector<preview::Layer>> layers,
                           preview::Bounds view, preview::Bounds held, unsigned generation) {
  if (generation != generation_) return;
  if (worker_.joinable()) worker_.join();
  loading_ = false;
  layers_ = std::move(layers);
  held_ = held;
  progress_->setValue(1000);
  status_->setText(Summary(*layers_));
  // An empty view is fitted to the window as it is now.
  const QSignalBlocker quiet(view_);
  view_->SetView(view);
  view_->SetLayers(layers_);
  emit loaded();
}

void PreviewWindow::ViewChanged() {
  if (loading_ || sources_.empty() || layers_->empty()) return;
  const preview::Bounds& view = view_->View();
  const bool inside = view.xMin >= held_.xMin && view.xMax <= held_.xMax &&
                      view.yMin >= held_.yMin && view.yMax <= held_.yMax;
  const double cell = (*layers_)[0].cellWidth;
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
  ShowFiles(paths, {});
}

void PreviewWindow::LayoutChosen() {
  const int code = layout_->currentData().toInt();
  for (preview::Source& source : sources_) {
    if (source.format == preview::Format::Xyz) source.layout = code;
  }
  Load(true);
}

void PreviewWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void PreviewWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  if (!paths.empty()) ShowFiles(paths, {});
}

}  // namespace zolvane
