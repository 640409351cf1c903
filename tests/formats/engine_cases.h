// What the engine tables share: a pass run on a text, its rows of inputs with what it writes or
// where it stops, the lines of what it wrote, and a command flow run on files of a private
// folder, answered from a script.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "core/pass.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zolvane::testing {

// Runs `pass(in, out)` on `input`; returns what the pass returned and the text it wrote.
template <typename Pass>
auto RunPass(const std::string& input, Pass&& pass) {
  std::istringstream in(input);
  std::ostringstream out;
  auto result = pass(in, out);
  return std::pair{std::move(result), out.str()};
}

// The result of a pass alone, for the passes that return more.
inline const PassResult& PassOf(const PassResult& pass) {
  return pass;
}
template <typename Result>
const PassResult& PassOf(const Result& result) {
  return result.pass;
}

// A row of an engine table: an input and what the pass writes when it ends well, or, with a
// line, the reason it stops for at that line.
struct Row {
  std::string input, expected;
  long long line = -1;  // -1: the pass ends well
};

// Runs every row through `pass(in, out)`; a pass that stops writes nothing when `nothing`.
template <typename Pass>
void ExpectRows(Pass&& pass, const std::vector<Row>& rows, bool nothing = false) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input.substr(0, 80));
    const auto [result, out] = RunPass(row.input, pass);
    const PassResult& ran = PassOf(result);
    EXPECT_EQ(ran.status, row.line < 0 ? PassStatus::Done : PassStatus::Failed) << ran.reason;
    if (row.line < 0) {
      EXPECT_EQ(out, row.expected);
    } else {
      EXPECT_EQ(ran.reason, row.expected);
      EXPECT_EQ(ran.line, row.line);
      if (nothing) {
        EXPECT_EQ(out, "");
      }
    }
  }
}

// The lines of a text, without their line ends (CR LF or LF).
inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The file dialogs of a command: the filters and the filter index each dialog opened with.
struct FileDialogs {
  std::string_view filters;  // valid while the Ui lives
  std::vector<int> input, output;
  bool operator==(const FileDialogs&) const = default;
  friend void PrintTo(const FileDialogs& d, std::ostream* os) {
    *os << '"' << d.filters << "\" in " << ::testing::PrintToString(d.input) << " out "
        << ::testing::PrintToString(d.output);
  }
};

inline FileDialogs DialogsOf(const ScriptedServices& ui) {
  return {ui.filters, ui.inputFilterIndices, ui.outputFilterIndices};
}

// The message boxes a command showed: text, title, icon and buttons.
using Shown = std::vector<std::tuple<std::string, std::string, MessageIcon, MessageButtons>>;
inline Shown MessagesOf(const ScriptedServices& ui) {
  Shown shown;
  for (const ShownMessage& m : ui.messages)
    shown.emplace_back(m.text, m.title, m.icon, m.buttons);
  return shown;
}

// A command run as the menu runs it: its file dialogs answered with files of a private folder.
template <typename U = ScriptedUi>
class FlowTest : public ::testing::Test {
 protected:
  // Scripts the two file dialogs of one run; the output is named after the input.
  std::string Files(const std::string& input, const std::string& name = "in.dat") {
    inputPath = dir.Write(name, input);
    outputPath = dir.File("out-" + name);
    ui.inputFiles.push_back(inputPath);
    ui.outputFiles.push_back(outputPath);
    return inputPath;
  }
  std::string Output() const { return TempDir::Read(outputPath); }
  bool OutputExists() const { return std::filesystem::exists(outputPath); }

  TempDir dir;
  U ui;
  RunState state;
  std::string inputPath, outputPath;
};

}  // namespace zolvane::testing
