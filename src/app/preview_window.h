// The Preview window: the files of the last command, or any file opened or dropped on it,
// drawn in one view. Files are read in a background thread, never written.
#pragma once

#include <QWidget>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "preview/load.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QTimer;

namespace zolvane {

class PreviewView;

class PreviewWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewWindow(QWidget* parent = nullptr);
  ~PreviewWindow() override;

  // Shows the files, the first in grey when there are several; `layouts` holds the XYZ
  // layout code of each (0: guessed from its first lines).
  void ShowFiles(const std::vector<std::string>& paths, const std::vector<int>& layouts);
  bool IsLoading() const { return loading_; }
  const std::vector<preview::Layer>& Layers() const { return *layers_; }
  const PreviewView& View() const { return *view_; }

 signals:
  void loaded();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Reads the sources again: surveyed and fitted anew, or only reduced for the view shown.
  void Load(bool survey);
  // `view` empty: fitted to the files.
  void Loaded(std::shared_ptr<std::vector<preview::Layer>> layers, preview::Bounds view,
              preview::Bounds held, unsigned generation);
  void ViewChanged();
  void OpenFiles();
  void LayoutChosen();
  void StopWorker();

  PreviewView* view_ = nullptr;
  QComboBox* layout_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* position_ = nullptr;
  QTimer* settle_ = nullptr;  // reloads once the view stops moving

  std::vector<preview::Source> sources_;
  std::shared_ptr<const std::vector<preview::Layer>> layers_;
  preview::Bounds held_;  // the area the held layers were reduced for
  std::thread worker_;
  std::atomic<bool> cancel_{false};
  unsigned generation_ = 0;
  bool loading_ = false;
};

}  // namespace zolvane
