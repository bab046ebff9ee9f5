#include "inspect/import/command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/curve.h"
#include "inspect/calibration/cal_file.h"
#include "inspect/common/code_page.h"
#include "inspect/common/console.h"
#include "inspect/common/native_name.h"
#include "inspect/common/outcome.h"
#include "inspect/common/program_command.h"
#include "inspect/common/text.h"
#include "inspect/firing/firing.h"
#include "inspect/firing/sampling.h"
#include "inspect/firing/uniform_grid.h"
#include "inspect/firing/zero_correction.h"
#include "inspect/import/analysis.h"
#include "inspect/import/bounds.h"
#include "inspect/import/case_writer.h"
#include "inspect/import/options.h"
#include "inspect/json/firing.h"
#include "inspect/json/output.h"
#include "inspect/log/reading.h"
#include "inspect/program/line_hint.h"
#include "inspect/uncertainty/firing_uncertainty.h"

namespace fs = std::filesystem;

namespace {

// The step of the grid may change the burn's impulse by no more than this.
constexpr double kImpulseAgreementPercent = 0.1;
// A measured rate this close to a whole one is that rate.
constexpr double kWholeRatePercent = 1e-4;

constexpr char kJsonCommand[] = "import";

// MESSAGE on the standard error, and the error document with CODE where
// --json asks for it.
int fail(const JsonRun& json, const char* code, const std::string& message) {
  ::fail(message);
  return json_error(json, code, message);
}

// Times in the report to the microsecond: epoch stamps in double hold
// digits of noise below it.
std::string seconds(double t) { return shortest(std::round(t * 1e6) / 1e6) + " s"; }

// T, a record's time, with the fewest decimals that keep it within a
// hundredth of a step of the record: the window, half a step wider on each
// side, keeps the same records, and the case file reads 2.012821, not
// 2.0128205128205128.
double window_time(double t, std::int32_t w) {
  double scale = 1.0;
  for (int decimals = 0; decimals < 17; ++decimals, scale *= 10.0) {
    const double rounded = std::round(t * scale) / scale;
    if (std::fabs(rounded - t) <= 0.01 / w) return rounded;
  }
  return t;
}
std::string newtons(double F) { return fixed(F, 3) + " N"; }

std::string stretch_text(const QuietStretch& q) {
  return newtons(q.mean) + " (" + seconds(q.from) + " a " + seconds(q.to) + ", " +
         std::to_string(q.last - q.first + 1) + " registros, ruído " + newtons(q.noise) + ")";
}

void report_format(Report& out, const std::string& name, const LogRead& log, bool calibrated) {
  const LogDialect& d = log.dialect;
  const LogColumns& c = log.columns;
  out.line("Registro: " + name + " (" + std::to_string(log.lines) + " linhas)");
  std::string format = std::string("  formato: ") +
                       (d.columns > 1 ? std::string("separador ") + separator_text(d.separator) + ", " : "") +
                       (d.decimal_comma ? "vírgula decimal" : "ponto decimal") + ", fim de linha " +
                       (d.cr_only ? "CR"
                        : d.crlf  ? "CR LF"
                                  : "LF");
  if (d.header_line > 0) {
    format += "; cabeçalho na linha " + std::to_string(d.header_line) + ": \"" + printable_line(d.header_text) + "\"";
  }
  out.line(format);
  std::string time = c.time >= 0 ? "  tempo: coluna " + std::to_string(c.time + 1) + ", em " + unit_text(c.time_unit) +
                                       " (" + c.time_unit_source + "), contado do primeiro registro"
                                 : "  tempo: nenhuma coluna; um registro a cada 1/" + shortest(c.rate) + " s (--taxa)";
  out.line(time);
  std::string thrust = "  empuxo: coluna " + std::to_string(c.thrust + 1) + ", em " + unit_text(c.thrust_unit) + " (" +
                       (calibrated ? std::string("--calibracao") : c.thrust_unit_source) + ")";
  if (c.factor != 1.0 || c.offset != 0.0) {
    thrust += ", (valor - " + shortest(c.offset) + ") x " + shortest(c.factor);
  }
  out.line(thrust);
  const auto& r = log.records;
  out.line("  " + std::to_string(r.size()) + " registros, de " + seconds(r.t.front()) + " a " + seconds(r.t.back()));
  if (log.repeated > 0) {
    out.line("  " + std::to_string(log.repeated) + " registros com o tempo do anterior: tomados pela média com ele");
  }
}

// The zero to take off, by the options and the zero found before and after the burn.
bool choose_zero(const ImportOptions& o, const FiringAnalysis& a, ZeroCorrection* z, Report& out,
                 std::string* problem) {
  out.line("Zero da balança");
  out.line("  antes da ignição: " +
           (a.zero_before ? stretch_text(*a.zero_before) : std::string("registros de menos para medir")));
  out.line("  depois da queima: " +
           (a.zero_after ? stretch_text(*a.zero_after) : std::string("registros de menos para medir")));
  z->start = a.burn->start;
  z->end = a.burn->end;
  switch (o.tare) {
    case TareMode::automatic:
      if (!a.zero_before) {
        *problem = "registros de menos antes da ignição para medir o zero: dê --tara VALOR ou --tara nenhuma";
        return false;
      }
      z->before = a.zero_before->mean;
      out.line("  tara: " + newtons(z->before) + ", o zero antes da ignição (--tara auto)");
      break;
    case TareMode::none: out.line("  tara: nenhuma (--tara nenhuma)"); break;
    case TareMode::value:
      z->before = o.tare_value;
      out.line("  tara: " + newtons(z->before) + " (--tara)");
      break;
  }
  z->after = z->before;
  if (o.drift) {
    if (!a.zero_after) {
      *problem = "registros de menos depois da queima para medir a deriva do zero";
      return false;
    }
    z->after = a.zero_after->mean;
    out.line("  deriva: o zero vai de " + newtons(z->before) + " a " + newtons(z->after) + " entre " +
             fixed(z->start, 4) + " s e " + fixed(z->end, 4) + " s" + " (--deriva)");
  } else if (a.zero_before && a.zero_after) {
    out.line("  deriva: " + newtons(a.zero_shift) + " do zero antes ao zero depois, não corrigida");
    const std::string shift = warning_text(a, "zero-shift");
    if (!shift.empty()) out.warn(shift + "; no caso, só com --deriva");
  }
  return true;
}

std::string title_for(const ImportOptions& o, std::string* problem) {
  if (o.title) {
    std::string title = to_windows_1252(*o.title);
    if (title.size() > kMaxTitle) {
      *problem = "--titulo tem mais de " + std::to_string(kMaxTitle) + " caracteres";
      return "";
    }
    return title;
  }
  std::string title = to_windows_1252("Ensaio importado de " + name_of_path(path_of_name(o.log).filename()));
  if (title.size() > kMaxTitle) title.resize(kMaxTitle);
  return title;
}

// Room for a window a little wider than the suggested one.
std::int32_t nmax_with_room(std::int32_t needed, std::size_t records) {
  const std::int64_t room = std::int64_t{needed} + std::max<std::int64_t>(needed / 10, 10);
  return static_cast<std::int32_t>(std::min({room, static_cast<std::int64_t>(records), std::int64_t{kMaxNmax}}));
}

// The import's document: the firing as read (before any tare), its times on
// the log's stamps, and the program's figures on the case written.
std::string import_document(const std::string& log_name, const FiringAnalysis& firing, const LogRead& log,
                            const ImportedCase& c, const ProgramFigures& figures, const FiringUncertainty& u) {
  JsonWriter json;
  open_json_document(json, kJsonCommand);
  json_key(json, "firings");
  json_open_array(json);
  put_firing_json(json, firing, {log_name, ProgramWindow{c.ti, c.tf, figures, c.M}, log.time_origin, &u});
  json_close_array(json);
  json_close_object(json);
  return std::move(json.text);
}

// The one analysis of the converted RECORDS, before any tare or grid, and
// their time stamps at its rate. The spikes it sets aside are read through in
// the records too, as the line between the records around them: the case
// holds no reading the analysis left out.
FiringAnalysis analyse_records(Records& records, bool inverted, Sampling* sampling) {
  FiringChoice choice;
  choice.inverted = inverted;
  FiringAnalysis a = analyse_firing(records.t, records.F, choice);
  if (a.rate.w > 0) *sampling = measure_sampling(records.t, a.rate.w);
  std::vector<std::size_t> spikes;
  for (const SpikeRecord& spike : a.spikes) spikes.push_back(spike.record);
  const Signal read_through{records.t, records.F, {}, spikes};
  std::vector<double> through(spikes.size());
  for (std::size_t k = 0; k < spikes.size(); ++k) through[k] = above(read_through, spikes[k]);
  for (std::size_t k = 0; k < spikes.size(); ++k) records.F[spikes[k]] = through[k];
  return a;
}

// The case's name and title from the options, the log a file: false with
// *PROBLEM otherwise.
bool name_case(const ImportOptions& o, ImportedCase* c, std::string* problem) {
  std::error_code error;
  if (!fs::is_regular_file(path_of_name(o.log), error)) {
    *problem = console_name(o.log) + " não existe ou não é um arquivo";
    return false;
  }
  c->case_name = o.case_name.empty() ? case_name_from(name_of_path(path_of_name(o.log).stem())) : o.case_name;
  if (!valid_case_name(c->case_name)) {
    *problem = "--caso \"" + printable_line(c->case_name) + "\": de 1 a " + std::to_string(kMaxCaseName) +
               " caracteres ASCII, sem / \\ : * ? \" < > | nem brancos nas pontas, e não o nome de um dispositivo "
               "do Windows (nul, con, prn, aux, com1, lpt1 ...)";
    return false;
  }
  c->title = title_for(o, problem);
  c->M = *o.M;
  return problem->empty();
}

// The burn's section: the window, the impulse on it by the measured stamps
// (STAMPED) and by the written step (the program's FIGURES on the case), the
// class.
void report_burn(Report& out, const ImportOptions& o, const ImportedCase& c, const WrittenWindow& a,
                 const ProgramFigures& figures, const FiringAnalysis& firing, double stamped) {
  out.line("Queima");
  out.line("  janela sugerida: ti = " + seconds(c.ti) + ", tf = " + seconds(c.tf) + " (5 % do pico), " +
           std::to_string(a.nmax) + " pontos; nmax = " + std::to_string(c.nmax));
  const std::string spike = warning_text(firing, "spike");
  if (!spike.empty()) out.warn(spike + "; no caso, a reta entre os registros vizinhos");
  if (!firing.burn->ends_in_file) out.warn("a queima não termina antes do fim do registro: tf é o penúltimo registro");
  const double change = (figures.It - stamped) / stamped * 100.0;
  out.line("  impulso na janela: " + fixed(stamped, 3) + " N·s pelos tempos medidos, " + fixed(figures.It, 3) +
           " N·s " + (o.measured ? "pelo passo fixo 1/w do programa" : "depois da reamostragem") + " (" +
           percent(change, 3) + ")");
  if (std::fabs(change) <= kImpulseAgreementPercent) {
    out.line("  os dois concordam em " + fixed(kImpulseAgreementPercent, 1) + " %");
  } else {
    out.warn("os dois diferem em mais de " + fixed(kImpulseAgreementPercent, 1) + " %" +
             (o.measured ? ": o programa toma um registro a cada 1/w" : ": o registro é esparso demais para a queima"));
  }
  out.line("  classe " + (figures.classe.empty() ? std::string("(nenhuma)") : figures.classe));
}

// The step's section: w, and the curve written: the records on a grid of
// 1/w, or as they are with --medido.
void report_step(Report& out, const ImportOptions& o, const Rate& rate, const WrittenCurve& written) {
  out.line("Passo");
  if (std::fabs(rate.w_error) <= kWholeRatePercent) {
    out.line("  a taxa do registro é inteira: w = " + std::to_string(rate.w) + " Hz");
  } else {
    out.line("  taxa média do registro " + fixed(rate.measured, 3) + " Hz, não inteira: w = " + std::to_string(rate.w) +
             " Hz, a inteira mais próxima");
  }
  if (o.measured) {
    out.line("  registros gravados nos tempos medidos (--medido); o programa os toma a cada 1/w");
  } else {
    out.line("  " + std::to_string(written.size()) + " pontos numa grade exata de 1/w de 0 s a " +
             seconds(written.time(written.size() - 1)) + ", por interpolação linear");
  }
}

// The calibration of --calibracao read into *CAL, its text kept for the
// case's copy, and made the log's scale: force = a + b x reading, in N. Its
// file joins those the document is never written over.
bool take_calibration(ImportOptions* o, ImportedCase* c, Calibration* cal, JsonRun* json, std::string* problem) {
  if (!read_cal_file(o->calibration_file, cal, &c->calibration_text, problem)) return false;
  c->calibration_source = o->calibration_file;
  json->kept.push_back(fs::absolute(path_of_name(o->calibration_file)));
  o->factor = cal->b;
  o->offset = -cal->a / cal->b;
  o->thrust_unit = ThrustUnit::N;
  return true;
}

// The calibration's line, and the budget of the firing A over RECORDS as
// read (before the tare), with the calibration and the stand's figures.
FiringUncertainty calibration_and_budget(Report& out, const ImportOptions& o, const Calibration& cal,
                                         const FiringAnalysis& a, const Records& records) {
  UncertaintyInputs stand;
  static_cast<StandFigures&>(stand) = o;
  stand.propellant_mass = o.M;
  stand.nominal_rate = o.rate;
  if (!o.calibration_file.empty()) {
    // A hand-written file may leave out how many readings and loads it had.
    const std::string readings =
        cal.readings > 0 ? std::to_string(cal.readings) + " leituras em " + std::to_string(cal.loads) + " cargas "
                         : std::string("cargas ");
    out.line("  calibração: " + console_name(o.calibration_file) + ", força = " + significant(cal.a, 6) + " N + " +
             significant(cal.b, 8) + " x leitura; " + readings + "até " + fixed(cal.top_load, 3) + " N");
    stand.calibration = cal;
  }
  return firing_uncertainty(records.t, records.F, a, stand);
}

// The window of BURN on CURVE, and the case's ti, tf and nmax from it.
WrittenWindow case_window(const WrittenCurve& curve, const Burn& burn, ImportedCase* c) {
  const WrittenWindow a = window_on_curve(curve, burn, c->w);
  c->ti = window_time(a.ti, c->w);
  c->tf = window_time(a.tf, c->w);
  c->nmax_needed = a.nmax;
  c->nmax = nmax_with_room(a.nmax, curve.size());
  return a;
}

// The case C drafted in o.output_dir with CURVE, the points of RECORDS, and
// the program's FIGURES on it, its reading following the points as they are
// written: the records are gone afterwards. False with *PROBLEM, nothing
// left in the folder.
bool draft_with_figures(const ImportOptions& o, const ImportedCase& c, const WrittenCurve& curve, Records& records,
                        CaseDraft* draft, ProgramFigures* figures, std::string* problem) {
  CaseReplay replay;
  if (!start_replay({c.ti, c.tf, 0.0, c.M, c.w, c.nmax}, &replay)) {
    *problem = "memória insuficiente para os " + std::to_string(c.nmax) + " pontos da curva; nada foi escrito";
    return false;
  }
  if (!draft_case(o.output_dir, c, curve, replay_as_written(replay, curve, records), o.replace, o.log, draft,
                  problem)) {
    return false;
  }
  records = Records{};
  if (replay_figures(replay, figures)) return true;
  discard_case(*draft);
  *problem = "o programa não leria o arquivo de empuxo escrito até o fim da janela; nada foi escrito";
  return false;
}

}  // namespace

int importar_main(const Invocation& call) {
  ImportOptions o;
  std::string problem;
  const CommandLine line = read_command_line(kImportCommandLine, call.args, &o, &problem);
  if (const auto status = settled_with_json(line, call, problem, kJsonCommand)) return *status;
  JsonRun json{kJsonCommand, o.json_file, {fs::absolute(path_of_name(o.log))}};
  ImportedCase c;
  if (!name_case(o, &c, &problem)) {
    std::error_code error;
    return fail(json, fs::is_regular_file(path_of_name(o.log), error) ? "usage" : "unreadable-log", problem);
  }
  Calibration cal;
  if (!o.calibration_file.empty() && !take_calibration(&o, &c, &cal, &json, &problem)) {
    return fail(json, "unreadable-calibration", problem + "; nada foi escrito");
  }
  for (const std::string& name : case_file_names(c)) json.kept.push_back(path_of_name(o.output_dir) / name);
  problem = json_target_problem(json);
  if (!problem.empty()) return ::fail(problem + "; nada foi escrito");

  LogRead log;
  if (!read_log(o.log, o, &log, &problem)) {
    return fail(json, "unreadable-log", console_name(o.log) + ", " + problem + "; nada foi escrito");
  }
  auto& records = log.records;
  if (records.size() < 2) {
    return fail(json, "too-few-records", console_name(o.log) + " tem menos de dois registros; nada foi escrito");
  }
  if (o.inverted) {
    for (double& F : records.F) F = -F;
  }
  Sampling sampling;
  const FiringAnalysis firing = analyse_records(records, o.inverted, &sampling);

  Report out;
  report_format(out, console_name(o.log), log, !o.calibration_file.empty());
  if (firing.inverted) {
    return fail(json, "inverted-cell",
                console_name(o.log) + ": " + warning_text(firing, "inverted-cell") + "; nada foi escrito");
  }
  if (!firing.burn) return fail(json, "no-burn", "nenhuma queima em " + console_name(o.log) + "; nada foi escrito");
  problem = rate_problem(firing.rate.measured, log.columns);
  if (!problem.empty()) return fail(json, "absurd-rate", console_name(o.log) + ": " + problem + "; nada foi escrito");
  c.w = firing.rate.w;
  if (c.w <= 0) {
    return fail(json, "no-rate", "os tempos de " + console_name(o.log) + " não dão uma taxa; nada foi escrito");
  }
  const FiringUncertainty uncertainty = calibration_and_budget(out, o, cal, firing, records);
  ZeroCorrection zero;
  if (!choose_zero(o, firing, &zero, out, &problem)) return fail(json, "no-zero", problem + "; nada foi escrito");
  apply_zero_correction(records.t, records.F, zero);

  problem = o.measured ? "" : grid_problem(log, c.w);
  if (!problem.empty()) return fail(json, "sparse-log", console_name(o.log) + ": " + problem + "; nada foi escrito");
  const WrittenCurve written{records.t, records.F, o.measured ? 0 : c.w};
  report_step(out, o, firing.rate, written);
  if (sampling.gaps > 0) {
    out.warn(std::to_string(sampling.gaps) + " lacunas maiores que 1,5/w no registro, a maior de " +
             fixed(sampling.largest_gap * 1000.0, 3) + " ms depois de " + seconds(sampling.first_gap_time) +
             (o.measured ? "" : ": preenchidas por interpolação linear"));
  }

  const WrittenWindow a = case_window(written, *firing.burn, &c);
  const double stamped = stamped_impulse(records.t, records.F, c.ti, c.tf, 0.0);
  CaseDraft draft;
  ProgramFigures figures;
  if (!draft_with_figures(o, c, written, records, &draft, &figures, &problem)) {
    return fail(json, "not-written", problem);
  }
  report_burn(out, o, c, a, figures, firing, stamped);
  report_uncertainty(out, uncertainty, *firing.burn);
  const std::string document = import_document(console_name(o.log), firing, log, c, figures, uncertainty);
  std::vector<std::string> names;
  if (!place_case(draft, {out.text, document}, &names, &problem)) return fail(json, "not-written", problem);
  out.line("Caso escrito em " + console_name(o.output_dir) + ":");
  for (const std::string& name : names) out.line("  " + name);
  out.line("Para avaliar: " + run_in_folder_command(o.output_dir));
  put(out.text, report_stream(json));
  return finish_with_json(json, document, report_status(out));
}
