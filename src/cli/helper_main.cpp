// The main of a helper program: only its own group of subcommands, run as zolvane-cli runs
// them (the group's function is named by the build).
#include "cli/program.h"

int main(int argc, char** argv) {
  return zolvane::cli::RunProgram(argc, argv, zolvane::cli::ZOLVANE_HELPER_GROUP);
}
