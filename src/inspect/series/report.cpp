#include "inspect/series/report.h"

#include <cmath>

#include "inspect/common/command_line.h"
#include "inspect/common/text.h"
#include "output/format.h"

namespace {

using namespace layout;

// Values: firing count, designation, names.
// clang-format off
constexpr LayoutItem kLayoutHeader[] = {
    lit("#"), slash,
    lit("#"), T(4), lit("Sa\xED" "da do talvironeska-inspect "), A, lit(": s\xE9rie de ensaios de um motor"), slash,
    lit("#"), slash,
    lit("#"), T(4), lit("S\xE9rie   = "), A, lit(" ensaios, designa\xE7\xE3o pelas m\xE9" "dias "), A, slash,
    lit("#"), slash,
    lit("#"), T(4), lit("Ensaios = "), A, slash,
    lit("#"),
};

constexpr LayoutItem kLayoutFiringsTitle[] = {
    slash, slash, lit(" ---------- ENSAIOS ----------"), slash,
};

// Values: number, name, where it came from, ti, tf, Fcor, w, M (g), nc, 5 % rise.
constexpr LayoutItem kLayoutFiring[] = {
    slash, lit("   ensaio "), I(2), lit(" = "), A, lit(" ("), A, lit(")"), slash,
    lit("      ti (s) = "), PE(15, 7), lit("   tf (s) = "), PE(15, 7), lit("   Fcor (N) = "), PE(15, 6), slash,
    lit("      w (Hz) = "), I(6), lit("   M (g) = "), PE(15, 6), lit("   nc = "), I(8),
    lit("   igni\xE7\xE3o (5 % do pico, s) = "), PE(15, 7),
};

constexpr LayoutItem kLayoutProgramTitle[] = {
    slash, slash, lit(" ---------- FIGURAS DO PROGRAMA (na janela de cada ensaio; tmax contado de ti) ----------"),
    slash, slash,
    X(1), lit("--- ensaio -----"), X(3), lit("--- It (Ns) ---"), X(3), lit("-- Fmed (N) ---"), X(3),
    lit("--- tq (s) ----"), X(3), lit("-- Fmax (N) ---"), X(3), lit("-- tmax (s) ---"), X(3), lit("--- Is (s) ----"),
    X(3), lit("classe"), slash,
};
// clang-format on

// Values: label, It, Fmed, tq, Fmax, tmax, Is, class.
constexpr LayoutItem kLayoutProgramRow[] = {
    T(2), A, T(18), group(6), X(3), PE(15, 6), end_group, X(3), A,
};

// clang-format off
constexpr LayoutItem kLayoutStandardTitle[] = {
    slash, slash, lit(" ---------- FIGURAS PADR\xC3O (queima entre os cruzamentos de 5 % do pico) ----------"),
    slash, slash,
    X(1), lit("--- ensaio -----"), X(3), lit("- dura\xE7\xE3o (s) -"), X(3), lit("--- It (Ns) ---"), X(3),
    lit("-- Fmed (N) ---"), X(3), lit("designa\xE7\xE3o"), slash,
};
// clang-format on

// Values: label, burn time, It, Fmed, designation.
constexpr LayoutItem kLayoutStandardRow[] = {
    T(2), A, T(18), group(3), X(3), PE(15, 6), end_group, X(3), A,
};

// Values: category, designation.
// clang-format off
constexpr LayoutItem kLayoutCertificationTitle[] = {
    slash, slash, lit(" ---------- CERTIFICA\xC7\xC3O ----------"), slash, slash, slash,
    lit("   categoria = "), A, slash, slash,
    lit("   designa\xE7\xE3o pelas m\xE9" "dias = "), A, slash,
};
// clang-format on

// Values: what, value, limit, outcome.
constexpr LayoutItem kLayoutCheck[] = {
    T(4), A, T(45), lit("= "), PE(15, 6), lit("   limite = "), PE(15, 6), X(3), A,
};
constexpr LayoutItem kLayoutCountCheck[] = {
    T(4), A, T(45), lit("= "), I(15), lit("   m\xEDnimo = "), I(15), X(3), A,
};

// Values: file, points, impulse, share of the mean It.
// clang-format off
constexpr LayoutItem kLayoutMeanCurve[] = {
    slash, slash, lit(" ---------- CURVA M\xC9" "DIA ----------"), slash, slash, slash,
    lit("   arquivo = "), A, slash,
    lit("   pontos  = "), I(6), slash,
    lit("   impulso da curva (Ns) = "), PE(15, 6), slash,
    lit("   (impulso da curva - It m\xE9" "dio) / It m\xE9" "dio = "), PE(15, 6),
};

// Values: result.
constexpr LayoutItem kLayoutResult[] = {
    slash, slash, lit("   Resultado = "), A,
};
// clang-format on

}  // namespace

std::string firing_label(std::size_t index) { return "ensaio " + std::to_string(index + 1); }

std::string firings_named(std::span<const Firing> firings, const std::vector<std::size_t>& which) {
  std::string text;
  for (std::size_t i : which) {
    if (!text.empty()) text += ", ";
    text += firing_label(i) + " (" + firings[i].name + ")";
  }
  return text;
}

std::string outcome_text(const Check& c, std::span<const Firing> firings, bool model_motor) {
  switch (c.outcome) {
    case CheckOutcome::passed: return "passou";
    case CheckOutcome::failed:
      return c.failing.empty() ? "reprovada" : "reprovada: " + firings_named(firings, c.failing);
    case CheckOutcome::not_applicable: break;
  }
  if (model_motor) {
    return "n\xE3o verificada (massa de propelente n\xE3o informada)";
  }
  return "n\xE3o se aplica (alta pot\xEAncia)";
}

const char* check_label(CheckKind kind) {
  switch (kind) {
    case CheckKind::impulse_spread:
      return "desvio de It (n-1) / It m\xE9"
             "dio";
    case CheckKind::lot_limit:
      return "maior |It - It m\xE9"
             "dio| / It m\xE9"
             "dio";
    case CheckKind::firing_count: return "n\xFAmero de ensaios";
    case CheckKind::model_impulse:
      return "motor-modelo: It m\xE9"
             "dio (Ns)";
    case CheckKind::model_thrust:
      return "motor-modelo: Fmed m\xE9"
             "dio (N)";
    case CheckKind::model_propellant:
      return "motor-modelo: M m\xE9"
             "dio (g)";
  }
  return "";
}

namespace {

void add_stats_rows(std::string& out, std::span<const LayoutItem> layout, std::span<const FigureStats* const> columns,
                    std::string_view mean_text) {
  const char* const labels[] = {
      "m\xE9"
      "dia",
      "desvio (n-1)", "desvio (n)",
      "desvio/m\xE9"
      "dia"};
  for (int row = 0; row < 4; ++row) {
    std::vector<LayoutValue> values{std::string_view(labels[row])};
    for (const FigureStats* s : columns) {
      const double v[] = {s->mean, s->sd, s->sd_population, s->cv};
      values.emplace_back(v[row]);
    }
    values.emplace_back(row == 0 ? mean_text : std::string_view());
    out += layout_text(layout, values);
  }
}

// Each firing's It with its U, and the mean's, as the check reports one
// firing's: nothing unless every firing has a budget.
void add_uncertainty_rows(std::string& out, std::span<const Firing> firings, const SeriesSummary& s) {
  std::vector<const FiringUncertainty*> budgets;
  for (const Firing& f : firings) {
    if (!f.uncertainty) return;
    budgets.push_back(&*f.uncertainty);
  }
  const MeanUncertainty mean = mean_impulse_uncertainty(budgets);
  const auto row = [&](const std::string& label, double It, double U, bool complete) {
    out += "   " + label + std::string(label.size() < 14 ? 14 - label.size() : 1, ' ') + "It = " + fixed(It, 3) +
           " \xB1 " + fixed(U, 3) + " Ns (" + fixed(It != 0.0 ? U / It * 100.0 : 0.0, 2) + " %)" +
           (complete ? "" : " (s\xF3 os termos informados)") + "\r\n";
  };
  out += "\r\n   incerteza expandida U do impulso (95 %, k = " + fixed(mean.k, 2) + "):\r\n";
  // Under --vertical each impulse with its U is the corrected one.
  double correction = 0.0;
  for (std::size_t i = 0; i < firings.size(); ++i) {
    row(firing_label(i), budgets[i]->It, budgets[i]->budget.U, budgets[i]->budget.complete);
    correction += budgets[i]->budget.vertical_correction / static_cast<double>(firings.size());
  }
  row("m\xE9"
      "dia",
      s.It5.mean + correction, mean.U, mean.complete);
  if (correction != 0.0) {
    out +=
        "   (corrigidos do peso do propelente queimado, --vertical: em m\xE9"
        "dia " +
        fixed(correction, 3) + " Ns)\r\n";
  }
  out +=
      "   (na m\xE9"
      "dia, os termos da bancada, calibra\xE7\xE3o, c\xE9lula e rel\xF3gio, n\xE3o se reduzem)\r\n";
}

}  // namespace

std::string series_report_text(std::span<const Firing> firings, const SeriesSummary& s, const MeanCurveNote& eng) {
  std::string out;
  std::string names;
  for (const Firing& f : firings) names += (names.empty() ? "" : ", ") + f.name;
  const std::string count = std::to_string(firings.size());
  out += layout_text(kLayoutHeader, {std::string_view(kInspectVersion), std::string_view(count),
                                     std::string_view(s.designation), std::string_view(names)});

  out += layout_text(kLayoutFiringsTitle, {});
  for (std::size_t i = 0; i < firings.size(); ++i) {
    const Firing& f = firings[i];
    const std::string where = f.from_case ? "caso em " + f.shown : "arquivo de empuxo " + f.shown;
    const CaseValues& v = f.values;
    out +=
        layout_text(kLayoutFiring, {static_cast<std::int32_t>(i + 1), std::string_view(f.name), std::string_view(where),
                                    v.ti, v.tf, v.Fcor, v.w, v.M * 1000.0, f.program.nc, f.standard.start});
  }

  out += layout_text(kLayoutProgramTitle, {});
  for (std::size_t i = 0; i < firings.size(); ++i) {
    const Firing& f = firings[i];
    const std::string label = firing_label(i);
    out += layout_text(kLayoutProgramRow,
                       {std::string_view(label), f.program.It, f.program.Fmed, f.program.tq, f.program.Fmax,
                        f.program.tmax, f.program.Is, std::string_view(f.program.classe)});
  }
  out += "\r\n";
  const FigureStats* program[] = {&s.It, &s.Fmed, &s.tq, &s.Fmax, &s.tmax, &s.Is};
  const std::string mean_class = designation_of(s.It.mean, s.Fmed.mean);
  add_stats_rows(out, kLayoutProgramRow, program, mean_class.substr(0, mean_class.find_first_of("0123456789")));

  out += layout_text(kLayoutStandardTitle, {});
  for (std::size_t i = 0; i < firings.size(); ++i) {
    const Firing& f = firings[i];
    const std::string label = firing_label(i);
    out += layout_text(kLayoutStandardRow, {std::string_view(label), f.standard.duration, f.standard.It,
                                            f.standard.Fmed, std::string_view(f.standard_class.designation)});
  }
  out += "\r\n";
  const FigureStats* standard[] = {&s.duration, &s.It5, &s.Fmed5};
  add_stats_rows(out, kLayoutStandardRow, standard, s.designation);
  add_uncertainty_rows(out, firings, s);

  const Certification& cert = s.certification;
  out += layout_text(kLayoutCertificationTitle,
                     {std::string_view(cert.model_motor ? "motor-modelo (It m\xE9"
                                                          "dio at\xE9 160 Ns, Fmed m\xE9"
                                                          "dio at\xE9 80 N, M m\xE9"
                                                          "dio at\xE9 125 g)"
                                                        : "alta pot\xEAncia (m\xE9"
                                                          "dias acima de um limite de motor-modelo)"),
                      std::string_view(s.designation)});
  out += "\r\n";
  for (const Check& c : cert.checks) {
    const std::string outcome = outcome_text(c, firings, cert.model_motor);
    const std::string_view label = check_label(c.kind);
    if (c.kind == CheckKind::firing_count) {
      out += layout_text(kLayoutCountCheck, {label, static_cast<std::int32_t>(c.value),
                                             static_cast<std::int32_t>(c.limit), std::string_view(outcome)});
    } else {
      const double scale = c.kind == CheckKind::model_propellant ? 1000.0 : 1.0;
      out += layout_text(kLayoutCheck, {label, c.value * scale, c.limit * scale, std::string_view(outcome)});
    }
  }

  out += layout_text(kLayoutMeanCurve, {std::string_view(eng.file), static_cast<std::int32_t>(eng.points), eng.It,
                                        (eng.It - s.It.mean) / s.It.mean});
  std::size_t failed = 0;
  for (const Check& c : cert.checks) failed += c.outcome == CheckOutcome::failed;
  const std::string result = failed == 0 ? std::string(
                                               "aprovada em todas as verifica\xE7\xF5"
                                               "es")
                                         : "reprovada em " + std::to_string(failed) +
                                               (failed == 1 ? " verifica\xE7\xE3o"
                                                            : " verifica\xE7\xF5"
                                                              "es");
  out += layout_text(kLayoutResult, {std::string_view(result)});
  return out;
}
