// The command lines of talvironeska-inspect: one parser for every command,
// driven by each command's table of options, and the usage texts.
//
// Every option is a word starting with "-" (but "-" alone); the word after an
// option that takes a value is its value, whatever it looks like ("-5" too).
// One rule for every number: a real is read as the program reads one (1.5,
// 1.5e3, 1.5d0, .5, +2), finite; an integer is an optional sign and digits.
// No word may be empty, no option given twice (-h is --help).
#ifndef TALVIRONESKA_INSPECT_COMMON_COMMAND_LINE_H_
#define TALVIRONESKA_INSPECT_COMMON_COMMAND_LINE_H_

#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#ifndef TALVIRONESKA_VERSION
#define TALVIRONESKA_VERSION "dev"
#endif
// The program's name, as its messages and the files it writes give it, and
// its release.
inline constexpr char kInspectName[] = "talvironeska-inspect";
inline constexpr char kInspectVersion[] = TALVIRONESKA_VERSION;

enum class OptionKind { flag, integer, real, text };

// What a number must be beyond being one.
enum class Bound { any, positive, nonzero };

// Where an option's value goes in the command's options O: a member of the
// value's type, or, for words with a meaning of their own (units, "auto"), a
// function that reads the value and says whether it is one (for a flag the
// value is empty).
template <class O>
using OptionTarget =
    std::variant<bool O::*, std::int32_t O::*, double O::*, std::optional<double> O::*, std::string O::*,
                 std::optional<std::string> O::*, bool (*)(std::string_view value, O* options)>;

// One line of a command's table. WANTED says what the value must be, in the
// refusal "NAME pede WANTED, não "VALUE"".
template <class O>
struct Option {
  std::string_view name;
  OptionKind kind;
  OptionTarget<O> target;
  std::string_view wanted = {};
  Bound bound = Bound::any;
};

// A command's whole command line: its options, where the words that are not
// options go (one file, or a list of them), and the checks made once every
// word is read (options that need or exclude each other); CHECK may be null.
template <class O>
struct CommandLineRules {
  std::span<const Option<O>> options;
  std::variant<std::string O::*, std::vector<std::string> O::*> files;
  std::string_view one_file_only;  // the refusal of a second file, for a single one
  bool (*check)(const O& options, std::string* problem) = nullptr;
};

enum class CommandLine { run, help, refused };

// VALUE as a real by the one rule: as the program reads one, and finite.
bool option_real(std::string_view value, double* x);

// The value of an option of KIND read from VALUE into *REAL or *INTEGER;
// false with *PROBLEM when it is no such number or out of BOUND.
bool read_option_number(std::string_view name, OptionKind kind, Bound bound, std::string_view wanted,
                        std::string_view value, double* real, std::int32_t* integer, std::string* problem);

// Whether ARG may stand where it is: false with *PROBLEM for an empty word, an
// option already in *SEEN (which ARG joins; -h is --help) and an option
// WITH_VALUE whose value (VALUE, null past the end) is missing or empty.
bool usable_word(std::string_view arg, const std::string* value, bool with_value, std::set<std::string>* seen,
                 std::string* problem);

namespace command_line_detail {

template <class O>
bool store(const Option<O>& option, const std::string& value, O* o, std::string* problem) {
  double real = 0.0;
  std::int32_t integer = 0;
  if ((option.kind == OptionKind::real || option.kind == OptionKind::integer) &&
      !read_option_number(option.name, option.kind, option.bound, option.wanted, value, &real, &integer, problem)) {
    return false;
  }
  const auto& t = option.target;
  if (auto* flag = std::get_if<bool O::*>(&t)) o->** flag = true;
  if (auto* n = std::get_if<std::int32_t O::*>(&t)) o->** n = integer;
  if (auto* x = std::get_if<double O::*>(&t)) o->** x = real;
  if (auto* x = std::get_if<std::optional<double> O::*>(&t)) o->** x = real;
  if (auto* s = std::get_if<std::string O::*>(&t)) o->** s = value;
  if (auto* s = std::get_if<std::optional<std::string> O::*>(&t)) o->** s = value;
  if (auto* read = std::get_if<bool (*)(std::string_view, O*)>(&t); read != nullptr && !(*read)(value, o)) {
    *problem = std::string(option.name) + " pede " + std::string(option.wanted) + ", não \"" + value + "\"";
    return false;
  }
  return true;
}

template <class O>
bool take_file(const CommandLineRules<O>& rules, const std::string& word, O* o, std::string* problem) {
  if (auto* list = std::get_if<std::vector<std::string> O::*>(&rules.files)) {
    (o->**list).push_back(word);
    return true;
  }
  std::string& file = o->*std::get<std::string O::*>(rules.files);
  if (!file.empty()) {
    *problem = std::string(rules.one_file_only);
    return false;
  }
  file = word;
  return true;
}

}  // namespace command_line_detail

// "opção desconhecida ARG", with how a file of that name is written.
std::string unknown_option(std::string_view arg);

// Reads ARGS, the words after the command's name, into *O by RULES: help
// when --help or -h is among them (the other words read, the checks skipped),
// refused with *PROBLEM, a Portuguese phrase, or run.
template <class O>
CommandLine read_command_line(const CommandLineRules<O>& rules, std::span<const std::string> args, O* o,
                              std::string* problem) {
  std::set<std::string> seen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const Option<O>* option = nullptr;
    for (const Option<O>& candidate : rules.options) {
      if (candidate.name == arg) option = &candidate;
    }
    const bool with_value = option != nullptr && option->kind != OptionKind::flag;
    const std::string* value = i + 1 < args.size() ? &args[i + 1] : nullptr;
    if (!usable_word(arg, value, with_value, &seen, problem)) return CommandLine::refused;
    if (option != nullptr) {
      if (!command_line_detail::store(*option, with_value ? *value : std::string(), o, problem)) {
        return CommandLine::refused;
      }
      if (with_value) ++i;
    } else if (arg == "--help" || arg == "-h") {
      continue;  // seen
    } else if (arg.starts_with("-") && arg != "-") {
      *problem = unknown_option(arg);
      return CommandLine::refused;
    } else if (!command_line_detail::take_file(rules, arg, o, problem)) {
      return CommandLine::refused;
    }
  }
  if (seen.count("--help") > 0) return CommandLine::help;
  if (rules.check != nullptr && !rules.check(*o, problem)) return CommandLine::refused;
  return CommandLine::run;
}

// A command of talvironeska-inspect as its usage tells it.
struct CommandText {
  std::string_view name;      // "importar"; empty for the check, which has no subcommand
  std::string_view synopsis;  // what follows the name on the "uso:" line
  std::string_view summary;   // its line in the check's help
  std::string_view body;      // what it does and its options
  std::string_view closing;   // its files and exit status
};

// COMMAND's help text. The check's lists every command of ALL.
std::string usage_text(const CommandText& command, std::span<const CommandText> all);

// How the refusal of a command line ends: " (veja importar --help)".
std::string see_help(const CommandText& command);

// A command as main starts it.
struct Invocation {
  std::span<const std::string> args;  // the words after the command's name
  const CommandText* command = nullptr;
  std::string usage;  // its help text
};

// What becomes of a command line read as LINE: nothing yet when the command
// runs; else the exit status, the help printed or PROBLEM refused.
std::optional<int> settled(CommandLine line, const Invocation& call, const std::string& problem);

#endif  // TALVIRONESKA_INSPECT_COMMON_COMMAND_LINE_H_
