// Runs zolvane-cli and collects what it printed and its exit status.
#pragma once

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace zolvane::testing {

struct CliRun {
  int status = -1;
  std::string output;  // standard output and error together
};

// `text` as one word of a bash script, blanks, quotes and all.
inline std::string ShellWord(const std::string& text) {
  std::string word = "'";
  for (char c : text) {
    if (c == '\'')
      word += "'\\''";
    else
      word += c;
  }
  return word + "'";
}

// Several parts of one text, each found on its own.
template <typename... Part>
inline std::string Parts(const Part&... parts) {
  return ((std::string(parts) + '\x1f') + ...);
}

inline std::vector<std::string> Split(const std::string& parts) {
  std::vector<std::string> split;
  for (std::size_t at = 0; at < parts.size();) {
    const std::size_t end = std::min(parts.find('\x1f', at), parts.size());
    split.push_back(parts.substr(at, end - at));
    at = end + 1;
  }
  return split;
}

// Runs a bash script in which $CLI names zolvane-cli (for pipes and process substitution).
inline CliRun RunBash(const std::string& script) {
  CliRun run;
  const std::string command =
      "CLI=" + ShellWord(ZOLVANE_CLI) + " bash -c " + ShellWord(script) + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    run.output.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

inline CliRun RunCli(const std::string& arguments) {
  return RunBash("\"$CLI\" " + arguments);
}

}  // namespace zolvane::testing
