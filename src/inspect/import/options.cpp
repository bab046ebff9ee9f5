#include "inspect/import/options.h"

namespace {

bool read_time_unit(std::string_view value, ImportOptions* o) {
  o->time_unit = time_unit_named(value);
  return o->time_unit != TimeUnit::none;
}

bool read_thrust_unit(std::string_view value, ImportOptions* o) {
  o->thrust_unit = thrust_unit_named(value);
  return o->thrust_unit != ThrustUnit::none;
}

bool read_tare(std::string_view value, ImportOptions* o) {
  if (value == "auto") {
    o->tare = TareMode::automatic;
  } else if (value == "nenhuma") {
    o->tare = TareMode::none;
  } else if (option_real(value, &o->tare_value)) {
    o->tare = TareMode::value;
  } else {
    return false;
  }
  return true;
}

bool check_options(const ImportOptions& o, std::string* problem) {
  if (o.log.empty()) {
    *problem = "falta o arquivo de registro";
  } else if (!o.M) {
    *problem = "falta --massa KG: a massa de propelente, sem a qual o programa não calcula c nem Is";
  } else if (o.output_dir.empty()) {
    *problem = "falta --saida DIR: o diretório do caso";
  } else if (o.rate > 0.0 && o.time_unit != TimeUnit::none) {
    *problem = "--taxa é para arquivos sem coluna de tempo: não vale com --tempo";
  } else if (o.drift && o.tare != TareMode::automatic) {
    *problem = "--deriva corrige a partir do zero antes da ignição: não vale com --tara nenhuma ou um valor";
  } else if (!o.calibration_file.empty() && (o.factor || o.offset || o.thrust_unit != ThrustUnit::none)) {
    *problem = "--calibracao já dá a força em N: não vale com --fator, --deslocamento ou --empuxo";
  } else if (o.offset && !o.factor) {
    *problem = "--deslocamento só vale com --fator";
  } else if (const std::string sheet = stand_figures_problem(o, !o.calibration_file.empty()); !sheet.empty()) {
    *problem = sheet;
  } else {
    return true;
  }
  return false;
}

using O = ImportOptions;
const Option<O> kOptions[] = {
    {"--saida", OptionKind::text, &O::output_dir},
    {"--massa", OptionKind::real, &O::M, "a massa de propelente em kg, um número positivo", Bound::positive},
    {"--tempo", OptionKind::text, read_time_unit, "s, ms, us ou epoch"},
    {"--empuxo", OptionKind::text, read_thrust_unit, "N, g, kg, kgf ou lbf"},
    {"--fator", OptionKind::real, &O::factor, "um número diferente de zero", Bound::nonzero},
    {"--deslocamento", OptionKind::real, &O::offset, "um número"},
    {"--coluna", OptionKind::integer, &O::column, "o número da coluna, a partir de 1", Bound::positive},
    {"--taxa", OptionKind::real, &O::rate, "a taxa de amostragem em Hz, positiva", Bound::positive},
    {"--tara", OptionKind::text, read_tare, "auto, nenhuma ou um valor em N"},
    {"--deriva", OptionKind::flag, &O::drift},
    {"--inverter", OptionKind::flag, &O::inverted},
    {"--medido", OptionKind::flag, &O::measured},
    {"--caso", OptionKind::text, &O::case_name},
    {"--titulo", OptionKind::text, &O::title},
    {"--substituir", OptionKind::flag, &O::replace},
    {"--json", OptionKind::text, &O::json_file},
    {"--calibracao", OptionKind::text, &O::calibration_file},
    {"--u-fator", OptionKind::real, &O::u_factor_percent, "um número positivo", Bound::positive},
    {"--nao-linearidade", OptionKind::real, &O::nonlinearity_percent, "um número positivo", Bound::positive},
    {"--u-relogio", OptionKind::real, &O::u_clock_ppm, "um número positivo", Bound::positive},
    {"--u-massa-propelente", OptionKind::real, &O::u_propellant_mass, "um número positivo", Bound::positive},
    {"--vertical", OptionKind::flag, &O::vertical},
};

}  // namespace

const CommandLineRules<ImportOptions> kImportCommandLine = {kOptions, &O::log, "um só arquivo de registro por vez",
                                                            check_options};

const CommandText kImportText = {
    "importar",
    "REGISTRO --massa KG --saida DIR [opções]",
    "converte o arquivo de um registrador num caso",
    "Converte o arquivo de um registrador (CSV, planilha, exportação de DAQ) num caso\n"
    "completo que o talvironeska avalia como está: talvironeska_2p1_dados_geral.txt,\n"
    "o arquivo de parâmetros do caso (janela, w e nmax sugeridos), o arquivo de empuxo\n"
    "em s e N numa grade uniforme de passo 1/w e o roteiro do gráfico.\n"
    "\n"
    "  --massa KG          massa de propelente em kg (obrigatória)\n"
    "  --saida DIR         o diretório do caso (criado se não existir)\n"
    "  --tempo U           unidade do tempo: s, ms, us ou epoch (contado do primeiro\n"
    "                      registro); sem ela, a do cabeçalho (time_ms, t_us ...)\n"
    "  --empuxo U          unidade do empuxo: N, g, kg, kgf ou lbf; sem ela, a do\n"
    "                      cabeçalho (weight_g, Force_lbf ...)\n"
    "  --fator F           empuxo = (valor lido - D) x F, na unidade de --empuxo (N\n"
    "                      se não dada), para um canal bruto\n"
    "  --deslocamento D    o D acima, em unidades do canal bruto (padrão 0)\n"
    "  --calibracao ARQ    converte as leituras brutas pela calibração ARQ.cal de\n"
    "                      calibrar (força = a + b x leitura, em N) e guarda uma\n"
    "                      cópia no caso, NOME_calibracao.cal\n"
    "  --u-fator P         incerteza padrão relativa do fator, em %, da folha de dados\n"
    "                      (sem --calibracao)\n"
    "  --nao-linearidade P não linearidade da célula em % do pico, da folha de dados\n"
    "                      (sem --calibracao)\n"
    "  --u-relogio PPM     incerteza padrão do relógio do registrador, em ppm\n"
    "  --u-massa-propelente KG  incerteza padrão da massa de propelente, para Is\n"
    "  --vertical          bancada vertical: a célula pesa também o motor; o impulso\n"
    "                      com U é corrigido do peso do propelente queimado (--massa)\n"
    "  --coluna N          a coluna do empuxo (a partir de 1) quando há mais de duas\n"
    "  --taxa HZ           o arquivo não tem coluna de tempo: um valor a cada 1/HZ s\n"
    "  --tara auto         subtrai o zero antes da ignição (padrão)\n"
    "  --tara nenhuma      não subtrai nada\n"
    "  --tara VALOR        subtrai VALOR newtons\n"
    "  --deriva            corrige a deriva do zero, linear entre o zero antes da\n"
    "                      ignição e o zero depois da queima\n"
    "  --inverter          lê o empuxo espelhado (-F): uma célula de carga montada ao\n"
    "                      contrário\n"
    "  --medido            grava os registros nos tempos medidos, sem reamostrar\n"
    "  --caso NOME         nome do caso (padrão: o nome do registro sem extensão)\n"
    "  --titulo TEXTO      título do ensaio\n"
    "  --substituir        substitui arquivos do caso que já existam em DIR\n"
    "  --json ARQ          escreve também os resultados em JSON (UTF-8) em ARQ; com -,\n"
    "                      na saída padrão, e o relatório vai para a saída de erro\n"
    "  --help              esta ajuda\n",
    "Separadores vírgula, ponto e vírgula, tabulação ou brancos, cabeçalho, vírgula\n"
    "decimal e fim de linha CR LF são reconhecidos sozinhos. Saída: 0 quando o caso\n"
    "foi escrito, 1 quando foi escrito com avisos, 2 quando nada foi escrito.\n",
};
