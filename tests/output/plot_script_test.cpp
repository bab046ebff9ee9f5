#include "output/plot_script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "io/severe_error.h"

#include "../support/temp_dir.h"

namespace {

template <std::size_t N>
void assign(TextField<N>& field, std::string_view text) {
  field.fill(' ');
  text.copy(field.data(), text.size() < N ? text.size() : N);
}

// Each test runs in a fresh directory: the script's name is fixed.
class PlotScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = make_temp_dir("talvironeska-plot-");
    old_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    rc_.plot_option = 1;
    assign(rc_.case_name, "ensaio7");
    assign(rc_.title, "Motor de teste");
  }
  void TearDown() override {
    std::filesystem::current_path(old_dir_);
    std::filesystem::remove_all(dir_);
  }

  static void write_script(std::string_view bytes) {
    std::FILE* f = std::fopen("talvironeska_2p1_curva_F-t.gnu", "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

  static std::optional<std::string> script() {
    std::FILE* f = std::fopen("talvironeska_2p1_curva_F-t.gnu", "rb");
    if (f == nullptr) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, got);
    std::fclose(f);
    return bytes;
  }

  std::filesystem::path dir_;
  std::filesystem::path old_dir_;
  RunContext rc_;
};

constexpr const char* kLines78 =
    "set title 'Motor de teste'\r\n"
    "plot 'ensaio7_saida_B.txt' using 1:2 notitle\r\n";

TEST_F(PlotScriptTest, KeepsSixLinesAndEndsAfterTheTwoOfTheRun) {
  static const struct {
    const char* what;
    std::string before;
    std::string kept;
  } cases[] = {
      {"extra lines", "a\nb\r\nc\n\n  \ne \xE9\r\nold 7\r\nold 8\nold 9", "a\nb\r\nc\n\n  \ne \xE9\r\n"},
      {"six lines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n"},
      {"six lines, no final line end", "1\n2\n3\n4\n5\n6", "1\n2\n3\n4\n5\n6\r\n"},
      {"six lines, final CR only", "1\n2\n3\n4\n5\n6\r", "1\n2\n3\n4\n5\n6\r\r\n"},
      {"blanks after the sixth line", "1\n2\n3\n4\n5\n6\n   ", "1\n2\n3\n4\n5\n6\n"},
      {"a previous run's script", std::string("1\n2\n3\n4\n5\n6\n") + kLines78, "1\n2\n3\n4\n5\n6\n"},
  };
  for (const auto& c : cases) {
    write_script(c.before);
    write_plot_script(rc_);
    EXPECT_EQ(script(), c.kept + kLines78) << c.what;
  }
}

// gnuplot reads both back as text: an apostrophe is written twice, and a name
// it would run as a command or take for a data block gets "./" before it.
TEST_F(PlotScriptTest, TitleAndCaseNameAreTrimmedAndReadAsText) {
  static const struct {
    const char* title;
    const char* case_name;
    const char* expected;
  } cases[] = {
      {"", "ensaio7", "set title ''\r\nplot 'ensaio7_saida_B.txt' using 1:2 notitle\r\n"},
      {"  O'Neil \xC9 \"x\" \\ `id` @m  ", "  teste 1  ",
       "set title 'O''Neil \xC9 \"x\" \\ `id` @m'\r\nplot 'teste 1_saida_B.txt' using 1:2 notitle\r\n"},
      {"x' . system('id') . '", "d'agua",
       "set title 'x'' . system(''id'') . '''\r\nplot 'd''agua_saida_B.txt' using 1:2 notitle\r\n"},
      {"t", "  <id #", "set title 't'\r\nplot './<id #_saida_B.txt' using 1:2 notitle\r\n"},
      {"t", "$dados", "set title 't'\r\nplot './$dados_saida_B.txt' using 1:2 notitle\r\n"},
      {"t", "a<b$c", "set title 't'\r\nplot 'a<b$c_saida_B.txt' using 1:2 notitle\r\n"},
  };
  for (const auto& c : cases) {
    write_script("1\n2\n3\n4\n5\n6\n");
    assign(rc_.title, c.title);
    assign(rc_.case_name, c.case_name);
    write_plot_script(rc_);
    EXPECT_EQ(script(), std::string("1\n2\n3\n4\n5\n6\n") + c.expected) << c.title;
  }
}

TEST_F(PlotScriptTest, FewerThanSixLinesEndTheRunWithTheScriptUnchanged) {
  const std::string message = "end-of-file during read, unit 18, file " +
                              (std::filesystem::current_path() / "talvironeska_2p1_curva_F-t.gnu").string();
  for (const std::optional<std::string>& before :
       {std::optional<std::string>("1\n2\n3\n4\n5\n"), std::optional<std::string>("1\n2\n3\n4\n5"),
        std::optional<std::string>(""), std::optional<std::string>()}) {
    std::remove("talvironeska_2p1_curva_F-t.gnu");
    if (before) write_script(*before);
    try {
      write_plot_script(rc_);
      ADD_FAILURE() << "no error for " << before.value_or("a missing script");
    } catch (const SevereError& error) {
      EXPECT_EQ(error.number(), kErrEndOfFile);
      EXPECT_EQ(error.text(), message);
    }
    // A missing script is left created empty.
    EXPECT_EQ(script(), before.value_or(""));
  }
}

TEST_F(PlotScriptTest, OnlyPlotOptionOneTouchesTheScript) {
  for (const std::int32_t option : {0, 2, -1}) {
    rc_.plot_option = option;
    std::remove("talvironeska_2p1_curva_F-t.gnu");
    write_plot_script(rc_);
    EXPECT_EQ(script(), std::nullopt) << option;
    write_script("1\n2\n3\n4\n5\n6\n7\n8\n");
    write_plot_script(rc_);
    EXPECT_EQ(script(), "1\n2\n3\n4\n5\n6\n7\n8\n") << option;
  }
}

}  // namespace
