// talvironeska-inspect: checks the input of a talvironeska run before it is
// made and suggests its time window. It reads the files with the program's
// own readers and never creates or changes them; the one file it may write
// is the engine file asked for with --eng.
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/figures.h"
#include "core/run_context.h"
#include "core/trimmed.h"
#include "input/case_params.h"
#include "input/general_data.h"
#include "io/severe_error.h"
#include "io/unit.h"
#include "tools/inspect/case_files.h"
#include "tools/inspect/console.h"
#include "tools/inspect/eng_export.h"
#include "tools/inspect/import_command.h"
#include "tools/inspect/inspection.h"
#include "tools/inspect/native_name.h"
#include "tools/inspect/options.h"
#include "tools/inspect/series_command.h"
#include "tools/inspect/text.h"
#include "tools/inspect/thrust_records.h"

namespace {

constexpr char kTag[] = "talvironeska-inspect";

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

void put(const std::string& text, std::FILE* stream) { std::fwrite(text.data(), 1, text.size(), stream); }

int fail(const std::string& message) {
  put(std::string(kTag) + ": " + message + "\n", stderr);
  return kStatusUnusable;
}

int fail_severe(const SevereError& error) {
  return fail("severe (" + std::to_string(error.number()) + "): " + console_name(error.text()));
}

// The general data file and the case parameter file, read as the run reads
// them once the user has closed the editor. A missing file is reported, not
// created.
void read_case(RunContext& rc, InspectInput& input) {
  read_case_files(rc);
  input.case_name = std::string(trimmed(rc.parameter_file_name));
  input.case_values = CaseValues{rc.ti, rc.tf, rc.Fcor, rc.M, rc.w, rc.nmax};
  input.thrust_name = std::string(trimmed(rc.original));
}

bool same_file(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(path_of_name(a), path_of_name(b), error);
}

int write_eng(const Options& options, const InspectInput& input, const InspectResult& result) {
  if (!result.firing.burn) return fail("sem queima, nenhum arquivo " + console_name(options.eng_file) + " escrito");
  if (same_file(options.eng_file, input.thrust_name) || same_file(options.eng_file, kGeneralDataFileName) ||
      (!input.case_name.empty() && same_file(options.eng_file, input.case_name))) {
    return fail(console_name(options.eng_file) + " é um arquivo de entrada: não será sobrescrito");
  }
  const auto points = reduce_curve(result.burn_polyline);
  EngHeader header;
  header.name = result.firing.burn_class.designation.empty() ? "motor" : result.firing.burn_class.designation;
  header.diameter = options.diameter;
  header.length = options.length;
  header.propellant_mass = options.propellant_mass ? *options.propellant_mass : input.case_values->M;
  header.total_mass = *options.total_mass;
  header.comment = std::string(kTag) + ": " + input.thrust_name + ", w = " + std::to_string(result.w) +
                   " Hz, impulso " + fixed(curve_impulse(points), 3) + " N s";
  std::FILE* out = std::fopen(options.eng_file.c_str(), "wb");
  if (out == nullptr) return fail("não foi possível escrever " + console_name(options.eng_file));
  const std::string text = eng_text(header, points);
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (std::fclose(out) != 0 || !written) return fail("erro ao escrever " + console_name(options.eng_file));
  put("Curva de " + std::to_string(points.size()) + " pontos escrita em " + console_name(options.eng_file) + "\n",
      stdout);
  return kStatusFits;
}

int inspect_main(int argc, char** argv) {
  if (argc > 1) {
    for (const Subcommand& command : kSubcommands) {
      if (command.name == argv[1]) return command.run({argv + 2, argv + argc});
    }
  }
  Options options;
  std::string problem;
  if (!parse_options(argc, argv, &options, &problem)) return fail(problem + " (veja --help)");
  if (options.help) {
    put(usage_text(), stdout);
    return kStatusFits;
  }
  if (options.version) {
    put(std::string(kTag) + " " + kInspectVersion + "\n", stdout);
    return kStatusFits;
  }
  InspectInput input;
  try {
    static RunContext rc;
    if (options.thrust_file.empty()) {
      read_case(rc, input);
    } else {
      input.thrust_name = options.thrust_file;
      input.rate = options.rate;
    }
    if (!options.eng_file.empty() && !options.propellant_mass && !input.case_values) {
      return fail("--eng pede a massa de propelente (--massa-propelente KG) quando não há caso (veja --help)");
    }
    input.rc = &rc;
    input.source.name = input.thrust_name;
    input.release_records = true;
    input.want_eng = !options.eng_file.empty();
    input.choice.from = options.from;
    input.choice.to = options.to;
    input.choice.event = static_cast<std::size_t>(options.event);
    input.file = read_thrust_source(input.source, kUnitThrustData);
  } catch (const SevereError& error) {
    return fail_severe(error);
  }
  InspectResult result;
  try {
    result = inspect(input);
  } catch (const SevereError& error) {
    return fail_severe(error);
  }
  put(result.report, stdout);
  if (result.status == kStatusUnusable) {
    put(result.error, stderr);
    return kStatusUnusable;
  }
  if (!options.eng_file.empty()) {
    const int status = write_eng(options, input, result);
    if (status != kStatusFits) return status;
  }
  return result.status;
}

}  // namespace

int main(int argc, char** argv) {
  use_utf8_console();
  try {
    return inspect_main(argc, argv);
  } catch (const std::bad_alloc&) {
    return fail("severe (41): insufficient virtual memory");
  }
}
