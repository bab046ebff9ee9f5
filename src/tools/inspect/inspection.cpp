#include "tools/inspect/inspection.h"

#include <cmath>
#include <span>

#include "io/severe_error.h"
#include "tools/inspect/line_hint.h"
#include "tools/inspect/sampling.h"
#include "tools/inspect/text.h"
#include "tools/inspect/zero_offset.h"

namespace {

// Shares above these are worth a look.
constexpr double kRateMismatchPercent = 1.0;
constexpr double kImpulseErrorPercent = 1.0;
constexpr double kWindowFigurePercent = 1.0;

class Report {
 public:
  void line(const std::string& text) { text_ += text + "\n"; }
  void warn(const std::string& text) {
    text_ += "  AVISO: " + text + "\n";
    ++warnings_;
  }
  void blank() { text_ += "\n"; }
  int warnings() const { return warnings_; }
  std::string& text() { return text_; }

 private:
  std::string text_;
  int warnings_ = 0;
};

std::string quoted(std::string_view line) {
  std::string text = printable_line(line);
  text.insert(text.begin(), '"');
  text.push_back('"');
  return text;
}

std::string ms(double seconds) { return fixed(seconds * 1000.0, 3) + " ms"; }

std::string share(double value, double reference) { return percent((value - reference) / reference * 100.0, 1); }

const ThrustRecord* record_on_line(const ThrustFile& file, std::uint32_t line) {
  for (const ThrustRecord& record : file.records) {
    if (record.line == line) return &record;
  }
  return nullptr;
}

std::string read_error_number(ReadError error) { return std::to_string(severe_number(error)); }

void report_file(Report& out, const InspectInput& in) {
  const ThrustFile& f = in.file;
  out.line("1. Arquivo de empuxo: " + in.thrust_name);
  std::string span = "  " + std::to_string(f.records.size()) + " registros em " + std::to_string(f.lines) + " linhas";
  if (!f.records.empty()) {
    span += "; tempo de " + shortest(f.records.front().t) + " s a " + shortest(f.records.back().t) + " s";
  }
  out.line(span);
  bool clean = true;
  if (f.unreadable.count > 0) {
    clean = false;
    out.warn("o leitor do programa não lê a linha " + std::to_string(f.unreadable.first_line) + ": " +
             quoted(f.unreadable.first_text) + " (" + hint_text(f.first_hint) + ")");
    out.line("         o programa pararia nela com o erro " + read_error_number(f.first_error) + "; " +
             std::to_string(f.unreadable.count) +
             (f.unreadable.count == 1 ? " linha ilegível; a análise abaixo continua depois dela"
                                      : " linhas ilegíveis ao todo; a análise abaixo continua depois delas"));
  }
  if (f.decimal_comma.count > 0) {
    clean = false;
    std::string read_as;
    if (const ThrustRecord* r = record_on_line(f, f.decimal_comma.first_line)) {
      read_as = "; o leitor toma a vírgula por separador e lê t = " + shortest(r->t) + ", F = " + shortest(r->F);
    }
    out.warn("vírgula decimal na linha " + std::to_string(f.decimal_comma.first_line) + ": " +
             quoted(f.decimal_comma.first_text) + read_as + " (" + std::to_string(f.decimal_comma.count) +
             " linhas assim)");
  }
  if (f.null_or_slash.count > 0) {
    clean = false;
    out.warn("valor nulo ou barra na linha " + std::to_string(f.null_or_slash.first_line) + ": " +
             quoted(f.null_or_slash.first_text) + "; o programa repete o valor anterior (" +
             std::to_string(f.null_or_slash.count) + " registros assim)");
  }
  if (f.split.count > 0) {
    clean = false;
    out.warn("registro em mais de uma linha, terminando na linha " + std::to_string(f.split.first_line) + ": " +
             quoted(f.split.first_text) + " (" + std::to_string(f.split.count) + " registros assim)");
  }
  if (f.incomplete.count > 0) {
    clean = false;
    out.warn("a linha " + std::to_string(f.incomplete.first_line) + " tem um só valor e o arquivo acaba nela");
  }
  if ((f.unreadable.count > 0 && import_reads(f.first_hint)) || f.decimal_comma.count > 0) {
    out.line("  para converter o arquivo num caso: talvironeska-inspect importar " + in.thrust_name +
             " --massa KG --saida DIR");
  }
  if (clean) out.line("  o leitor do programa lê todas as linhas");
}

void report_sampling(Report& out, const InspectInput& in, std::int32_t w, const Sampling& s, const ProgramRun& run) {
  const double dt = 1.0 / w;
  out.line("2. Amostragem: w = " + std::to_string(w) + " Hz" + (in.case_values ? "" : in.rate > 0 ? " (--rate)" : " (estimado)") +
           ", passo do programa 1/w = " + ms(dt));
  out.line("  passo medido: mediana " + ms(s.median) + ", mínimo " + ms(s.min) + ", máximo " + ms(s.max));
  out.line("  tempos repetidos: " + std::to_string(s.repeated) + "; tempos que voltam: " + std::to_string(s.backward) +
           "; lacunas maiores que 1,5/w: " + std::to_string(s.gaps));
  const double mismatch = (s.median - dt) / dt * 100.0;
  if (std::fabs(mismatch) > kRateMismatchPercent) {
    const int suggested = rate_from_median(s.median);
    out.warn("o passo mediano difere de 1/w em " + percent(mismatch, 1) +
             (suggested > 0 ? ": o passo sugere w = " + std::to_string(suggested) + " Hz" : ""));
  }
  if (s.repeated > 0) out.warn(std::to_string(s.repeated) + " tempos repetidos: cada um vira um ponto a mais da curva");
  if (s.backward > 0) out.warn(std::to_string(s.backward) + " tempos que voltam atrás: o programa não confere a ordem");
  if (s.gaps > 0) {
    out.warn(std::to_string(s.gaps) + " lacunas maiores que 1,5/w, a maior de " + ms(s.largest_gap) +
             " (a primeira depois de t = " + shortest(s.first_gap_time) + " s): o programa as encurta para 1/w");
  }
  if (run.end == ProgramEnd::past_window && run.kept.size() > 1) {
    const double measured = measured_impulse(in.file.records, run.kept, run.rc.Fcor);
    const double error = (run.rc.It - measured) / measured * 100.0;
    out.line("  impulso na janela sugerida: " + fixed(measured, 3) + " N·s pelos tempos medidos, " + fixed(run.rc.It, 3) +
             " N·s pelo passo fixo do programa (" + percent(error, 2) + ")");
    if (std::fabs(error) > kImpulseErrorPercent) {
      out.warn("o passo fixo 1/w muda o impulso em " + percent(error, 1) + " neste arquivo");
    }
  }
}

void report_stretch(Report& out, const char* label, const QuietStretch& q) {
  out.line(std::string("  ") + label + " (" + shortest(q.from) + " s a " + shortest(q.to) + " s, " +
           std::to_string(q.count) + " registros): média " + fixed(q.mean, 3) + " N, ruído " + fixed(q.noise, 3) + " N");
}

void report_zero(Report& out, const InspectInput& in, const CaseValues& window, const Burn& burn,
                 const ProgramRun& run) {
  out.line("3. Zero da balança (empuxo sem motor aceso)");
  const auto before = before_ignition(in.file.records, burn);
  const auto after = after_burnout(in.file.records, burn);
  if (before) report_stretch(out, "antes da ignição", *before);
  else out.line("  antes da ignição: registros de menos para medir");
  if (after) report_stretch(out, "depois da queima", *after);
  else out.line("  depois da queima: registros de menos para medir");
  if (before && offset_is_clear(*before, burn.Fmax)) {
    std::string effect;
    if (run.end == ProgramEnd::past_window && run.rc.It != 0.0) {
      const ProgramRun tared = run_program(in.file, window, before->mean);
      if (tared.end == ProgramEnd::past_window && tared.rc.It != 0.0) {
        effect = "; ele muda o impulso do programa em " + share(run.rc.It, tared.rc.It) + " (" + fixed(run.rc.It, 3) +
                 " N·s; " + fixed(tared.rc.It, 3) + " N·s sem ele)";
      }
    }
    out.warn("deslocamento do zero de " + fixed(before->mean, 2) + " N antes da ignição, ruído " +
             fixed(before->noise, 2) + " N" + effect);
  }
  if (after && offset_is_clear(*after, burn.Fmax)) {
    std::string drift;
    if (before) drift = "; deriva de " + fixed(after->mean - before->mean, 2) + " N desde antes da ignição";
    out.warn("deslocamento do zero de " + fixed(after->mean, 2) + " N depois da queima, ruído " +
             fixed(after->noise, 2) + " N" + drift);
  }
}

void report_figures(Report& out, const InspectInput& in, const Burn& b, const std::optional<MotorClass>& c,
                    const std::string& name) {
  const auto& r = in.file.records;
  out.line("4. Figuras padrão: queima entre os cruzamentos de 5 % do pico (" + fixed(b.threshold, 3) +
           " N), interpolados");
  out.line("  início " + fixed(b.start, 4) + " s, fim " + fixed(b.end, 4) + " s: duração " + fixed(b.duration, 4) + " s");
  out.line("  impulso total " + fixed(b.It, 3) + " N·s; empuxo médio " + fixed(b.Fmed, 3) + " N");
  out.line("  empuxo máximo " + fixed(b.Fmax, 3) + " N em " + shortest(r[b.peak].t) + " s");
  if (c) {
    out.line("  classe " + c->letter + " (" + fixed(c->percent, 1) + " % da faixa de " + shortest(c->lower) + " a " +
             shortest(c->upper) + " N·s); designação " + name);
  } else {
    out.line("  classe: nenhuma (impulso fora das faixas)");
  }
  if (b.outside > 0) {
    std::size_t first = 0;
    while (first < r.size() && !((first < b.first || first > b.last) && r[first].F >= b.threshold)) ++first;
    out.line("  nota: " + std::to_string(b.outside) + " registros em 5 % do pico ou acima fora da queima, o primeiro em " +
             shortest(r[first].t) + " s (pico isolado, carga de ejeção?)");
  }
  if (b.first == 0) out.warn("a queima começa no primeiro registro: o arquivo não tem o início");
  if (!b.ends_in_file) out.warn("a queima não termina antes do fim do arquivo");
}

// Where and how the program's reading ends.
std::string program_end(const InspectInput& in, const ProgramRun& run) {
  const ThrustFile& f = in.file;
  switch (run.end) {
    case ProgramEnd::past_window: {
      const ThrustRecord& r = f.records[run.end_record];
      return "a leitura do programa termina na linha " + std::to_string(r.line) + " (t = " + shortest(r.t) + " s)";
    }
    case ProgramEnd::unreadable_line:
      return "o programa pararia na linha " + std::to_string(f.unreadable.first_line) + " com o erro " +
             read_error_number(f.first_error);
    case ProgramEnd::end_of_file:
      return "o arquivo acaba antes de um registro depois de tf + 1/(2w): o programa pararia com o erro 24";
    case ProgramEnd::arrays_full:
      return "a janela tem " + std::to_string(run.inside) + " registros, mais que nmax = " +
             std::to_string(run.rc.nmax) + ": o programa pararia com o erro 408";
    case ProgramEnd::arrays_too_big:
      return "nmax = " + std::to_string(run.rc.nmax) + " é grande demais: o programa pararia com o erro 179";
  }
  return "";
}

std::string program_figures(const ProgramRun& run) {
  const RunContext& rc = run.rc;
  std::string classe(rc.classe.begin(), rc.classe.end());
  while (!classe.empty() && classe.back() == ' ') classe.pop_back();
  return "It = " + fixed(rc.It, 3) + " N·s, Fmed = " + fixed(rc.Fmed, 3) + " N, tq = " + fixed(rc.tq, 4) +
         " s, Fmax = " + fixed(rc.Fmax, 3) + " N em " + shortest(rc.tmax) + " s, classe " +
         (classe.empty() ? "(nenhuma)" : classe) + ", " + std::to_string(rc.nc) + " pontos";
}

std::string case_line(const std::string& value, const char* note) {
  std::string text = "    " + value;
  text.append(value.size() < 16 ? 16 - value.size() : 1, ' ');
  return text + note;
}

void report_window(Report& out, const InspectInput& in, const CaseValues& window, const ProgramRun& run) {
  out.line("5. Janela sugerida: ti = " + shortest(window.ti) + " s (primeiro registro em 5 % do pico ou acima), tf = " +
           shortest(window.tf) + " s (primeiro registro abaixo de 5 % depois do pico)");
  out.line("  linhas para o arquivo de parâmetros do caso:");
  out.line(case_line(shortest(window.ti), "ti (s)"));
  out.line(case_line(shortest(window.tf), "tf (s)"));
  const std::size_t needed = run.inside;
  const bool nmax_short = in.case_values && in.case_values->nmax < static_cast<std::int64_t>(needed);
  if (!in.case_values || nmax_short) out.line(case_line(std::to_string(needed), "nmax (no mínimo)"));
  if (run.end == ProgramEnd::past_window) {
    out.line("  com ela " + program_end(in, run) + ", e o programa informa:");
    out.line("    " + program_figures(run));
  } else {
    out.warn("com ela " + program_end(in, run));
  }
  if (nmax_short) {
    out.warn("nmax = " + std::to_string(in.case_values->nmax) + " do caso é menor que os " + std::to_string(needed) +
             " registros da janela sugerida");
  }
}

void report_case(Report& out, const InspectInput& in, const ProgramRun& suggested) {
  const CaseValues& v = *in.case_values;
  out.line("6. Janela do caso " + in.case_name + ": ti = " + shortest(v.ti) + " s, tf = " + shortest(v.tf) +
           " s, Fcor = " + shortest(v.Fcor) + " N, M = " + shortest(v.M) + " kg, nmax = " + std::to_string(v.nmax));
  const ProgramRun run = run_program(in.file, v);
  if (run.end != ProgramEnd::past_window) {
    out.warn(program_end(in, run));
    return;
  }
  out.line("  " + program_end(in, run) + ", e o programa informa:");
  out.line("    " + program_figures(run));
  if (suggested.end != ProgramEnd::past_window || suggested.rc.It == 0.0) return;
  const double It_change = (run.rc.It - suggested.rc.It) / suggested.rc.It * 100.0;
  const double Fmed_change = (run.rc.Fmed - suggested.rc.Fmed) / suggested.rc.Fmed * 100.0;
  if (std::fabs(It_change) > kWindowFigurePercent || std::fabs(Fmed_change) > kWindowFigurePercent) {
    out.warn("com a janela do caso It e Fmed diferem dos da janela sugerida em " + percent(It_change, 1) + " e " +
             percent(Fmed_change, 1));
  }
}

InspectResult unusable(InspectResult result, Report& out, const std::string& reason) {
  result.status = kStatusUnusable;
  result.report = std::move(out.text());
  result.error = "talvironeska-inspect: erro: " + reason + "\n";
  return result;
}

}  // namespace

InspectResult inspect(const InspectInput& in) {
  InspectResult result;
  Report out;
  const std::span<const ThrustRecord> records = in.file.records;
  report_file(out, in);
  out.blank();
  if (records.size() < 2) return unusable(std::move(result), out, "menos de dois registros legíveis em " + in.thrust_name);

  std::int32_t w = in.case_values ? in.case_values->w : in.rate;
  if (w <= 0) {
    const Sampling rough = measure_sampling(records, 1);
    w = rate_from_median(rough.median);
    if (w <= 0) return unusable(std::move(result), out, "o passo mediano do arquivo não é positivo: dê a frequência com --rate");
  }
  result.w = w;
  const Sampling sampling = measure_sampling(records, w);

  result.burn = find_burn(records);
  if (!result.burn) {
    report_sampling(out, in, w, sampling, ProgramRun{});
    return unusable(std::move(result), out, "nenhum empuxo acima de zero em " + in.thrust_name);
  }
  const Burn& burn = *result.burn;
  result.motor_class = motor_class(burn.It);
  if (result.motor_class) result.designation = designation(*result.motor_class, burn.Fmed);

  CaseValues window = in.case_values.value_or(CaseValues{});
  window.w = w;
  window.ti = suggested_ti(records, burn);
  window.tf = suggested_tf(records, burn);
  // Room for every record, so that the run shows how many the window needs.
  window.nmax = static_cast<std::int32_t>(std::min<std::size_t>(records.size(), INT32_MAX / 8));
  const ProgramRun run = run_program(in.file, window);

  report_sampling(out, in, w, sampling, run);
  out.blank();
  report_zero(out, in, window, burn, run);
  out.blank();
  report_figures(out, in, burn, result.motor_class, result.designation);
  out.blank();
  report_window(out, in, window, run);
  if (in.case_values) {
    out.blank();
    report_case(out, in, run);
  }
  out.blank();
  if (out.warnings() == 0) {
    out.line("Resultado: os dados cabem nas suposições do programa.");
  } else {
    out.line("Resultado: " + std::to_string(out.warnings()) +
             (out.warnings() == 1 ? " aviso" : " avisos") + " (linhas AVISO acima).");
    result.status = kStatusWarnings;
  }
  result.report = std::move(out.text());
  return result;
}
