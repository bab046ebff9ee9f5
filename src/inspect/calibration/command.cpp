#include "inspect/calibration/command.h"

#include <cmath>
#include <filesystem>

#include "inspect/calibration/cal_file.h"
#include "inspect/calibration/options.h"
#include "inspect/common/code_page.h"
#include "inspect/common/console.h"
#include "inspect/common/native_name.h"
#include "inspect/common/outcome.h"
#include "inspect/common/program_command.h"
#include "inspect/common/same_file.h"
#include "inspect/common/text.h"
#include "io/whole_file.h"

namespace fs = std::filesystem;

namespace {

std::string newtons(double F) { return significant(F, 6) + " N"; }

// F as a share of the top load, "0.031 % da carga máxima".
std::string of_top(double F, double top) { return fixed(F / top * 100.0, 3) + " % da carga máxima"; }

void report_steps(Report& out, const CalibrationFit& fit) {
  out.line("Cargas (na ordem da tabela)");
  out.line("       carga (N)  leituras   média da leitura     desvio   resíduo (N)");
  for (const LoadStep& s : fit.steps) {
    std::string line = "  " + std::string(s.unloading ? "d " : "c ");
    const auto column = [&line](const std::string& text, std::size_t width) {
      line.append(text.size() < width ? width - text.size() : 1, ' ');
      line += text;
    };
    column(significant(s.load, 7), 12);
    column(std::to_string(s.count), 10);
    column(significant(s.mean_reading, 8), 19);
    column(significant(s.spread, 3), 11);
    column(significant(s.residual, 3), 14);
    out.line(line);
  }
  out.line("  (c: carregando, d: descarregando)");
}

void report_fit(Report& out, const CalibrationFit& fit, const Calibration& c) {
  out.line("Ajuste: força = a + b x leitura, por mínimos quadrados sobre as " + std::to_string(fit.readings) +
           " leituras");
  out.line("  b = " + significant(fit.b, 8) + " N por unidade, u(b) = " + significant(fit.u_b, 3) + " (" +
           fixed(fit.u_b / std::fabs(fit.b) * 100.0, 4) + " %)");
  out.line("  a = " + newtons(fit.a) + ", u(a) = " + newtons(fit.u_a) + ", cov(a, b) = " + significant(fit.cov_ab, 3));
  out.line("  desvio padrão dos resíduos: " + newtons(fit.residual_sd) + ", " + std::to_string(fit.readings - 2) +
           " graus de liberdade");
  out.line("  não linearidade: " + newtons(fit.nonlinearity) + ", " + of_top(fit.nonlinearity, fit.top_load) +
           " (na carga de " + newtons(fit.nonlinearity_load) + ")");
  if (fit.hysteresis) {
    out.line("  histerese: " + newtons(*fit.hysteresis) + ", " + of_top(*fit.hysteresis, fit.top_load) +
             " (na carga de " + newtons(fit.hysteresis_load) + ")");
  } else {
    out.warn("a tabela não descarrega depois da carga máxima: histerese desconhecida");
  }
  if (fit.loads < 3) {
    out.warn("só " + std::to_string(fit.loads) +
             " cargas: a não linearidade não aparece; use ao menos três, até o pico esperado");
  }
  if (c.gravity > 0.0) {
    out.line("  gravidade: " + shortest(c.gravity) + " m/s², u = " + significant(c.u_gravity, 3) +
             " m/s²; o fator b é proporcional a g: 0.01 m/s² a mais ou a menos mudam b em " +
             fixed(0.01 / c.gravity * 100.0, 3) + " %");
  }
  out.line("  massas padrão: incerteza relativa " + fixed(c.u_masses_rel * 100.0, 4) + " %");
}

// Why the .cal file may not be written: it is the table, or exists and
// --substituir was not given.
std::string target_problem(const CalibrationOptions& o) {
  const fs::path target = fs::absolute(path_of_name(o.cal_file));
  const fs::path kept[] = {fs::absolute(path_of_name(o.table))};
  if (same_file_among(target, kept) != nullptr) {
    return "--cal " + console_name(o.cal_file) + " é a própria tabela de calibração; nada foi escrito";
  }
  std::error_code error;
  const fs::file_status status = fs::symlink_status(target, error);
  if (fs::exists(status) && !o.replace) {
    return console_name(o.cal_file) + " já existe: use --substituir para substituí-lo; nada foi escrito";
  }
  if (fs::exists(status) && !fs::is_regular_file(fs::status(target, error))) {
    return console_name(o.cal_file) + " existe e não é um arquivo; nada foi escrito";
  }
  return "";
}

}  // namespace

int calibrar_main(const Invocation& call) {
  CalibrationOptions o;
  std::string problem;
  const CommandLine line = read_command_line(kCalibrationCommandLine, call.args, &o, &problem);
  if (const auto status = settled(line, call, problem)) return *status;
  problem = target_problem(o);
  if (!problem.empty()) return fail(problem);
  const double gravity = o.gravity.value_or(kStandardGravityValue);
  CalibrationTable table;
  if (!read_calibration_table(o.table, o.unit, gravity, &table, &problem)) return fail(problem + "; nada foi escrito");
  CalibrationFit fit;
  if (!fit_calibration(table.readings, &fit)) {
    return fail(console_name(o.table) +
                ": a tabela precisa de ao menos três leituras em duas cargas diferentes, com leituras que mudam com "
                "a carga; nada foi escrito");
  }
  const bool masses = table.unit != LoadUnit::N;
  const double u_gravity = o.gravity ? 0.0 : kGravityHalfRange / std::sqrt(3.0);
  Calibration c = calibration_of(fit, masses ? gravity : 0.0, u_gravity, o.u_masses_percent / 100.0);
  c.table = to_windows_1252(name_of_path(path_of_name(o.table).filename()));
  // What the import would refuse to read is not written.
  problem = calibration_problem(c);
  if (!problem.empty())
    return fail(console_name(o.table) + ": a tabela não dá uma calibração, " + problem + "; nada foi escrito");

  Report out;
  out.line("Tabela de calibração: " + console_name(o.table) + " (" + std::to_string(table.lines) + " linhas)");
  out.line("  carga: coluna " + std::to_string(table.load_column + 1) + ", em " + unit_text(table.unit) + " (" +
           table.unit_source + "); leitura: coluna " + std::to_string(table.reading_column + 1));
  report_steps(out, fit);
  report_fit(out, fit, c);
  if (!write_whole_file(o.cal_file, cal_file_text(c))) {
    return fail("não foi possível escrever " + console_name(o.cal_file) + "; nada foi escrito");
  }
  out.line("Calibração escrita em " + console_name(o.cal_file));
  out.line("Para usar: " + companion_command() + " importar REGISTRO --calibracao " +
           typed_word(console_name(o.cal_file)) + " ...");
  put(out.text, stdout);
  return report_status(out);
}
