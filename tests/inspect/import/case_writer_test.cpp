#include "inspect/import/case_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <map>

#include "core/trimmed.h"
#include "input/case_params.h"
#include "input/general_data.h"
#include "inspect/common/code_page.h"
#include "inspect/log/record.h"
#include "inspect/program/thrust_records.h"

#include "../../support/temp_dir.h"

namespace {

using CaseWriterTest = TempDirTest;

ImportedCase sample_case() {
  ImportedCase c;
  c.case_name = "ensaio d'Ana";
  c.title = "Motor 'A', 3\xAA queima: 1/2 carga";
  c.ti = 2.0125;
  c.tf = 3.2;
  c.M = 0.0625;
  c.w = 80;
  c.nmax = 106;
  c.nmax_needed = 96;
  return c;
}

// The program's own readers take back every value whole: quotes, blanks,
// slashes and apostrophes in the names and the title.
TEST_F(CaseWriterTest, TheProgramReadsTheCaseBackWhole) {
  const ImportedCase c = sample_case();
  write_file("talvironeska_2p1_dados_geral.txt", general_data_text(c));
  write_file(params_file_name(c), case_params_text(c));
  RunContext rc;
  read_general_data(rc);
  EXPECT_EQ(trimmed(rc.parameter_file_name), "ensaio d'Ana_caso.txt");
  read_case_params(rc);
  EXPECT_EQ(trimmed(rc.original), "ensaio d'Ana.dat");
  EXPECT_EQ(rc.ti, 2.0125);
  EXPECT_EQ(rc.tf, 3.2);
  EXPECT_EQ(rc.Fcor, 0.0);
  EXPECT_EQ(rc.M, 0.0625);
  EXPECT_EQ(rc.w, 80);
  EXPECT_EQ(rc.nmax, 106);
  EXPECT_EQ(rc.time_origin_option, 0);
  EXPECT_EQ(rc.plot_option, 1);
  EXPECT_EQ(rc.curve_listing_option, 0);
  EXPECT_EQ(trimmed(rc.case_name), "ensaio d'Ana");
  EXPECT_EQ(trimmed(rc.title), c.title);
  for (const std::string& text :
       {case_params_text(c), general_data_text(c), plot_script_text(), windows_text("impulso 1 N\xC2\xB7s\n\n")}) {
    EXPECT_TRUE(text.ends_with("\r\n"));
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1);
  }
  EXPECT_EQ(windows_text("impulso 1 N\xC2\xB7s\nfim"), "impulso 1 N\xB7s\r\nfim\r\n");
  // The plot script's six lines: the window stays open on Windows, titles are
  // literal text (set after the terminal line).
  const std::string plot = plot_script_text();
  EXPECT_EQ(std::count(plot.begin(), plot.end(), '\n'), 6);
  EXPECT_LT(plot.find("persist"), plot.find("set termoption noenhanced\r\n"));
}

TEST_F(CaseWriterTest, ThrustLinesReadBackToTheSameDoubles) {
  Records records;
  for (int k = 0; k < 500; ++k) {
    records.t.push_back(k / 78.0);
    records.F.push_back(std::sin(k * 0.1) * 1234.5678 - 1e-7 * k);
  }
  records.t.push_back(1e-9);
  records.F.push_back(-4.4482216152605e-300);
  std::string text;
  const WrittenCurve curve{records.t, records.F, 0};
  EXPECT_TRUE(append_thrust_lines(curve, 0, records.size(), &text));
  std::string past_end;
  EXPECT_FALSE(append_thrust_lines(curve, records.size(), 1, &past_end));
  EXPECT_EQ(text.substr(0, 4), "0 0\r");
  const ThrustFile file = read_thrust_text(text);
  ASSERT_EQ(file.size(), records.size());
  EXPECT_EQ(file.unreadable.count, 0u);
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(file.times()[i], records.t[i]) << i;
    EXPECT_EQ(file.thrusts()[i], records.F[i]) << i;
  }
}

// The grid's times are written from their index k: each must be the text
// that the shortest plain form of the double k / w is, for rates that divide
// a power of ten and rates that do not, from the first point to points where
// the doubles' spacing nears the last decimal place.
TEST_F(CaseWriterTest, GridTimesAreTheShortestTextOfTheirDouble) {
  const struct {
    std::int32_t w;
    double last;  // s, the last record
  } grids[] = {{1, 5e15},     {2, 3e15},      {8, 1e15},     {10, 5e14},   {80, 5e13},   {125, 5e12},
               {1000, 5e12},  {1024, 1e11},   {3, 1e6},      {600, 1e6},   {4096, 1e10}, {12800, 2e9},
               {500000, 6e8}, {1000000, 3e9}, {524288, 1e9}, {15625, 1e9}, {44100, 1e6}};
  for (const auto& g : grids) {
    SCOPED_TRACE(g.w);
    const std::vector<double> t = {0.0, g.last};
    const std::vector<double> F = {1.0, 2.0};
    const WrittenCurve curve{t, F, g.w};
    const std::size_t n = curve.size();
    std::vector<std::size_t> starts = {0, 1000003, n / 7, n / 3, n / 2, n - 3000};
    for (std::size_t p = 1; p > 0 && p < n; p *= 2) starts.push_back(p - 40);
    for (const std::size_t first : starts) {
      std::string text;
      ASSERT_TRUE(append_thrust_lines(curve, first, 2000, &text));
      std::size_t at = 0;
      for (std::size_t k = first; k < first + 2000; ++k) {
        char expected[400];
        char* end =
            std::to_chars(expected, expected + sizeof expected, static_cast<double>(k) / g.w, std::chars_format::fixed)
                .ptr;
        *end++ = ' ';
        const std::size_t line_end = text.find('\n', at);
        ASSERT_EQ(text.compare(at, static_cast<std::size_t>(end - expected), expected, end - expected), 0)
            << "k = " << k << ": " << text.substr(at, line_end - at);
        at = line_end + 1;
      }
    }
  }
}

// The thrust data file of a grid over uneven stamps, long enough to be
// formatted in several blocks on two threads, holds the same lines as one
// cursor walking the curve from its start.
TEST_F(CaseWriterTest, TheDataFileIsTheCurveLineByLineWhateverTheBlocks) {
  std::vector<double> t;
  std::vector<double> F;
  long ms = 0;
  for (int k = 0; k < 60000; ++k, ms += 1 + k % 3) {
    t.push_back(ms / 1000.0);
    F.push_back(std::sin(k * 0.01) * 50.0 + k * 1e-4);
  }
  for (const std::int32_t w : {0, 997}) {
    SCOPED_TRACE(w);
    const WrittenCurve curve{t, F, w};
    std::string expected;
    append_thrust_lines(curve, 0, curve.size(), &expected);
    ImportedCase c = sample_case();
    c.case_name = "longo" + std::to_string(w);
    std::vector<std::string> written;
    std::string problem;
    ASSERT_TRUE(write_case("caso" + std::to_string(w), c, curve, {"achados\n", "{}"}, false, "registro.csv", &written,
                           &problem))
        << problem;
    EXPECT_EQ(read_file("caso" + std::to_string(w) + "/" + thrust_file_name(c)), expected);
  }
}

TEST_F(CaseWriterTest, NothingIsReplacedUnlessAskedAndTheLogNever) {
  ImportedCase c = sample_case();
  c.case_name = "e1";
  const std::vector<double> t = {0.0, 0.5};
  const std::vector<double> F = {1.0, 2.0};
  const WrittenCurve records{t, F, 0};
  write_file("registro.csv", "t,F\n");
  std::filesystem::create_directory("caso");
  write_file("caso/e1.dat", "antigo\n");
  std::vector<std::string> written;
  std::string problem;
  EXPECT_FALSE(write_case("caso", c, records, {"achados\n", "{}"}, false, "registro.csv", &written, &problem));
  EXPECT_NE(problem.find("e1.dat j\xC3\xA1 existe"), std::string::npos) << problem;
  EXPECT_EQ(read_file("caso/e1.dat"), "antigo\n");
  EXPECT_FALSE(std::filesystem::exists("caso/talvironeska_2p1_dados_geral.txt"));

  ASSERT_TRUE(write_case("caso", c, records, {"achados\n", "{}"}, true, "registro.csv", &written, &problem)) << problem;
  EXPECT_EQ(read_file("caso/e1.dat"), "0 1\r\n0.5 2\r\n");
  EXPECT_EQ(written.size(), 6u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("caso"), {}), 6);
  // What the import found, as Notepad reads it, and its document as given.
  EXPECT_EQ(read_file("caso/e1_importacao.txt"), "achados\r\n");
  EXPECT_EQ(read_file("caso/e1_importacao.json"), "{}");

  // The log, named another way, as the case's own thrust data file.
  write_file("caso/e2.dat", "t,F\n");
  c.case_name = "e2";
  problem.clear();
  EXPECT_FALSE(write_case("caso", c, records, {"achados\n", "{}"}, true, "caso/../caso/./e2.dat", &written, &problem));
  EXPECT_NE(problem.find("pr\xC3\xB3prio registro"), std::string::npos) << problem;
  EXPECT_EQ(read_file("caso/e2.dat"), "t,F\n");
  EXPECT_FALSE(std::filesystem::exists("caso/e2_caso.txt"));
}

TEST_F(CaseWriterTest, AFailedWriteLeavesNothing) {
  const ImportedCase c = sample_case();
  std::vector<std::string> written;
  std::string problem;
  write_file("arquivo", "x");
  EXPECT_FALSE(
      write_case("arquivo/caso", c, WrittenCurve{}, {"achados\n", "{}"}, false, "registro.csv", &written, &problem));
  EXPECT_FALSE(problem.empty());
  EXPECT_TRUE(written.empty());
}

// A rename that fails while the new files take their names (here the old
// parameter file cannot move aside: a folder holds that name) puts the old
// case back whole, and says so.
TEST_F(CaseWriterTest, AFailedSwapPutsTheOldCaseBack) {
  ImportedCase c = sample_case();
  c.case_name = "e1";
  const std::vector<double> t = {0.0, 0.5, 1.0};
  const std::vector<double> old_F = {1.0, 2.0};
  const WrittenCurve old_records{std::span(t).first(2), old_F, 0};
  std::vector<std::string> written;
  std::string problem;
  ASSERT_TRUE(write_case("caso", c, old_records, {"achados\n", "{}"}, false, "registro.csv", &written, &problem))
      << problem;
  std::map<std::string, std::string> before;
  for (const auto& entry : std::filesystem::directory_iterator("caso")) {
    before[entry.path().filename().string()] = read_file(entry.path().string());
  }
  std::filesystem::create_directories("caso/e1_caso.txt.importar-antigo/ocupada");
  c.ti = 0.25;
  const std::vector<double> new_F = {5.0, 6.0, 0.0};
  const WrittenCurve new_records{t, new_F, 0};
  EXPECT_FALSE(write_case("caso", c, new_records, {"achados\n", "{}"}, true, "registro.csv", &written, &problem));
  EXPECT_NE(problem.find("ficou como estava"), std::string::npos) << problem;
  std::map<std::string, std::string> after;
  for (const auto& entry : std::filesystem::directory_iterator("caso")) {
    if (entry.is_regular_file()) after[entry.path().filename().string()] = read_file(entry.path().string());
  }
  EXPECT_EQ(after, before);
}

// A drafted case is only its temporary files: the program's figures are
// read from its thrust data there, and a draft given up (a run that cannot
// finish, a failure between the two steps) leaves the folder as it was,
// an old case whole and a folder it made gone.
TEST_F(CaseWriterTest, ADraftIsTemporaryFilesUntilPlacedAndGoneWhenGivenUp) {
  ImportedCase c = sample_case();
  c.case_name = "e1";
  const std::vector<double> t = {0.0, 0.5, 1.0};
  const std::vector<double> F = {1.0, 2.0, 3.0};
  const WrittenCurve curve{t, F, 0};
  std::filesystem::create_directory("velho");
  write_file("velho/e1.dat", "antigo\n");
  for (const char* dir : {"novo", "velho"}) {
    SCOPED_TRACE(dir);
    std::string problem;
    {
      CaseDraft draft;
      ASSERT_TRUE(draft_case(dir, c, curve, nullptr, true, "registro.csv", &draft, &problem)) << problem;
      EXPECT_EQ(read_file(drafted_thrust_data(draft)), "0 1\r\n0.5 2\r\n1 3\r\n");
      EXPECT_TRUE(drafted_thrust_data(draft).ends_with("e1.dat.importar-tmp"));
      std::size_t files = 0;
      for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        files += entry.path().filename().string().ends_with(".importar-tmp");
      }
      EXPECT_EQ(files, 4u);  // the report and the document wait for the figures
    }
    if (std::string(dir) == "novo") {
      EXPECT_FALSE(std::filesystem::exists(dir));
    } else {
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
      EXPECT_EQ(read_file("velho/e1.dat"), "antigo\n");
    }
    CaseDraft draft;
    ASSERT_TRUE(draft_case(dir, c, curve, nullptr, true, "registro.csv", &draft, &problem)) << problem;
    std::vector<std::string> written;
    ASSERT_TRUE(place_case(draft, {"achados\n", "{}"}, &written, &problem)) << problem;
    EXPECT_EQ(written, case_file_names(c));
    EXPECT_EQ(read_file(std::string(dir) + "/e1.dat"), "0 1\r\n0.5 2\r\n1 3\r\n");
    EXPECT_EQ(read_file(std::string(dir) + "/" + import_report_name(c)), "achados\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 6);
  }
}

// Temporary names already taken (a link planted there, a file left by a
// killed import) are cleared, never written through.
TEST_F(CaseWriterTest, TemporaryFilesAreMadeNewNeverThroughALink) {
  ImportedCase c = sample_case();
  c.case_name = "e1";
  write_file("vitima.txt", "intacta\n");
  std::filesystem::create_directory("caso");
  // Where links cannot be made (a Windows build under wine), a plain file
  // stands at the name instead.
  std::error_code no_links;
  std::filesystem::create_symlink(path_of("vitima.txt"), "caso/e1.dat.importar-tmp", no_links);
  if (no_links) write_file("caso/e1.dat.importar-tmp", "restos");
  write_file("caso/talvironeska_2p1_dados_geral.txt.importar-tmp", "restos de uma importação interrompida");
  std::vector<std::string> written;
  std::string problem;
  const std::vector<double> t = {0.0, 0.5};
  const std::vector<double> F = {1.0, 2.0};
  ASSERT_TRUE(
      write_case("caso", c, WrittenCurve{t, F, 0}, {"achados\n", "{}"}, false, "registro.csv", &written, &problem))
      << problem;
  EXPECT_EQ(read_file("vitima.txt"), "intacta\n");
  EXPECT_EQ(read_file("caso/e1.dat"), "0 1\r\n0.5 2\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("caso"), {}), 6);
}

TEST(CaseNames, WindowsDevicesAreNoCaseNames) {
  for (const char* name : {"nul", "NUL", "con.txt", "Prn", "aux.dat", "com1", "COM9.csv", "lpt0", "conin$", "CONOUT$",
                           "nul.", "nul ", "con . txt"}) {
    EXPECT_TRUE(is_device_name(name)) << name;
    EXPECT_FALSE(valid_case_name(name)) << name;
  }
  for (const char* name : {"nulo", "console", "com10", "lpt", "com", "auxiliar.dat", "ensaio_con"}) {
    EXPECT_FALSE(is_device_name(name)) << name;
  }
  EXPECT_EQ(case_name_from("con"), "con_");
  EXPECT_EQ(case_name_from("COM3.log"), "COM3_.log");
  EXPECT_TRUE(valid_case_name(case_name_from("aux")));
}

TEST(CaseNames, ValidOnesAndOnesMadeFromAFileName) {
  for (const char* name : {"ensaio1", "ensaio d'Ana", "a.b-c_d", "x"}) EXPECT_TRUE(valid_case_name(name)) << name;
  for (const char* name : {"", " ensaio", "ensaio ", "a/b", "a\\b", "a:b", "a*b", "\xC3\xA9", "..",
                           "12345678901234567890123456789012345678901"}) {
    EXPECT_FALSE(valid_case_name(name)) << name;
  }
  EXPECT_EQ(case_name_from("ensaio 1 (bancada)"), "ensaio_1__bancada_");
  EXPECT_EQ(case_name_from("medi\xC3\xA7\xC3\xA3o"), "medi____o");
  EXPECT_EQ(case_name_from(".oculto"), "oculto");
  EXPECT_EQ(case_name_from(""), "ensaio");
  EXPECT_TRUE(valid_case_name(case_name_from(std::string(80, 'x'))));
}

TEST(CaseWriter, QuotedTextKeepsItsApostrophes) { EXPECT_EQ(quoted_text("d'Ana"), "'d''Ana'"); }

}  // namespace
