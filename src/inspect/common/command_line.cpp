#include "inspect/common/command_line.h"

#include <cmath>

#include "input/number.h"
#include "inspect/common/console.h"
#include "inspect/common/outcome.h"

namespace {

bool within(Bound bound, double x) {
  switch (bound) {
    case Bound::any: return true;
    case Bound::positive: return x > 0.0;
    case Bound::nonzero: return x != 0.0;
  }
  return false;
}

}  // namespace

bool option_real(std::string_view value, double* x) {
  return parse_real(value, x) == ReadError::none && std::isfinite(*x);
}

bool read_option_number(std::string_view name, OptionKind kind, Bound bound, std::string_view wanted,
                        std::string_view value, double* real, std::int32_t* integer, std::string* problem) {
  bool read = false;
  if (kind == OptionKind::integer) {
    read = parse_integer(value, integer) == ReadError::none && within(bound, *integer);
  } else {
    read = option_real(value, real) && within(bound, *real);
  }
  if (!read) *problem = std::string(name) + " pede " + std::string(wanted) + ", não \"" + std::string(value) + "\"";
  return read;
}

bool usable_word(std::string_view arg, const std::string* value, bool with_value, std::set<std::string>* seen,
                 std::string* problem) {
  if (arg.empty()) {
    *problem = "um nome de arquivo vazio";
    return false;
  }
  if (!arg.starts_with("-") || arg == "-") return true;
  if (!seen->insert(arg == "-h" ? "--help" : std::string(arg)).second) {
    *problem = "a opção " + std::string(arg) + " aparece duas vezes";
    return false;
  }
  if (with_value && value == nullptr) {
    *problem = "falta o valor de " + std::string(arg);
    return false;
  }
  if (with_value && value->empty()) {
    *problem = "o valor de " + std::string(arg) + " está vazio";
    return false;
  }
  return true;
}

std::string unknown_option(std::string_view arg) {
  return "opção desconhecida " + std::string(arg) + " (um arquivo com esse nome se escreve ./" + std::string(arg) + ")";
}

std::string usage_text(const CommandText& command, std::span<const CommandText> all) {
  const bool check = command.name.empty();
  std::string text = "uso: " + std::string(kInspectName);
  if (!check) text += " " + std::string(command.name);
  text += " " + std::string(command.synopsis) + "\n";
  for (const CommandText& other : all) {
    if (check && !other.name.empty()) {
      text += "     " + std::string(kInspectName) + " " + std::string(other.name) + " " + std::string(other.synopsis) +
              "\n";
    }
  }
  text += "\n" + std::string(command.body);
  for (const CommandText& other : all) {
    if (check && !other.name.empty()) {
      std::string name(other.name);
      name.resize(std::max<std::size_t>(name.size() + 1, 16), ' ');
      text += "  " + name + std::string(other.summary) + " (" + std::string(other.name) + " --help)\n";
    }
  }
  return text + "\n" + std::string(command.closing);
}

std::string see_help(const CommandText& command) {
  return command.name.empty() ? " (veja --help)" : " (veja " + std::string(command.name) + " --help)";
}

std::optional<int> settled(CommandLine line, const Invocation& call, const std::string& problem) {
  switch (line) {
    case CommandLine::run: return std::nullopt;
    case CommandLine::help: put(call.usage, stdout); return kStatusFits;
    case CommandLine::refused: return fail(problem + see_help(*call.command));
  }
  return kStatusUnusable;
}
