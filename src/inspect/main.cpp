// talvironeska-inspect: checks the input of a talvironeska run before it is
// made and suggests its time window. It reads the files with the program's
// own readers and never creates or changes them; the one file it may write
// is the engine file asked for with --eng, and never over a file of the case.
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/check/command.h"
#include "inspect/common/console.h"
#include "inspect/import/command.h"
#include "inspect/series/command.h"

namespace {

// The subcommands, one line each: words that are not file names (a file
// named like one is reached as ./NAME). The inspection itself takes none.
struct Subcommand {
  std::string_view name;
  int (*run)(const std::vector<std::string>& args);  // the arguments after the name
};
const std::vector<Subcommand> kSubcommands = {
    {"importar", importar_main},
    {"serie", series_main},
};

}  // namespace

int main(int argc, char** argv) {
  use_utf8_console();
  try {
    if (argc > 1) {
      for (const Subcommand& command : kSubcommands) {
        if (command.name == argv[1]) return after_report(command.run({argv + 2, argv + argc}));
      }
    }
    return after_report(check_main(argc, argv));
  } catch (const std::bad_alloc&) {
    return fail("severe (41): insufficient virtual memory");
  }
}
