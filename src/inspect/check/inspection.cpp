#include "inspect/check/inspection.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "analysis/curve.h"
#include "inspect/check/report.h"
#include "inspect/program/program_run.h"
#include "io/severe_error.h"

namespace {

InspectResult unusable(InspectResult result, Report& out, const char* code, const std::string& reason) {
  result.status = kStatusUnusable;
  result.report = std::move(out.text);
  result.error = failure_line(reason);
  result.error_code = code;
  result.error_text = reason;
  return result;
}

// Without a case M is not known: fm, c and Is are left out of the figures
// checked for being finite.
PrintedFigures figures_of(const RunContext& rc, bool mass_known) {
  PrintedFigures f;
  static_cast<ProgramFigures&>(f) = program_figures(rc);
  const struct {
    const char* name;
    double value;
  } printed[] = {{"It", rc.It},
                 {"Fmed", rc.Fmed},
                 {"tq", rc.tq},
                 {"fm", rc.fm},
                 {"c", rc.c},
                 {"Is", rc.Is},
                 {"Fmax", rc.Fmax},
                 {"Fmin", rc.Fmin},
                 {"tmax", f.tmax},
                 {"Fmax/Fmed", rc.Fmax / rc.Fmed},
                 {"Fmin/Fmed", rc.Fmin / rc.Fmed}};
  for (const auto& figure : printed) {
    const std::string_view name = figure.name;
    if (std::isfinite(figure.value) || (!mass_known && (name == "fm" || name == "c" || name == "Is"))) continue;
    if (!f.non_finite.empty()) f.non_finite += ", ";
    f.non_finite += figure.name;
  }
  return f;
}

WindowCheck check_window(const InspectInput& in, const FiringAnalysis& a, const CaseValues& v, double tare) {
  WindowCheck c;
  c.values = v;
  c.reading = read_window(in.file, v, tare);
  if (c.reading.end == ProgramEnd::past_window) {
    c.end_line = in.file.line_of(c.reading.end_record);
    c.end_time = in.file.t[c.reading.end_record];
  }
  if (a.chosen) c.left_out = window_left_out(in.file.t, in.file.thrusts(), a, v.ti, v.tf);
  return c;
}

std::size_t gaps_inside(std::span<const double> t, double ti, double tf, std::int32_t w) {
  const double gap = 1.5 / static_cast<double>(w);
  std::size_t gaps = 0;
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    if (t[i] >= ti && t[i + 1] <= tf && t[i + 1] - t[i] > gap) ++gaps;
  }
  return gaps;
}

double last_level(std::span<const double> F) {
  const std::size_t k = std::min<std::size_t>(F.size(), 10);
  std::vector<double> last(F.end() - static_cast<std::ptrdiff_t>(k), F.end());
  std::nth_element(last.begin(), last.begin() + static_cast<std::ptrdiff_t>(k / 2), last.end());
  return last[k / 2];
}

// The program's own figures for the windows whose reading ends past them,
// in one run context, on the records already read: the first window's run
// takes their thrust array as its curve array. A window inside that one
// takes its points from its curve; another reads the file again.
void run_programs(InspectInput& in, const Sampling& sampling, WindowCheck& suggested,
                  std::optional<WindowCheck>& user) {
  std::vector<WindowCheck*> runs;
  for (WindowCheck* c : {user ? &*user : nullptr, &suggested}) {
    if (c != nullptr && c->reading.end == ProgramEnd::past_window) runs.push_back(c);
  }
  if (runs.empty()) return;
  RunContext local;
  RunContext& rc = in.rc != nullptr ? *in.rc : local;
  WindowCheck& first = *runs.front();
  if (!run_program_on_records(in.file, first.values, rc)) return;
  first.figures = figures_of(rc, in.case_values.has_value());
  if (runs.size() == 1) return;
  WindowCheck& second = *runs.back();
  const WindowReading& s = second.reading;
  const WindowReading& f = first.reading;
  const bool nested = sampling.backward == 0 && s.inside > 0 && second.values.w == first.values.w &&
                      second.values.Fcor == first.values.Fcor && s.first_kept >= f.first_kept &&
                      s.first_kept + s.inside <= f.first_kept + f.inside;
  if (nested) {
    run_program_on_curve_stretch(rc, second.values, s.first_kept - f.first_kept, s.inside, in.file.t, s.first_kept);
    second.figures = figures_of(rc, in.case_values.has_value());
  } else if (run_program(in.source, second.values, rc)) {
    second.figures = figures_of(rc, in.case_values.has_value());
  }
}

// Why the program is certain to stop on these data before any figure, or
// empty: a line it cannot read before the first record stops it whatever the
// window; else the case's window, or without a case the suggested one, ends
// its reading otherwise than past the window.
std::string certain_failure(const Inspection& s) {
  const ThrustFile& f = s.in.file;
  if (f.unreadable_before_first_record) {
    return "o programa pararia na linha " + std::to_string(f.unreadable.first_line) + " com o erro " +
           std::to_string(severe_number(f.first_error)) + ", qualquer que seja a janela";
  }
  if (s.user) return s.user->reading.end == ProgramEnd::past_window ? "" : program_end(s.in, *s.user);
  if (s.a.window && s.suggested.reading.end != ProgramEnd::past_window) {
    return "com a janela sugerida " + program_end(s.in, s.suggested);
  }
  return "";
}

constexpr char kNoRate[] = "o passo mediano do arquivo não é positivo: dê a frequência com --rate";

// Under --inverter the thrust is read mirrored, and the report says so.
void mirror_if_asked(InspectInput& in, Report& out) {
  if (!in.choice.inverted) return;
  mirror_thrust(std::span<double>(in.file.F.get(), in.file.size()));
  out.line("  empuxo lido espelhado (--inverter): a análise abaixo é a do empuxo -F");
  out.warn("o programa lê o arquivo como ele é, com o empuxo do outro lado do zero: para um caso, importar --inverter");
}

// A log with no burn above its zero: its events and stamps, and why.
// RESULT is taken only once the analysis in it has been read.
InspectResult without_burn(InspectResult&& result, Report& out, const Inspection& s, const Sampling& sampling) {
  report_events(out, s);
  out.blank();
  report_sampling(out, s, sampling);
  const std::string& name = s.in.thrust_name;
  const bool inverted = s.a.inverted;
  const std::string why = inverted ? name + ": " + warning_text(s.a, "inverted-cell")
                                   : "nenhuma queima em " + name + ": só picos isolados ou nenhum empuxo";
  return unusable(std::move(result), out, inverted ? "inverted-cell" : "no-burn", why);
}

// Every section of the report, in order, each followed by a blank line.
void report_sections(Report& out, const Inspection& s, const Sampling& sampling) {
  report_events(out, s);
  out.blank();
  report_sampling(out, s, sampling);
  out.blank();
  report_zero(out, s);
  out.blank();
  report_figures(out, s);
  out.blank();
  report_window(out, s);
  if (s.in.case_values) {
    out.blank();
    report_case(out, s);
  }
  out.blank();
}

}  // namespace

InspectResult inspect(InspectInput& in) {
  InspectResult result;
  Report out;
  const std::span<const double> t = in.file.times();
  const std::span<const double> F = in.file.thrusts();
  report_file(out, in);
  mirror_if_asked(in, out);
  out.blank();
  if (t.size() < 2)
    return unusable(std::move(result), out, "too-few-records", "menos de dois registros legíveis em " + in.thrust_name);

  FiringChoice choice = in.choice;
  choice.w = in.case_values ? in.case_values->w : in.rate;
  result.firing = analyse_firing(t, F, choice);
  const FiringAnalysis& a = result.firing;
  if (a.times_backward) {
    return unusable(std::move(result), out, "times-backward",
                    "os tempos de " + in.thrust_name +
                        " diminuem de um registro ao seguinte: o programa lê em ordem e pararia no primeiro "
                        "registro; ponha os registros em ordem crescente de tempo");
  }
  const std::int32_t w = result.w = a.w;
  if (w <= 0) return unusable(std::move(result), out, "no-rate", kNoRate);
  const Sampling sampling = measure_sampling(t, w);

  Inspection s{in, a, {}, std::nullopt, 0.0, 0, last_level(F)};
  if (a.burn) {
    s.tare = a.burn->zero;
    if (s.tare == 0.0 && a.zero.start && offset_is_clear(*a.zero.start, a.burn->Fmax)) s.tare = a.zero.zero;
  }
  if (!a.burn || a.inverted) return without_burn(std::move(result), out, s, sampling);
  result.uncertainty = firing_uncertainty(t, F, a, in.uncertainty);
  s.uncertainty = &*result.uncertainty;
  CaseValues window = in.case_values.value_or(CaseValues{});
  window.w = w;
  window.ti = a.ti;
  window.tf = a.tf;
  // Room for every record, so that the reading shows how many the window needs.
  window.nmax = static_cast<std::int32_t>(std::min<std::size_t>(t.size(), kMaxNmax));
  if (a.window) {
    s.suggested = check_window(in, a, window, s.tare);
    s.gaps_in_window = gaps_inside(t, a.ti, a.tf, w);
  }
  if (in.case_values) s.user = check_window(in, a, *in.case_values, s.tare);
  if (in.want_eng) result.burn_polyline = burn_polyline(t, F, *a.burn);
  // The times stay for the running extremes of a window taken from another's curve.
  if (a.window || s.user) run_programs(in, sampling, s.suggested, s.user);
  if (in.release_records) in.file.release();
  if (s.suggested.figures) result.suggested = s.suggested.figures;
  if (s.user && s.user->figures) result.in_case = s.user->figures;

  report_sections(out, s, sampling);
  const std::string failure = certain_failure(s);
  if (!failure.empty()) {
    out.line("Resultado: o programa não pode avaliar estes dados.");
    return unusable(std::move(result), out, "program-would-stop", failure);
  }
  if (out.warnings == 0) {
    out.line("Resultado: os dados cabem nas suposições do programa.");
  } else {
    out.line("Resultado: " + std::to_string(out.warnings) + (out.warnings == 1 ? " aviso" : " avisos") +
             " (linhas AVISO acima).");
    result.status = kStatusWarnings;
  }
  result.report = std::move(out.text);
  return result;
}
