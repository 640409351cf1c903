// A Ui that answers every dialog from a script and records what the window would show, so
// command flows run without a window. ScriptedServices has only the services every command
// shares; ScriptedUi asks every family's questions too.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/ui.h"
#include "crs/crs_questions.h"
#include "formats/bna/bna_questions.h"
#include "formats/format_questions.h"
#include "formats/xyz/transform_questions.h"
#include "formats/xyz/xyz_questions.h"
#include "gis/gis_questions.h"
#include "survey/survey_questions.h"

namespace zolvane::testing {

struct ShownMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
  MessageButtons buttons;
};

class ScriptedServices : public Ui {
 public:
  // Answers, taken in order; an empty optional is Cancel. A dialog asked for with no
  // answer left is answered with Cancel and noted in `unanswered`.
  std::deque<std::optional<std::string>> inputFiles;
  std::deque<std::optional<std::string>> outputFiles;
  std::deque<MessageAnswer> messageAnswers;  // default answer when empty
  std::deque<std::string> inputBoxAnswers;
  int stopAtProgressCall = 0;  // the progress call that asks to stop; 0: never

  // What the window shows.
  std::string filters;
  std::vector<int> inputFilterIndices, outputFilterIndices;
  std::vector<std::string> fileDialogTitles;  // in the order asked; empty: the toolkit's own
  std::vector<ShownMessage> messages;
  std::vector<std::string> statusHistory;
  std::string status = "STATUS";
  std::string inputFileName, outputFileName;
  std::optional<Statistics> shownStatistics;
  long long progressCount = -1;
  int progressCalls = 0;
  std::vector<std::string> unanswered;

  void SetFileFilters(std::string_view f) override { filters = f; }
  std::optional<std::string> ChooseInputFile(int index, std::string_view title) override {
    inputFilterIndices.push_back(index);
    fileDialogTitles.emplace_back(title);
    return Take(inputFiles, "input file");
  }
  std::optional<std::string> ChooseOutputFile(int index, std::string_view title) override {
    outputFilterIndices.push_back(index);
    fileDialogTitles.emplace_back(title);
    return Take(outputFiles, "output file");
  }
  MessageAnswer Message(std::string_view text, std::string_view title, MessageIcon icon,
                        MessageButtons buttons, MessageAnswer defaultAnswer) override {
    messages.push_back({std::string(text), std::string(title), icon, buttons});
    if (messageAnswers.empty()) return defaultAnswer;
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
  }
  std::string InputBox(std::string_view, std::string_view, std::string_view) override {
    if (inputBoxAnswers.empty()) return {};
    std::string answer = inputBoxAnswers.front();
    inputBoxAnswers.pop_front();
    return answer;
  }
  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override { return initial; }
  void SetStatus(std::string_view text) override {
    status = text;
    statusHistory.push_back(status);
  }
  void SetInputFileName(std::string_view name) override { inputFileName = name; }
  void SetOutputFileName(std::string_view name) override { outputFileName = name; }
  void ShowStatistics(const Statistics& s) override { shownStatistics = s; }
  void SetProgressCount(long long count) override { progressCount = count; }
  bool Progress(std::uint64_t, std::uint64_t) override {
    ++progressCalls;
    return stopAtProgressCall == 0 || progressCalls < stopAtProgressCall;
  }

 protected:
  // The next answer; Cancel, noted in `unanswered`, when the script has none left.
  template <typename T>
  std::optional<T> Take(std::deque<std::optional<T>>& answers, const char* what) {
    if (answers.empty()) {
      unanswered.emplace_back(what);
      return std::nullopt;
    }
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class ScriptedUi : public ScriptedServices,
                   public XyzQuestions,
                   public GeoQuestions,
                   public FormatQuestions,
                   public BnaQuestions,
                   public SurveyQuestions,
                   public CrsQuestions,
                   public GisQuestions {
 public:
  // XYZ layouts.
  std::deque<std::optional<OutputOptionsChoice>> outputOptionsAnswers;
  std::deque<std::optional<InputOptionsChoice>> inputOptionsAnswers;
  int outputOptionsShown = 0, inputOptionsShown = 0;
  std::optional<OutputOptionsChoice> OutputOptions() override {
    ++outputOptionsShown;
    return Take(outputOptionsAnswers, "output options");
  }
  std::optional<InputOptionsChoice> InputOptions() override {
    ++inputOptionsShown;
    return Take(inputOptionsAnswers, "input options");
  }

  // Zone and translation.
  std::deque<std::optional<ZoneChoice>> zoneAnswers;
  std::deque<std::optional<TranslateChoice>> translateAnswers;
  int zoneShown = 0;
  std::optional<ZoneChoice> ChooseZone() override {
    ++zoneShown;
    return Take(zoneAnswers, "zone");
  }
  std::optional<TranslateChoice> Translate() override {
    return Take(translateAnswers, "translate");
  }

  // Miramon VEC, Kingdom Suite, column extraction and Didger.dxf > Real World 3D DXF.
  std::deque<std::optional<VecLayerChoice>> vecLayerAnswers;
  std::deque<std::optional<KingdomNavigationChoice>> kingdomNavigationAnswers;
  std::vector<bool> kingdomKeptValues;
  std::deque<std::optional<ColumnExtractionChoice>> columnExtractionAnswers;
  std::deque<std::optional<ProfileDxfChoice>> profileDxfAnswers;
  std::optional<Statistics> statisticsAtProfileDxf;  // what the panel showed when it opened
  std::optional<VecLayerChoice> VecLayer() override { return Take(vecLayerAnswers, "vec layer"); }
  std::optional<KingdomNavigationChoice> KingdomNavigation(bool keepValues) override {
    kingdomKeptValues.push_back(keepValues);
    return Take(kingdomNavigationAnswers, "kingdom navigation");
  }
  std::optional<ColumnExtractionChoice> ColumnExtraction() override {
    return Take(columnExtractionAnswers, "column extraction");
  }
  std::optional<ProfileDxfChoice> ProfileDxf() override {
    statisticsAtProfileDxf = shownStatistics;
    return Take(profileDxfAnswers, "profile dxf");
  }

  // BNA => KML and BNA => XML.
  std::deque<std::optional<KmlStyleChoice>> kmlStyleAnswers;
  std::deque<std::optional<XmlMarkersChoice>> xmlMarkersAnswers;
  int kmlShown = 0, xmlShown = 0, kmlForgotten = 0, xmlForgotten = 0;
  std::optional<KmlStyleChoice> KmlStyle() override {
    ++kmlShown;
    return Take(kmlStyleAnswers, "kml style");
  }
  void ForgetKmlStyle() override { ++kmlForgotten; }
  std::optional<XmlMarkersChoice> XmlMarkers() override {
    ++xmlShown;
    return Take(xmlMarkersAnswers, "xml markers");
  }
  void ForgetXmlMarkers() override { ++xmlForgotten; }

  // Survey planning and geophysics.
  std::deque<std::optional<DistanceTimeChoice>> distanceTimeAnswers;
  std::deque<std::optional<ParallelChoice>> parallelAnswers;
  std::deque<std::optional<RotateChoice>> rotateAnswers;
  std::deque<std::optional<FilterChoice>> filterAnswers;
  std::deque<std::optional<SwathChoice>> swathAnswers;
  std::deque<std::optional<LaybackChoice>> laybackAnswers;
  std::deque<std::optional<SurveyDateChoice>> surveyDateAnswers;
  int interpolationShown = 0;
  std::vector<bool> filterClipping;
  std::optional<DistanceTimeChoice> DistanceTime() override {
    return Take(distanceTimeAnswers, "distance time");
  }
  std::optional<ParallelChoice> Parallel() override { return Take(parallelAnswers, "parallel"); }
  std::optional<RotateChoice> Rotate() override { return Take(rotateAnswers, "rotate"); }
  void Interpolation() override { ++interpolationShown; }
  std::optional<FilterChoice> Filter(bool clipping) override {
    filterClipping.push_back(clipping);
    return Take(filterAnswers, "filter");
  }
  std::optional<SwathChoice> Swath() override { return Take(swathAnswers, "swath"); }
  std::optional<LaybackChoice> Layback() override { return Take(laybackAnswers, "layback"); }
  std::optional<SurveyDateChoice> SurveyDate() override {
    return Take(surveyDateAnswers, "survey date");
  }

  // Datum change and the GIS menu.
  std::deque<std::optional<CrsChoice>> crsAnswers;
  std::deque<std::optional<GisChoice>> gisAnswers;
  std::optional<CrsChoice> ChooseCrs() override { return Take(crsAnswers, "crs"); }
  std::optional<GisChoice> ChooseGis(const GisRequest&) override { return Take(gisAnswers, "gis"); }
};

}  // namespace zolvane::testing
