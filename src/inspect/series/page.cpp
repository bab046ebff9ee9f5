#include "inspect/series/page.h"

#include "inspect/common/command_line.h"
#include "inspect/report/html.h"
#include "inspect/series/report.h"

namespace {

std::string cell(const std::string& value) { return "<td class=\"n\">" + value + "</td>"; }

std::string firing_rows(std::span<const Firing> firings) {
  std::string s =
      "<h2>Ensaios</h2>\n<table>\n<tr><th>Ensaio</th><th>It (N\xC2\xB7s)</th><th>Fmed (N)</th><th>tq (s)</th>"
      "<th>Fmax (N)</th><th>Is (s)</th><th>Impulso padr\xC3\xA3o "
      "(N\xC2\xB7s)</th><th>Designa\xC3\xA7\xC3\xA3o</th></tr>\n";
  for (std::size_t i = 0; i < firings.size(); ++i) {
    const Firing& f = firings[i];
    const std::string at = "firings." + std::to_string(i) + ".";
    s += "<tr><td>" + html_text(firing_label(i) + ": " + f.name) + "</td>";
    s += cell(json_figure(at + "program.It_Ns", f.program.It, 3));
    s += cell(json_figure(at + "program.Fmed_N", f.program.Fmed, 3));
    s += cell(json_figure(at + "program.tq_s", f.program.tq, 4));
    s += cell(json_figure(at + "program.Fmax_N", f.program.Fmax, 3));
    s += cell(json_figure(at + "program.Is_s", f.program.Is, 1));
    s += cell(f.analysis.burn ? json_figure(at + "burn.impulse_Ns", f.analysis.burn->It, 3) : "\xE2\x80\x94");
    s += "<td>" + html_utf8(f.analysis.burn_class.designation) + "</td></tr>\n";
  }
  return s + "</table>\n";
}

std::string stats_row(const char* label, const std::string& name, const FigureStats& stats, int decimals) {
  return "<tr><th>" + std::string(label) + "</th>" + cell(json_figure(name + ".mean", stats.mean, decimals)) +
         cell("\xC2\xB1 " + json_figure(name + ".sample_sd", stats.sd, decimals)) +
         cell(json_figure(name + ".population_sd", stats.sd_population, decimals)) + "</tr>\n";
}

std::string means(const SeriesSummary& s) {
  std::string out =
      "<h2>M\xC3\xA9"
      "dias e desvios padr\xC3\xA3o</h2>\n<table>\n<tr><th></th><th>m\xC3\xA9"
      "dia</th>"
      "<th>\xCF\x83 (n \xE2\x88\x92 1)</th><th>\xCF\x83 (n)</th></tr>\n";
  out += stats_row("It, impulso total (N\xC2\xB7s)", "series.program.It_Ns", s.It, 3);
  out += stats_row(
      "Fmed, empuxo m\xC3\xA9"
      "dio (N)",
      "series.program.Fmed_N", s.Fmed, 3);
  out += stats_row("tq, tempo de queima (s)", "series.program.tq_s", s.tq, 4);
  out += stats_row("Fmax, empuxo m\xC3\xA1ximo (N)", "series.program.Fmax_N", s.Fmax, 3);
  out += stats_row("tmax, tempo de Fmax (s)", "series.program.tmax_s", s.tmax, 4);
  out += stats_row(
      "Is, impulso espec\xC3\xAD"
      "fico (s)",
      "series.program.Is_s", s.Is, 1);
  out += stats_row("Impulso padr\xC3\xA3o, 5 % do pico (N\xC2\xB7s)", "series.burn.impulse_Ns", s.It5, 3);
  out += stats_row(
      "Empuxo m\xC3\xA9"
      "dio padr\xC3\xA3o (N)",
      "series.burn.average_thrust_N", s.Fmed5, 3);
  out += stats_row("Tempo de queima padr\xC3\xA3o (s)", "series.burn.burn_time_s", s.duration, 4);
  return out +
         "</table>\n<p>Designa\xC3\xA7\xC3\xA3o pelas m\xC3\xA9"
         "dias: <b><span data-json=\"series.designation\">" +
         html_utf8(s.designation) + "</span></b></p>\n";
}

std::string checks(std::span<const Firing> firings, const Certification& c) {
  std::string s =
      "<h2>Verifica\xC3\xA7\xC3\xB5"
      "es de certifica\xC3\xA7\xC3\xA3o</h2>\n<table>\n"
      "<tr><th>Verifica\xC3\xA7\xC3\xA3o</th><th>valor</th><th>limite</th><th>resultado</th></tr>\n";
  for (std::size_t i = 0; i < c.checks.size(); ++i) {
    const Check& check = c.checks[i];
    const std::string at = "series.checks." + std::to_string(i) + ".";
    const int decimals = check.kind == CheckKind::firing_count ? 0 : 4;
    // The propellant's limit in kg, as the document gives it (the report's text says g).
    const std::string label = check.kind == CheckKind::model_propellant ? "motor-modelo: M m\xC3\xA9"
                                                                          "dio (kg)"
                                                                        : html_text(check_label(check.kind));
    s += "<tr><td>" + label + "</td>" + cell(json_figure(at + "value", check.value, decimals)) +
         cell(json_figure(at + "limit", check.limit, decimals)) + "<td>" +
         html_text(outcome_text(check, firings, c.model_motor)) + "</td></tr>\n";
  }
  return s + "</table>\n<p>" +
         (c.passed() ? "A s\xC3\xA9rie passou em todas as verifica\xC3\xA7\xC3\xB5"
                       "es."
                     : "A s\xC3\xA9rie n\xC3\xA3o passou em todas as verifica\xC3\xA7\xC3\xB5"
                       "es.") +
         "</p>\n";
}

}  // namespace

std::string series_page_html(const SeriesPage& p) {
  const std::string title = "S\xC3\xA9rie de " + std::to_string(p.firings.size()) + " ensaios";
  std::string s = page_head(title) + "<body>\n<h1>" + title + "</h1>\n";
  s += "<p class=\"sub\">Ensaios est\xC3\xA1ticos de um tipo de motor: estat\xC3\xADstica de "
       "certifica\xC3\xA7\xC3\xA3o</p>\n";
  s += "<h2>Curvas, desde a igni\xC3\xA7\xC3\xA3o (5 % do pico), e a curva m\xC3\xA9"
       "dia</h2>\n";
  s += p.svg.empty() ? "<p class=\"note\">Sem gr\xC3\xA1"
                       "fico: " +
                           html_utf8(p.no_plot) + "</p>\n"
                     : "<div class=\"plot\">\n" + p.svg + "\n</div>\n";
  s += firing_rows(p.firings);
  s += means(*p.summary);
  s += checks(p.firings, p.summary->certification);
  if (!p.links.empty()) {
    s += "<h2>Arquivos</h2>\n<ul>\n";
    for (const PageLink& link : p.links) {
      s += "<li><a href=\"" + page_href(link.name) + "\">" + html_text(link.name) + "</a>: " + html_utf8(link.what) +
           "</li>\n";
    }
    s += "</ul>\n";
  }
  if (p.reference) s += reference_table(p.reference_file, *p.reference, "series.");
  return s + "<footer>Feito por " + std::string(kInspectName) + " " + kInspectVersion +
         " serie.</footer>\n</body>\n</html>\n";
}
