#include "cli/manuals.h"

#include <cctype>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "cli/commands.h"
#include "cli/examples.h"

namespace zolvane::cli {
namespace {

// Text as roff reads it: backslashes and dashes escaped, no line starting with a control
// character.
std::string Roff(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

bool Hidden(const CLI::Option* option) {
  return option->get_group().empty();
}

std::string Names(const CLI::Option* option) {
  std::string names;
  for (const std::string& name : option->get_snames())
    names += (names.empty() ? "-" : ", -") + name;
  for (const std::string& name : option->get_lnames())
    names += (names.empty() ? "--" : ", --") + name;
  return names;
}

// The choices of an enumeration, as CLI11 describes its set ("TEXT:{png,svg}"), or the
// layout codes.
std::vector<std::string> Choices(const CLI::Option* option) {
  const std::string type = option->get_type_name();
  std::vector<std::string> choices;
  if (type.find("LAYOUT") != std::string::npos) {
    for (int tens = 10; tens <= 30; tens += 10)
      for (int units = 1; units <= 4; ++units)
        choices.push_back(std::to_string(tens + units));
    return choices;
  }
  const std::size_t open = type.find('{'), close = type.find('}');
  if (open == std::string::npos || close == std::string::npos) return choices;
  std::istringstream list(type.substr(open + 1, close - open - 1));
  for (std::string choice; std::getline(list, choice, ',');)
    choices.push_back(choice);
  return choices;
}

void WriteOption(std::ostream& page, const CLI::Option* option) {
  page << ".TP\n.B " << Roff(option->get_positional() ? option->get_name() : Names(option));
  if (!option->get_positional() && option->get_expected_min() > 0)
    page << " \\fI" << Roff(option->get_type_name()) << "\\fR";
  page << '\n' << Roff(option->get_description());
  if (option->get_required()) page << " (required)";
  if (!option->get_default_str().empty())
    page << " (default: " << Roff(option->get_default_str()) << ')';
  page << '\n';
}

void Header(std::ostream& page, const std::string& name, const std::string& summary) {
  std::string upper;
  for (char c : name)
    upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  page << ".TH " << Roff(upper) << " 1 \"\" \"Zolvane\" \"User Commands\"\n.SH NAME\n"
       << Roff(name) << " \\- " << Roff(summary) << '\n';
}

void WriteSubcommandPage(std::ostream& page, const CLI::App& command) {
  const std::string name = command.get_name();
  Header(page, "zolvane-cli-" + name, command.get_description());
  page << ".SH SYNOPSIS\n.B zolvane\\-cli " << Roff(name) << "\n[\\fIOPTIONS\\fR]";
  for (const CLI::Option* option : command.get_options())
    if (option->get_positional()) page << ' ' << Roff(option->get_name());
  page << "\n.SH OPTIONS\n";
  for (const CLI::Option* option : command.get_options())
    if (!Hidden(option)) WriteOption(page, option);
  page << ".PP\nThe global options of \\fBzolvane\\-cli\\fR(1) are taken too.\n";
  // The footer ends with the example, which has a section of its own.
  const std::string footer = command.get_footer();
  const std::string notes = footer.substr(0, footer.find("Example: "));
  if (notes.find_first_not_of('\n') != std::string::npos)
    page << ".SH NOTES\n" << Roff(notes.substr(0, notes.find_last_not_of('\n') + 1)) << '\n';
  for (const Example& example : kExamples)
    if (example.command == name)
      page << ".SH EXAMPLE\n.nf\n" << Roff(std::string(example.line)) << "\n.fi\n";
  page << ".SH SEE ALSO\n\\fBzolvane\\-cli\\fR(1)\n";
}

void WriteMainPage(std::ostream& page, const CLI::App& app) {
  Header(page, "zolvane-cli", "convert marine survey, GIS and mapping text formats");
  page << ".SH SYNOPSIS\n.B zolvane\\-cli\n[\\fIGLOBAL OPTIONS\\fR] \\fISUBCOMMAND\\fR "
          "[\\fIOPTIONS\\fR] [\\fIFILES\\fR]\n.SH DESCRIPTION\n"
       << Roff(app.get_description())
       << ". Each subcommand has a page of its own, such as \\fBzolvane\\-cli\\-geo2utm\\fR(1).\n"
          ".SH GLOBAL OPTIONS\n";
  for (const CLI::Option* option : app.get_options())
    if (!Hidden(option)) WriteOption(page, option);
  page << ".SH SUBCOMMANDS\n";
  for (const CLI::App* command : app.get_subcommands({}))
    page << ".TP\n.B " << Roff(command->get_name()) << '\n'
         << Roff(command->get_description()) << '\n';
  page << ".SH LAYOUT CODES\nPoint files are described by a two-digit code: the tens give the "
          "separator, the units the order of the columns.\n.TS\ntab(;);\nl l l l l.\n"
          ";1 X Y Z;2 Y X Z;3 X Y;4 Y X\n1 comma;11;12;13;14\n2 blank;21;22;23;24\n"
          "3 tab;31;32;33;34\n.TE\n"
          ".SH EXIT STATUS\n.TP\n0\nThe run succeeded.\n.TP\n1\nThe input or a file is at "
          "fault, or a program a subcommand needs is missing; the message names the file and "
          "the line.\n.TP\n2\nThe command line is at fault (a usage error).\n.TP\n128+N\nThe "
          "run was ended by signal N; no partial output file is left.\n"
          ".SH STANDARD STREAMS\n"
       << Roff(StandardStreamsHelp(true, true))
       << " Messages and the progress bar go to standard error.\n"
          ".SH ENVIRONMENT\n.TP\nTMPDIR\nWhere the private copy of an input that can be read "
          "only once (a pipe) is made.\n.TP\nQT_QPA_PLATFORM\nThe Qt platform of \\fBplot\\fR; "
          "offscreen when unset.\n"
          ".SH EXAMPLES\n"
       << Roff(std::string(kExamplesNote)) << " Each subcommand's page shows one.\n"
       << ".SH SEE ALSO\n";
  bool first = true;
  for (const CLI::App* command : app.get_subcommands({})) {
    page << (first ? "" : ",\n") << "\\fBzolvane\\-cli\\-" << Roff(command->get_name())
         << "\\fR(1)";
    first = false;
  }
  page << ",\n\\fBzolvane\\fR(1)\n";
}

// One arm of the completion's case over subcommands: its options, and the values of those
// that take a choice or a file.
void WriteCompletion(std::ostream& out, const CLI::App& command) {
  std::string options;
  out << "    " << command.get_name() << ")\n      case \"$prev\" in\n";
  for (const CLI::Option* option : command.get_options()) {
    if (option->get_positional() || Hidden(option)) continue;
    for (const std::string& name : option->get_lnames())
      options += " --" + name;
    const std::vector<std::string> choices = Choices(option);
    if (choices.empty()) continue;
    std::string words;
    for (const std::string& choice : choices)
      words += (words.empty() ? "" : " ") + choice;
    out << "        --" << option->get_lnames().front() << ") values=\"" << words
        << "\"; return_values=1 ;;\n";
  }
  out << "      esac\n      options=\"" << options.substr(options.empty() ? 0 : 1)
      << "\" ;;\n";
}

const char* const kCompletionHead =
    "# bash completion for zolvane-cli, made from its option definitions.\n"
    "_zolvane_cli() {\n"
    "  local cur=\"${COMP_WORDS[COMP_CWORD]}\" prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
    "  local command=\"\" options=\"\" values=\"\" return_values=0 i\n"
    "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
    "    case \"${COMP_WORDS[i]}\" in\n";

const char* const kCompletionTail =
    "  esac\n"
    "  if ((return_values)); then\n"
    "    COMPREPLY=($(compgen -W \"$values\" -- \"$cur\"))\n"
    "  elif [[ $cur == -* ]]; then\n"
    "    COMPREPLY=($(compgen -W \"$options $globals\" -- \"$cur\"))\n"
    "  elif [[ -z $command ]]; then\n"
    "    COMPREPLY=($(compgen -W \"$subcommands\" -- \"$cur\"))\n"
    "  else\n"
    "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
    "  fi\n"
    "}\n"
    "complete -o filenames -o bashdefault -F _zolvane_cli zolvane-cli\n";

bool WriteFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
  std::ofstream file(path, std::ios::binary);
  write(file);
  file.close();
  return !file.fail();
}

}  // namespace

bool WriteManuals(const CLI::App& app, const std::string& folder) {
  bool written = true, holdsEvery = false;
  for (const CLI::App* command : app.get_subcommands({})) {
    // A helper's stand-in: its program writes its page.
    if (command->get_prefix_command()) {
      holdsEvery = true;
      continue;
    }
    written &= WriteFile(folder + "/zolvane-cli-" + command->get_name() + ".1",
                         [&](std::ostream& page) { WriteSubcommandPage(page, *command); });
    written &= WriteFile(folder + "/" + command->get_name() + ".bash",
                         [&](std::ostream& out) { WriteCompletion(out, *command); });
  }
  if (!holdsEvery) return written;
  written &= WriteFile(folder + "/zolvane-cli.1", [&](std::ostream& page) {
    WriteMainPage(page, app);
  });
  written &= WriteFile(folder + "/zolvane-cli.bash-head", [&](std::ostream& out) {
    std::string subcommands, globals, valued;
    for (const CLI::App* command : app.get_subcommands({}))
      subcommands += (subcommands.empty() ? "" : " ") + command->get_name();
    for (const CLI::Option* option : app.get_options()) {
      if (Hidden(option)) continue;
      for (const std::string& name : option->get_lnames()) {
        globals += (globals.empty() ? "--" : " --") + name;
        if (option->get_expected_min() > 0) valued += "|--" + name;
      }
    }
    out << kCompletionHead;
    // A global option's value is not the subcommand.
    if (!valued.empty()) out << "      " << valued.substr(1) << ") ((i++)) ;;\n";
    out << "      -*) ;;\n      *) command=\"${COMP_WORDS[i]}\"; break ;;\n    esac\n  done\n"
        << "  local subcommands=\"" << subcommands << "\" globals=\"" << globals << "\"\n"
        << "  case \"$command\" in\n";
  });
  written &= WriteFile(folder + "/zolvane-cli.bash-tail",
                       [](std::ostream& out) { out << kCompletionTail; });
  return written;
}

}  // namespace zolvane::cli
