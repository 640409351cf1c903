// The main window: the menu bar built from the menu tree, the status line, the current file
// names and the "Input Statistics" panel. Commands run one at a time on the UI thread.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/menu_tree.h"
#include "app/qt_ui.h"
#include "core/run_state.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace zolvane {

class HelpWindow;
class PreviewWindow;
class SingleCoordinateDialog;
class Ui;

class Trevil : public QMainWindow {
  Q_OBJECT

 public:
  explicit Trevil(RunState& state, QWidget* parent = nullptr);
  ~Trevil() override;

  QtUi& ui();

  // What a click on a command item does; refused while another command runs.
  void Run(const MenuItem& item);
  bool IsRunning() const { return running_; }
  void RequestStop();
  // Files given on the command line (a file manager's "Open with"), shown in the Preview.
  void OpenInPreview(const std::vector<std::string>& paths);

  // What the Ui services write into the window.
  void ShowStatus(const QString& text);
  void ShowInputFileName(const QString& name);
  void ShowOutputFileName(const QString& name);
  // X Max, Y Max, X min, Y min, Z Max, Z Min.
  void ShowStatistics(const std::array<QString, 6>& values);
  void ShowCount(const QString& count);
  void ShowProgress(std::uint64_t done, std::uint64_t total);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildPanel();
  void ShowHelp();
  void ShowCalculator();
  // The last command's input and output, in the Preview window.
  void ShowPreview();
  void UpdatePreviewButton();

  RunState& state_;
  std::unique_ptr<QtUi> ui_;
  QLabel* status_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* preview_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* inputName_ = nullptr;
  QLabel* outputName_ = nullptr;
  std::array<QLabel*, 6> statistics_{};
  QLabel* count_ = nullptr;
  QPointer<HelpWindow> help_;
  QPointer<PreviewWindow> previewWindow_;
  const MenuItem* lastItem_ = nullptr;  // of the last command run, for its input's format
  QPointer<SingleCoordinateDialog> calculator_;
  bool running_ = false;
  bool exitConfirmed_ = false;
  bool closeAfterRun_ = false;
};

}  // namespace zolvane
