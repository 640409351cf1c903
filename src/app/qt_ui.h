// The Ui services over the main window and real Qt dialogs. Option dialogs are created on
// first use and kept, so they remember their settings for the rest of the run.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>

#include "core/ui.h"
#include "crs/crs_questions.h"
#include "formats/bna/bna_questions.h"
#include "formats/format_questions.h"
#include "formats/xyz/transform_questions.h"
#include "formats/xyz/xyz_questions.h"
#include "gis/gis_questions.h"
#include "survey/survey_questions.h"

class QWidget;

namespace zolvane {

class ColumnExtractionDialog;
class CrsDialog;
class DistanceTimeDialog;
class FilterDialog;
class InputOptionsDialog;
class InterpolationDialog;
class KingdomNavigationDialog;
class KmlStyleDialog;
class LaybackDialog;
class OutputOptionsDialog;
class ParallelDialog;
class ProfileDxfDialog;
class RotateDialog;
class SurveyDateDialog;
class SwathDialog;
class TranslateDialog;
class Trevil;
class XmlMarkersDialog;
class ZoneDialog;

// "desc|pattern|desc|pattern" as Qt name filters ("BNA (*.bna)").
QStringList NameFilters(std::string_view filters);

class QtUi : public Ui,
             public XyzQuestions,
             public GeoQuestions,
             public FormatQuestions,
             public BnaQuestions,
             public SurveyQuestions,
             public CrsQuestions,
             public GisQuestions {
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

  std::optional<OutputOptionsChoice> OutputOptions() override;
  std::optional<InputOptionsChoice> InputOptions() override;

  std::optional<ZoneChoice> ChooseZone() override;
  std::optional<TranslateChoice> Translate() override;

  std::optional<VecLayerChoice> VecLayer() override;
  std::optional<KingdomNavigationChoice> KingdomNavigation(bool keepValues) override;
  std::optional<ColumnExtractionChoice> ColumnExtraction() override;
  std::optional<ProfileDxfChoice> ProfileDxf() override;

  std::optional<KmlStyleChoice> KmlStyle() override;
  void ForgetKmlStyle() override;
  std::optional<XmlMarkersChoice> XmlMarkers() override;
  void ForgetXmlMarkers() override;

  std::optional<DistanceTimeChoice> DistanceTime() override;
  std::optional<ParallelChoice> Parallel() override;
  std::optional<RotateChoice> Rotate() override;
  void Interpolation() override;
  std::optional<FilterChoice> Filter(bool clipping) override;
  std::optional<SwathChoice> Swath() override;
  std::optional<LaybackChoice> Layback() override;
  std::optional<SurveyDateChoice> SurveyDate() override;

  std::optional<CrsChoice> ChooseCrs() override;
  std::optional<GisChoice> ChooseGis(const GisRequest& request) override;

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
  bool stopRequested_ = false;
  QElapsedTimer sinceEvents_;

  QPointer<OutputOptionsDialog> outputOptions_;
  QPointer<InputOptionsDialog> inputOptions_;
  QPointer<ZoneDialog> zone_;
  QPointer<TranslateDialog> translate_;
  // Kingdom Suite: kept between GO presses of one command.
  QPointer<KingdomNavigationDialog> kingdomNavigation_;
  QPointer<ColumnExtractionDialog> columnExtraction_;
  QPointer<ProfileDxfDialog> profileDxf_;
  QPointer<KmlStyleDialog> kmlStyle_;
  QPointer<XmlMarkersDialog> xmlMarkers_;
  QPointer<DistanceTimeDialog> distanceTime_;
  QPointer<ParallelDialog> parallel_;
  QPointer<RotateDialog> rotate_;
  QPointer<InterpolationDialog> interpolation_;
  QPointer<FilterDialog> filter_;
  QPointer<SwathDialog> swath_;
  QPointer<LaybackDialog> layback_;
  QPointer<SurveyDateDialog> surveyDate_;
  QPointer<CrsDialog> crs_;
};

}  // namespace zolvane
