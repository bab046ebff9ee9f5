#include "inspect/series/options.h"

namespace {

bool international(std::string_view, SeriesOptions* o) {
  o->dialect = CsvDialect::international;
  return true;
}

bool check_options(const SeriesOptions& o, std::string* problem) {
  if (o.firings.size() >= 2) return true;
  *problem = "a série pede dois ensaios ou mais";
  return false;
}

using O = SeriesOptions;
const Option<O> kOptions[] = {
    {"--rate", OptionKind::integer, &O::rate, "uma frequência inteira positiva em Hz", Bound::positive},
    {"--massa", OptionKind::real, &O::M, "a massa de propelente em kg, positiva", Bound::positive},
    {"--saida", OptionKind::text, &O::folder},
    {"--eng", OptionKind::text, &O::eng_file},
    {"--json", OptionKind::text, &O::json_file},
    {"--inverter", OptionKind::flag, &O::inverted},
    {"--csv-internacional", OptionKind::flag, international},
};

}  // namespace

const CommandLineRules<SeriesOptions> kSeriesCommandLine = {kOptions, &O::firings, "", check_options};

const CommandText kSeriesText = {
    "serie",
    "CASO_OU_ARQUIVO... [opções]",
    "estatística de certificação de vários ensaios de um motor",
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
    "  --inverter      lê o empuxo de todos os ensaios espelhado (-F): uma célula de\n"
    "                  carga montada ao contrário\n"
    "  --csv-internacional   a tabela com ',' e ponto decimal (padrão: ';' e vírgula)\n"
    "  --json ARQ      escreve também os resultados em JSON (UTF-8) em ARQ; com -, na\n"
    "                  saída padrão, e o relatório vai para a saída de erro\n"
    "  --help          esta ajuda\n",
    "Escreve serie.txt (relatório), serie.csv, serie.eng, serie.gnu, serie_curvas.dat\n"
    "e serie.png (desenhado pelo gnuplot). Nunca escreve sobre um arquivo de um caso.\n"
    "Saída: 0 quando a série passa em todas as verificações, 1 quando não passa ou o\n"
    "gráfico não pôde ser desenhado, 2 quando um ensaio não pode ser lido (nada é\n"
    "escrito) ou um arquivo não pode ser escrito.\n",
};
