#include "inspect/report/options.h"

namespace {

bool motor(std::string_view value, ReportOptions* o) {
  o->details.motor = std::string(value);
  return true;
}
bool team(std::string_view value, ReportOptions* o) {
  o->details.team = std::string(value);
  return true;
}
bool date(std::string_view value, ReportOptions* o) {
  o->details.date = std::string(value);
  return valid_date(value);
}
bool notes(std::string_view value, ReportOptions* o) {
  o->details.notes = std::string(value);
  return true;
}

using O = ReportOptions;
const Option<O> kOptions[] = {
    {"--motor", OptionKind::text, motor},
    {"--equipe", OptionKind::text, team},
    {"--data", OptionKind::text, date, "uma data AAAA-MM-DD"},
    {"--notas", OptionKind::text, notes},
    {"--referencia", OptionKind::text, &O::reference_file},
};

}  // namespace

bool valid_date(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  const int year = std::stoi(std::string(text.substr(0, 4)));
  const int month = std::stoi(std::string(text.substr(5, 2)));
  const int day = std::stoi(std::string(text.substr(8, 2)));
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1]) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return !(month == 2 && day == 29 && !leap);
}

const CommandLineRules<ReportOptions> kReportCommandLine = {
    kOptions, &O::folder, "relatorio avalia um caso de cada vez: dê uma só PASTA", nullptr};

const CommandText kReportText = {
    "relatorio",
    "[PASTA] [opções]",
    "a página de resultados de um caso, para o relatório da equipe",
    "Escreve a página de resultados de um caso (HTML, abre em qualquer navegador e\n"
    "imprime em PDF no A4) e a figura da curva em PNG, para o relatório da equipe.\n"
    "O caso é lido e calculado como a verificação o faz, com o código do programa.\n"
    "\n"
    "  PASTA             a pasta do caso (padrão: a pasta atual)\n"
    "  --motor TEXTO     o motor (nome, propelente ...)\n"
    "  --equipe TEXTO    a equipe\n"
    "  --data AAAA-MM-DD a data do ensaio\n"
    "  --notas TEXTO     observações\n"
    "  --referencia ARQ  compara a queima com uma curva publicada (.eng ou .rse)\n"
    "  --help            esta ajuda\n"
    "\n"
    "Motor, equipe, data e notas ficam guardados em NOME_relatorio.txt (linhas\n"
    "chave = valor) e valem para a próxima página; dê-os de novo para mudá-los.\n",
    "Escreve NOME_relatorio.html, NOME_relatorio.png e NOME_relatorio.txt onde o\n"
    "programa escreve NOME_saida_A.txt. O gráfico pede o gnuplot; sem ele a página\n"
    "traz as tabelas e diz como obtê-lo. Saída: 0 quando os dados cabem nas\n"
    "suposições do programa, 1 com avisos (na página também), 2 quando o caso não\n"
    "pode ser avaliado ou um arquivo não pode ser escrito (nada é escrito).\n",
};
