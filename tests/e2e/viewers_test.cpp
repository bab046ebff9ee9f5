// The POSIX stand-ins for the viewers (share/viewers): the editor opens the
// name the run meant, or steps aside without a terminal; Wgnuplot renders a
// PNG beside the script when there is no display.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "harness.h"
#include "png_check.h"

namespace {

namespace fs = std::filesystem;

const std::string kViewers = std::string(TALVIRONESKA_SOURCE_DIR) + "/share/viewers";

// Links the stand-ins under the names the run uses into ROOT/viewers.
std::string link_viewers(const e2e::CaseDir& dir) {
  const std::string bin = dir.root() + "/viewers";
  fs::create_directories(bin);
  fs::create_symlink(kViewers + "/notepad", bin + "/Notepad");
  fs::create_symlink(kViewers + "/notepad", bin + "/notepad");
  fs::create_symlink(kViewers + "/Wgnuplot", bin + "/Wgnuplot");
  return bin;
}

// An editor that records the arguments it was given, each in brackets.
std::string write_recording_editor(const e2e::CaseDir& dir) {
  const std::string path = dir.root() + "/record";
  dir.write("../record", "#!/bin/sh\nprintf '[%s]' \"$@\" > opened.txt\n");
  fs::permissions(path, fs::perms::owner_all);
  return path;
}

TEST(Viewers, EditorOpensTheNameTheRunMeant) {
  struct Case {
    std::vector<std::string> files;  // present in the directory before
    std::string command;             // as the run hands it to the shell
    std::string opened;              // the editor's arguments
  } cases[] = {
      {{"ensaio7_saida_A.txt"}, "Notepad ensaio7_saida_A.txt", "[ensaio7_saida_A.txt]"},
      {{"teste 1_saida_A.txt"}, "Notepad teste 1_saida_A.txt", "[teste 1_saida_A.txt]"},
      {{"teste  1_saida_B.txt", "teste 1_saida_A.txt"}, "Notepad 'teste  1_saida_B.txt'", "[teste  1_saida_B.txt]"},
      {{"meu  caso.txt"}, "notepad meu caso.txt", "[meu caso.txt]"},  // not there yet: the editor creates it
      {{"-a b.txt"}, "notepad '-a b.txt'", "[./-a b.txt]"},
      {{"-x.txt"}, "notepad -x.txt", "[./-x.txt]"},
  };
  for (const Case& c : cases) {
    e2e::CaseDir dir;
    const std::string bin = link_viewers(dir);
    const std::string editor = write_recording_editor(dir);
    for (const std::string& f : c.files) dir.write(f, "x\r\n");
    // script(1) gives the stand-in a terminal, as in an interactive run.
    const e2e::RunResult r =
        dir.run_program({"/usr/bin/env", "-u", "VISUAL", "SHELL=/bin/sh", "EDITOR=" + editor,
                         "PATH=" + bin + ":/usr/bin:/bin", "/usr/bin/script", "-qec", c.command, "/dev/null"});
    EXPECT_EQ(r.exit_status, 0) << c.command << "\n" << r.err;
    ASSERT_TRUE(dir.exists("opened.txt")) << c.command;
    EXPECT_EQ(dir.read("opened.txt"), c.opened) << c.command;
  }
}

TEST(Viewers, EditorWithoutTerminalSaysSoAndReturns) {
  e2e::CaseDir dir;
  const std::string bin = link_viewers(dir);
  const std::string editor = write_recording_editor(dir);
  dir.write("teste 1_saida_A.txt", "x\r\n");
  const e2e::RunResult r = dir.run_program({"/usr/bin/env", "EDITOR=" + editor, "VISUAL=" + editor, "/bin/sh", "-c",
                                            "PATH=" + bin + ":$PATH; Notepad teste 1_saida_A.txt"});
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Notepad: no terminal, not opening teste 1_saida_A.txt\n");
  EXPECT_FALSE(dir.exists("opened.txt"));
}

// The installed tree's bin/talvironeska, under a folder of any name: it puts
// the stand-ins first on PATH, also where the folder's name holds a colon,
// which no PATH entry can.
TEST(Viewers, TheInstalledWrapperFindsItsViewersUnderAnyFolderName) {
  if (e2e::windows_run()) GTEST_SKIP() << "the wrapper is the POSIX install's";
  std::string wrapper = e2e::source_file("packaging/talvironeska.in");
  for (const auto& [key, value] :
       {std::pair{"@data_dir@", "share/talvironeska"}, {"@program_dir@", "lib/talvironeska"}}) {
    wrapper.replace(wrapper.find(key), std::string_view(key).size(), value);
  }
  for (const char* folder : {"talvironeska", "co:lon", ":a b:%c:"}) {
    SCOPED_TRACE(folder);
    e2e::CaseDir dir;
    const std::string prefix = dir.root() + "/" + folder;
    fs::create_directories(prefix + "/bin");
    fs::create_directories(prefix + "/lib/talvironeska");
    fs::create_directories(prefix + "/share/talvironeska/viewers");
    dir.write("../" + std::string(folder) + "/bin/talvironeska", wrapper);
    fs::permissions(prefix + "/bin/talvironeska", fs::perms::owner_all);
    fs::create_symlink(TALVIRONESKA_BIN, prefix + "/lib/talvironeska/talvironeska");
    for (const char* viewer : {"Notepad", "notepad", "Wgnuplot"}) {
      fs::copy_file(kViewers + (viewer[0] == 'W' ? "/Wgnuplot" : "/notepad"),
                    prefix + "/share/talvironeska/viewers/" + viewer);
    }
    e2e::CaseFiles files;
    files.plot_option = "1";
    dir.write_valid_case(files);
    dir.write(e2e::kPlotScriptFile, "set grid\n#\n#\n#\n#\n#\n");
    // No terminal, no display: each editor stand-in says so in one line and
    // returns, and the plot goes to a PNG.
    const e2e::RunResult r = dir.run_program(
        {"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "PATH=/usr/bin:/bin", prefix + "/bin/talvironeska"});
    EXPECT_EQ(r.exit_status, 0) << r.err;
    const std::string png = dir.path() + "/talvironeska_2p1_curva_F-t.png";
    const std::vector<std::string> said = {"Notepad: no terminal, not opening talvironeska_2p1_dados_geral.txt",
                                           "notepad: no terminal, not opening caso.txt",
                                           "Wgnuplot: plot written to " + png,
                                           "Notepad: no terminal, not opening ensaio7_saida_A.txt"};
    std::string expected;
    for (const std::string& line : said) expected += line + "\n";
    EXPECT_EQ(r.err, expected);
  }
}

TEST(Viewers, GnuplotWithoutDisplayRendersPngBesideTheScript) {
  e2e::CaseDir dir;
  const std::string bin = link_viewers(dir);
  dir.write("curva.txt",
            "#  t [s]       F [N]\r\n   0.0000000   1.000000E+00\r\n   0.1000000   5.000000E+00\r\n"
            "   0.2000000   2.000000E+00\r\n");
  dir.write("meu grafico.gnu", "set grid\r\nplot 'curva.txt' using 1:2 notitle\r\n");
  dir.write("meu grafico.png", "stale");
  // Started from elsewhere: the script's data file is found beside it.
  const e2e::RunResult r =
      dir.run_program({"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "/bin/sh", "-c",
                       "cd / && PATH=" + bin + ":$PATH && Wgnuplot " + dir.path() + "/meu grafico.gnu"});
  EXPECT_EQ(r.exit_status, 0) << r.err;
  EXPECT_EQ(r.err, "Wgnuplot: plot written to " + dir.path() + "/meu grafico.png\n");
  const e2e::PngInfo png = e2e::png_info(dir.read("meu grafico.png"));
  EXPECT_TRUE(png.valid);
  EXPECT_EQ(png.width, 900u);
  EXPECT_EQ(png.height, 600u);
  EXPECT_TRUE(png.has_image_data);
  EXPECT_TRUE(png.has_end);
}

}  // namespace
