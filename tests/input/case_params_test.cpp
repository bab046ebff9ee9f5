#include "input/case_params.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/trimmed.h"
#include "input/general_data.h"
#include "io/severe_error.h"

#include "../support/temp_dir.h"

namespace {

int severe_number_of(void (*step)(RunContext&), RunContext& rc) {
  try {
    step(rc);
  } catch (const SevereError& e) {
    return e.number();
  }
  return 0;
}

void name_parameter_file(RunContext& rc, const std::string& name) {
  rc.parameter_file_name.fill(' ');
  std::memcpy(rc.parameter_file_name.data(), name.data(), name.size());
}

}  // namespace

using CaseParamsTest = TempDirTest;

TEST_F(CaseParamsTest, TwelveValuesWithNotesEmptyLinesAndNulls) {
  write_file("caso.txt",
             "'ensaio7.dat'   arquivo de empuxo\n"
             "0.80 2.95       ti (s), a second value ignored\n"
             "\n"
             "2.95            tf (s)\n"
             ",,              Fcor stays 0\n"
             "1.5D0           M (kg)\n"
             "1000            w (Hz)\r\n"
             "5000            nmax\n"
             "0\n1\n2\n"
             "  ensaio 7  \n"
             "Motor de teste\n"
             "anything after the twelfth value\n");
  RunContext rc;
  name_parameter_file(rc, "  caso.txt  ");
  read_case_params(rc);
  EXPECT_EQ(trimmed(rc.original), "ensaio7.dat");
  EXPECT_EQ(rc.ti, 0.8);
  EXPECT_EQ(rc.tf, 2.95);
  EXPECT_EQ(rc.Fcor, 0.0);
  EXPECT_EQ(rc.M, 1.5);
  EXPECT_EQ(rc.w, 1000);
  EXPECT_EQ(rc.nmax, 5000);
  EXPECT_EQ(rc.time_origin_option, 0);
  EXPECT_EQ(rc.plot_option, 1);
  EXPECT_EQ(rc.curve_listing_option, 2);
  EXPECT_EQ(trimmed(rc.case_name), "ensaio");
  EXPECT_EQ(std::string(rc.title.data(), 6), "Motor ");
  EXPECT_EQ(trimmed(rc.title), "Motor");
}

TEST_F(CaseParamsTest, ErrorsNameUnitSix) {
  static const struct {
    const char* contents;
    int expected;
  } cases[] = {
      {"", kErrEndOfFile},
      {"a\n1\n2\n3\n4\n5\n6\n7\n8\n9\ncaso\n", kErrEndOfFile},
      {"a\n1\n2\n3\n4\n5\n6\n7\n8\n9\ncaso\n'unterminated title\n", kErrEndOfFile},
      {"a\n1s\n2\n3\n4\n5\n6\n7\n8\n9\nc\nt\n", kErrSyntax},
      {"a\n1\n2\n3\n4\n1000.0\n6\n7\n8\n9\nc\nt\n", kErrSyntax},
      {"a\n1\n2\n3\n4\n5\n1e4\n7\n8\n9\nc\nt\n", kErrSyntax},
      {"a\n1\n2\n3\n4\n5\n6\n7\n8\n.TRUE.\nc\nt\n", kErrSyntax},
      {"a\n1\n2\n3\n4\n3000000000\n6\n7\n8\n9\nc\nt\n", kErrConversion},
      {"a\n1\n2\n1e999\n4\n5\n6\n7\n8\n9\nc\nt\n", kErrConversion},
      // A decimal comma in a value read alone (ti, M, w, an option).
      {"a\n0,8\n2\n3\n4\n5\n6\n7\n8\n9\nc\nt\n", kErrSyntax},
      {"a\n1\n2\n3\n2*0,5 kg\n5\n6\n7\n8\n9\nc\nt\n", kErrSyntax},
      {"a\n1\n2\n3\n4\n1000,0\n6\n7\n8\n9\nc\nt\n", kErrSyntax},
      {"a\n1\n2\n3\n4\n5\n6\n7\n1,0\n9\nc\nt\n", kErrSyntax},
      {"a,b\n1\n2\n,5\n4\n5\n6\n7\n8\n9\nc,d\nt\n", 0},
  };
  for (const auto& c : cases) {
    write_file("caso.txt", c.contents);
    RunContext rc;
    name_parameter_file(rc, "caso.txt");
    EXPECT_EQ(severe_number_of(read_case_params, rc), c.expected) << c.contents;
  }
}

TEST_F(CaseParamsTest, UnassignedParameterFileNameOpensNothing) {
  RunContext rc;  // all NUL
  EXPECT_EQ(severe_number_of(read_case_params, rc), kErrFileName);
  name_parameter_file(rc, "   ");
  EXPECT_EQ(severe_number_of(read_case_params, rc), kErrFileName);
}

TEST_F(CaseParamsTest, GeneralDataFileGivesTheFirstValue) {
  static const struct {
    const char* contents;
    int error;
    std::string name;
  } cases[] = {
      {"ensaio7.txt  nota\n", 0, "ensaio7.txt"},
      {"\n\n  ensaio7.txt\n", 0, "ensaio7.txt"},
      {"'meu caso.txt'\n", 0, "meu caso.txt"},
      {"'it''s.txt'\n", 0, "it's.txt"},
      {",,\n", 0, std::string(90, '\0')},
      {"/\n", 0, std::string(90, '\0')},
      {"", kErrEndOfFile, ""},
      {"'open\n", kErrEndOfFile, ""},
  };
  for (const auto& c : cases) {
    write_file(kGeneralDataFileName, c.contents);
    RunContext rc;
    EXPECT_EQ(severe_number_of(read_general_data, rc), c.error) << c.contents;
    if (c.error == 0) {
      std::string expected = c.name;
      if (expected.size() < 90) expected.resize(90, ' ');
      EXPECT_EQ(std::string(rc.parameter_file_name.data(), 90), expected) << c.contents;
    }
  }
}
