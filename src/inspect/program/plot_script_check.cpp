#include "inspect/program/plot_script_check.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "output/plot_script.h"

namespace {

// A command of gnuplot and the fewest letters it is known by.
struct Command {
  std::string_view name;
  std::size_t shortest;
  const char* what;
};
constexpr Command kCommands[] = {
    {"system", 2, "system roda um programa"},
    {"shell", 2, "shell abre um interpretador de comandos"},
    {"load", 1, "load lê comandos de outro arquivo"},
    {"call", 2, "call lê comandos de outro arquivo"},
    {"evaluate", 4, "eval executa um texto como comandos"},
    {"save", 2, "save escreve um arquivo"},
    {"cd", 2, "cd muda a pasta de trabalho"},
    {"import", 6, "import carrega código de uma biblioteca"},
    {"exit", 2, "exit encerra o gnuplot"},
    {"quit", 1, "quit encerra o gnuplot"},
};

bool is_word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// WORD names COMMAND: a prefix of its name at least as long as gnuplot asks.
bool names(std::string_view word, const Command& command) {
  return word.size() >= command.shortest && word.size() <= command.name.size() &&
         command.name.substr(0, word.size()) == word;
}

// The words of one command (text between ';' outside quotes), quoted
// strings kept whole with their quotes.
std::vector<std::string_view> words_of(std::string_view command) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < command.size()) {
    const char c = command[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    if (c == '\'' || c == '"') {
      while (end < command.size() && command[end] != c) end += command[end] == '\\' && c == '"' ? 2 : 1;
      end = std::min(end + 1, command.size());
    } else if (is_word_char(c)) {
      while (end < command.size() && is_word_char(command[end])) ++end;
    }
    words.push_back(command.substr(i, end - i));
    i = end;
  }
  return words;
}

bool is_quoted(std::string_view word) { return !word.empty() && (word[0] == '\'' || word[0] == '"'); }

void check_command(const std::vector<std::string_view>& words, std::vector<std::string>& found) {
  if (words.empty()) return;
  if (words[0][0] == '!') found.push_back("! roda um comando do sistema");
  for (const Command& command : kCommands) {
    if (names(words[0], command)) found.push_back(command.what);
  }
  const bool set = words[0].size() >= 2 && std::string_view("set").substr(0, words[0].size()) == words[0];
  if (set && words.size() > 1) {
    if (words[1].size() >= 3 && std::string_view("table").substr(0, words[1].size()) == words[1]) {
      found.push_back("set table escreve um arquivo");
    }
  }
  for (std::size_t k = 0; k < words.size(); ++k) {
    const std::string_view w = words[k];
    if (k > 0 && w == "system" && k + 1 < words.size() && words[k + 1] == "(")
      found.push_back("system(...) roda um programa");
    if (is_quoted(w) && w.size() > 1 && (w[1] == '<' || w[1] == '|')) {
      found.push_back(std::string("o nome ") + std::string(w) + " começa com " + w[1] + ": roda um programa");
    }
  }
}

}  // namespace

std::vector<std::string> risky_gnuplot(std::string_view line) {
  std::vector<std::string> found;
  if (line.find('`') != std::string_view::npos) found.push_back("`...` roda um programa");
  // Commands apart at ';' and at the braces of if, else and do outside
  // quotes; a '#' outside quotes starts a comment.
  std::size_t start = 0;
  char quote = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    const char c = i < line.size() ? line[i] : ';';
    if (quote != 0) {
      if (c == '\\' && quote == '"')
        ++i;
      else if (c == quote)
        quote = 0;
      continue;
    }
    if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';' || c == '{' || c == '}' || c == '#') {
      check_command(words_of(line.substr(start, i - start)), found);
      if (c == '#') break;
      start = i + 1;
    }
  }
  return found;
}

std::vector<ScriptFinding> check_plot_script(std::string_view text) {
  std::vector<ScriptFinding> findings;
  std::size_t start = 0;
  for (int line = 1; line <= kPlotScriptUserLines && start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    for (std::string& what : risky_gnuplot(text.substr(start, end - start)))
      findings.push_back({line, std::move(what)});
    start = end + 1;
  }
  return findings;
}

std::vector<std::string> plot_script_notes() {
  const std::filesystem::path path{std::string(kPlotScriptName)};
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return {};
  std::FILE* in = std::fopen(path.string().c_str(), "rb");
  if (in == nullptr) return {};
  // Six lines of settings are short: the first 64 KiB hold them.
  std::string text(64 * 1024, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), in));
  std::fclose(in);
  std::vector<std::string> notes;
  for (const ScriptFinding& f : check_plot_script(text)) {
    notes.push_back("a linha " + std::to_string(f.line) + " do roteiro do gráfico " + std::string(kPlotScriptName) +
                    ": " + f.what +
                    "; o gnuplot a executa quando o programa desenha o gráfico (um caso recebido de "
                    "outra pessoa pode trazer isso: leia as linhas 1 a 6 antes de rodar o programa)");
  }
  return notes;
}
