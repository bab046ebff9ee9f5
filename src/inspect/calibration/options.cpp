#include "inspect/calibration/options.h"

namespace {

bool read_unit(std::string_view value, CalibrationOptions* o) {
  o->unit = load_unit_named(value);
  return o->unit != LoadUnit::none;
}

bool check_options(const CalibrationOptions& o, std::string* problem) {
  if (o.table.empty()) {
    *problem = "falta a tabela de calibração";
  } else if (o.cal_file.empty()) {
    *problem = "falta --cal ARQ.cal: o arquivo de calibração a escrever";
  } else if (o.gravity && !(*o.gravity >= 9.7 && *o.gravity <= 9.9)) {
    *problem = "--gravidade pede a gravidade local em m/s², entre 9.7 e 9.9";
  } else if (!(o.u_masses_percent >= 0.0 && o.u_masses_percent < 100.0)) {
    *problem = "--u-massas-padrao pede uma incerteza em %, de 0 a menos de 100";
  } else {
    return true;
  }
  return false;
}

using O = CalibrationOptions;
const Option<O> kOptions[] = {
    {"--cal", OptionKind::text, &O::cal_file},
    {"--carga", OptionKind::text, read_unit, "g, kg ou N"},
    {"--gravidade", OptionKind::real, &O::gravity, "a gravidade local em m/s²", Bound::positive},
    {"--u-massas-padrao", OptionKind::real, &O::u_masses_percent, "uma incerteza relativa em %"},
    {"--substituir", OptionKind::flag, &O::replace},
};

}  // namespace

const CommandLineRules<CalibrationOptions> kCalibrationCommandLine = {
    kOptions, &O::table, "uma só tabela de calibração por vez", check_options};

const CommandText kCalibrationText = {
    "calibrar",
    "TABELA --cal ARQ.cal [opções]",
    "ajusta a calibração da célula de carga a uma tabela de cargas conhecidas",
    "Ajusta força = a + b x leitura por mínimos quadrados a uma tabela de calibração:\n"
    "uma linha por leitura, a carga conhecida e a leitura bruta do registrador, no\n"
    "formato que importar lê (cabeçalho, ; ou vírgula, vírgula decimal, CR LF). As\n"
    "leituras de uma carga dão a repetibilidade; a ordem do arquivo, carregando e\n"
    "depois descarregando, dá a histerese. Escreve ARQ.cal, que importar --calibracao\n"
    "usa, com a não linearidade, a histerese e as incertezas de a e b.\n"
    "\n"
    "  --cal ARQ.cal           o arquivo de calibração a escrever (obrigatório)\n"
    "  --carga U               unidade da carga: g, kg (massas) ou N; sem ela, a do\n"
    "                          cabeçalho (massa_g, carga_kg, forca_N ...)\n"
    "  --gravidade G           gravidade local em m/s², de 9.7 a 9.9 (padrão 9.80665;\n"
    "                          sem ela, a incerteza cobre de 9.780 a 9.832, o equador\n"
    "                          e os polos)\n"
    "  --u-massas-padrao P     incerteza relativa das massas padrão, em % (padrão 0)\n"
    "  --substituir            substitui ARQ.cal se já existir\n"
    "  --help                  esta ajuda\n",
    "Saída: 0 quando ARQ.cal foi escrito, 1 quando foi escrito com avisos (menos de\n"
    "três cargas, sem descarga), 2 quando nada foi escrito.\n",
};
