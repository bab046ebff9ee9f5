#include "inspect/check/options.h"

#include <cmath>
#include <set>

#include "input/number.h"
#include "inspect/firing/eng_export.h"

namespace {

bool takes_value(std::string_view arg) {
  for (std::string_view name : {"--rate", "--eng", "--json", "--de", "--ate", "--evento", "--diametro", "--comprimento",
                                "--massa-total", "--massa-propelente"}) {
    if (arg == name) return true;
  }
  return false;
}

std::string quoted(std::string_view value) {
  std::string text(1, '"');
  text.append(value);
  text.push_back('"');
  return text;
}

// The engine file's sizes and masses, all given and sensible.
bool check_engine_values(const Options& o, std::string* problem) {
  if (o.eng_file.empty()) {
    if (o.diameter > 0.0 || o.length > 0.0 || o.total_mass || o.propellant_mass) {
      *problem = "--diametro, --comprimento e as massas só valem com --eng";
      return false;
    }
    return true;
  }
  if (!(o.diameter >= kEngMinSizeMm) || !(o.length >= kEngMinSizeMm)) {
    *problem =
        "--eng pede o diâmetro e o comprimento do motor em mm, 1 mm ou mais (--diametro MM --comprimento MM): "
        "os simuladores de voo recusam motores menores";
    return false;
  }
  if (!o.total_mass) {
    *problem = "--eng pede a massa total do motor em kg (--massa-total KG)";
    return false;
  }
  if (o.propellant_mass && *o.propellant_mass > *o.total_mass) {
    *problem = "a massa de propelente não pode passar da massa total do motor";
    return false;
  }
  return true;
}

}  // namespace

bool usable_word(std::string_view arg, const char* const* rest, const char* const* end, bool with_value,
                 std::set<std::string_view>* seen, std::string* problem) {
  if (arg.empty()) {
    *problem = "um nome de arquivo vazio";
    return false;
  }
  if (!arg.starts_with("-") || arg == "-") return true;
  if (!seen->insert(arg == "-h" ? "--help" : arg).second) {
    *problem = "a opção " + std::string(arg) + " aparece duas vezes";
    return false;
  }
  if (with_value && rest == end) {
    *problem = "falta o valor de " + std::string(arg);
    return false;
  }
  if (with_value && **rest == '\0') {
    *problem = "o valor de " + std::string(arg) + " está vazio";
    return false;
  }
  return true;
}

bool parse_real_option(std::string_view value, double* out) {
  return parse_real(value, out) == ReadError::none && std::isfinite(*out);
}

bool parse_options(int argc, const char* const* argv, Options* options, std::string* problem) {
  bool rate_given = false;
  std::set<std::string_view> seen;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!usable_word(arg, argv + i + 1, argv + argc, takes_value(arg), &seen, problem)) return false;
    if (arg == "--help" || arg == "-h") {
      options->help = true;
    } else if (arg == "--version") {
      options->version = true;
    } else if (arg == "--rate") {
      const std::string_view value = argv[++i];
      if (parse_integer(value, &options->rate) != ReadError::none || options->rate <= 0) {
        *problem = "--rate pede uma frequência inteira positiva em Hz, não " + quoted(value);
        return false;
      }
      rate_given = true;
    } else if (arg == "--eng") {
      options->eng_file = argv[++i];
    } else if (arg == "--json") {
      options->json_file = argv[++i];
    } else if (arg == "--de" || arg == "--ate") {
      const std::string_view value = argv[++i];
      double time = 0.0;
      if (!parse_real_option(value, &time)) {
        *problem = std::string(arg) + " pede um tempo em segundos, não " + quoted(value);
        return false;
      }
      (arg == "--de" ? options->from : options->to) = time;
    } else if (arg == "--evento") {
      const std::string_view value = argv[++i];
      if (parse_integer(value, &options->event) != ReadError::none || options->event <= 0) {
        *problem = "--evento pede o número de um evento da lista (1, 2, ...), não " + quoted(value);
        return false;
      }
    } else if (arg == "--diametro" || arg == "--comprimento" || arg == "--massa-total" || arg == "--massa-propelente") {
      const std::string_view value = argv[++i];
      double x = 0.0;
      if (!parse_real_option(value, &x) || !(x > 0.0)) {
        *problem = std::string(arg) + " pede um número positivo, não " + quoted(value);
        return false;
      }
      if (arg == "--diametro")
        options->diameter = x;
      else if (arg == "--comprimento")
        options->length = x;
      else if (arg == "--massa-total")
        options->total_mass = x;
      else
        options->propellant_mass = x;
    } else if (arg.starts_with("-") && arg != "-") {
      *problem = "opção desconhecida " + std::string(arg);
      return false;
    } else if (options->thrust_file.empty()) {
      options->thrust_file = arg;
    } else {
      *problem = "um só arquivo de empuxo por vez";
      return false;
    }
  }
  if (rate_given && options->thrust_file.empty()) {
    *problem = "--rate só vale com um arquivo de empuxo";
    return false;
  }
  if (options->from && options->to && !(*options->from < *options->to)) {
    *problem = "--de deve vir antes de --ate";
    return false;
  }
  if (options->event > 0 && (options->from || options->to)) {
    *problem = "--evento ou --de/--ate, não os dois";
    return false;
  }
  return check_engine_values(*options, problem);
}

const char* usage_text() {
  return "uso: talvironeska-inspect [ARQUIVO [--rate HZ]] [--de S] [--ate S] [--evento N]\n"
         "                            [--eng ARQ.eng --diametro MM --comprimento MM --massa-total KG\n"
         "                             [--massa-propelente KG]] [--json ARQ]\n"
         "     talvironeska-inspect serie CASO_OU_ARQUIVO... [opções]   (veja serie --help)\n"
         "     talvironeska-inspect importar REGISTRO --massa KG --saida DIR [opções]\n"
         "\n"
         "Confere os dados de um ensaio antes da avaliação pelo talvironeska e sugere a\n"
         "janela de tempo (ti, tf). Lê os arquivos como o programa os lê e não os altera.\n"
         "\n"
         "  sem ARQUIVO     lê talvironeska_2p1_dados_geral.txt e o arquivo de parâmetros\n"
         "                  do caso no diretório atual e, depois, o arquivo de empuxo do caso\n"
         "  ARQUIVO         confere só este arquivo de empuxo (tempo e empuxo por linha); um\n"
         "                  arquivo com o nome de um subcomando se escreve ./NOME\n"
         "  --rate HZ       a frequência de aquisição w; sem ela, medida nos tempos da queima\n"
         "  --de S, --ate S procura a queima só entre estes tempos (s)\n"
         "  --evento N      a queima é o evento N da lista de eventos\n"
         "  --eng ARQ.eng   escreve a curva da queima no formato de motor dos simuladores de\n"
         "                  voo (até 32 pontos), com o diâmetro e o comprimento do motor (mm,\n"
         "                  1 mm ou mais) e as massas (kg; a de propelente é o M do caso\n"
         "                  quando não dada)\n"
         "  --json ARQ      escreve também os resultados em JSON (UTF-8) em ARQ; com -, na\n"
         "                  saída padrão, e o relatório vai para a saída de erro\n"
         "  --help          esta ajuda\n"
         "  --version       a versão\n"
         "  importar        converte o arquivo de um registrador num caso (importar --help)\n"
         "\n"
         "Saída: 0 quando os dados cabem nas suposições do programa, 1 quando há avisos,\n"
         "2 quando a entrada não pode ser usada.\n";
}
