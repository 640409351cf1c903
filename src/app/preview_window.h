// The Preview window: the files of the last command, or any file opened or dropped on it,
// drawn in one view, or one frame at a time when some are in degrees and others in metres.
// Files are read in a background thread, never written.
#pragma once

#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/menu_tree.h"
#include "preview/load.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QTimer;

namespace zolvane {

class PreviewView;

// How the last command read or wrote one of its files: in a format the Preview draws, in one
// it does not draw (named), not at all, or in one only the file's contents tell.
struct CommandFile {
  enum class Kind { Drawn, NotDrawn, None, Guessed };
  Kind kind = Kind::None;
  preview::Format format = preview::Format::Xyz;  // drawn
  std::string_view name = {};                     // not drawn
  preview::Columns columns = {};                  // of a drawn CSV file
};
struct CommandFormats {
  CommandFile input;
  CommandFile output{CommandFile::Kind::Guessed};
};
// The formats `item`'s command read its input file `input` in and wrote its output in.
CommandFormats CommandFileFormats(const MenuItem& item, const std::string& input,
                                  const RunState& state);

// The files of the last run as the Preview reads them: the input as `last` read it, then the
// output as it wrote it; and what the legend says of a file left out.
struct RunPreview {
  std::vector<preview::Source> files;
  std::string note;
};
RunPreview RunFiles(const RunState& state, const MenuItem* last);

class PreviewWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewWindow(QWidget* parent = nullptr);
  ~PreviewWindow() override;

  // Shows the files, the first in grey when there are several. With `meridian`, files in
  // degrees beside files in metres are drawn in the metres of that meridian's UTM zone.
  // `note` goes into the legend.
  void ShowFiles(const std::vector<preview::Source>& sources, std::optional<double> meridian = {},
                 const std::string& note = {});
  // Files whose format and layout are guessed from their first lines.
  void ShowFiles(const std::vector<std::string>& paths);
  bool IsLoading() const { return loading_; }
  const std::vector<preview::Layer>& Layers() const { return *layers_; }
  // The layers' frames; the one shown.
  const std::vector<std::vector<std::size_t>>& Frames() const { return frames_; }
  std::size_t FrameShown() const { return frame_; }
  const PreviewView& View() const { return *view_; }

 signals:
  void loaded();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Reads the sources again: surveyed and fitted anew, or only reduced for the view shown.
  void Load(bool survey);
  struct Reading;
  // `view` empty: fitted to the files.
  void Loaded(const std::shared_ptr<Reading>& reading, unsigned generation);
  void ViewChanged();
  void OpenFiles();
  void FrameChosen();
  void StopWorker();
  // One layout box per XYZ file.
  void MakeLayoutBoxes();

  PreviewView* view_ = nullptr;
  QHBoxLayout* layouts_ = nullptr;
  QComboBox* frameBox_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* position_ = nullptr;
  QTimer* settle_ = nullptr;  // reloads once the view stops moving

  std::vector<preview::Source> sources_;
  std::optional<double> meridian_;
  std::shared_ptr<const std::vector<preview::Layer>> layers_;
  std::vector<std::vector<std::size_t>> frames_;
  std::size_t frame_ = 0;
  bool frameChosen_ = false;  // by the user; else the frame of the last file
  preview::Bounds held_;      // the area the held layers were reduced for
  std::thread worker_;
  std::atomic<bool> cancel_{false};
  unsigned generation_ = 0;
  bool loading_ = false;
};

}  // namespace zolvane
