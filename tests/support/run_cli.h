// Runs zolvane-cli and collects what it printed and its exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace zolvane::testing {

struct CliRun {
  int status = -1;
  std::string output;  // standard output and error together
};

inline CliRun RunCli(const std::string& arguments) {
  CliRun run;
  const std::string command = std::string(ZOLVANE_CLI) + " " + arguments + " 2>&1";
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

}  // namespace zolvane::testing
