// The report's sections on the burn and the windows: the standard figures,
// the suggested window and the case's, with what the program makes of them.
#include <cmath>

#include "input/thrust_window.h"
#include "inspect/check/report.h"
#include "inspect/common/text.h"

namespace {

constexpr double kWindowFigurePercent = 1.0;

std::string case_line(const std::string& value, const char* note) {
  std::string text = "    " + value;
  text.append(value.size() < 16 ? 16 - value.size() : 1, ' ');
  return text + note;
}

std::string share_of(double part, double whole) { return whole > 0.0 ? fixed(part / whole * 100.0, 1) + " %" : "-"; }

// The reading's end, the program's figures, the impulse left out and the
// fixed step's error, for one window.
void report_reading(Report& out, const Inspection& s, const WindowCheck& c) {
  if (c.figures) {
    out.line("  " + program_end(s.in, c) + ", e o programa informa:");
    out.line("    " + program_figures_text(*c.figures));
    if (!c.figures->non_finite.empty()) {
      out.warn("o programa informaria valores infinitos ou que não são números: " + c.figures->non_finite);
    }
  } else {
    out.warn("com ela " + program_end(s.in, c));
  }
  if (s.a.chosen) {
    const LeftOut& l = c.left_out;
    out.line("  impulso da queima fora da janela: antes " + fixed(l.before, 3) + " N·s (" +
             share_of(l.before, l.total) + "), depois " + fixed(l.after, 3) + " N·s (" + share_of(l.after, l.total) +
             ") de " + fixed(l.total, 3) + " N·s do evento");
  }
  const WindowReading& r = c.reading;
  if ((r.end == ProgramEnd::past_window || r.end == ProgramEnd::arrays_full) && r.measured_It != 0.0) {
    const double error = (r.fixed_It - r.measured_It) / r.measured_It * 100.0;
    out.line("  impulso na janela: " + fixed(r.measured_It, 3) + " N·s pelos tempos medidos, " + fixed(r.fixed_It, 3) +
             " N·s pelo passo fixo 1/w do programa (" + percent(error, 2) + ")");
    if (std::fabs(error) > kImpulseErrorPercent) {
      out.warn("o passo fixo 1/w muda o impulso em " + percent(error, 1) + " nesta janela");
    }
  }
}

// True when [ti, tf] holds exactly one whole event of burn shape.
bool holds_one_burn(const Inspection& s, const CaseValues& v) {
  const double dt = 1.0 / static_cast<double>(v.w);
  int held = 0;
  for (const Event& e : s.a.scan.events) {
    if (e.shape == EventShape::burn && in_window(e.start, v.ti, v.tf, dt) && in_window(e.end, v.ti, v.tf, dt)) ++held;
  }
  return held == 1;
}

}  // namespace

std::string program_end(const InspectInput& in, const WindowCheck& c) {
  const ThrustFile& f = in.file;
  switch (c.reading.end) {
    case ProgramEnd::past_window:
      return "a leitura do programa termina na linha " + std::to_string(c.end_line) + " (t = " + shortest(c.end_time) +
             " s)";
    case ProgramEnd::unreadable_line:
      return "o programa pararia na linha " + std::to_string(f.unreadable.first_line) + " com o erro " +
             std::to_string(severe_number(f.first_error));
    case ProgramEnd::end_of_file:
      return "o arquivo acaba antes de um registro depois de tf + 1/(2w): o programa pararia com o erro 24";
    case ProgramEnd::arrays_full:
      return "a janela tem " + std::to_string(c.reading.inside) +
             " registros, mais que nmax = " + std::to_string(c.values.nmax) + ": o programa pararia com o erro 408";
    case ProgramEnd::arrays_too_big:
      return "nmax = " + std::to_string(c.values.nmax) + " é grande demais: o programa pararia com o erro 179";
  }
  return "";
}

bool keeps_impulse(const WindowReading& r, std::int32_t w, std::int32_t other) {
  if (r.measured_It == 0.0 || other <= 0) return false;
  // The same records at another step: the fixed-step impulse scales by w / other.
  const double fixed = r.fixed_It * static_cast<double>(w) / static_cast<double>(other);
  return std::fabs((fixed - r.measured_It) / r.measured_It * 100.0) <= kImpulseErrorPercent;
}

std::string program_figures_text(const ProgramFigures& f) {
  return "It = " + fixed(f.It, 3) + " N·s, Fmed = " + fixed(f.Fmed, 3) + " N, tq = " + fixed(f.tq, 4) +
         " s, Fmax = " + fixed(f.Fmax, 3) + " N, tmax = " + significant(f.tmax, 7) + " s, classe " +
         (f.classe.empty() ? "(nenhuma)" : f.classe) + ", " + std::to_string(f.nc) + " pontos";
}

void report_figures(Report& out, const Inspection& s) {
  const Burn& b = *s.a.burn;
  const BurnClass& c = s.a.burn_class;
  out.line("5. Figuras padrão: queima entre os cruzamentos de 5 % do pico (" + fixed(b.threshold, 3) + " N" +
           (b.zero != 0.0 ? " acima do zero de " + fixed(b.zero, 3) + " N" : "") + "), interpolados");
  out.line("  início " + fixed(b.start, 4) + " s, fim " + fixed(b.end, 4) + " s: duração " + fixed(b.duration, 4) +
           " s");
  out.line("  impulso total " + fixed(b.It, 3) + " N·s; empuxo médio " + fixed(b.Fmed, 3) + " N");
  out.line("  empuxo máximo " + fixed(b.Fmax, 3) + " N em " + shortest(b.peak_time) + " s");
  if (c.motor_class) {
    out.line("  classe " + c.motor_class->letter + " (" + fixed(c.motor_class->percent, 1) + " % da faixa de " +
             shortest(c.motor_class->lower) + " a " + shortest(c.motor_class->upper) + " N·s); designação " +
             c.designation);
  } else {
    out.line("  classe: nenhuma (impulso fora das faixas)");
  }
  if (s.uncertainty) report_uncertainty(out, *s.uncertainty, b);
  if (b.first == 0) out.warn("a queima começa no primeiro registro: o arquivo não tem o início");
  if (!b.ends_in_file) out.warn("a queima não termina antes do fim do arquivo");
}

void report_window(Report& out, const Inspection& s) {
  const FiringAnalysis& a = s.a;
  if (!a.window) {
    out.line("6. Janela sugerida: nenhuma");
    out.warn(
        "o primeiro registro depois da queima não vem depois do seu início (tempos fora de ordem): "
        "nenhuma janela ti < tf contém a queima");
    return;
  }
  const WindowCheck& c = s.suggested;
  out.line("6. Janela sugerida: ti = " + shortest(a.ti) +
           " s (primeiro registro em 5 % do pico ou acima), tf = " + shortest(a.tf) +
           (a.burn->ends_in_file ? " s (primeiro registro abaixo de 5 % depois do pico)"
                                 : " s (a queima vai até o fim do arquivo; o último registro termina a leitura)"));
  out.line("  linhas para o arquivo de parâmetros do caso:");
  out.line(case_line(shortest(a.ti), "ti (s)"));
  out.line(case_line(shortest(a.tf), "tf (s)"));
  const bool w_recommended = a.rate.w_fits && keeps_impulse(c.reading, c.values.w, a.rate.w);
  if (w_recommended && (!s.in.case_values || s.in.case_values->w != a.rate.w) && s.in.rate != a.rate.w) {
    out.line(case_line(std::to_string(a.rate.w), "w (Hz)"));
  }
  const std::size_t needed = c.reading.inside;
  const bool nmax_short = s.in.case_values && s.in.case_values->nmax < static_cast<std::int64_t>(needed);
  if (!s.in.case_values || nmax_short) out.line(case_line(std::to_string(needed), "nmax (no mínimo)"));
  report_reading(out, s, c);
  if (nmax_short) {
    out.warn("nmax = " + std::to_string(s.in.case_values->nmax) + " do caso é menor que os " + std::to_string(needed) +
             " registros da janela sugerida");
  }
}

void report_case(Report& out, const Inspection& s) {
  const CaseValues& v = *s.in.case_values;
  const WindowCheck& c = *s.user;
  out.line("7. Janela do caso " + s.in.case_name + ": ti = " + shortest(v.ti) + " s, tf = " + shortest(v.tf) +
           " s, Fcor = " + shortest(v.Fcor) + " N, M = " + shortest(v.M) + " kg, nmax = " + std::to_string(v.nmax));
  report_reading(out, s, c);
  const auto& suggested = s.suggested.figures;
  if (!c.figures || !suggested || suggested->It == 0.0) return;
  const double It_change = (c.figures->It - suggested->It) / suggested->It * 100.0;
  const double Fmed_change = (c.figures->Fmed - suggested->Fmed) / suggested->Fmed * 100.0;
  if (std::fabs(It_change) <= kWindowFigurePercent && std::fabs(Fmed_change) <= kWindowFigurePercent) return;
  const std::string text = "com a janela do caso It e Fmed diferem dos da janela sugerida em " + percent(It_change, 1) +
                           " e " + percent(Fmed_change, 1);
  // A window around one whole burn is the user's to choose.
  if (holds_one_burn(s, v))
    out.line("  " + text + " (a janela contém uma queima inteira)");
  else
    out.warn(text);
}
