// The services a command asks of the user interface. The main window implements them with
// real widgets; tests answer them from a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/run_state.h"

namespace zolvane {

enum class MessageIcon { None, Exclamation, Information, Question, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class Ui {
 public:
  virtual ~Ui() = default;

  // File dialogs. The filter list is "description|pattern|description|pattern..."; the
  // output dialog uses the list last set. An empty title leaves the toolkit's own ("Open",
  // "Save As"). An empty optional means Cancel.
  virtual void SetFileFilters(std::string_view filters) = 0;
  virtual std::optional<std::string> ChooseInputFile(int filterIndex, std::string_view title) = 0;
  virtual std::optional<std::string> ChooseOutputFile(int filterIndex, std::string_view title) = 0;

  virtual MessageAnswer Message(std::string_view text, std::string_view title, MessageIcon icon,
                                MessageButtons buttons, MessageAnswer defaultAnswer) = 0;
  // The typed text, or an empty text on Cancel.
  virtual std::string InputBox(std::string_view prompt, std::string_view title,
                               std::string_view defaultText) = 0;
  // A colour with red in the low byte, then green, then blue; empty on Cancel.
  virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) = 0;

  // The main window.
  virtual void SetStatus(std::string_view text) = 0;
  virtual void SetInputFileName(std::string_view name) = 0;
  virtual void SetOutputFileName(std::string_view name) = 0;
  virtual void ShowStatistics(const Statistics& statistics) = 0;
  virtual void SetProgressCount(long long count) = 0;
  // How far a pass has read; lets the window breathe. False when the user asked to stop.
  virtual bool Progress(std::uint64_t done, std::uint64_t total) = 0;
  // The command's output is in place. A command that ends without saying so has failed, was
  // stopped or was cancelled; the window shows which way it ended.
  virtual void OutputCompleted() {}
};

// The dialogs a command family asks beyond these services are its own interface, which a Ui
// implements beside Ui. A Ui without them cannot run that family's commands: the status line
// says so and the command ends as on Cancel.
template <class Questions>
Questions* QuestionsOf(Ui& ui) {
  auto* questions = dynamic_cast<Questions*>(&ui);
  if (!questions) ui.SetStatus(" Error: this window cannot ask what the command needs ");
  return questions;
}

// One of a family's questions; empty, as on Cancel, when the Ui cannot ask it.
template <class Questions, class Answer, class... Params, class... Args>
std::optional<Answer> Ask(Ui& ui, std::optional<Answer> (Questions::*question)(Params...),
                          Args&&... args) {
  Questions* questions = QuestionsOf<Questions>(ui);
  if (!questions) return std::nullopt;
  return (questions->*question)(std::forward<Args>(args)...);
}

}  // namespace zolvane
