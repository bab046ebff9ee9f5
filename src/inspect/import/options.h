// The command line of talvironeska-inspect importar.
#ifndef TALVIRONESKA_INSPECT_IMPORT_OPTIONS_H_
#define TALVIRONESKA_INSPECT_IMPORT_OPTIONS_H_

#include <optional>
#include <string>

#include "inspect/log/units.h"

enum class TareMode { automatic, none, value };

struct ImportOptions {
  bool help = false;
  std::string log;                            // the logger's file
  std::string output_dir;                     // --saida
  std::optional<double> M;                    // --massa, kg
  TimeUnit time_unit = TimeUnit::none;        // --tempo
  ThrustUnit thrust_unit = ThrustUnit::none;  // --empuxo
  std::optional<double> factor;               // --fator: thrust = (raw - offset) * factor, in the thrust unit
  double offset = 0.0;                        // --deslocamento, in raw units
  int column = 0;                             // --coluna, from 1; 0 when not given
  double rate = 0.0;                          // --taxa, Hz: the file has no time column
  TareMode tare = TareMode::automatic;        // --tara
  double tare_value = 0.0;                    // N
  bool drift = false;                         // --deriva
  bool measured = false;                      // --medido
  std::string case_name;                      // --caso
  std::optional<std::string> title;           // --titulo
  bool replace = false;                       // --substituir
  std::string json_file;                      // --json; "-" for the standard output
};

// Reads ARGV[FIRST..ARGC) into *OPTIONS. False with *PROBLEM, a Portuguese
// phrase, for an unknown or repeated option, a missing or bad value, a
// second file, options that exclude each other, or no LOG, --massa or --saida.
bool parse_import_options(int argc, const char* const* argv, int first, ImportOptions* options, std::string* problem);

const char* import_usage_text();

#endif  // TALVIRONESKA_INSPECT_IMPORT_OPTIONS_H_
