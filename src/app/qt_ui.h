// The Ui services over the main window and real Qt dialogs. Option dialogs are created on
// first use and kept, so they remember their settings for the rest of the run.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>

#include "core/ui.h"

class QWidget;

namespace zolvane {

class KmlStyleDialog;
class XmlMarkersDialog;
class ZoneDialog;
class SurveyDateDialog;
class LaybackDialog;
class SwathDialog;
class Trevil;
class TranslateDialog;
class InputOptionsDialog;
class OutputOptionsDialog;
class KingdomNavigationDialog;
class ColumnExtractionDialog;
class ProfileDxfDialog;
class DistanceTimeDialog;
class ParallelDialog;
class RotateDialog;
class CrsDialog;
class InterpolationDialog;
class FilterDialog;

// "desc|pattern|desc|pattern" as Qt name filters ("BNA (*.bna)").
QStringList NameFilters(std::string_view filters);

class QtUi : public Ui {
 public:
  explicit QtUi(Trevil& window);
  ~QtUi() override;

  void SetFileFilters(std::string_view filters) override;
  std::optional<std::string> ChooseInputFile(int filterIndex, std::string_view title) override;
  std::optional<std::string> ChooseOutputFile(int filterIndex, std::string_view title) override;
  MessageAnswer Message(std::string_view text, std::string_view title, MessageIcon icon,
                        MessageButtons buttons, MessageAnswer defaultAnswer) override;
  std::string InputBox(std::string_view prompt, std::string_view title,
                       std::string_view defaultText) override;
  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override;

  void SetStatus(std::string_view text) override;
  void SetInputFileName(std::string_view name) override;
  void SetOutputFileName(std::string_view name) override;
  void ShowStatistics(const Statistics& statistics) override;
  void SetProgressCount(long long count) override;
  bool Progress(std::uint64_t done, std::uint64_t total) override;
  void OutputCompleted() override { outputCompleted_ = true; }
  // Whether the command since StartCommand() put its output in place.
  bool OutputWasCompleted() const { return outputCompleted_; }

  std::optional<XyzoChoice> Xyzo() override;
  std::optional<XyziChoice> Xyzi() override;
  std::optional<ZoneChoice> ChooseZone() override;
  std::optional<TranslateChoice> Translate() override;

  // Miramon VEC and Kingdom Suite dialogs.
  std::optional<VecChoice> Fbna2vec() override;
  std::optional<KingdomChoice> Cs2ks(bool keepValues) override;
  // Didger.dxf > Real World 3D DXF.
  std::optional<Xy2dxfChoice> Xy2dxf() override;
  // Distance-time, parallel lines, rotation, interpolator and filters.
  std::optional<NavParametersChoice> CalculDist() override;
  std::optional<ParallelChoice> Parallel() override;
  std::optional<RotateChoice> Rotate() override;
  std::optional<CrsChoice> ChooseCrs() override;
  std::optional<GisChoice> ChooseGis(const GisRequest& request) override;
  void Interpolation() override;
  std::optional<FilterChoice> Filtros(bool clipping) override;
  // Swath coverage, towed vehicle and IGRF anomaly.
  std::optional<SwathChoice> Shapo() override;
  std::optional<LaybackChoice> Layback() override;
  std::optional<IgrfDateChoice> Igrfdata() override;

  // The Stop button and Esc: the running pass ends at its next progress report.
  void RequestStop() { stopRequested_ = true; }
  // A new command starts with no stop pending.
  void StartCommand();

 private:
  std::optional<std::string> ChooseFile(int filterIndex, bool forSaving, std::string_view title);


  Trevil& window_;
  bool outputCompleted_ = false;
  QStringList nameFilters_;
  QString lastDirectory_;  // where the file dialogs open
  QPointer<OutputOptionsDialog> outputOptions_;
  QPointer<InputOptionsDialog> inputOptions_;
  QPointer<ZoneDialog> zone_;
  QPointer<TranslateDialog> translate_;
  QPointer<ProfileDxfDialog> profileDxf_;  // Didger.dxf > Real World 3D DXF
  // Swath coverage, towed vehicle and IGRF anomaly.
  QPointer<SwathDialog> swath_;
  QPointer<LaybackDialog> layback_;
  QPointer<SurveyDateDialog> surveyDate_;
  bool stopRequested_ = false;
  QElapsedTimer sinceEvents_;
  // Kingdom Suite: kept between GO presses of one command.
  QPointer<KingdomNavigationDialog> kingdomNavigation_;

 public:
  // Column extraction.
  std::optional<XyzcChoice> Xyzc() override;

 private:
  QPointer<ColumnExtractionDialog> columnExtraction_;
  // Distance-time, parallel lines, rotation, interpolator and filters.
  QPointer<DistanceTimeDialog> distanceTime_;
  QPointer<ParallelDialog> parallel_;
  QPointer<RotateDialog> rotate_;
  QPointer<CrsDialog> crs_;
  QPointer<InterpolationDialog> interpolation_;
  QPointer<FilterDialog> filter_;

  // BNA => KML and BNA => XML.
 public:
  std::optional<KmlChoice> Fbna2kml() override;
  void ForgetFbna2kml() override;
  std::optional<XmlChoice> Fbna2xml() override;
  void ForgetFbna2xml() override;

 private:
  QPointer<KmlStyleDialog> kmlStyle_;
  QPointer<XmlMarkersDialog> xmlMarkers_;
};

}  // namespace zolvane
