// talvironeska-inspect: checks the input of a talvironeska run before it is
// made and suggests its time window. It reads the files with the program's
// own readers and never creates or changes them; the one file it may write
// is the engine file asked for with --eng, and never over a file of the case.
// Its subcommands import a logger's file as a case and evaluate a series.
#include <new>
#include <span>
#include <string>
#include <vector>

#include "inspect/calibration/command.h"
#include "inspect/calibration/options.h"
#include "inspect/check/command.h"
#include "inspect/check/options.h"
#include "inspect/common/command_line.h"
#include "inspect/common/console.h"
#include "inspect/common/outcome.h"
#include "inspect/import/command.h"
#include "inspect/import/options.h"
#include "inspect/report/command.h"
#include "inspect/report/options.h"
#include "inspect/series/command.h"
#include "inspect/series/options.h"

namespace {

// The commands, one line each: the check first, which has no name and runs
// when the first word names no other; the others' names are words that are
// not file names (a file named like one is reached as ./NAME).
struct Subcommand {
  const CommandText* text;
  int (*run)(const Invocation& call);
};
const Subcommand kCommands[] = {
    {&kCheckText, check_main},      {&kImportText, importar_main},      {&kSeriesText, series_main},
    {&kReportText, relatorio_main}, {&kCalibrationText, calibrar_main},
};

}  // namespace

int main(int argc, char** argv) {
  use_utf8_console();
  try {
    const std::vector<std::string> words(argv + 1, argv + argc);
    std::vector<CommandText> texts;
    const Subcommand* command = &kCommands[0];
    for (const Subcommand& c : kCommands) {
      texts.push_back(*c.text);
      if (!words.empty() && !c.text->name.empty() && c.text->name == words.front()) command = &c;
    }
    Invocation call;
    call.args = std::span<const std::string>(words).subspan(command == &kCommands[0] ? 0 : 1);
    call.command = command->text;
    call.usage = usage_text(*command->text, texts);
    return after_report(command->run(call));
  } catch (const std::bad_alloc&) {
    return fail("severe (41): insufficient virtual memory");
  }
}
