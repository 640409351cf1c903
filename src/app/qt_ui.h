// The Ui services over the main window and real Qt dialogs. Option dialogs are created on
// first use and kept, so they remember their settings for the rest of the run.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>

#include "core/ui.h"

class QWidget;

namespace zolvane {

class Fbna2kmlDialog;
class Fbna2xmlDialog;
class FusformDialog;
class Trevil;
class TranslateDialog;
class XyziDialog;
class XyzoDialog;

// "desc|pattern|desc|pattern" as Qt name filters ("BNA (*.bna)").
QStringList NameFilters(std::string_view filters);

class QtUi : public Ui {
 public:
  explicit QtUi(Trevil& window);
  ~QtUi() override;

  void SetFileFilters(std::string_view filters) override;
  std::optional<std::string> ChooseInputFile(int filterIndex) override;
  std::optional<std::string> ChooseOutputFile(int filterIndex) override;
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

  std::optional<XyzoChoice> Xyzo() override;
  std::optional<XyziChoice> Xyzi() override;
  std::optional<ZoneChoice> ChooseZone() override;
  std::optional<TranslateChoice> Translate() override;

  // The Stop button and Esc: the running pass ends at its next progress report.
  void RequestStop() { stopRequested_ = true; }
  // A new command starts with no stop pending.
  void StartCommand();

 private:
  std::optional<std::string> ChooseFile(int filterIndex, bool forSaving);

  Trevil& window_;
  QStringList nameFilters_;
  QString lastDirectory_;  // where the file dialogs open
  QPointer<XyzoDialog> xyzo_;
  QPointer<XyziDialog> xyzi_;
  QPointer<FusformDialog> fusform_;
  QPointer<TranslateDialog> translate_;
  bool stopRequested_ = false;
  QElapsedTimer sinceEvents_;

  // BNA => KML and BNA => XML.
 public:
  std::optional<KmlChoice> Fbna2kml() override;
  void ForgetFbna2kml() override;
  std::optional<XmlChoice> Fbna2xml() override;
  void ForgetFbna2xml() override;

 private:
  QPointer<Fbna2kmlDialog> fbna2kml_;
  QPointer<Fbna2xmlDialog> fbna2xml_;
};

}  // namespace zolvane
