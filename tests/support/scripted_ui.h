// A Ui that answers every dialog from a script and records what the window would show, so
// command flows run without a window.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/ui.h"

namespace zolvane::testing {

struct ShownMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
  MessageButtons buttons;
};

class ScriptedUi : public Ui {
 public:
  // Answers, taken in order; an empty optional is Cancel. A dialog asked for with no
  // answer left is answered with Cancel and noted in `unanswered`.
  std::deque<std::optional<std::string>> inputFiles;
  std::deque<std::optional<std::string>> outputFiles;
  std::deque<MessageAnswer> messageAnswers;  // default answer when empty
  std::deque<std::string> inputBoxAnswers;
  std::deque<std::optional<XyzoChoice>> xyzoAnswers;
  std::deque<std::optional<XyziChoice>> xyziAnswers;
  std::deque<std::optional<ZoneChoice>> zoneAnswers;
  std::deque<std::optional<TranslateChoice>> translateAnswers;
  std::deque<std::optional<SwathChoice>> shapoAnswers;
  std::deque<std::optional<LaybackChoice>> laybackAnswers;
  std::deque<std::optional<IgrfDateChoice>> igrfdataAnswers;
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
  int xyzoShown = 0, xyziShown = 0, zoneShown = 0, translateShown = 0;
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
  std::optional<XyzoChoice> Xyzo() override {
    ++xyzoShown;
    return Take(xyzoAnswers, "xyzo");
  }
  std::optional<XyziChoice> Xyzi() override {
    ++xyziShown;
    return Take(xyziAnswers, "xyzi");
  }
  std::optional<ZoneChoice> ChooseZone() override {
    ++zoneShown;
    return Take(zoneAnswers, "zone");
  }
  std::optional<TranslateChoice> Translate() override {
    ++translateShown;
    return Take(translateAnswers, "translate");
  }

  // Miramon VEC and Kingdom Suite dialogs.
  std::deque<std::optional<VecChoice>> vecAnswers;
  std::deque<std::optional<KingdomChoice>> kingdomAnswers;
  std::vector<bool> kingdomKeptValues;
  std::optional<VecChoice> Fbna2vec() override { return Take(vecAnswers, "Fbna2vec"); }
  std::optional<KingdomChoice> Cs2ks(bool keepValues) override {
    kingdomKeptValues.push_back(keepValues);
    return Take(kingdomAnswers, "cs2ks");
  }

  // Column extraction.
  std::deque<std::optional<XyzcChoice>> xyzcAnswers;
  int xyzcShown = 0;
  std::optional<XyzcChoice> Xyzc() override {
    ++xyzcShown;
    return Take(xyzcAnswers, "xyzc");
  }

  // Didger.dxf > Real World 3D DXF.
  std::deque<std::optional<Xy2dxfChoice>> xy2dxfAnswers;
  int xy2dxfShown = 0;
  std::optional<Statistics> statisticsAtXy2dxf;  // what the panel showed when it opened
  std::optional<Xy2dxfChoice> Xy2dxf() override {
    ++xy2dxfShown;
    statisticsAtXy2dxf = shownStatistics;
    return Take(xy2dxfAnswers, "xy2dxf");
  }

  // Distance-time, parallel lines, rotation, interpolator and filters.
  std::deque<std::optional<NavParametersChoice>> calculDistAnswers;
  std::deque<std::optional<ParallelChoice>> parallelAnswers;
  std::deque<std::optional<RotateChoice>> rotateAnswers;
  std::deque<std::optional<FilterChoice>> filtrosAnswers;
  int interpolationShown = 0;
  std::vector<bool> filtrosClipping;
  std::optional<NavParametersChoice> CalculDist() override {
    return Take(calculDistAnswers, "CalculDist");
  }
  std::optional<ParallelChoice> Parallel() override { return Take(parallelAnswers, "parallel"); }
  std::optional<RotateChoice> Rotate() override { return Take(rotateAnswers, "rotate"); }
  std::deque<std::optional<CrsChoice>> crsAnswers;
  std::optional<CrsChoice> ChooseCrs() override { return Take(crsAnswers, "crs"); }
  std::deque<std::optional<GisChoice>> gisAnswers;
  std::vector<GisRequest> gisRequests;
  std::optional<GisChoice> ChooseGis(const GisRequest& request) override {
    gisRequests.push_back(request);
    return Take(gisAnswers, "gis");
  }
  void Interpolation() override { ++interpolationShown; }
  std::optional<FilterChoice> Filtros(bool clipping) override {
    filtrosClipping.push_back(clipping);
    return Take(filtrosAnswers, "filtros");
  }
  // Swath coverage, towed vehicle and IGRF anomaly.
  std::optional<SwathChoice> Shapo() override { return Take(shapoAnswers, "shapo"); }
  std::optional<LaybackChoice> Layback() override { return Take(laybackAnswers, "layback"); }
  std::optional<IgrfDateChoice> Igrfdata() override { return Take(igrfdataAnswers, "igrfdata"); }

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

  // BNA => KML and BNA => XML.
  std::deque<std::optional<KmlChoice>> kmlAnswers;
  std::deque<std::optional<XmlChoice>> xmlAnswers;
  int kmlShown = 0, xmlShown = 0, kmlForgotten = 0, xmlForgotten = 0;
  std::optional<KmlChoice> Fbna2kml() override {
    ++kmlShown;
    return Take(kmlAnswers, "fbna2kml");
  }
  void ForgetFbna2kml() override { ++kmlForgotten; }
  std::optional<XmlChoice> Fbna2xml() override {
    ++xmlShown;
    return Take(xmlAnswers, "fbna2xml");
  }
  void ForgetFbna2xml() override { ++xmlForgotten; }
};

}  // namespace zolvane::testing
