// talvironeska-inspect relatorio on a case: every figure on the page is the
// check's --json value of the same name, the plot is there as inline SVG,
// the page holds no script and no address outside it, a hostile title and
// hostile details stay text, and the details are remembered.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness.h"

#include "../support/json_value.h"

namespace {

class ReportPage : public ::testing::Test {};

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void write_f67w_case(const e2e::CaseDir& dir, const std::string& title) {
  for (const char* name : {"f67w.dat", e2e::kGeneralDataFile, e2e::kPlotScriptFile}) {
    dir.write(name, e2e::source_file(std::string("examples/f67w/") + name));
  }
  std::string params = e2e::source_file("examples/f67w/f67w_caso.txt");
  if (!title.empty()) {
    const std::size_t last = params.rfind('\n', params.size() - 2);
    params = params.substr(0, last + 1) + title + "\r\n";
  }
  dir.write("f67w_caso.txt", params);
}

// The value at PATH ("burn.impulse_Ns", "firings.1.program.It_Ns") under V.
const JsonValue& at(const JsonValue& v, const std::string& path) {
  const std::size_t dot = path.find('.');
  const std::string key = path.substr(0, dot);
  const bool index = !key.empty() && key.find_first_not_of("0123456789") == std::string::npos;
  const JsonValue& next = index ? v[static_cast<std::size_t>(std::stoul(key))] : v[key];
  return dot == std::string::npos ? next : at(next, path.substr(dot + 1));
}

// Each figure the page marks with data-json, as printed, against the
// document's value rounded as the page rounds it.
int check_figures(const std::string& page, const JsonValue& firing) {
  int checked = 0;
  const std::string mark = "data-json=\"";
  for (std::size_t p = page.find(mark); p != std::string::npos; p = page.find(mark, p + 1)) {
    const std::size_t name_end = page.find('"', p + mark.size());
    const std::string name = page.substr(p + mark.size(), name_end - p - mark.size());
    const std::size_t begin = page.find('>', name_end) + 1;
    std::string shown = page.substr(begin, page.find('<', begin) - begin);
    const JsonValue& value = at(firing, name);
    SCOPED_TRACE(name + " = " + shown);
    ++checked;
    if (value.kind == JsonValue::Kind::string) {
      EXPECT_EQ(shown, value.string);
      continue;
    }
    EXPECT_EQ(value.kind, JsonValue::Kind::number);
    const std::size_t comma = shown.find(',');
    const int decimals = comma == std::string::npos ? 0 : static_cast<int>(shown.size() - comma - 1);
    if (comma != std::string::npos) shown[comma] = '.';
    EXPECT_NEAR(std::strtod(shown.c_str(), nullptr), value.number, 0.5 * std::pow(10.0, -decimals) + 1e-12);
  }
  return checked;
}

TEST_F(ReportPage, FiguresAreTheChecksAndNothingOnThePageRuns) {
  e2e::CaseDir dir;
  const std::string hostile = "'</title><script>alert(1)</script><img src=http://x/y.png> & a_b \xE7\xE3o'";
  write_f67w_case(dir, hostile);
  dir.write("f67w_nar.eng", e2e::source_file("examples/f67w/f67w_nar.eng"));
  const e2e::RunResult json = dir.run_inspect({"--json", "check.json", "--referencia", "f67w_nar.eng"});
  ASSERT_EQ(json.exit_status, 0) << json.err;
  const std::optional<JsonValue> document = parse_json(dir.read("check.json"));
  ASSERT_TRUE(document.has_value());
  const JsonValue& firing = (*document)["firings"][0];
  dir.remove("check.json");

  const e2e::RunResult r = dir.run_inspect({"relatorio", "--motor", "F67 <b>", "--equipe", "Equipe \"X\" & Y", "--data",
                                            "2017-10-29", "--referencia", "f67w_nar.eng"});
  ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
  const std::string page = dir.read("f67w_relatorio.html");
  EXPECT_GE(check_figures(page, firing), 30);
  EXPECT_TRUE(has(page, "data-json=\"reference.rms_difference_N\""));
  EXPECT_TRUE(has(page, "<svg")) << "no plot";
  EXPECT_TRUE(has(page, "default-src 'none'; style-src 'unsafe-inline'; img-src data:"));
  // Nothing runs and nothing is fetched: the title's text taken out, no
  // address is left, and url() names only the plot's own filter.
  std::string markup = page;
  const std::string shown_title = "&lt;img src=http://x/y.png&gt;";
  for (std::size_t at = markup.find(shown_title); at != std::string::npos; at = markup.find(shown_title)) {
    markup.erase(at, shown_title.size());
  }
  for (const char* forbidden :
       {"<script", "<img", "http://", "https://", "src=", "<iframe", "<link", "<object", "<embed", "@import"}) {
    EXPECT_FALSE(has(markup, forbidden)) << forbidden;
  }
  for (std::size_t at = markup.find("url("); at != std::string::npos; at = markup.find("url(", at + 1)) {
    EXPECT_EQ(markup.substr(at, 5), "url(#");
  }
  // The title, Windows-1252 in the case, is UTF-8 text on the page.
  EXPECT_TRUE(has(page, "&lt;/title&gt;&lt;script&gt;alert(1)&lt;/script&gt;")) << page.substr(0, 2000);
  EXPECT_TRUE(has(page, "&amp; a_b \xC3\xA7\xC3\xA3o"));
  EXPECT_TRUE(has(page, "F67 &lt;b&gt;"));
  EXPECT_TRUE(has(page, "Equipe &quot;X&quot; &amp; Y"));
  EXPECT_TRUE(dir.exists("f67w_relatorio.png"));
  // The program has not run here: the page says so.
  EXPECT_TRUE(has(page, "f67w_saida_A.txt, n\xC3\xA3o existe"));

  // The details are remembered; a later page changes only what it is given.
  EXPECT_EQ(dir.read("f67w_relatorio.txt"), "motor = F67 <b>\r\nequipe = Equipe \"X\" & Y\r\ndata = 2017-10-29\r\n");
  ASSERT_EQ(dir.run_inspect({"relatorio", "--notas", "segundo ensaio"}).exit_status, 0);
  const std::string again = dir.read("f67w_relatorio.html");
  EXPECT_TRUE(has(again, "F67 &lt;b&gt;"));
  EXPECT_TRUE(has(again, "segundo ensaio"));
}

// Run in another folder, without gnuplot, after the program: the page holds
// the tables, says how to get the plot, and links the program's files.
TEST_F(ReportPage, WithoutGnuplotThePageHoldsTheTables) {
  e2e::CaseDir elsewhere;
  e2e::CaseDir run_here;
  write_f67w_case(run_here, "");
  ASSERT_EQ(run_here.run().exit_status, 0);
  run_here.write("f67w_calibracao.cal",
                 "# a calibration the import copied\r\nb = 0.002\r\na = 0\r\nu_b = 1e-6\r\nu_a = 0.01\r\n"
                 "cov_ab = 0\r\ngraus_de_liberdade = 23\r\ndesvio_residuos = 0.01\r\nnao_linearidade = 0.02\r\n"
                 "histerese = 0.01\r\ncarga_maxima = 120\r\ngravidade = 9.80665\r\nu_gravidade = 0\r\n"
                 "u_massas_padrao = 0\r\n");
  elsewhere.use_gnuplot(e2e::Gnuplot::missing);
  const e2e::RunResult r = elsewhere.run_inspect({"relatorio", run_here.full_path(".")});
  ASSERT_EQ(r.exit_status, 0) << r.err;
  const std::string page = run_here.read("f67w_relatorio.html");
  EXPECT_FALSE(has(page, "<svg"));
  EXPECT_TRUE(has(page, "Instale o gnuplot")) << page;
  EXPECT_TRUE(has(page, "data-json=\"burn.impulse_Ns\""));
  EXPECT_TRUE(has(page, "href=\"./f67w_saida_B.txt\""));
  EXPECT_TRUE(has(page, "copiada no caso como <a href=\"./f67w_calibracao.cal\">"));
  EXPECT_FALSE(has(page, "n\xC3\xA3o existe"));
  EXPECT_FALSE(run_here.exists("f67w_relatorio.png"));
}

// What U leaves out is named in Portuguese, as the rest of the page: a
// calibration with no unloading leaves the hysteresis out.
TEST_F(ReportPage, TheTermsUMissesAreNamedInPortuguese) {
  e2e::CaseDir dir;
  write_f67w_case(dir, "");
  ASSERT_EQ(dir.run().exit_status, 0);
  dir.write("f67w_calibracao.cal",
            "b = 0.002\r\na = 0\r\nu_b = 1e-6\r\nu_a = 0.01\r\ncov_ab = 0\r\ngraus_de_liberdade = 23\r\n"
            "desvio_residuos = 0.01\r\nnao_linearidade = 0.02\r\nhisterese = desconhecida\r\ncarga_maxima = 120\r\n"
            "gravidade = 9.80665\r\nu_gravidade = 0\r\nu_massas_padrao = 0\r\n");
  dir.use_gnuplot(e2e::Gnuplot::missing);
  const e2e::RunResult r = dir.run_inspect({"relatorio"});
  ASSERT_EQ(r.exit_status, 0) << r.err;
  const std::string page = dir.read("f67w_relatorio.html");
  const std::size_t row = page.find("U n\xC3\xA3o inclui");
  ASSERT_NE(row, std::string::npos) << page;
  const std::string missing = page.substr(row, page.find("</tr>", row) - row);
  EXPECT_TRUE(has(missing, "histerese")) << missing;
  EXPECT_TRUE(has(missing, "rel\xC3\xB3gio")) << missing;
  EXPECT_FALSE(has(missing, "hysteresis")) << missing;
  EXPECT_FALSE(has(missing, "clock")) << missing;
}

// Bad input ends in exit 2 and writes nothing; a page is never written over
// a file of the case.
TEST_F(ReportPage, RefusalsWriteNothing) {
  e2e::CaseDir dir;
  write_f67w_case(dir, "");
  EXPECT_EQ(dir.run_inspect({"relatorio", "--data", "2017-02-30"}).exit_status, 2);
  EXPECT_EQ(dir.run_inspect({"relatorio", "nao-existe"}).exit_status, 2);
  // The thrust data file named as the page.
  dir.write(e2e::kGeneralDataFile, "f67w_caso.txt\r\n");
  std::string params = e2e::source_file("examples/f67w/f67w_caso.txt");
  params.replace(params.find("f67w.dat"), 8, "f67w_relatorio.html");
  dir.write("f67w_caso.txt", params);
  dir.write("f67w_relatorio.html", e2e::source_file("examples/f67w/f67w.dat"));
  const e2e::RunResult r = dir.run_inspect({"relatorio"});
  EXPECT_EQ(r.exit_status, 2) << r.out << r.err;
  EXPECT_EQ(dir.read("f67w_relatorio.html"), e2e::source_file("examples/f67w/f67w.dat"));
  EXPECT_FALSE(dir.exists("f67w_relatorio.txt"));
}

// serie's page: its figures are serie's --json values, its overlay is there,
// a firing's name stays text, and nothing on it runs or is fetched.
TEST_F(ReportPage, TheSeriesPageHoldsTheSeriesFigures) {
  e2e::CaseDir dir;
  const std::string real = "tests/data/real/olemiss-l1420r/";
  dir.write("a&b'1.dat", e2e::source_file(real + "l1420r_test1_tared.dat"));
  dir.write("ref.eng", e2e::source_file("examples/f67w/f67w_nar.eng"));
  dir.write("t2.dat", e2e::source_file(real + "l1420r_test2_tared.dat"));
  const e2e::RunResult r = dir.run_inspect({"serie", "a&b'1.dat", "t2.dat", "--rate", "2000", "--massa", "2.56",
                                            "--saida", "s", "--json", "s.json", "--referencia", "ref.eng"});
  ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
  const std::optional<JsonValue> document = parse_json(dir.read("s.json"));
  ASSERT_TRUE(document.has_value());
  const std::string page = dir.read("s/serie.html");
  EXPECT_GE(check_figures(page, *document), 40);
  EXPECT_TRUE(has(page, "<svg"));
  EXPECT_TRUE(has(page,
                  "curva m\xC3\xA9"
                  "dia</text>"));
  EXPECT_TRUE(has(page, "ensaio 1: a&amp;b&#39;1.dat"));
  EXPECT_TRUE(has(page, "data-json=\"series.reference.rms_difference_N\""));
  for (const char* forbidden : {"<script", "<img", "http://", "https://", "src=", "@import"}) {
    EXPECT_FALSE(has(page, forbidden)) << forbidden;
  }
  EXPECT_TRUE(has(r.out, "serie.html"));
}

// The worked example of the README and the guide, as a user takes it: the
// HX711 file imported, the hint run as printed, then the page.
TEST_F(ReportPage, TheHx711ExampleFromTheLoggersFileToThePage) {
  e2e::CaseDir dir;
  dir.write("ensaio_hx711.csv", e2e::source_file("examples/hx711/ensaio_hx711.csv"));
  const e2e::RunResult imported =
      dir.run_inspect({"importar", "ensaio_hx711.csv", "--massa", "0.045", "--deriva", "--saida", "ensaio_hx711"});
  ASSERT_EQ(imported.exit_status, 0) << imported.out << imported.err;
  const std::size_t at = imported.out.find("Para avaliar: ");
  ASSERT_NE(at, std::string::npos);
  const std::string hint = imported.out.substr(at + 14, imported.out.find('\n', at) - at - 14);
  ASSERT_EQ(dir.run_typed_command(hint).exit_status, 0) << hint;
  const e2e::RunResult r = dir.run_inspect({"relatorio", "ensaio_hx711", "--motor", "E35"});
  ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
  const std::string page = dir.read("ensaio_hx711/ensaio_hx711_relatorio.html");
  EXPECT_TRUE(has(page, "<span data-json=\"burn.designation\">E29</span>")) << page.substr(0, 3000);
  EXPECT_FALSE(has(page, "n\xC3\xA3o existe"));  // the program's report is there
  EXPECT_TRUE(dir.exists("ensaio_hx711/ensaio_hx711_saida_A.txt"));
}

}  // namespace
