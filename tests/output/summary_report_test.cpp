#include "output/summary_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "io/severe_error.h"
#include "support/temp_dir.h"

namespace {

template <std::size_t N>
void assign(TextField<N>& field, std::string_view text) {
  field.fill(' ');
  text.copy(field.data(), std::min(text.size(), N));
}

// The complete run of a small motor: records (0.1, 0), (0.2, 4), (0.3, 6),
// (0.4, 1) kept from a file read with w = 10 over [0.1, 0.4].
RunContext complete_run() {
  RunContext rc;
  assign(rc.original, "dados_teste1.txt");
  rc.ti = 0.1;
  rc.tf = 0.4;
  rc.Fcor = 0.0;
  rc.M = 0.002;
  rc.w = 10;
  rc.nmax = 1000;
  rc.time_origin_option = 0;
  assign(rc.case_name, "teste1");
  assign(rc.title, "Motor de teste");
  rc.nc = 4;
  rc.F.reset(new double[4]{0.0, 4.0, 6.0, 1.0});
  rc.dt = 1.0 / 10;
  rc.tq = 0.3;
  rc.fm = (0.002 * 1000.0) / 0.3;
  rc.It = 1.05;
  rc.Fmed = 3.5;
  rc.c = 525.0;
  rc.Is = 525.0 / 9.80665;
  rc.Fmax = 6.0;
  rc.tmax = 0.3;
  rc.Fmin = 0.0;
  assign(rc.classe, "1/2A");
  return rc;
}

// The report of complete_run(), line by line, in Windows-1252.
const std::vector<std::string> kCompleteReport = {
    "#",
    "#  Sa\xED"
    "da do programa TALVIRONESKA 2.1, vers\xE3o de 29 Set 2014",
    "#",
    "#  Caso   = teste1",
    "#",
    "#  T\xEDtulo = Motor de teste",
    "#",
    "",
    "",
    " ---------- DADOS ----------",
    "",
    "",
    "   original = nome do arquivo de dados originais de empuxo versus tempo = dados_teste1.txt",
    "",
    "   ti = tempo original inicial (s) =   1.0000000E-01",
    "",
    "   tf = tempo original final (s)   =   4.0000000E-01",
    "",
    "   Fcor = valor m\xEDnimo de corte do empuxo na curva de empuxo (N) =    0.000000E+00",
    "",
    "   M = massa de propelente (g) =    2.000000E+00",
    "",
    "   w = freq\xFC\xEAncia da aquisi\xE7\xE3o de dados (Hz) =     10",
    "",
    "   dt = intervalo de tempo entre duas medidas (s) =   1.0000000E-01",
    "",
    "   go = acelera\xE7\xE3o gravitacional ao n\xEDvel do mar (m/s2) =    9.806650E+00",
    "",
    "   nmax = n\xFAmero m\xE1ximo de pontos para a curva de empuxo =     1000",
    "   nc = n\xFAmero de pontos da curva processada =      4",
    "",
    "",
    " ---------- RESULTADOS PRINCIPAIS ----------",
    "",
    "",
    "   It     = impulso total real (Ns) =    1.050000E+00",
    "",
    "   Fmed   = empuxo m\xE9"
    "dio (N) =    3.500000E+00",
    "",
    "   tq     = tempo de queima (s) =   3.0000000E-01",
    "",
    "   classe = classifica\xE7\xE3o do motor =   1/2A4.E+00",
    "",
    "",
    " ---------- OUTROS RESULTADOS ----------",
    "",
    "",
    "   fm   = fluxo de massa m\xE9"
    "dio = M/tq (g/s) =    6.666667E+00",
    "",
    "   c    = velocidade de exaust\xE3o efetiva m\xE9"
    "dia (m/s) =    5.250000E+02",
    "",
    "   Is   = impulso espec\xED"
    "fico m\xE9"
    "dio (s) =    5.353510E+01",
    "",
    "   Fmax = empuxo m\xE1ximo (N) =    6.000000E+00",
    "   tmax = tempo de Fmax (s) =    2.000000E-01",
    "",
    "",
    " --- vari\xE1vel ---   --- m\xE9"
    "dia -----   --- m\xE1ximo ----   --- m\xEDnimo ----   -- max / med --   -- min / med --",
    "",
    " F real [N] .....      3.500000E+00      6.000000E+00      0.000000E+00      1.714286E+00      0.000000E+00",
};

std::string crlf_joined(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

using SummaryReportTest = TempDirTest;

TEST_F(SummaryReportTest, CompleteRun) {
  ASSERT_EQ(kCompleteReport.size(), 60u);
  RunContext rc = complete_run();
  write_summary_report(rc);
  EXPECT_EQ(read_file("teste1_saida_A.txt"), crlf_joined(kCompleteReport));
  EXPECT_EQ(rc.tmax, 0.3 - 0.1);  // kept on the curve's time scale
}

// Each variant changes the complete run and expects the complete report with
// some lines replaced (line numbers from 1).
TEST_F(SummaryReportTest, Variants) {
  const std::string long_name(90, 'x');
  const struct Variant {
    const char* what;
    std::function<void(RunContext&)> change;
    std::vector<std::pair<int, std::string>> lines;
    std::string file;
    // clang-format off
  } variants[] = {
      {"empty title", [](RunContext& rc) { assign(rc.title, ""); }, {{6, "#  T\xEDtulo = "}}, "teste1_saida_A.txt"},
      {"title with blanks around and inside",
       [](RunContext& rc) { assign(rc.title, "   Motor  F   "); },
       {{6, "#  T\xEDtulo = Motor  F"}},
       "teste1_saida_A.txt"},
      {"90-character case name",
       [&](RunContext& rc) { assign(rc.case_name, long_name); },
       {{4, "#  Caso   = " + long_name}},
       long_name + "_saida_A.txt"},
      {"too wide integers",
       [](RunContext& rc) {
         rc.nmax = 123456789;
         rc.w = 1000000;
         rc.nc = 1000000;
       },
       {{23, "   w = freq\xFC\xEAncia da aquisi\xE7\xE3o de dados (Hz) = ******"},
        {29, "   nmax = n\xFAmero m\xE1ximo de pontos para a curva de empuxo = ********"},
        {30, "   nc = n\xFAmero de pontos da curva processada = ******"}},
       "teste1_saida_A.txt"},
      {"tq = 0 and M = 0",
       [](RunContext& rc) {
         rc.tq = 0.0;
         rc.M = 0.0;
         rc.fm = (rc.M * 1000.0) / rc.tq;  // 0/0
         rc.Fmed = rc.It / rc.tq;          // infinite
         rc.c = rc.It / rc.M;
         rc.Is = rc.c / go;
       },
       {{21, "   M = massa de propelente (g) =    0.000000E+00"},
        {38, "   Fmed   = empuxo m\xE9" "dio (N) =  Infinity      "},
        {40, "   tq     = tempo de queima (s) =   0.0000000E+00"},
        {42, "   classe = classifica\xE7\xE3o do motor =   1/2A******"},
        {48, "   fm   = fluxo de massa m\xE9" "dio = M/tq (g/s) =  NaN           "},
        {50, "   c    = velocidade de exaust\xE3o efetiva m\xE9" "dia (m/s) =  Infinity      "},
        {52, "   Is   = impulso espec\xED" "fico m\xE9" "dio (s) =  Infinity      "},
        {60, " F real [N] .....    Infinity            6.000000E+00      0.000000E+00      0.000000E+00      0.000000E+00"}},
       "teste1_saida_A.txt"},
      {"Fmed = 0",
       [](RunContext& rc) { rc.Fmed = 0.0; },
       {{38, "   Fmed   = empuxo m\xE9" "dio (N) =    0.000000E+00"},
        {42, "   classe = classifica\xE7\xE3o do motor =   1/2A0.E+00"},
        {60, " F real [N] .....      0.000000E+00      6.000000E+00      0.000000E+00    Infinity          NaN           "}},
       "teste1_saida_A.txt"},
      {"class 1/8A",
       [](RunContext& rc) {
         assign(rc.classe, "1/8A");
         rc.Fmed = 0.96;
       },
       {{38, "   Fmed   = empuxo m\xE9" "dio (N) =    9.600000E-01"},
        {42, "   classe = classifica\xE7\xE3o do motor =   1/8A1.E+00"},
        {60, " F real [N] .....      9.600000E-01      6.000000E+00      0.000000E+00      6.250000E+00      0.000000E+00"}},
       "teste1_saida_A.txt"},
      {"class F padded, average thrust 31.4",
       [](RunContext& rc) {
         assign(rc.classe, "F");
         rc.Fmed = 31.4;
       },
       {{38, "   Fmed   = empuxo m\xE9" "dio (N) =    3.140000E+01"},
        {42, "   classe = classifica\xE7\xE3o do motor =   F3.E+01"},
        {60, " F real [N] .....      3.140000E+01      6.000000E+00      0.000000E+00      1.910828E-01      0.000000E+00"}},
       "teste1_saida_A.txt"},
      {"negative average thrust",
       [](RunContext& rc) { rc.Fmed = -3.5; },
       {{38, "   Fmed   = empuxo m\xE9" "dio (N) =   -3.500000E+00"},
        {42, "   classe = classifica\xE7\xE3o do motor =   1/2A******"},
        {60, " F real [N] .....     -3.500000E+00      6.000000E+00      0.000000E+00     -1.714286E+00      0.000000E+00"}},
       "teste1_saida_A.txt"},
      {"time origin 1: tmax on the measured scale",
       [](RunContext& rc) { rc.time_origin_option = 1; },
       {{55, "   tmax = tempo de Fmax (s) =    3.000000E-01"}},
       "teste1_saida_A.txt"},
      {"time origin 2: tmax on the measured scale",
       [](RunContext& rc) { rc.time_origin_option = 2; },
       {{55, "   tmax = tempo de Fmax (s) =    3.000000E-01"}},
       "teste1_saida_A.txt"},
      {"time origin 0 with ti 1.5 and tmax 2.0",
       [](RunContext& rc) {
         rc.ti = 1.5;
         rc.tmax = 2.0;
       },
       {{15, "   ti = tempo original inicial (s) =   1.5000000E+00"},
        {55, "   tmax = tempo de Fmax (s) =    5.000000E-01"}},
       "teste1_saida_A.txt"},
  };
  // clang-format on
  for (const Variant& v : variants) {
    RunContext rc = complete_run();
    v.change(rc);
    write_summary_report(rc);
    std::vector<std::string> expected = kCompleteReport;
    for (const auto& [number, text] : v.lines) expected[static_cast<std::size_t>(number - 1)] = text;
    EXPECT_EQ(read_file(v.file), crlf_joined(expected)) << v.what;
  }
}

TEST_F(SummaryReportTest, RewritesALongerOlderFileWhole) {
  const std::string old(20000, 'z');
  write_file("teste1_saida_A.txt", old);
  RunContext rc = complete_run();
  write_summary_report(rc);
  EXPECT_EQ(read_file("teste1_saida_A.txt"), crlf_joined(kCompleteReport));
}

TEST_F(SummaryReportTest, OpenFailureIsASevereErrorOnUnit10) {
  RunContext rc = complete_run();
  assign(rc.case_name, "no_such_dir/teste1");
  try {
    write_summary_report(rc);
    FAIL() << "no error";
  } catch (const SevereError& e) {
    EXPECT_EQ(e.number(), kErrFileName);
    EXPECT_EQ(e.text(), file_error_text(kErrFileName, 10, "no_such_dir/teste1_saida_A.txt"));
  }
  EXPECT_EQ(rc.tmax, 0.3);  // nothing was written, nothing changed
}

}  // namespace
