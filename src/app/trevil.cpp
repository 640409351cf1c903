#include "app/trevil.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "app/dispatch.h"
#include "app/help_window.h"
#include "app/preview_window.h"
#include "app/qt_ui.h"
#include "core/block_pass.h"
#include "dialogs/single_coordinate_dialog.h"

namespace zolvane {
namespace {

QString Caption(const MenuItem& item) {
  return QString::fromUtf8(item.caption.data(), static_cast<qsizetype>(item.caption.size()))
      .replace('&', "&&");
}

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

// The status line: a long text (a fault naming a deep path) breaks over as many lines as it
// needs, anywhere if it must, rather than being cut at the window's edge.
class StatusLine : public QLabel {
 public:
  using QLabel::QLabel;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override {
    const QMargins margins = contentsMargins();
    const int textWidth = std::max(1, width - margins.left() - margins.right() - 2 * margin());
    const QRect needed =
        fontMetrics().boundingRect(QRect(0, 0, textWidth, QWIDGETSIZE_MAX), kWrap, text());
    return std::max(needed.height(), fontMetrics().height()) + margins.top() + margins.bottom() +
           2 * margin();
  }
  QSize minimumSizeHint() const override { return {0, heightForWidth(width())}; }
  QSize sizeHint() const override { return {QLabel::sizeHint().width(), heightForWidth(width())}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(
        contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin())),
        kWrap | Qt::AlignLeft | Qt::AlignVCenter, text());
  }

 private:
  static constexpr int kWrap = Qt::TextWrapAnywhere;
};

}  // namespace

Trevil::Trevil(RunState& state, QWidget* parent)
    : QMainWindow(parent), state_(state), ui_(std::make_unique<QtUi>(*this)) {
  setObjectName("Trevil");
  setWindowTitle("ZOLVANE 8.05");
  BuildMenus();
  setCentralWidget(BuildPanel());
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &Trevil::RequestStop);
}

Trevil::~Trevil() = default;

QtUi& Trevil::ui() {
  return *ui_;
}

void Trevil::BuildMenus() {
  // The menu each depth adds to: the menu bar's entries hold depth 1, submenus depth 2.
  std::vector<QMenu*> parents(3, nullptr);
  for (const MenuItem& item : MenuTree()) {
    QMenu* parent = item.depth > 0 ? parents[item.depth - 1] : nullptr;
    const QString name = QString::fromStdString(ObjectName(item));
    QAction* action = nullptr;
    switch (item.kind) {
      case MenuKind::TopMenu:
      case MenuKind::Submenu: {
        QMenu* menu = parent ? parent->addMenu(Caption(item)) : menuBar()->addMenu(Caption(item));
        menu->setObjectName(name);
        parents[item.depth] = menu;
        action = menu->menuAction();
        // Opening a menu is a click on its item: Transform blanks the file names, the
        // fil2fil submenus reset the state for the command to come.
        connect(menu, &QMenu::aboutToShow, this, [this, &item] {
          if (!running_) OpenMenu(item, state_, *ui_);
        });
        break;
      }
      case MenuKind::Command:
        action = parent ? parent->addAction(Caption(item)) : menuBar()->addAction(Caption(item));
        connect(action, &QAction::triggered, this, [this, &item] { Run(item); });
        break;
      case MenuKind::Separator:
        action = parent->addSeparator();
        break;
    }
    action->setObjectName(name);
    action->setVisible(item.visible);
    action->setEnabled(IsEnabled(item));
  }
}

QWidget* Trevil::BuildPanel() {
  auto* panel = new QWidget(this);

  status_ = new StatusLine("STATUS", panel);
  status_->setObjectName("status");
  status_->setStyleSheet("QLabel { background-color: #C0FFC0; color: #0000FF; padding: 2px; }");
  // A long message must not widen the window.
  status_->setMinimumWidth(320);
  QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  status_->setSizePolicy(policy);
  stop_ = new QPushButton("Stop", panel);
  stop_->setObjectName("stop");
  stop_->setToolTip("Stops the running conversion (Esc)");
  stop_->setEnabled(false);
  stop_->setFocusPolicy(Qt::NoFocus);
  connect(stop_, &QPushButton::clicked, this, &Trevil::RequestStop);
  preview_ = new QPushButton("Preview", panel);
  preview_->setObjectName("previewButton");
  preview_->setToolTip("Shows the input in grey and the output in colour");
  preview_->setEnabled(false);
  preview_->setFocusPolicy(Qt::NoFocus);
  connect(preview_, &QPushButton::clicked, this, &Trevil::ShowPreview);
  progress_ = new QProgressBar(panel);
  progress_->setObjectName("progress");
  progress_->setRange(0, 1000);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  progress_->setMaximumWidth(120);
  auto* statusRow = new QHBoxLayout;
  statusRow->addWidget(status_, 1);
  statusRow->addWidget(stop_);
  statusRow->addWidget(preview_);
  statusRow->addWidget(progress_);

  inputName_ = NamedLabel("Label1_0", QString(), panel);
  outputName_ = NamedLabel("Label1_1", QString(), panel);
  for (QLabel* name : {inputName_, outputName_}) {
    name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  }
  auto* files = new QGridLayout;
  files->addWidget(NamedLabel("Label1_2", "Input: ", panel), 0, 0);
  files->addWidget(inputName_, 0, 1);
  files->addWidget(NamedLabel("Label1_3", "Output: ", panel), 1, 0);
  files->addWidget(outputName_, 1, 1);
  files->setColumnStretch(1, 1);

  // The statistics lie out like a map sketch: Y at the top, X across the middle.
  auto* shape = new QFrame(panel);
  shape->setObjectName("Shape1");
  shape->setFrameShape(QFrame::Box);
  const char* const valueNames[] = {"Label4_2", "Label4_3", "Label4_4",
                                    "Label4_5", "Label4_6", "Label4_7"};
  for (int i = 0; i < 6; ++i) {
    statistics_[i] = NamedLabel(valueNames[i], QString(), shape);
    statistics_[i]->setMinimumWidth(110);
  }
  count_ = NamedLabel("Label3_3", QString(), shape);
  count_->setMinimumWidth(110);
  const auto caption = [shape](const char* name, const char* text) {
    auto* label = NamedLabel(name, text, shape);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
  };
  auto* grid = new QGridLayout(shape);
  grid->addWidget(NamedLabel("Label2", "Input Statistics:", shape), 0, 0, 1, 4);
  grid->addWidget(caption("Label1_11", "Y Max:"), 1, 1);
  grid->addWidget(statistics_[1], 1, 2);
  grid->addWidget(caption("Label1_10", "Y min:"), 2, 1);
  grid->addWidget(statistics_[3], 2, 2);
  grid->addWidget(caption("Label1_13", "X Max:"), 3, 0);
  grid->addWidget(statistics_[0], 3, 1);
  grid->addWidget(statistics_[2], 3, 2, Qt::AlignRight);
  grid->addWidget(NamedLabel("Label1_12", "X min:", shape), 3, 3);
  grid->addWidget(caption("Label1_14", "Z Max:"), 4, 0);
  grid->addWidget(statistics_[4], 4, 1);
  grid->addWidget(caption("Label1_15", "Z Min:"), 4, 2);
  grid->addWidget(statistics_[5], 4, 3);
  grid->addWidget(caption("Label1_7", "# points"), 5, 0);
  grid->addWidget(count_, 5, 1);
  statistics_[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  auto* layout = new QVBoxLayout(panel);
  layout->addLayout(statusRow);
  layout->addLayout(files);
  layout->addWidget(shape);
  layout->addStretch();
  return panel;
}

void Trevil::Run(const MenuItem& item) {
  // Commands yield to the event loop while they run; a second one must wait.
  if (running_) return;
  running_ = true;
  // The files the Preview would read are being chosen or written.
  UpdatePreviewButton();
  menuBar()->setEnabled(false);
  if (calculator_) calculator_->setEnabled(false);
  stop_->setEnabled(true);
  progress_->setValue(0);
  ui_->StartCommand();

  lastItem_ = &item;
  state_.Threads = AllCores();
  const DispatchOutcome outcome = Dispatch(item, state_, *ui_);
  // Progress reports are thinned, so the last one seldom lands on the end.
  progress_->setValue(ui_->OutputWasCompleted() ? progress_->maximum() : 0);

  stop_->setEnabled(false);
  if (calculator_) calculator_->setEnabled(true);
  menuBar()->setEnabled(true);
  running_ = false;
  UpdatePreviewButton();

  switch (outcome) {
    case DispatchOutcome::ShowHelp:
      ShowHelp();
      break;
    case DispatchOutcome::ShowCalculator:
      ShowCalculator();
      break;
    case DispatchOutcome::Quit:
      exitConfirmed_ = true;
      close();
      break;
    case DispatchOutcome::Done:
      break;
  }
  if (closeAfterRun_) {
    closeAfterRun_ = false;
    QTimer::singleShot(0, this, &QWidget::close);
  }
}

void Trevil::UpdatePreviewButton() {
  preview_->setEnabled(!running_ &&
                       (!state_.InputFileName.empty() || !state_.OutputFileName.empty()));
}

void Trevil::ShowPreview() {
  const RunPreview run = RunFiles(state_, lastItem_);
  // Files it cannot draw are still named in its legend.
  if (run.files.empty() && run.note.empty()) return;
  if (!previewWindow_) previewWindow_ = new PreviewWindow(this);
  previewWindow_->show();
  previewWindow_->raise();
  // The zone the last command projected into, for its input in degrees.
  std::optional<double> meridian;
  if (state_.UtmZone >= 1 && state_.UtmZone <= 60) meridian = state_.CentralMeridian;
  previewWindow_->ShowFiles(run.files, meridian, run.note);
}

void Trevil::OpenInPreview(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  if (!previewWindow_) previewWindow_ = new PreviewWindow(this);
  previewWindow_->show();
  previewWindow_->raise();
  previewWindow_->ShowFiles(paths);
}

void Trevil::RequestStop() {
  if (running_) ui_->RequestStop();
}

void Trevil::ShowHelp() {
  if (!help_) help_ = new HelpWindow(this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void Trevil::ShowCalculator() {
  if (!calculator_) calculator_ = new SingleCoordinateDialog(state_, this);
  calculator_->show();
  calculator_->raise();
  calculator_->activateWindow();
}

void Trevil::ShowStatus(const QString& text) {
  status_->setText(text);
  status_->setToolTip(text);
  status_->updateGeometry();
  status_->repaint();
}

void Trevil::ShowInputFileName(const QString& name) {
  inputName_->setText(name);
}

void Trevil::ShowOutputFileName(const QString& name) {
  outputName_->setText(name);
}

void Trevil::ShowStatistics(const std::array<QString, 6>& values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    statistics_[i]->setText(values[i]);
  repaint();
}

void Trevil::ShowCount(const QString& count) {
  count_->setText(count);
}

void Trevil::ShowProgress(std::uint64_t done, std::uint64_t total) {
  const double part = total == 0 ? 0 : static_cast<double>(done) / static_cast<double>(total);
  progress_->setValue(static_cast<int>(std::min(part, 1.0) * 1000));
}

void Trevil::closeEvent(QCloseEvent* event) {
  if (running_) {
    // The command on the stack must end first; the window asks again once it has.
    ui_->RequestStop();
    closeAfterRun_ = true;
    event->ignore();
    return;
  }
  if (!exitConfirmed_ && !ConfirmExit(*ui_)) {
    event->ignore();
    return;
  }
  exitConfirmed_ = false;
  if (calculator_) calculator_->close();
  if (help_) help_->close();
  event->accept();
}

}  // namespace zolvane
