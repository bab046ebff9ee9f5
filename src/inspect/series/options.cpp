#include "inspect/series/options.h"

#include <cmath>
#include <set>
#include <string_view>

#include "input/number.h"
#include "inspect/check/options.h"

bool parse_series_options(const std::vector<std::string>& args, SeriesOptions* options, std::string* problem) {
  std::vector<const char*> words;
  for (const std::string& arg : args) words.push_back(arg.c_str());
  std::set<std::string_view> seen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takes_value =
        arg == "--rate" || arg == "--massa" || arg == "--saida" || arg == "--eng" || arg == "--json";
    if (!usable_word(arg, words.data() + i + 1, words.data() + words.size(), takes_value, &seen, problem)) return false;
    if (arg == "--help" || arg == "-h") {
      options->help = true;
      return true;
    } else if (arg == "--rate") {
      const std::string& value = args[++i];
      if (parse_integer(value, &options->rate) != ReadError::none || options->rate <= 0) {
        *problem = "--rate pede uma frequência inteira positiva em Hz, não \"" + value + "\"";
        return false;
      }
    } else if (arg == "--massa") {
      const std::string& value = args[++i];
      if (parse_real(value, &options->M) != ReadError::none || !(options->M > 0.0) || !std::isfinite(options->M)) {
        *problem = "--massa pede a massa de propelente em kg, positiva, não \"" + value + "\"";
        return false;
      }
    } else if (arg == "--saida") {
      options->folder = args[++i];
    } else if (arg == "--eng") {
      options->eng_file = args[++i];
    } else if (arg == "--json") {
      options->json_file = args[++i];
    } else if (arg == "--csv-internacional") {
      options->dialect = CsvDialect::international;
    } else if (arg.starts_with("-") && arg != "-") {
      *problem = "opção desconhecida " + arg + " (um ensaio com nome assim: ./" + arg + ")";
      return false;
    } else {
      options->firings.push_back(arg);
    }
  }
  if (options->firings.size() < 2) {
    *problem = "a série pede dois ensaios ou mais";
    return false;
  }
  return true;
}

const char* series_usage_text() {
  return "uso: talvironeska-inspect serie CASO_OU_ARQUIVO... [opções]\n"
         "\n"
         "Estatística de certificação de vários ensaios de um motor: figuras de cada\n"
         "ensaio, média, desvio padrão, verificações, curva média e gráfico.\n"
         "\n"
         "  CASO            pasta de um caso: lida como o programa a lê (arquivo de dados\n"
         "                  gerais, arquivo de parâmetros, arquivo de empuxo; ti, tf, w, M)\n"
         "  ARQUIVO         arquivo de empuxo: avaliado na janela sugerida\n"
         "  --rate HZ       a frequência w dos arquivos de empuxo; sem ela, pelo passo mediano\n"
         "  --massa KG      a massa de propelente dos arquivos de empuxo\n"
         "  --saida PASTA   onde escrever (padrão: a pasta atual); criada se não existir\n"
         "  --eng ARQ.eng   o nome da curva média no formato de motor (padrão: serie.eng\n"
         "                  na pasta de saída)\n"
         "  --csv-internacional   a tabela com ',' e ponto decimal (padrão: ';' e vírgula)\n"
         "  --json ARQ      escreve também os resultados em JSON (UTF-8) em ARQ; com -, na\n"
         "                  saída padrão, e o relatório vai para a saída de erro\n"
         "  --help          esta ajuda\n"
         "\n"
         "Escreve serie.txt (relatório), serie.csv, serie.eng, serie.gnu, serie_curvas.dat\n"
         "e serie.png (desenhado pelo gnuplot). Nunca escreve sobre um arquivo de um caso.\n"
         "Saída: 0 quando a série passa em todas as verificações, 1 quando não passa ou o\n"
         "gráfico não pôde ser desenhado, 2 quando um ensaio não pode ser lido (nada é\n"
         "escrito) ou um arquivo não pode ser escrito.\n";
}
