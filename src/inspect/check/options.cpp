#include "inspect/check/options.h"

namespace {

bool check_options(const Options& o, std::string* problem) {
  if (o.rate > 0 && o.thrust_file.empty()) {
    *problem = "--rate só vale com um arquivo de empuxo";
  } else if (o.from && o.to && !(*o.from < *o.to)) {
    *problem = "--de deve vir antes de --ate";
  } else if (o.event > 0 && (o.from || o.to)) {
    *problem = "--evento ou --de/--ate, não os dois";
  } else if (const std::string sheet = stand_figures_problem(o, !o.calibration_file.empty()); !sheet.empty()) {
    *problem = sheet;
  } else {
    const bool writes = !o.eng_file.empty() || !o.rse_file.empty();
    // Without an engine file the propellant's mass still serves --vertical.
    EngineRequest asked = o;
    if (!writes && o.vertical) asked.propellant_mass.reset();
    *problem = engine_request_problem(asked, writes,
                                      o.eng_file.empty() == o.rse_file.empty() ? "--eng ou --rse"
                                      : o.eng_file.empty()                     ? "--rse"
                                                                               : "--eng");
    return problem->empty();
  }
  return false;
}

constexpr char kPositive[] = "um número positivo";
constexpr char kSeconds[] = "um tempo em segundos";

using O = Options;
const Option<O> kOptions[] = {
    {"--version", OptionKind::flag, &O::version},
    {"--rate", OptionKind::integer, &O::rate, "uma frequência inteira positiva em Hz", Bound::positive},
    {"--de", OptionKind::real, &O::from, kSeconds},
    {"--ate", OptionKind::real, &O::to, kSeconds},
    {"--evento", OptionKind::integer, &O::event, "o número de um evento da lista (1, 2, ...)", Bound::positive},
    {"--inverter", OptionKind::flag, &O::inverted},
    {"--eng", OptionKind::text, &O::eng_file},
    {"--rse", OptionKind::text, &O::rse_file},
    {"--json", OptionKind::text, &O::json_file},
    {"--referencia", OptionKind::text, &O::reference_file},
    {"--diametro", OptionKind::real, &O::diameter, kPositive, Bound::positive},
    {"--comprimento", OptionKind::real, &O::length, kPositive, Bound::positive},
    {"--massa-total", OptionKind::real, &O::total_mass, kPositive, Bound::positive},
    {"--massa-propelente", OptionKind::real, &O::propellant_mass, kPositive, Bound::positive},
    {"--atrasos", OptionKind::text, &O::delays},
    {"--fabricante", OptionKind::text, &O::maker},
    {"--calibracao", OptionKind::text, &O::calibration_file},
    {"--u-fator", OptionKind::real, &O::u_factor_percent, kPositive, Bound::positive},
    {"--nao-linearidade", OptionKind::real, &O::nonlinearity_percent, kPositive, Bound::positive},
    {"--u-relogio", OptionKind::real, &O::u_clock_ppm, kPositive, Bound::positive},
    {"--u-massa-propelente", OptionKind::real, &O::u_propellant_mass, kPositive, Bound::positive},
    {"--vertical", OptionKind::flag, &O::vertical},
};

}  // namespace

const CommandLineRules<Options> kCheckCommandLine = {kOptions, &O::thrust_file, "um só arquivo de empuxo por vez",
                                                     check_options};

const CommandText kCheckText = {
    "",
    "[ARQUIVO [--rate HZ]] [--de S] [--ate S] [--evento N] [--inverter]\n"
    "                            [[--eng ARQ.eng] [--rse ARQ.rse] --diametro MM --comprimento MM\n"
    "                             --massa-total KG [--massa-propelente KG] [--atrasos LISTA]\n"
    "                             [--fabricante NOME]] [--referencia ARQ] [--json ARQ]\n"
    "                            [--calibracao ARQ.cal] [--u-fator P] [--nao-linearidade P] [--u-relogio PPM]\n"
    "                            [--u-massa-propelente KG] [--vertical]",
    "",
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
    "  --inverter      lê o empuxo espelhado (-F): uma célula de carga montada ao\n"
    "                  contrário; o programa lê o arquivo como ele é\n"
    "  --eng ARQ.eng   escreve a curva da queima no formato de motor dos simuladores de\n"
    "                  voo (até 32 pontos), com o diâmetro e o comprimento do motor (mm,\n"
    "                  1 mm ou mais) e as massas (kg; a de propelente, menor que a\n"
    "                  total, é o M do caso quando não dada)\n"
    "  --rse ARQ.rse   a mesma curva no formato XML do RockSim\n"
    "  --atrasos LISTA os atrasos de ejeção em s, como 4-6-8, ou P (sem ejeção);\n"
    "                  padrão: 0\n"
    "  --fabricante NOME  o fabricante, sem espaços (padrão: talvironeska)\n"
    "  --referencia ARQ  compara a queima com uma curva publicada (.eng ou .rse do\n"
    "                  fabricante, de uma base de certificação ou de um simulador):\n"
    "                  It, empuxo médio e máximo, tempo de queima, designação e a\n"
    "                  diferença RMS das curvas, em % da referência\n"
    "  --json ARQ      escreve também os resultados em JSON (UTF-8) em ARQ; com -, na\n"
    "                  saída padrão, e o relatório vai para a saída de erro\n"
    "  --calibracao ARQ.cal  a calibração da célula (de calibrar) para a incerteza;\n"
    "                  sem ela, a cópia do caso (NOME_calibracao.cal) quando existe\n"
    "  --u-fator P     incerteza padrão relativa do fator da célula, em %, da folha\n"
    "                  de dados (quando não há arquivo de calibração)\n"
    "  --nao-linearidade P  não linearidade da célula em % do pico, da folha de dados\n"
    "                  (quando não há arquivo de calibração)\n"
    "  --u-relogio PPM incerteza padrão do relógio do registrador, em ppm\n"
    "  --u-massa-propelente KG  incerteza padrão da massa de propelente, para a de Is\n"
    "  --vertical      bancada vertical: a célula pesa também o motor; o impulso com\n"
    "                  U é corrigido do peso do propelente queimado (M do caso ou\n"
    "                  --massa-propelente)\n"
    "  --help          esta ajuda\n"
    "  --version       a versão\n",
    "Saída: 0 quando os dados cabem nas suposições do programa, 1 quando há avisos,\n"
    "2 quando a entrada não pode ser usada.\n",
};
