#include "inspect/report/page.h"

#include <cstdio>

#include "inspect/common/code_page.h"
#include "inspect/common/command_line.h"
#include "inspect/report/html.h"

namespace {

constexpr char kDash[] = "\xE2\x80\x94";

const char kStyle[] = R"(
@page { size: A4; margin: 14mm 14mm 16mm 14mm; }
body { font-family: "DejaVu Sans", Arial, Helvetica, sans-serif; color: #1a1a1a; max-width: 190mm;
       margin: 0 auto; padding: 8px; font-size: 11pt; line-height: 1.35; }
h1 { font-size: 17pt; margin: 0 0 4px 0; }
h2 { font-size: 13pt; margin: 18px 0 6px 0; border-bottom: 1px solid #999; page-break-after: avoid; }
p.sub { margin: 0 0 10px 0; color: #444; }
table { border-collapse: collapse; width: 100%; margin: 4px 0 8px 0; page-break-inside: avoid; }
th, td { text-align: left; padding: 3px 6px; border-bottom: 1px solid #ddd; vertical-align: top; }
td.n { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
th { background: #f0f0f0; width: 38%; }
.plot { width: 100%; page-break-inside: avoid; border: 1px solid #ccc; }
.plot svg { width: 100%; height: auto; display: block; }
.designation { font-size: 22pt; font-weight: bold; }
.note { background: #fff6d6; border: 1px solid #e0c870; padding: 6px 8px; margin: 8px 0; }
.quote { background: #eef6ee; border: 1px solid #9c9; padding: 6px 8px; margin: 8px 0; }
footer { margin-top: 18px; font-size: 9pt; color: #666; }
)";

std::string given(const std::optional<std::string>& value, const char* option) {
  if (value && !value->empty()) return html_text(*value);
  return std::string("<i>n\xC3\xA3o informado (") + option + ")</i>";
}

std::string row(const std::string& label, const std::string& value, const std::string& unit = "") {
  return "<tr><th>" + label + "</th><td class=\"n\">" + value + "</td><td>" + unit + "</td></tr>\n";
}

// A row of text: the value left-aligned, across the unit's column.
std::string text_row(const std::string& label, const std::string& value) {
  return "<tr><th>" + label + "</th><td colspan=\"2\">" + value + "</td></tr>\n";
}

std::string text_figure(const char* name, const std::string& value) {
  return "<span data-json=\"" + std::string(name) + "\">" + (value.empty() ? kDash : html_utf8(value)) + "</span>";
}

std::string identification(const ReportPage& p) {
  std::string s = "<h2>Identifica\xC3\xA7\xC3\xA3o</h2>\n<table>\n";
  s += text_row("Motor", given(p.details.motor, "--motor"));
  s += text_row("Equipe", given(p.details.team, "--equipe"));
  s += text_row("Data do ensaio", given(p.details.date, "--data AAAA-MM-DD"));
  s += text_row("Caso", html_text(p.case_name));
  s += text_row("Arquivo de empuxo", html_text(p.thrust_file));
  s += text_row("Notas", given(p.details.notes, "--notas"));
  return s + "</table>\n";
}

std::string plot(const ReportPage& p) {
  std::string s = "<h2>Curva de empuxo</h2>\n";
  if (p.svg.empty()) {
    return s +
           "<p class=\"note\">Sem gr\xC3\xA1"
           "fico: " +
           html_utf8(p.no_plot) + "</p>\n";
  }
  return s + "<div class=\"plot\">\n" + p.svg + "\n</div>\n";
}

// A figure and, with an uncertainty, "± U" beside it.
std::string with_u(const std::string& figure, const FiringUncertainty* u, const char* u_name, double U, int decimals) {
  if (u == nullptr) return figure;
  return figure + " \xC2\xB1 " + json_figure(std::string("burn.") + u_name, U, decimals);
}

// A term of the uncertainty budget, by its JSON name, in Portuguese.
std::string term_text(const std::string& name) {
  static const std::pair<const char*, const char*> kTerms[] = {{"calibration", "calibra\xC3\xA7\xC3\xA3o"},
                                                               {"reference_masses", "massas padr\xC3\xA3o"},
                                                               {"gravity", "gravidade"},
                                                               {"hysteresis", "histerese"},
                                                               {"nonlinearity", "n\xC3\xA3o linearidade"},
                                                               {"clock", "rel\xC3\xB3gio"},
                                                               {"rate", "taxa nominal"},
                                                               {"vertical", "peso do propelente"},
                                                               {"zero", "zero"},
                                                               {"zero_shift", "deriva do zero"},
                                                               {"noise",
                                                                "ru\xC3\xAD"
                                                                "do"},
                                                               {"gaps", "lacunas"},
                                                               {"integration", "integra\xC3\xA7\xC3\xA3o"}};
  for (const auto& [word, text] : kTerms) {
    if (name == word) return text;
  }
  return html_utf8(name);
}

// The uncertainty's rows: k, what it leaves out, the classes' chances.
std::string uncertainty_rows(const FiringUncertainty* u) {
  if (u == nullptr) return row("Incerteza (U)", "<i>n\xC3\xA3o calculada</i>");
  const Budget& b = u->budget;
  std::string s = row("Fator de abrang\xC3\xAAncia k", json_figure("uncertainty.k", b.k, 2));
  if (!b.complete) {
    std::string missing;
    for (const std::string& name : b.missing) missing += (missing.empty() ? "" : ", ") + term_text(name);
    s +=
        row("U n\xC3\xA3o inclui", "<i>" + missing + "</i> (veja o manual: calibra\xC3\xA7\xC3\xA3o e rel\xC3\xB3gio)");
  }
  if (u->classes.empty()) return s + row("Probabilidade da classe", "uma s\xC3\xB3 classe dentro de It \xC2\xB1 U");
  std::string chances;
  for (const ClassChance& c : u->classes) {
    chances += (chances.empty() ? "" : "; ") + html_utf8("P(" + c.letter + ") = ") +
               json_figure("class_probability." + c.letter, c.probability, 3);
  }
  return s + row("Probabilidade da classe", chances);
}

std::string standard_figures(const FiringAnalysis& a, const FiringUncertainty* u) {
  const Burn& b = *a.burn;
  std::string s =
      "<h2>Figuras padr\xC3\xA3o (queima entre os cruzamentos de 5 % do pico)</h2>\n"
      "<p class=\"designation\">" +
      text_figure("burn.designation", a.burn_class.designation) + "</p>\n<table>\n";
  const double U = u ? u->budget.U : 0.0;
  s += row("Impulso total", with_u(json_figure("burn.impulse_Ns", b.It, 3), u, "impulse_U_Ns", U, 3), "N\xC2\xB7s");
  s += row(
      "Empuxo m\xC3\xA9"
      "dio",
      with_u(json_figure("burn.average_thrust_N", b.Fmed, 3), u, "average_thrust_U_N", u ? u->budget.U_Fmed : 0.0, 3),
      "N");
  s += row("Empuxo m\xC3\xA1ximo",
           with_u(json_figure("burn.peak_N", b.Fmax, 3), u, "peak_U_N", u ? u->budget.U_Fmax : 0.0, 3), "N");
  s += row("Instante do pico", json_figure("burn.peak_time_s", b.peak_time, 4), "s");
  s +=
      row("Tempo de queima",
          with_u(json_figure("burn.burn_time_s", b.duration, 4), u, "burn_time_U_s", u ? u->budget.U_tq : 0.0, 4), "s");
  s +=
      row("In\xC3\xAD"
          "cio e fim da queima",
          json_figure("burn.start_s", b.start, 4) + " a " + json_figure("burn.end_s", b.end, 4), "s");
  const std::string letter = a.burn_class.motor_class ? a.burn_class.motor_class->letter : "";
  s += row("Classe", text_figure("burn.class", letter));
  s += uncertainty_rows(u);
  return s + "</table>\n";
}

std::string program_figures(const ProgramWindow& w) {
  const ProgramFigures& f = w.figures;
  std::string s = "<h2>Figuras do programa na janela do caso</h2>\n<table>\n";
  s += row("Janela ti a tf", json_figure("program.ti_s", w.ti, 4) + " a " + json_figure("program.tf_s", w.tf, 4), "s");
  s += row("Pontos da curva (nc)", "<span data-json=\"program.nc\">" + std::to_string(f.nc) + "</span>");
  s += row("It, impulso total", json_figure("program.It_Ns", f.It, 3), "N\xC2\xB7s");
  s +=
      row("Fmed, empuxo m\xC3\xA9"
          "dio",
          json_figure("program.Fmed_N", f.Fmed, 3), "N");
  s += row("tq, tempo de queima", json_figure("program.tq_s", f.tq, 4), "s");
  s += row("Fmax, empuxo m\xC3\xA1ximo", json_figure("program.Fmax_N", f.Fmax, 3), "N");
  s += row("tmax, tempo de Fmax", json_figure("program.tmax_s", f.tmax, 4), "s");
  s += row("Fmin, empuxo m\xC3\xADnimo", json_figure("program.Fmin_N", f.Fmin, 3), "N");
  s +=
      row("Is, impulso espec\xC3\xAD"
          "fico",
          json_figure("program.Is_s", f.Is, 1), "s");
  s += row("Classe", text_figure("program.classe", f.classe));
  return s + "</table>\n";
}

std::string which_to_quote() {
  return "<p class=\"quote\"><b>Qual citar:</b> para uma certifica\xC3\xA7\xC3\xA3o ou para comparar com motores "
         "publicados, cite as <b>figuras padr\xC3\xA3o</b> (a queima entre os cruzamentos de 5 % do pico, como as "
         "normas a medem); para a janela do caso como voc\xC3\xAA a escolheu (ti a tf), cite as <b>figuras do "
         "programa</b>.</p>\n";
}

std::string data_checks(const ReportPage& p) {
  const FiringAnalysis& a = *p.firing;
  std::string s = "<h2>Verifica\xC3\xA7\xC3\xA3o dos dados</h2>\n<table>\n";
  s += row("Zero antes da igni\xC3\xA7\xC3\xA3o",
           a.zero_before ? json_figure("zero.before_N", a.zero_before->mean, 3) : kDash, "N");
  s += row("Zero depois da queima", a.zero_after ? json_figure("zero.after_N", a.zero_after->mean, 3) : kDash, "N");
  if (a.zero_before && a.zero_after) {
    s += row("Deriva do zero", json_figure("zero.shift_N", a.zero_shift, 3), "N");
    s += row("Efeito da deriva no impulso", json_figure("zero.shift_effect_Ns", a.shift_effect, 3), "N\xC2\xB7s");
  }
  s += row("Taxa medida na queima", a.rate.measured > 0.0 ? json_figure("rate_Hz", a.rate.measured, 2) : kDash, "Hz");
  s += row("Picos isolados postos de lado", std::to_string(a.spikes.size()));
  s += "</table>\n";
  if (p.warnings.empty())
    return s +
           "<p>Nenhum aviso: os dados cabem nas suposi\xC3\xA7\xC3\xB5"
           "es do programa.</p>\n";
  s += "<p>Avisos da verifica\xC3\xA7\xC3\xA3o (lacunas, picos, zero, taxa):</p>\n<ul>\n";
  for (const std::string& warning : p.warnings) s += "<li>" + html_utf8(warning) + "</li>\n";
  return s + "</ul>\n";
}

std::string files(const ReportPage& p) {
  std::string s = "<h2>Calibra\xC3\xA7\xC3\xA3o e arquivos</h2>\n";
  s += p.calibration.empty()
           ? "<p>Calibra\xC3\xA7\xC3\xA3o: nenhuma no caso; o empuxo \xC3\xA9 o do arquivo de empuxo, em newtons, "
             "como est\xC3\xA1.</p>\n"
           : "<p>Calibra\xC3\xA7\xC3\xA3o: a da importa\xC3\xA7\xC3\xA3o, copiada no caso como <a href=\"" +
                 page_href(p.calibration) + "\">" + html_text(p.calibration) + "</a>.</p>\n";
  if (!p.program_report_note.empty()) s += "<p class=\"note\">" + html_utf8(p.program_report_note) + "</p>\n";
  if (p.links.empty()) return s;
  s += "<ul>\n";
  for (const PageLink& link : p.links) {
    s += "<li><a href=\"" + page_href(link.name) + "\">" + html_text(link.name) + "</a>: " + html_utf8(link.what) +
         "</li>\n";
  }
  return s + "</ul>\n";
}

}  // namespace

std::string page_head(const std::string& title) {
  return "<!DOCTYPE html>\n<html lang=\"pt\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
         "img-src data:\">\n<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         title + "</title>\n<style>" + kStyle + "</style>\n</head>\n";
}

std::string reference_table(const std::string& name, const CurveComparison& c, const std::string& at) {
  const auto figure = [&at](const char* key, double x, int decimals) {
    return json_figure(at + "reference." + key, x, decimals);
  };
  std::string s = "<h2>Compara\xC3\xA7\xC3\xA3o com a curva publicada</h2>\n<table>\n";
  s += text_row("Curva", "<span data-json=\"" + at + "reference.source\">" + html_text(name) + "</span>, " +
                             text_figure((at + "reference.designation").c_str(), c.reference.designation));
  s += row("Impulso da curva publicada", figure("impulse_Ns", c.reference.It, 3), "N\xC2\xB7s");
  s +=
      row("Diferen\xC3\xA7"
          "a do impulso",
          figure("impulse_difference_pct", c.It_pct, 2), "%");
  s +=
      row("Diferen\xC3\xA7"
          "a do empuxo m\xC3\xA9"
          "dio",
          figure("average_thrust_difference_pct", c.Fmed_pct, 2), "%");
  s +=
      row("Diferen\xC3\xA7"
          "a do pico",
          figure("peak_difference_pct", c.Fmax_pct, 2), "%");
  s +=
      row("Diferen\xC3\xA7"
          "a do tempo de queima",
          figure("burn_time_difference_pct", c.duration_pct, 2), "%");
  s +=
      row("Diferen\xC3\xA7"
          "a RMS das curvas",
          figure("rms_difference_N", c.rms, 3), "N");
  return s + "</table>\n";
}

std::string page_href(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string href = "./";
  for (unsigned char c : utf8_from_cp1252(name)) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
                       c == '.' || c == '_' || c == '~';
    if (plain) {
      href += static_cast<char>(c);
    } else {
      href += '%';
      href += kHex[c >> 4];
      href += kHex[c & 15];
    }
  }
  return href;
}

std::string report_page_html(const ReportPage& p) {
  const std::string title = p.title.empty() ? html_text(p.case_name) : html_text(p.title);
  std::string s = page_head("Ensaio est\xC3\xA1tico: " + title) + "<body>\n<h1>" + title + "</h1>\n";
  s += "<p class=\"sub\">Ensaio est\xC3\xA1tico de motor-foguete: resultados</p>\n";
  s += identification(p);
  s += plot(p);
  s += which_to_quote();
  if (p.firing != nullptr && p.firing->burn) s += standard_figures(*p.firing, p.uncertainty);
  if (p.program) s += program_figures(*p.program);
  if (p.firing != nullptr) s += data_checks(p);
  s += files(p);
  if (p.reference) s += reference_table(p.reference_file, *p.reference, "");
  s += "<footer>Feito por " + std::string(kInspectName) + " " + kInspectVersion +
       " com o c\xC3\xB3"
       "digo do programa talvironeska.</footer>\n</body>\n</html>\n";
  return s;
}
