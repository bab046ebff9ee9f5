#include "inspect/series/options.h"

namespace {

bool international(std::string_view, SeriesOptions* o) {
  o->dialect = CsvDialect::international;
  return true;
}

bool check_options(const SeriesOptions& o, std::string* problem) {
  if (o.firings.size() < 2) {
    *problem = "a série pede dois ensaios ou mais";
    return false;
  }
  const std::string files = !o.eng_file.empty() ? "--eng" : !o.rse_file.empty() ? "--rse" : "o arquivo de motor";
  *problem = engine_request_problem(o, series_writes_engine(o), files);
  return problem->empty();
}

constexpr char kPositive[] = "um número positivo";

using O = SeriesOptions;
const Option<O> kOptions[] = {
    {"--rate", OptionKind::integer, &O::rate, "uma frequência inteira positiva em Hz", Bound::positive},
    {"--massa", OptionKind::real, &O::M, "a massa de propelente em kg, positiva", Bound::positive},
    {"--saida", OptionKind::text, &O::folder},
    {"--eng", OptionKind::text, &O::eng_file},
    {"--rse", OptionKind::text, &O::rse_file},
    {"--diametro", OptionKind::real, &O::diameter, kPositive, Bound::positive},
    {"--comprimento", OptionKind::real, &O::length, kPositive, Bound::positive},
    {"--massa-total", OptionKind::real, &O::total_mass, kPositive, Bound::positive},
    {"--massa-propelente", OptionKind::real, &O::propellant_mass, kPositive, Bound::positive},
    {"--atrasos", OptionKind::text, &O::delays},
    {"--fabricante", OptionKind::text, &O::maker},
    {"--json", OptionKind::text, &O::json_file},
    {"--referencia", OptionKind::text, &O::reference_file},
    {"--inverter", OptionKind::flag, &O::inverted},
    {"--csv-internacional", OptionKind::flag, international},
    {"--u-fator", OptionKind::real, &O::u_factor_percent, kPositive, Bound::positive},
    {"--nao-linearidade", OptionKind::real, &O::nonlinearity_percent, kPositive, Bound::positive},
    {"--u-relogio", OptionKind::real, &O::u_clock_ppm, kPositive, Bound::positive},
    {"--u-massa-propelente", OptionKind::real, &O::u_propellant_mass, kPositive, Bound::positive},
    {"--vertical", OptionKind::flag, &O::vertical},
};

}  // namespace

bool series_writes_engine(const SeriesOptions& o) {
  return !o.eng_file.empty() || !o.rse_file.empty() || o.diameter > 0.0 || o.length > 0.0 || o.total_mass;
}

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
    "  --diametro MM, --comprimento MM, --massa-total KG\n"
    "                  o motor, para escrever a curva média no formato de motor dos\n"
    "                  simuladores de voo (sem eles, nenhum arquivo de motor)\n"
    "  --massa-propelente KG  a massa de propelente do motor, menor que a total\n"
    "                  (padrão: a média dos M dos casos, ou --massa)\n"
    "  --atrasos LISTA os atrasos de ejeção em s, como 4-6-8, ou P (padrão: 0)\n"
    "  --fabricante NOME  o fabricante, sem espaços (padrão: talvironeska)\n"
    "  --eng ARQ.eng   o nome do arquivo de motor (padrão: serie.eng na pasta de saída)\n"
    "  --rse ARQ.rse   escreve também a curva média no formato XML do RockSim\n"
    "  --inverter      lê o empuxo de todos os ensaios espelhado (-F): uma célula de\n"
    "                  carga montada ao contrário\n"
    "  --referencia ARQ  compara a curva média com uma curva publicada (.eng ou\n"
    "                  .rse), desenhada com ela no gráfico\n"
    "  --csv-internacional   a tabela com ',' e ponto decimal (padrão: ';' e vírgula)\n"
    "  --json ARQ      escreve também os resultados em JSON (UTF-8) em ARQ; com -, na\n"
    "                  saída padrão, e o relatório vai para a saída de erro\n"
    "  --u-fator P, --nao-linearidade P, --u-relogio PPM, --u-massa-propelente KG\n"
    "                  o que a folha de dados\n"
    "                  da célula e do registrador diz, para a incerteza de cada\n"
    "                  ensaio (a calibração de um caso vem da sua cópia)\n"
    "  --vertical      bancada vertical: a célula pesa também o motor; o impulso com\n"
    "                  U é corrigido do peso do propelente queimado (M do caso ou --massa)\n"
    "  --help          esta ajuda\n",
    "Escreve serie.txt (relatório), serie.csv, serie.gnu, serie_curvas.dat, serie.png\n"
    "(desenhado pelo gnuplot) e, com as medidas do motor, serie.eng. Nunca escreve\n"
    "sobre um arquivo de um caso.\n"
    "Saída: 0 quando a série passa em todas as verificações, 1 quando não passa ou o\n"
    "gráfico não pôde ser desenhado, 2 quando um ensaio não pode ser lido (nada é\n"
    "escrito) ou um arquivo não pode ser escrito.\n",
};
