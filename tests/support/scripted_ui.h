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
  int stopAtProgressCall = 0;  // the progress call that asks to stop; 0: never

  // What the window shows.
  std::string filters;
  std::vector<int> inputFilterIndices, outputFilterIndices;
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
  std::optional<std::string> ChooseInputFile(int index) override {
    inputFilterIndices.push_back(index);
    return Take(inputFiles, "input file");
  }
  std::optional<std::string> ChooseOutputFile(int index) override {
    outputFilterIndices.push_back(index);
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
