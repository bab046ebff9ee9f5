// The launches' command lines and order, seen by fake programs first on PATH.
#include "run/result_viewing.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "run/input_editing.h"

namespace {

template <std::size_t N>
void assign(TextField<N>& field, std::string_view text) {
  field.fill(' ');
  text.copy(field.data(), text.size() < N ? text.size() : N);
}

class LaunchesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/talvironeska-view-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    // Each fake logs its name and arguments and fails: the run goes on anyway.
    for (const char* program : {"Notepad", "notepad", "Wgnuplot"}) {
      const std::string path = dir_ + "/" + program;
      std::FILE* f = std::fopen(path.c_str(), "w");
      ASSERT_NE(f, nullptr);
      std::fprintf(f, "#!/bin/sh\necho \"%s $*\" >> '%s/log'\nexit 3\n", program, dir_.c_str());
      std::fclose(f);
      ASSERT_EQ(chmod(path.c_str(), 0755), 0);
    }
    old_path_ = std::getenv("PATH");
    setenv("PATH", (dir_ + ":" + old_path_).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", old_path_.c_str(), 1);
    std::filesystem::remove_all(dir_);
  }

  // The log lines so far, and a fresh log after.
  std::vector<std::string> take_log() const {
    std::vector<std::string> lines;
    const std::string path = dir_ + "/log";
    if (std::FILE* f = std::fopen(path.c_str(), "r")) {
      char line[512];
      while (std::fgets(line, sizeof line, f) != nullptr) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        lines.push_back(text);
      }
      std::fclose(f);
    }
    std::remove(path.c_str());
    return lines;
  }

  std::string dir_;
  std::string old_path_;
};

TEST_F(LaunchesTest, ViewersFollowThePlotAndCurveListingOptions) {
  static const struct {
    std::int32_t plot_option;
    std::int32_t curve_listing_option;
    std::vector<std::string> launches;
  } cases[] = {
      {1, 1, {"Wgnuplot talvironeska_2p1_curva_F-t.gnu", "Notepad ensaio7_saida_A.txt", "Notepad ensaio7_saida_B.txt"}},
      {0, 0, {"Notepad ensaio7_saida_A.txt"}},
      {1, 0, {"Wgnuplot talvironeska_2p1_curva_F-t.gnu", "Notepad ensaio7_saida_A.txt"}},
      {2, 1, {"Notepad ensaio7_saida_A.txt", "Notepad ensaio7_saida_B.txt"}},
      {-1, 2, {"Notepad ensaio7_saida_A.txt"}},
  };
  RunContext rc;
  assign(rc.case_name, "  ensaio7  ");
  for (const auto& c : cases) {
    rc.plot_option = c.plot_option;
    rc.curve_listing_option = c.curve_listing_option;
    launch_plot_viewer(rc);
    view_results(rc);
    EXPECT_EQ(take_log(), c.launches) << c.plot_option << ' ' << c.curve_listing_option;
  }
}

TEST_F(LaunchesTest, PlainNamesAreTrimmedAndNotQuoted) {
  RunContext rc;
  rc.curve_listing_option = 1;
  assign(rc.case_name, " teste 1 ");
  assign(rc.parameter_file_name, "  ensaio7.txt  ");
  edit_general_data(rc);
  edit_case_params(rc);
  view_results(rc);
  // The inner blank stays, unquoted; the blanks around the names go.
  EXPECT_EQ(take_log(), (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt", "notepad ensaio7.txt",
                                                  "Notepad teste 1_saida_A.txt", "Notepad teste 1_saida_B.txt"}));
}

}  // namespace
