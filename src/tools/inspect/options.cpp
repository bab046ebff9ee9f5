#include "tools/inspect/options.h"

#include <string_view>

#include "input/number.h"

bool parse_options(int argc, const char* const* argv, Options* options, std::string* problem) {
  bool rate_given = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool takes_value = arg == "--rate" || arg == "--eng";
    if (takes_value && i + 1 == argc) {
      *problem = "falta o valor de " + std::string(arg);
      return false;
    }
    if (arg == "--help" || arg == "-h") {
      options->help = true;
    } else if (arg == "--version") {
      options->version = true;
    } else if (arg == "--rate") {
      const std::string_view value = argv[++i];
      if (parse_integer(value, &options->rate) != ReadError::none || options->rate <= 0) {
        *problem = "--rate pede uma frequência inteira positiva em Hz, não \"" + std::string(value) + "\"";
        return false;
      }
      rate_given = true;
    } else if (arg == "--eng") {
      options->eng_file = argv[++i];
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
  return true;
}

const char* usage_text() {
  return "uso: talvironeska-inspect [ARQUIVO --rate HZ] [--eng ARQUIVO.eng]\n"
         "     talvironeska-inspect serie CASO_OU_ARQUIVO... [opções]   (veja serie --help)\n"
         "     talvironeska-inspect importar REGISTRO --massa KG --saida DIR [opções]\n"
         "\n"
         "Confere os dados de um ensaio antes da avaliação pelo talvironeska e sugere a\n"
         "janela de tempo (ti, tf). Lê os arquivos como o programa os lê e não os altera.\n"
         "\n"
         "  sem ARQUIVO     lê talvironeska_2p1_dados_geral.txt e o arquivo de parâmetros\n"
         "                  do caso no diretório atual e, depois, o arquivo de empuxo do caso\n"
         "  ARQUIVO         confere só este arquivo de empuxo (tempo e empuxo por linha)\n"
         "  --rate HZ       a frequência de aquisição w; sem ela, estimada pelo passo mediano\n"
         "  --eng ARQ.eng   escreve a curva da queima no formato de motor dos simuladores de\n"
         "                  voo (até 32 pontos; diâmetro, comprimento e massas a editar)\n"
         "  --help          esta ajuda\n"
         "  --version       a versão\n"
         "  importar        converte o arquivo de um registrador num caso (importar --help)\n"
         "\n"
         "Saída: 0 quando os dados cabem nas suposições do programa, 1 quando há avisos,\n"
         "2 quando a entrada não pode ser usada.\n";
}
